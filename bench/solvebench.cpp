// A whole solve of nine equations in the program's window, its 17 messages
// answered as soon as each is shown, timed inside the process so that the
// start-up is left out; the start is timed on bench/gaussshown.

#include "answerer.h"
#include "form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Form1 window;
    window.show();
    window.findChild<QRadioButton *>(QStringLiteral("Option8"))->setChecked(true);
    window.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 10; ++c)
            window.findChild<QLineEdit *>(QStringLiteral("Text%1").arg(10 * r + c))
                ->setText(QString::number(r == c ? 30 : (r + c) % 3 + 1));
    Answerer answerer;
    app.installEventFilter(&answerer);
    QElapsedTimer clock;
    QTimer::singleShot(0, [&] {
        clock.start();
        window.findChild<QPushButton *>(QStringLiteral("Command3"))->click();
        std::printf("solve_ms %.3f messages %d\n", clock.nsecsElapsed() / 1e6, answerer.answered);
        std::fflush(stdout);
        std::_Exit(answerer.answered == 17 ? 0 : 1);
    });
    return app.exec();
}
