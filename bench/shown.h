#ifndef GAUSS_BENCH_SHOWN_H
#define GAUSS_BENCH_SHOWN_H

// The bare window ends as the program does when GAUSS_EXIT_WHEN_SHOWN is set
// (see main.cpp): as soon as the window is on the screen it leaves without
// tearing anything down, so that the time bench/startup measures around the
// process is the time to the window first shown.

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>
#include <cstdlib>

inline void exitWhenShown(QWidget &window)
{
    window.show();
    while (!window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::_Exit(0);
}

#endif
