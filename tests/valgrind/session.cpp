// A whole session with the window, short enough to run under valgrind:
// start-up, every size, a solve of each, the reports, clearing.

#include "form1.h"
#include "windowdriver.h"

#include <QLocale>
#include <QTest>

class Session : public QObject
{
    Q_OBJECT

private slots:
    void wholeSession();
};

void Session::wholeSession()
{
    QLocale::setDefault(QLocale::c());
    auto *window = new Form1;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    MessageAnswerer answerer(window);
    int expected = 0;
    for (int n = 2; n <= 9; ++n) {
        arrangeFor(window, n);
        QList<QStringList> rows;
        for (int r = 1; r <= n; ++r) {
            QStringList row;
            for (int c = 1; c <= n + 1; ++c)
                row << QString::number(r == c ? 10 : (r * c) % 4);
            rows << row;
        }
        typeSystem(window, rows);
        click(window, "Command3");
        expected += 2 * n - 1;
        QCOMPARE(answerer.seen.size(), expected);
    }
    typeSystem(window, {{"1", "2", "3"}, {"2", "4", "6"}}); // refused
    arrangeFor(window, 2);
    typeSystem(window, {{"1", "2", "3"}, {"2", "4", "6"}});
    click(window, "Command3");
    typeSystem(window, {{"1", "x", "3"}, {"2", "4", "6"}}); // bad cell
    click(window, "Command3");
    typeSystem(window, {{"1E-30", "1E+10", "1"}, {"1", "1", "1"}}); // overflow
    click(window, "Command3");
    QCOMPARE(answerer.seen.size(), expected + 4);
    click(window, "Command2");
    delete window;
}

QTEST_MAIN(Session)
#include "session.moc"
