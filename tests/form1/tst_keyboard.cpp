// Moving through the grid by keyboard: Up and Down between rows, Left and
// Right within a cell's text, and a cell entered with its text selected; Tab
// and Enter through the block alone; the size options by the arrows; pasting
// a block of numbers into the grid.

#include "announcer.h"
#include "form1.h"
#include "pasteplan.h"
#include "startup.h"
#include "windowdriver.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using Rows = QList<QStringList>;

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
    void paste_data();
    void paste();
    void plan_data();
    void plan();
    void keysMoveTheFocus_data();
    void keysMoveTheFocus();
    void systemAfterClearing_data();
    void systemAfterClearing();

private:
    QLineEdit *focusOn(int row, int column);
    Form1 *window = nullptr;
};

void TestKeyboard::init()
{
    prepareApplication();
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
    QTest::addColumn<int>("size");
    QTest::newRow("up") << 2 << 2 << int(Qt::Key_Up) << 1 << 9;
    QTest::newRow("down") << 2 << 2 << int(Qt::Key_Down) << 3 << 9;
    QTest::newRow("up from the top row") << 1 << 5 << int(Qt::Key_Up) << 1 << 9;
    QTest::newRow("tenth column, down") << 1 << 10 << int(Qt::Key_Down) << 2 << 9;
    QTest::newRow("never into a resting cell") << 3 << 2 << int(Qt::Key_Down) << 3 << 3;
    QTest::newRow("nor out of one") << 5 << 2 << int(Qt::Key_Up) << 5 << 3;
}

void TestKeyboard::upAndDown()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, key);
    QFETCH(int, toRow);
    QFETCH(int, size);
    arrangeFor(window, size);
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
    QTest::keyClick(focusOn(1, 1), Qt::Key_Down);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("-7"));
    QCOMPARE(cellOf(window, 2, 1)->text(), QStringLiteral("-7"));
    QCOMPARE(cellOf(window, 1, 1)->text(), QStringLiteral("11"));
}

void TestKeyboard::modifiedArrowsAreLeftAlone()
{
    QLineEdit *cell = focusOn(5, 5);
    QTest::keyClick(cell, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), cell);
}

enum PasteBy { CtrlV, ShiftInsert, CellMenu };

void TestKeyboard::paste_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("by");
    QTest::addColumn<int>("size");        // n afterwards
    QTest::addColumn<Rows>("filled");     // from the cell pasted into on
    QTest::addColumn<QString>("next");    // the cell after the first filled row
    QTest::addColumn<QString>("refusal"); // its first line, or none
    QTest::newRow("system of three into a grid of two")
        << "1\t2\t3\t4\r\n5\t6\t7\t8\r\n 9\t10\t11\t12 \r\n\r\n"
        << 1 << 1 << int(CtrlV) << 3
        << Rows{{"1", "2", "3", "4"}, {"5", "6", "7", "8"}, {"9", "10", "11", "12"}} << ""
        << QString();
    QTest::newRow("3 equations in 4 unknowns into a grid of two")
        << "1 2 3 4 5\n6 7 8 9 1\n2 3 4 5 6" << 1 << 1 << int(CtrlV) << 3
        << Rows{{"1", "2", "3", "4", "5"}, {"6", "7", "8", "9", "1"}, {"2", "3", "4", "5", "6"}}
        << "" << QString();
    QTest::newRow("system of the size arranged")
        << "1 2 3\n4 5 6" << 1 << 1 << int(CellMenu) << 2 << Rows{{"1", "2", "3"}, {"4", "5", "6"}}
        << "14" << QString();
    QTest::newRow("augmented row into Text21") << "2 -1 | 8" << 2 << 1 << int(ShiftInsert) << 2
                                               << Rows{{"2", "-1", "8"}} << "24" << QString();
    QTest::newRow("one number") << " -7\n"
                                << 1 << 2 << int(CtrlV) << 2 << Rows{{"-7"}} << "13" << QString();
    QTest::newRow("captions and decimal points under a decimal comma")
        << "\tx1\tx2\tb\nI\t0.5\t1\t2\nII\t1.5\t-1\t0.5" << 1 << 1 << int(CtrlV) << 2
        << Rows{{"0,5", "1", "2"}, {"1,5", "-1", "0,5"}} << "14" << QString();
    QTest::newRow("equations into a grid of two")
        << "x + y = 3\nx − y = 1\n2z = 4" << 1 << 1 << int(CtrlV) << 3
        << Rows{{"1", "1", "0", "3"}, {"1", "-1", "0", "1"}, {"0", "0", "2", "4"}} << ""
        << QString();
    QTest::newRow("nothing into resting cells")
        << "1;2;3\n4;5;6\n7;8;9" << 8 << 9 << int(ShiftInsert) << 2
        << Rows{{"89", "810"}, {"99", "910"}} << QString()
        << "Блокът има 3 реда и 3 колони, а клетката на ред 8, колона 9 е извън системата от 2 "
           "уравнения с 2 неизвестни.";
}

void TestKeyboard::paste()
{
    QFETCH(QString, clipboard);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, by);
    QFETCH(int, size);
    QFETCH(Rows, filled);
    QFETCH(QString, next);
    QFETCH(QString, refusal);
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    QApplication::clipboard()->setText(clipboard);
    MessageAnswerer answerer(window);
    QLineEdit *cell = focusOn(row, column);
    cell->selectAll();
    if (by == CellMenu) {
        QTimer::singleShot(0, [] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            // Found by its key, which a translation of the menu keeps.
            const QString keys =
                QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
            for (QAction *action : menu->actions())
                if (action->text().endsWith(u'\t' + keys))
                    action->trigger();
            menu->close();
        });
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(4, 4),
                                    cell->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(cell, &menuEvent);
    } else {
        QTest::keyClick(cell, by == CtrlV ? Qt::Key_V : Qt::Key_Insert,
                        by == CtrlV ? Qt::ControlModifier : Qt::ShiftModifier);
    }
    QCOMPARE(answerer.seen.value(0).text.section(u'\n', 0, 0), refusal);
    QCOMPARE(window->solverState().n, size);
    if (refusal.isEmpty() && row == 1 && column == 1)
        QCOMPARE(window->solverState().unknowns, filled[0].size() - 1);
    for (int r = 0; r < filled.size(); ++r)
        for (int c = 0; c < filled[r].size(); ++c)
            QCOMPARE(cellOf(window, row + r, column + c)->text(), filled[r][c]);
    if (column + filled[0].size() <= 10)
        QCOMPARE(cellOf(window, row, column + int(filled[0].size()))->text(), next);
    // Whatever it fills is spoken, arranged anew or not.
    auto *told = window->findChild<Announcer *>();
    QCOMPARE(told && told->sentence().startsWith("Поставен"),
             refusal.isEmpty() && filled.size() * filled[0].size() > 1);
}

// A paste's plan as a line: "arrange n, " where it arranges, then the cells'
// rows between slashes, the entry it inserts, or why it refuses.
void TestKeyboard::plan_data()
{
    QTest::addColumn<bool>("point"); // en_US, else bg_BG
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QList<int>>("where"); // row, column, equations[, unknowns]
    QTest::addColumn<QString>("plan");
    auto row = [](const char *name, bool point, const char *clipboard, QList<int> where,
                  const char *plan) { QTest::newRow(name) << point << clipboard << where << plan; };
    row("decimal commas under a point", true, "2,5 1 | 3\n-1 1,25 | 1E-3", {1, 1, 2},
        "2.5 1 3 / -1 1.25 1E-3");
    row("both signs left to the solve", false, "0.5;1,5;2\n1;1;1", {1, 1, 2}, "0.5 1,5 2 / 1 1 1");
    row("grouped thousands left to the solve", true, "1,000 2 3\n4 5,000 6", {1, 1, 2},
        "1,000 2 3 / 4 5,000 6");
    row("one number as typed", false, "2.5\n", {3, 3, 2}, "insert 2,5");
    row("fractions, captions dropped", true, "x1 x2 b\n1/3 -2/7 1,5/4\n1 2 1/0", {1, 1, 2},
        "1/3 -2/7 1.5/4 / 1 2 1/0");
    row("equations numbered", false, "\tx1\tx2\tb\n1\t2\t1\t8\n2\t1\t-1\t1\n", {1, 1, 3},
        "arrange 2×2, 2 1 8 / 1 -1 1");
    row("a first column that does not count", false, "1 2 3 4\n3 4 5 6", {2, 1, 3},
        "1 2 3 4 / 3 4 5 6");
    row("past the last row", false, "1 2\n3 4\n5 6", {2, 1, 3},
        "Блокът има 3 реда и 2 колони; системата от 3 уравнения с 3 неизвестни има място за 2 реда и 4 колони от "
        "клетката на ред 2, колона 1.\nПоставете го в клетка на ред 1, колона от 1 до 3.");
    const char *columns = " (Колоните са x, y, z и дясната страна.)";
    row("equations, unknowns in any order", false,
        "2x + y − z = 8\n-3х – y + 2z = -11\n2z + y - 2x = -3", {1, 1, 2},
        qPrintable("arrange 3×3, 2 1 -1 8 / -3 -1 2 -11 / -2 1 2 -3" + QString(columns)));
    row("indexed unknowns, missing terms, the grid's dot", false,
        "2.x1 + x2 = 3\nx1 - x3 = 0,5\nx2 + 2,5x3 = 1", {1, 1, 3},
        "2 1 0 3 / 1 0 -1 0,5 / 0 1 2,5 1 (Колоните са x1, x2, x3 и дясната страна.)");
    row("an equation with a constant on the left", false, "2x + y = 8\nx + 3 = 1", {1, 1, 2},
        "Уравнение 2, „x + 3 = 1“, не се чете: вляво от „=“ трябват само неизвестни с "
        "коефициенти.\nУравненията се поставят така: „2x + y - z = 8“ или „2x1 + x2 - x3 = 8“, "
        "по едно на ред.");
    row("unknowns of both kinds", false, "x + y = 1\nx1 - x2 = 2", {1, 1, 2},
        "Неизвестните са или x, y, z, t, u, v, w, или x1 … x9, не и двете заедно.\nУравненията "
        "се поставят така: „2x + y - z = 8“ или „2x1 + x2 - x3 = 8“, по едно на ред.");
    row("rows in brackets", false, "[2 1 -1 8]\n[-3 -1 2 -11]\n[-2 1 2 -3]", {1, 1, 3},
        "2 1 -1 8 / -3 -1 2 -11 / -2 1 2 -3");
    const char *commas = " (Запетаите са прочетени като разделители между числата.)";
    row("a matrix in brackets, commas under a point", true, "[[2,1,8],[-3,(1/2),-11]]", {1, 1, 3},
        qPrintable("arrange 2×2, 2 1 8 / -3 (1/2) -11" + QString(commas)));
    row("round brackets", false, "(2 1,5 3)\n((1/3) 5 6)", {1, 1, 2}, "2 1,5 3 / (1/3) 5 6");
    row("rows separated two ways", false, "2;1,5;3\n4 5 6", {1, 1, 2},
        "„4 5 6“ са няколко числа в една клетка.\nРазделете числата еднакво във всички редове: с "
        "интервал, табулация или „;“.");
    row("commas under a point", true, "2,1,-1", {1, 1, 2}, qPrintable("2 1 -1" + QString(commas)));
    row("commas that may be decimal signs", false, "2,1,-1,8", {1, 1, 3},
        "„2,1,-1,8“ са няколко числа в една клетка или запетаите в тях са десетични знаци.\n"
        "Разделете числата еднакво във всички редове: с интервал, табулация или „;“.");
    row("a comma before a blank separates", false, "2,5, 1, 3", {1, 1, 2}, "2,5 1 3");
    row("3 equations in 4 unknowns", false, "1 2 3 4 5\n6 7 8 9 1\n2 3 4 5 6", {1, 1, 3},
        "arrange 3×4, 1 2 3 4 5 / 6 7 8 9 1 / 2 3 4 5 6");
    row("4 equations in 2 unknowns", false, "1 1 2\n1 -1 0\n2 1 3\n0 1 1", {1, 1, 3},
        "arrange 4×2, 1 1 2 / 1 -1 0 / 2 1 3 / 0 1 1");
    row("equations in more unknowns than there are", false, "x + y + z = 6\nx - y + 2z = 5",
        {1, 1, 3}, "arrange 2×3, 1 1 1 6 / 1 -1 2 5 (Колоните са x, y, z и дясната страна.)");
    row("the shape arranged and shown", false, "1 2 3\n4 5 6", {1, 1, 2, 2}, "1 2 3 / 4 5 6");
    row("uneven rows past the system", false, "1 2 3 4 5\n6 7 8", {1, 1, 2, 2},
        "Блокът има 2 реда и 5 колони; системата от 2 уравнения с 2 неизвестни има място за 2 "
        "реда и 3 колони от клетката на ред 1, колона 1.\nПоставен в клетката на ред 1, колона "
        "1, той подрежда таблицата по себе си, когато всеки ред има еднакъв брой числа.");
    row("larger than the grid", false, "1 2 3 4 5 6 7 8 9 10 11\n1 2", {1, 1, 2, 2},
        "Блокът има 2 реда и 11 колони; системата от 2 уравнения с 2 неизвестни има място за 2 "
        "реда и 3 колони от клетката на ред 1, колона 1.\nНай-голямата система, от 9 уравнения "
        "с 9 неизвестни, има 9 реда и 10 колони.");
    row("words outside the brackets", true, "A = [[1, 2, 3], [4, 5, 6]]", {1, 1, 2},
        "Извън скобите на редовете стои „A=“.");
}

void TestKeyboard::plan()
{
    QFETCH(bool, point);
    QFETCH(QString, clipboard);
    QFETCH(QList<int>, where);
    QFETCH(QString, plan);
    QLocale::setDefault(QLocale(point ? QLocale::English : QLocale::Bulgarian));
    const PastePlan::Shape shown{where[2], where.value(3, where[2])};
    const PastePlan paste =
        PastePlan::plan(PastePlan::rows(clipboard), where[0], where[1], shown, shown);
    QStringList rows;
    for (const QStringList &cells : paste.cells)
        rows << cells.join(u' ');
    const QString made[] = {QString(), "insert " + paste.text, rows.join(" / "), paste.text};
    const QString arrange =
        QStringLiteral("arrange %1×%2, ").arg(paste.arrange.rows).arg(paste.arrange.unknowns);
    const QString assumed = paste.assumed.isEmpty() ? QString() : " (" + paste.assumed + ")";
    QCOMPARE((paste.arrange.rows ? arrange : QString()) + made[paste.action] + assumed, plan);
}

// Tab and Enter visit the block alone, Enter presses a button, and the
// arrows in the options select.
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
    QTest::newRow("Enter from the last cell to the solve button")
        << 2 << "Text23" << int(Qt::Key_Return) << "Command3";
    // Pressed, the arrange button puts the focus into the grid.
    QTest::newRow("Enter presses a button") << 3 << "Command1" << int(Qt::Key_Return) << "Text11";
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

// ИЗЧИСТИ hides the block but keeps the system the solve reads: its cells
// still take the keys and their own menu, and the others open the grid's.
void TestKeyboard::systemAfterClearing_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");    // 0: the context menu
    QTest::addColumn<QString>("to"); // the focus afterwards, or which menu opened
    QTest::newRow("Tab") << "Text13" << int(Qt::Key_Tab) << "Text21";
    QTest::newRow("Enter from the last cell") << "Text23" << int(Qt::Key_Return) << "Command3";
    QTest::newRow("Down from the last row") << "Text22" << int(Qt::Key_Down) << "Text22";
    QTest::newRow("menu of a cell of the system") << "Text11" << 0 << "cell";
    QTest::newRow("menu of a cell outside") << "Text14" << 0 << "grid";
    QTest::newRow("Shift+F10 in a cell")
        << "Text22" << (Qt::SHIFT | Qt::Key_F10).toCombined() << "cell";
    QTest::newRow("the menu key") << "Text12" << int(Qt::Key_Menu) << "cell";
}

void TestKeyboard::systemAfterClearing()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    click(window, "Command2");
    auto *cell = window->findChild<QLineEdit *>(from);
    cell->setFocus(Qt::MouseFocusReason);
    const QKeyCombination keys = QKeyCombination::fromCombined(key);
    if (key && to != "cell") {
        QTest::keyClick(cell, keys.key(), keys.keyboardModifiers());
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
        return;
    }
    QString opened;
    QTimer::singleShot(0, [&opened] {
        QWidget *menu = QApplication::activePopupWidget();
        const QList<QAction *> actions = menu ? menu->actions() : QList<QAction *>();
        opened = actions.isEmpty()                               ? "none"
                 : actions[0]->text().startsWith("Реши сам")     ? "grid"
                 : actions.last()->text() == "На цял екран\tF11" ? "cell"
                                                                 : "edit entries alone";
        if (menu)
            menu->close();
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(4, 4),
                                cell->mapToGlobal(QPoint(4, 4)));
    if (key)
        QTest::keyClick(cell, keys.key(), keys.keyboardModifiers());
    else
        QApplication::sendEvent(cell, &menuEvent);
    QCOMPARE(opened, to);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
