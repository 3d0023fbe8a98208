// A whole solve of nine equations in the decimal and in the fraction view,
// each message answered as soon as it is shown, timed inside the process: the
// fractions must not cost more than twice the decimals, and no step may come
// later than a tenth of a second after the box before it was answered.
//
//   viewbench   typed fractions of 8-9 digits over 8-9 digits, then one-digit
//               integers; a line for each, the times of the whole solve and
//               of the slowest step in milliseconds

#include "form1.h"
#include "numberformat.h"
#include "startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>

namespace
{

// Answers every box at once and keeps the longest wait from an answer to the
// next box, which is the time the user waits for a step.
class StepClock : public QObject
{
public:
    StepClock() { answered.start(); }
    int answers = 0;
    double longestMs = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (auto *box = qobject_cast<QMessageBox *>(watched)) {
                longestMs = std::max(longestMs, answered.nsecsElapsed() / 1e6);
                ++answers;
                QMetaObject::invokeMethod(
                    box,
                    [this, box] {
                        answered.start();
                        box->accept();
                    },
                    Qt::QueuedConnection);
            }
        return false;
    }

private:
    QElapsedTimer answered;
};

struct Timing {
    double totalMs = 0;
    double longestStepMs = 0;
    int messages = 0;
};

Timing solveIn(bool fractions, const QString (&texts)[10][11])
{
    // Each window starts in the view last chosen, kept here in a scratch place.
    NumberFormat::save(fractions ? NumberFormat::Fractions : NumberFormat::Decimals);
    Form1 window;
    window.show();
    window.findChild<QRadioButton *>(QStringLiteral("Option8"))->setChecked(true);
    window.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 10; ++c)
            window.findChild<QLineEdit *>(QStringLiteral("Text%1").arg(10 * r + c))
                ->setText(texts[r][c]);
    StepClock clock;
    qApp->installEventFilter(&clock);
    QElapsedTimer total;
    total.start();
    window.findChild<QPushButton *>(QStringLiteral("Command3"))->click();
    const Timing timing{total.nsecsElapsed() / 1e6, clock.longestMs, clock.answers};
    qApp->removeEventFilter(&clock);
    return timing;
}

} // namespace

int main(int argc, char *argv[])
{
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    prepareApplication();
    std::mt19937 rng(38);
    std::uniform_int_distribution<int> digits(10000000, 999999999);
    QString texts[2][10][11];
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 10; ++c) {
            texts[0][r][c] = QStringLiteral("%1%2/%3")
                                 .arg(rng() % 2 ? "-" : "")
                                 .arg(digits(rng))
                                 .arg(digits(rng));
            texts[1][r][c] = QString::number(r == c ? 9 : int(rng() % 9) - 4);
        }
    const char *names[2] = {"long_fractions", "one_digit"};
    for (int input = 0; input < 2; ++input) {
        const Timing decimal = solveIn(false, texts[input]);
        const Timing fraction = solveIn(true, texts[input]);
        std::printf("%s messages %d decimal_ms %.1f longest_step_ms %.1f messages %d "
                    "fraction_ms %.1f longest_step_ms %.1f ratio %.2f\n",
                    names[input], decimal.messages, decimal.totalMs, decimal.longestStepMs,
                    fraction.messages, fraction.totalMs, fraction.longestStepMs,
                    fraction.totalMs / decimal.totalMs);
        std::fflush(stdout);
    }
    return 0;
}
