// Moving through the grid by keyboard: Up and Down between rows, Left and
// Right within a cell's text, and a cell entered with its text selected.

#include "form1.h"
#include "windowdriver.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { delete window; }

    void upAndDown_data();
    void upAndDown();
    void leftAndRightStayInTheText();
    void tabSelectsTheText();
    void typingReplacesTheSelection();
    void modifiedArrowsAreLeftAlone();

private:
    QLineEdit *focusOn(int row, int column);
    Form1 *window = nullptr;
};

void TestKeyboard::init()
{
    window = new Form1;
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 10; ++c)
            cellOf(window, r, c)->setText(QStringLiteral("%1%2").arg(r).arg(c));
}

QLineEdit *TestKeyboard::focusOn(int row, int column)
{
    QLineEdit *cell = cellOf(window, row, column);
    cell->setFocus(Qt::MouseFocusReason);
    cell->deselect();
    return cell;
}

void TestKeyboard::upAndDown_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("toRow");
    QTest::newRow("up") << 2 << 2 << int(Qt::Key_Up) << 1;
    QTest::newRow("down") << 2 << 2 << int(Qt::Key_Down) << 3;
    QTest::newRow("up from the top row") << 1 << 5 << int(Qt::Key_Up) << 1;
    QTest::newRow("down from the bottom row") << 9 << 5 << int(Qt::Key_Down) << 9;
    QTest::newRow("tenth column, down") << 1 << 10 << int(Qt::Key_Down) << 2;
    QTest::newRow("tenth column, up") << 9 << 10 << int(Qt::Key_Up) << 8;
}

void TestKeyboard::upAndDown()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, key);
    QFETCH(int, toRow);
    QLineEdit *from = focusOn(row, column);
    QTest::keyClick(from, Qt::Key(key));
    QLineEdit *to = cellOf(window, toRow, column);
    QCOMPARE(QApplication::focusWidget(), to);
    if (to != from)
        QCOMPARE(to->selectedText(), to->text());
}

void TestKeyboard::leftAndRightStayInTheText()
{
    QLineEdit *cell = focusOn(4, 4);
    cell->setCursorPosition(1);
    QTest::keyClick(cell, Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), cell);
    QCOMPARE(cell->cursorPosition(), 2);
    QTest::keyClick(cell, Qt::Key_Left);
    QTest::keyClick(cell, Qt::Key_Left);
    QTest::keyClick(cell, Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), cell);
    QCOMPARE(cell->cursorPosition(), 0);
}

void TestKeyboard::tabSelectsTheText()
{
    QTest::keyClick(focusOn(3, 9), Qt::Key_Tab);
    QLineEdit *next = cellOf(window, 3, 10);
    QCOMPARE(QApplication::focusWidget(), next);
    QCOMPARE(next->selectedText(), QStringLiteral("310"));
    QTest::keyClick(next, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), cellOf(window, 3, 9));
    QCOMPARE(cellOf(window, 3, 9)->selectedText(), QStringLiteral("39"));
}

void TestKeyboard::typingReplacesTheSelection()
{
    QTest::keyClick(focusOn(5, 1), Qt::Key_Down);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("-7"));
    QCOMPARE(cellOf(window, 6, 1)->text(), QStringLiteral("-7"));
    QCOMPARE(cellOf(window, 5, 1)->text(), QStringLiteral("51"));
}

void TestKeyboard::modifiedArrowsAreLeftAlone()
{
    QLineEdit *cell = focusOn(5, 5);
    QTest::keyClick(cell, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), cell);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
