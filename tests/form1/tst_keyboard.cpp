// Moving through the grid by keyboard: Up and Down between rows, Left and
// Right within a cell's text, and a cell entered with its text selected; Tab
// and Enter through the block alone; the size options by the arrows.

#include "form1.h"
#include "windowdriver.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
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
    void keysMoveTheFocus_data();
    void keysMoveTheFocus();
    void typedAndSolvedFromTheKeys();

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
    arrangeFor(window, 9);
    cellOf(window, 3, 9)->setText(QStringLiteral("39"));
    cellOf(window, 3, 10)->setText(QStringLiteral("310"));
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

// Tab and Enter visit the block alone; the arrows in the options select.
void TestKeyboard::keysMoveTheFocus_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");
    const int tab = Qt::Key_Tab;
    QTest::newRow("Tab to the next equation") << 2 << "Text13" << tab << "Text21";
    QTest::newRow("Shift+Tab back") << 3 << "Text21" << int(Qt::Key_Backtab) << "Text14";
    QTest::newRow("Tab from the block to the options") << 2 << "Text23" << tab << "Option1";
    QTest::newRow("Tab from a clicked cell outside") << 2 << "Text15" << tab << "Text21";
    QTest::newRow("Tab to the tenth column") << 9 << "Text19" << tab << "Text20";
    QTest::newRow("keypad Enter") << 2 << "Text12" << int(Qt::Key_Enter) << "Text13";
    QTest::newRow("Right selects") << 2 << "Option1" << int(Qt::Key_Right) << "Option2";
    QTest::newRow("from an option not selected")
        << 2 << "Option3" << int(Qt::Key_Right) << "Option4";
    QTest::newRow("Up selects to the left") << 2 << "Option3" << int(Qt::Key_Up) << "Option2";
}

void TestKeyboard::keysMoveTheFocus()
{
    QFETCH(int, size);
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    arrangeFor(window, size);
    auto *widget = window->findChild<QWidget *>(from);
    widget->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(widget, Qt::Key(key),
                    key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), to);
    if (auto *option = qobject_cast<QRadioButton *>(QApplication::focusWidget()))
        QVERIFY(option->isChecked());
}

// The worked example from the keys alone: arranging leaves the focus in
// Text11, Enter goes from cell to cell and on to the solve button, and one
// more Enter solves.
void TestKeyboard::typedAndSolvedFromTheKeys()
{
    QLocale::setDefault(QLocale::c());
    arrangeFor(window, 2);
    QCOMPARE(QApplication::focusWidget(), cellOf(window, 1, 1));
    for (const char *number : {"1", "1", "3", "1", "-1", "1"}) {
        QTest::keyClicks(QApplication::focusWidget(), QLatin1String(number));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command3"));
    MessageAnswerer answerer(window);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(answerer.seen.size(), 3);
    QCOMPARE(valueTexts(window).mid(0, 2), QStringList({"2", "1"}));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
