// A whole solve of nine equations in the program's window, each message
// answered as soon as it is shown, timed inside the process so that the
// start-up is left out; the start is timed on bench/gaussshown. Then the same
// solve without a window, the solver alone, averaged over many runs.
//
//   solvebench        small integers, diagonally dominant: 17 messages
//   solvebench wide   seven-digit decimals with exponents up to ±30

#include "answerer.h"
#include "elimination.h"
#include "form1.h"
#include "singular.h"
#include "startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool wide = argc > 1 && std::strcmp(argv[1], "wide") == 0;
    QString texts[10][11];
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> mantissa(-9999999, 9999999);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 10; ++c)
            texts[r][c] = wide ? QStringLiteral("%1.%2E%3")
                                     .arg(mantissa(rng) / 1000000)
                                     .arg(std::abs(mantissa(rng)) % 1000000, 6, 10, QChar(u'0'))
                                     .arg(exponent(rng))
                               : QString::number(r == c ? 30 : (r + c) % 3 + 1);

    prepareApplication();
    Form1 window;
    window.show();
    window.findChild<QRadioButton *>(QStringLiteral("Option8"))->setChecked(true);
    window.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 10; ++c)
            window.findChild<QLineEdit *>(QStringLiteral("Text%1").arg(10 * r + c))
                ->setText(texts[r][c]);
    Answerer answerer;
    app.installEventFilter(&answerer);
    QElapsedTimer clock;
    QTimer::singleShot(0, [&] {
        clock.start();
        window.findChild<QPushButton *>(QStringLiteral("Command3"))->click();
        const double windowMs = clock.nsecsElapsed() / 1e6;

        constexpr int runs = 200;
        int result = 0;
        clock.start();
        for (int run = 0; run < runs; ++run) {
            gauss::SolverState s;
            s.n = 9;
            const auto cell = [&](int r, int c) { return texts[r][c]; };
            result = int(gauss::solve(s, [&] { return gauss::readBlock(s, s.n, cell); }).result);
        }
        const double solverMs = clock.nsecsElapsed() / 1e6 / runs;

        // The whole reduction in rational arithmetic alone, as the twin would
        // make it if the working went on to the end.
        gauss::SolverState s;
        s.n = 9;
        gauss::readBlock(s, s.n, [&](int r, int c) { return texts[r][c]; });
        clock.start();
        for (int run = 0; run < runs; ++run)
            gauss::analyseSingular(s.exact.a, s.n);
        std::printf("solve_ms %.3f messages %d solver_alone_ms %.3f result %d "
                    "exact_reduction_ms %.3f\n",
                    windowMs, answerer.answered, solverMs, result,
                    clock.nsecsElapsed() / 1e6 / runs);
        std::fflush(stdout);
        std::_Exit(wide || answerer.answered == 17 ? 0 : 1);
    });
    return app.exec();
}
