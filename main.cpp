#include "form1.h"
#include "qttranslation.h"

#include <QApplication>
#include <QIcon>
#include <QWindow>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installBulgarianQtTexts();
    // The desktop entry's name lets the desktop match the window to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("bg.edu.gauss"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/gauss-256.png")));
    Form1 window;
    window.show();
    // bench/startup times this very program's start: asked to, it leaves as
    // soon as the window is first on the screen, tearing nothing down.
    if (qEnvironmentVariableIsSet("GAUSS_EXIT_WHEN_SHOWN")) {
        while (!window.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        std::_Exit(0);
    }
    return app.exec();
}
