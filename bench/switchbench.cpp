// Switching a finished nine-equation working between decimals and fractions:
// the grid, the solution and the working redrawn, timed inside the process
// from the key to the window painted again. The solve answers its 17 steps
// and the box that tells the table from the answer.
//
//   switchbench [runs]   two-digit integers, whose fractions reach twenty digits

#include "answerer.h"
#include "form1.h"
#include "startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace
{

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    prepareApplication();
    Form1 window;
    window.show();
    window.findChild<QRadioButton *>(QStringLiteral("Option8"))->setChecked(true);
    window.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    std::mt19937 rng(25);
    std::uniform_int_distribution<int> coefficient(-99, 99);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 10; ++c)
            window.findChild<QLineEdit *>(QStringLiteral("Text%1").arg(10 * r + c))
                ->setText(QString::number(coefficient(rng)));
    Answerer answerer;
    app.installEventFilter(&answerer);
    window.findChild<QPushButton *>(QStringLiteral("Command3"))->click();
    app.removeEventFilter(&answerer);
    window.activateWindow(); // the window's keys need it active
    if (!QTest::qWaitForWindowActive(&window))
        return 1;

    QList<QLineEdit *> answers; // the last column, where the fractions are
    for (int r = 1; r <= 9; ++r)
        answers << window.findChild<QLineEdit *>(QStringLiteral("Text%1").arg(10 * r + 10));
    std::vector<double> times[2]; // to fractions, to decimals
    QString longest;
    for (int run = 0; run < 2 * runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
        window.repaint();
        times[run % 2].push_back(clock.nsecsElapsed() / 1e6);
        for (const QLineEdit *cell : answers)
            if (cell->text().size() > longest.size())
                longest = cell->text();
    }
    std::printf("messages %d runs %d to_fractions_median_ms %.2f max_ms %.2f "
                "to_decimals_median_ms %.2f max_ms %.2f longest_cell_chars %d\n",
                answerer.answered, runs, median(times[0]),
                *std::max_element(times[0].begin(), times[0].end()), median(times[1]),
                *std::max_element(times[1].begin(), times[1].end()), int(longest.size()));
    return longest.contains(u'/') ? 0 : 1;
}
