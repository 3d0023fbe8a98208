#include "form1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The desktop entry's name lets the desktop match the window to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("bg.edu.gauss"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/gauss-256.png")));
    Form1 window;
    window.show();
    return app.exec();
}
