#ifndef GAUSS_BENCH_SHOWN_H
#define GAUSS_BENCH_SHOWN_H

// Both benchmark programs end the same way: as soon as the window is on the
// screen, print the peak memory and leave without tearing anything down, so
// that the time the script measures is the time to the window first shown.

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

inline void exitWhenShown(QWidget &window)
{
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak_rss_kb %ld\n", usage.ru_maxrss);
    std::fflush(stdout);
    std::_Exit(0);
}

#endif
