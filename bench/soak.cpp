// Many solves of random systems in one window, every message answered at
// once: the resident memory after the first hundred solves and after the last
// must be the same, or something is kept from solve to solve.

#include "answerer.h"
#include "form1.h"
#include "startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace
{

// VmHWM is the peak resident set so far, VmRSS the present one, in KiB.
long statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpression line(QStringLiteral("^%1:\\s+(\\d+) kB$").arg(QLatin1String(field)),
                                  QRegularExpression::MultilineOption);
    return line.match(QString::fromLatin1(status.readAll())).captured(1).toLong();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int solves =
        qEnvironmentVariableIntValue("SOLVES") > 0 ? qEnvironmentVariableIntValue("SOLVES") : 10000;
    prepareApplication();
    Form1 window;
    window.show();
    Answerer answerer;
    app.installEventFilter(&answerer);
    std::mt19937 rng(20261207u);
    std::uniform_int_distribution<int> size(2, 9);
    std::uniform_int_distribution<int> coefficient(-9, 9);
    QTimer::singleShot(0, [&] {
        QElapsedTimer clock;
        clock.start();
        for (int solve = 1; solve <= solves; ++solve) {
            const int n = size(rng);
            window.findChild<QRadioButton *>(QStringLiteral("Option%1").arg(n - 1))
                ->setChecked(true);
            window.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
            // Random integers, now and then a decimal, a zero pivot or a singular system.
            for (int r = 1; r <= n; ++r)
                for (int c = 1; c <= n + 1; ++c)
                    window.findChild<QLineEdit *>(QStringLiteral("Text%1").arg(10 * r + c))
                        ->setText(QString::number(coefficient(rng) / (c == r ? 4.0 : 1.0)));
            window.findChild<QPushButton *>(QStringLiteral("Command3"))->click();
            if (solve == 100 || solve == 1000 || solve == solves)
                std::printf("solve %5d: peak RSS %ld KiB, RSS %ld KiB, %d messages, %.1f s\n",
                            solve, statusKiB("VmHWM"), statusKiB("VmRSS"), answerer.answered,
                            clock.elapsed() / 1000.0);
            std::fflush(stdout);
        }
        std::_Exit(0);
    });
    return app.exec();
}
