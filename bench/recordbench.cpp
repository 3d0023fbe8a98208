// The record of a solve and its playing, for nine equations in nine unknowns
// (the seven-digit working) and nine in eight (the exact working): the time to
// build the record without a window, averaged over many runs, and the time
// the window takes to read, solve and play it, every box answered at once.
//
//   recordbench        prints one line a shape

#include "answerer.h"
#include "form1.h"
#include "record.h"
#include "startup.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace
{

QString coefficient(int r, int c)
{
    return QString::number(r == c ? 30 : (r * 7 + c * 3) % 9 - 4);
}

double buildMs(int unknowns)
{
    gauss::SolverState s;
    s.n = 9;
    s.unknowns = qint16(unknowns);
    gauss::readSystem(s, 9, unknowns, coefficient);
    constexpr int runs = 200;
    QElapsedTimer clock;
    clock.start();
    for (int run = 0; run < runs; ++run) {
        gauss::SolverState copy = s;
        if (unknowns == 9)
            gauss::solveRecord(copy, gauss::SolveMode::StopWithSevenDigits);
        else
            gauss::solveExactly(copy.exact.a, 9, unknowns);
    }
    return clock.nsecsElapsed() / 1e6 / runs;
}

// Arranges the shape through the grid's dialog, fills it and solves it.
double playMs(Form1 &window, int unknowns, int &boxes)
{
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&poll, unknowns] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        dialog->findChild<QSpinBox *>(QStringLiteral("equations"))->setValue(9);
        dialog->findChild<QSpinBox *>(QStringLiteral("unknowns"))->setValue(unknowns);
        dialog->accept();
    });
    poll.start(1);
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        std::fprintf(stderr, "the window did not become active\n");
    QTest::keyClick(&window, Qt::Key_M, Qt::ControlModifier); // reaches the window's shortcuts
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= unknowns + 1; ++c)
            window.findChild<QLineEdit *>(QStringLiteral("Text%1").arg(10 * r + c))
                ->setText(coefficient(r, c));
    Answerer answerer;
    qApp->installEventFilter(&answerer);
    QElapsedTimer clock;
    clock.start();
    window.findChild<QPushButton *>(QStringLiteral("Command3"))->click();
    boxes = answerer.answered;
    qApp->removeEventFilter(&answerer);
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareApplication();
    Form1 window;
    window.show();
    QTimer::singleShot(0, [&] {
        for (const int unknowns : {9, 8}) {
            int boxes = 0;
            const double play = playMs(window, unknowns, boxes);
            std::printf("9x%d build_record_ms %.3f read_solve_play_ms %.1f boxes %d\n", unknowns,
                        buildMs(unknowns), play, boxes);
        }
        std::fflush(stdout);
        std::_Exit(0);
    });
    return app.exec();
}
