#include "startup.h"

#include "qttranslation.h"

#include <QApplication>
#include <QIcon>

void prepareApplication()
{
    installBulgarianQtTexts();
    // The desktop entry's name lets the desktop match the window to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("bg.edu.gauss"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/gauss-256.png")));
}
