// The program's start as main.cpp makes it, leaving the moment the window is
// first on the screen, so that bench/startup can time the start from outside
// the process while the program itself has no such hook.

#include "form1.h"
#include "shown.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareApplication();
    Form1 window;
    exitWhenShown(window);
}
