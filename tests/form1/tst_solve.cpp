// The solve command through the real window: every message as it appears, the
// grid at that moment, the solution, and the reports of what cannot be solved.

#include "announcer.h"
#include "board.h"
#include "form1.h"
#include "gridcell.h"
#include "numberformat.h"
#include "numbertext.h"
#include "startup.h"
#include "valuelabel.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <optional>

using Rows = QList<QStringList>;

namespace
{

const QString attention = QStringLiteral("ВНИМАНИЕ!:");
const QString forward = QStringLiteral("(ПРАВ ХОД) стъпка:");
const QString backward = QStringLiteral("(ОБРАТЕН ХОД) стъпка:");
const QString refusal1 = QStringLiteral("системата или има безброй решения или няма решение!!!");
const QString refusal2 = QStringLiteral("КОМПЮТЪРА НЕ РЕШАВА ТАКИВА СИСТЕМИ!!! бутон <ИЗЧИСТИ>");
const QString exactAnswer = QStringLiteral("Системата има единствено решение: до неизвестните "
                                           "стои точното решение, закръглено до три знака.");

// The block of an n-equation system out of the 90 grid texts of a message.
Rows blockOf(const QStringList &grid, int n)
{
    Rows rows;
    for (int r = 0; r < n; ++r)
        rows << grid.mid(10 * r, n + 1);
    return rows;
}

QList<SeenMessage> solve(Form1 *window)
{
    MessageAnswerer answerer(window);
    click(window, "Command3");
    return answerer.seen;
}

void verifyStep(const SeenMessage &m, const QString &prompt)
{
    QCOMPARE(m.title, attention);
    QCOMPARE(m.text, prompt);
    QCOMPARE(m.icon, QMessageBox::Warning);
    QCOMPARE(m.buttons, 1);
    QVERIFY(m.applicationModal);
}

void verifyRefusal(const QList<SeenMessage> &seen)
{
    QCOMPARE(seen.size(), 2);
    for (const SeenMessage &m : seen) {
        QCOMPARE(m.title, QStringLiteral("РЕШЕНИЕ:"));
        QCOMPARE(m.icon, QMessageBox::NoIcon);
        QCOMPARE(m.buttons, 1);
    }
    QCOMPARE(seen[0].text, refusal1);
    QCOMPARE(seen[1].text, refusal2);
}

// "1 2 | 3 / 4 5 | 6": rows at the slashes, cells at the blanks, the bar dropped.
Rows rowsOf(const QString &system)
{
    Rows rows;
    for (const QString &row : system.split(u'/'))
        rows << QString(row).remove(u'|').split(u' ', Qt::SkipEmptyParts);
    return rows;
}

// The tooltip hovering shows, empty for none. A tip Qt is still fading out
// would read as the answer, so a blank one stands until the hover replaces it.
QString hoverTip(QWidget *widget)
{
    const QPoint middle = widget->rect().center();
    QToolTip::showText(widget->mapToGlobal(middle), QStringLiteral(" "));
    QHelpEvent hover(QEvent::ToolTip, middle, widget->mapToGlobal(middle));
    QApplication::sendEvent(widget, &hover);
    return QToolTip::text() == QStringLiteral(" ") ? QString() : QToolTip::text();
}

// The keys back to the window: the last message box may have kept the activation.
bool activate(QWidget *window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// The working as Ctrl+Shift+C copies it.
QString copied(QWidget *window)
{
    if (!activate(window))
        return QString();
    QTest::keyClick(window->focusWidget(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    return QApplication::clipboard()->text();
}

// A regular system of n equations whose solution is 1, 2, ..., n, with no
// zero below a pivot, so that every step names every row.
Rows systemWithSolution(int n)
{
    Rows rows;
    for (int r = 1; r <= n; ++r) {
        QStringList row;
        int b = 0;
        for (int c = 1; c <= n; ++c) {
            const int coefficient = r == c ? 30 : (r + c) % 3 + 1;
            row << QString::number(coefficient);
            b += coefficient * c;
        }
        rows << (row << QString::number(b));
    }
    return rows;
}

// The board shown, or null.
Board *shownBoard()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *board = qobject_cast<Board *>(w); board && board->isVisible())
            return board;
    return nullptr;
}

// "Дъска" opened by its key.
Board *openBoard(QWidget *window)
{
    QTest::keyClick(window, Qt::Key_B, Qt::ControlModifier);
    return shownBoard();
}

} // namespace

class TestSolve : public QObject
{
    Q_OBJECT

public:
    static void initMain();

private slots:
    void init();
    void cleanup();

    void workedExample();
    void exchangeBeforeNormalising();
    void rotation();
    void tinyPivot();
    void nineEquations();
    void secondSolveRestartsTheSteps();
    void notSolved_data();
    void notSolved();
    void badCell_data();
    void badCell();
    void exactAnswers_data();
    void exactAnswers();
    static void checkLabels(QWidget *window, int n, const QStringList &shown,
                            const QStringList &hovered, const QString &working);
    void exactValuesInCells();
    void bulgarianMultipliers();
    void backwardStepOfFour();
    void copyTheWorking();
    void stepBoxes_data();
    void stepBoxes();
    void longValuesInCells_data();
    void longValuesInCells();
    void fractionView_data();
    void fractionView();
    void switchDuringAndAfter();
    void everyShape_data();
    void everyShape();
    void typedSystemKept();
    void parameter_data();
    void parameter();
    void cramer_data();
    void cramer();
    void checkDeterminant_data();
    void checkDeterminant();
    void board_data();
    void board();

private:
    Form1 *window = nullptr;
};

// The boxes as on a 1920 x 1080 screen at scale 1.5, where row operations
// used to wrap and the third of a step went missing.
void TestSolve::initMain()
{
    if (qgetenv("QT_QPA_PLATFORM") != "offscreen")
        return;
    useOffscreenScreens({QSize(1920, 1080)});
    qputenv("QT_SCALE_FACTOR", "1.5");
}

void TestSolve::init()
{
    QLocale::setDefault(QLocale::c());
    NumberFormat::save(NumberFormat::Decimals); // kept by the test before
    prepareApplication();
    window = new Form1;
    window->show();
    QVERIFY(activate(window));
}

void TestSolve::cleanup()
{
    delete window;
    window = nullptr;
}

void TestSolve::workedExample()
{
    typeSystem(window, {{"1", "1", "3"}, {"1", "-1", "1"}});
    const QList<SeenMessage> seen = solve(window);
    QCOMPARE(seen.size(), 3);
    verifyStep(seen[0], forward + "1");
    verifyStep(seen[1], forward + "2");
    verifyStep(seen[2], backward + "3");
    QCOMPARE(blockOf(seen[0].grid, 2), (Rows{{"1", "1", "3"}, {"0", "-2", "-2"}}));
    QCOMPARE(blockOf(seen[1].grid, 2), (Rows{{"1", "1", "3"}, {"0", "1", "1"}}));
    QCOMPARE(blockOf(seen[2].grid, 2), (Rows{{"1", "0", "2"}, {"0", "1", "1"}}));
    QCOMPARE(seen[0].informative, QStringLiteral("ред 1 = ред 1 : (1)\nред 2 = ред 2 − ред 1"));
    QCOMPARE(seen[1].informative, QStringLiteral("ред 2 = ред 2 : (-2)"));
    QCOMPARE(seen[2].informative, QStringLiteral("ред 1 = ред 1 − ред 2"));
    for (const SeenMessage &m : seen)
        QVERIFY(m.values.join(QString()).isEmpty()); // the solution comes last

    QCOMPARE(blockTexts(window, 2), (Rows{{"1", "0", "2"}, {"0", "1", "1"}}));
    QCOMPARE(labelOf(window, 1)->text(), QStringLiteral("x1="));
    QCOMPARE(labelOf(window, 10)->text(), QStringLiteral("2"));
    QCOMPARE(labelOf(window, 2)->text(), QStringLiteral("x2="));
    QCOMPARE(labelOf(window, 20)->text(), QStringLiteral("1"));
    for (int r = 3; r <= 9; ++r) {
        QVERIFY(labelOf(window, r)->text().isEmpty());
        QVERIFY(labelOf(window, 10 * r)->text().isEmpty());
    }
    // Outside the block nothing is written.
    QVERIFY(cellOf(window, 1, 10)->text().isEmpty());
    QVERIFY(cellOf(window, 3, 1)->text().isEmpty());
}

void TestSolve::exchangeBeforeNormalising()
{
    typeSystem(window, {{"0", "1", "1"}, {"1", "1", "3"}});
    const QList<SeenMessage> seen = solve(window);
    QCOMPARE(seen.size(), 3);
    QCOMPARE(blockOf(seen[0].grid, 2), (Rows{{"1", "1", "3"}, {"0", "1", "1"}}));
    QCOMPARE(seen[0].informative, QStringLiteral("ред 1 ↔ ред 2\nред 1 = ред 1 : (1)"));
    QCOMPARE(valueTexts(window).mid(0, 2), (QStringList{"2", "1"}));
}

// Failed candidates rotate downwards: the rows stand as old 3, 1, 2.
void TestSolve::rotation()
{
    arrangeFor(window, 3);
    typeSystem(window, {{"0", "1", "1", "5"}, {"0", "2", "1", "7"}, {"1", "1", "1", "6"}});
    const QList<SeenMessage> seen = solve(window);
    QCOMPARE(seen.size(), 5);
    QCOMPARE(blockOf(seen[0].grid, 3),
             (Rows{{"1", "1", "1", "6"}, {"0", "1", "1", "5"}, {"0", "2", "1", "7"}}));
    QCOMPARE(seen[0].informative, QStringLiteral("ред 1 ↔ ред 2\nред 1 ↔ ред 3\n"
                                                 "ред 1 = ред 1 : (1)"));
    QCOMPARE(valueTexts(window).mid(0, 3), (QStringList{"1", "2", "3"}));
}

void TestSolve::tinyPivot()
{
    typeSystem(window, {{"1E-30", "0", "2E-30"}, {"1", "1", "5"}});
    const QList<SeenMessage> seen = solve(window);
    QCOMPARE(seen.size(), 3);
    QVERIFY(!seen[0].informative.contains(QStringLiteral("↔")));
    QVERIFY(seen[0].informative.startsWith(QStringLiteral("ред 1 = ред 1 : (1E-30)")));
    QCOMPARE(blockOf(seen[0].grid, 2), (Rows{{"1", "0", "2"}, {"0", "1", "3"}}));
    QCOMPARE(valueTexts(window).mid(0, 2), (QStringList{"2", "3"}));
}

void TestSolve::nineEquations()
{
    arrangeFor(window, 9);
    typeSystem(window, systemWithSolution(9));
    const QList<SeenMessage> seen = solve(window);
    QCOMPARE(seen.size(), 17);
    const QRect room = window->screen()->availableGeometry();
    const int gridBottom =
        cellOf(window, 9, 1)->mapToGlobal(QPoint(0, cellOf(window, 9, 1)->height())).y();
    for (int step = 1; step <= 17; ++step) {
        const SeenMessage &m = seen[step - 1];
        verifyStep(m, (step <= 9 ? forward : backward) + QString::number(step));
        // The box never hides the grid when the screen has room below it,
        // and never grows taller than the window.
        QVERIFY(room.contains(m.frame));
        QVERIFY2(m.frame.height() < window->height(),
                 qPrintable(QString::number(m.frame.height())));
        QVERIFY(m.frame.top() >= qMin(gridBottom, room.bottom() + 1 - m.frame.height()));
    }
    // Nine operations of step 1 stand in two columns, all of them named.
    QTextDocument operations;
    operations.setHtml(seen[0].informative);
    QCOMPARE(operations.toPlainText().count(QStringLiteral("ред 1 : (30)")), 1);
    for (int r = 2; r <= 9; ++r)
        QVERIFY(operations.toPlainText().contains(
            QStringLiteral("ред %1 = ред %1 − %2ред 1")
                .arg(r)
                .arg(r % 3 == 2 ? QString() : QStringLiteral("%1 · ").arg((r + 1) % 3 + 1))));
    // Every step writes all 90 cells, the right-hand sides in the tenth column.
    for (const SeenMessage &m : seen)
        QVERIFY(!m.grid.contains(QString()));
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c)
            QCOMPARE(cellOf(window, r, c)->text(), QString(r == c ? "1" : "0"));
        QCOMPARE(labelOf(window, r)->text(), QStringLiteral("x%1=").arg(r));
        QCOMPARE(labelOf(window, 10 * r)->text(), QString::number(r));
    }
}

// A second press reads back the reduced matrix and numbers its steps from 1.
void TestSolve::secondSolveRestartsTheSteps()
{
    arrangeFor(window, 3);
    typeSystem(window, {{"3", "0", "0", "1"}, {"0", "3", "0", "-2"}, {"0", "0", "1", "4"}});
    QCOMPARE(solve(window).size(), 5);
    const Rows reduced = blockTexts(window, 3);
    QCOMPARE(reduced[0][3], QStringLiteral("0.3333333"));
    QCOMPARE(valueTexts(window).mid(0, 3), (QStringList{"0.333", "-0.667", "4"}));

    const QList<SeenMessage> again = solve(window);
    QCOMPARE(again.size(), 5);
    verifyStep(again[0], forward + "1");
    verifyStep(again[4], backward + "5");
    QCOMPARE(again[3].informative, QStringLiteral("без промяна")); // nothing above a unit column
    QCOMPARE(blockTexts(window, 3), reduced);
    QCOMPARE(valueTexts(window).mid(0, 3), (QStringList{"0.333", "-0.667", "4"}));
}

void TestSolve::notSolved_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("details");
    QTest::addColumn<QString>("values"); // after a stop; a refusal keeps the earlier ones
    const QString ranks = QStringLiteral("ранг на матрицата на коефициентите: %1\n"
                                         "ранг на разширената матрица: %2\n");
    const QString many = ranks.arg(2).arg(2) + "безброй решения:\nx3 — произволно\n";
    auto refused = [](const char *name, const char *system, const QString &details) {
        QTest::newRow(name) << rowsOf(system) << 0 << refusal1 << details << QString();
    };
    refused("proportional rows", "1 2 | 3 / 2 4 | 6",
            ranks.arg(1).arg(1) + "безброй решения:\nx2 — произволно\nx1 = 3 - 2x2");
    refused("a row the sum of two", "3 -1 5 | -4 / -1 3 0 | -3 / 2 2 5 | -7",
            many + "x1 = -15/8 - (15/8)x3\nx2 = -13/8 - (5/8)x3");
    // A long coefficient is summarised as a hover summarises it.
    refused("long coefficient",
            "3 0.1234567890123456789012345678901234567890123 | 1 / "
            "6 0.2469135780246913578024691357802469135780246 | 2",
            ranks.arg(1).arg(1) +
                "безброй решения:\nx2 — произволно\nx1 = 1/3 - (число с 42 значещи цифри: "
                "0.04115226300411522…)x2");
    // A line wider than the screen wraps, and the box stays on the screen.
    refused("lines wider than the screen",
            "1 0.123456789012345678901234567890123456789012345 "
            "0.24691357802469135780246913578024691357802469 "
            "0.370370367037037036703703703670370370367037035 "
            "0.49382715604938271560493827156049382715604938 "
            "0.617283945061728394506172839450617283945061725 "
            "0.74074073407407407340740740734074074073407407 | 5 / "
            "2 0.24691357802469135780246913578024691357802469 "
            "0.49382715604938271560493827156049382715604938 "
            "0.74074073407407407340740740734074074073407407 "
            "0.98765431209876543120987654312098765431209876 "
            "1.23456789012345678901234567890123456789012345 "
            "1.48148146814814814681481481468148148146814814 | 10 / "
            "3 0.370370367037037036703703703670370370367037035 "
            "0.74074073407407407340740740734074074073407407 "
            "1.111111101111111110111111111011111111101111105 "
            "1.48148146814814814681481481468148148146814814 "
            "1.851851835185185183518518518351851851835185175 "
            "2.22222220222222222022222222202222222220222221 | 15 / "
            "4 0.49382715604938271560493827156049382715604938 "
            "0.98765431209876543120987654312098765431209876 "
            "1.48148146814814814681481481468148148146814814 "
            "1.97530862419753086241975308624197530862419752 "
            "2.4691357802469135780246913578024691357802469 "
            "2.96296293629629629362962962936296296293629628 | 20 / "
            "5 0.617283945061728394506172839450617283945061725 "
            "1.23456789012345678901234567890123456789012345 "
            "1.851851835185185183518518518351851851835185175 "
            "2.4691357802469135780246913578024691357802469 "
            "3.086419725308641972530864197253086419725308625 "
            "3.70370367037037036703703703670370370367037035 | 25 / "
            "6 0.74074073407407407340740740734074074073407407 "
            "1.48148146814814814681481481468148148146814814 "
            "2.22222220222222222022222222202222222220222221 "
            "2.96296293629629629362962962936296296293629628 "
            "3.70370367037037036703703703670370370367037035 "
            "4.44444440444444444044444444404444444440444442 | 30 / "
            "7 0.864197523086419752308641975230864197523086415 "
            "1.72839504617283950461728395046172839504617283 "
            "2.592592569259259256925925925692592592569259245 "
            "3.45679009234567900923456790092345679009234566 "
            "4.320987615432098761543209876154320987615432075 "
            "5.18518513851851851385185185138518518513851849 | 35",
            ranks.arg(1).arg(1) +
                "безброй решения:\n"
                "x2, x3, x4, x5, x6, x7 — произволни\n"
                "x1 = 5 - (число с 45 значещи цифри: 0.1234567890123456…)x2 - (число"
                " с 44 значещи цифри: 0.2469135780246913…)x3 - (число с 45 значещи"
                " цифри: 0.3703703670370370…)x4 - (число с 44 значещи цифри:"
                " 0.4938271560493827…)x5 - (число с 45 значещи цифри:"
                " 0.6172839450617283…)x6 - (число с 44 значещи цифри:"
                " 0.7407407340740740…)x7");
    refused("no solution", "3 -1 5 | -4 / -1 3 0 | -3 / 2 2 5 | -6",
            ranks.arg(2).arg(3) + "няма решение");
    // Single precision keeps about 8E-09 of its determinant.
    refused("singular only exactly",
            "0.2 -0.8 -0.6 | -0.8 / 0.5 -0.6 -0.8 | -0.3 / 0.41 -0.66 -0.74 | -0.45",
            many + "x1 = 6/7 + x3\nx2 = 17/14 - (1/2)x3");
    // Where seven digits a step cannot go on, the answer is given exactly.
    auto stopped = [](const char *name, const char *system, int steps, const QString &why,
                      const char *values) {
        const QString shown =
            steps ? QStringLiteral("Таблицата показва матрицата след стъпка %1.").arg(steps)
                  : QStringLiteral("Таблицата показва системата, както е въведена.");
        QTest::newRow(name) << rowsOf(system) << steps
                            << QStringLiteral("%1, затова решаването спря на стъпка %2.\n%3\n%4")
                                   .arg(why)
                                   .arg(steps + 1)
                                   .arg(shown, exactAnswer)
                            << QString() << QString(values);
    };
    const QString largest = QStringLiteral("а най-голямото число, което стъпките пазят, е "
                                           "3.4028235E+38");
    const QString below = QStringLiteral(": той е по-близо до нула от най-малкото число, което "
                                         "стъпките пазят (1.401298E-45), и се закръгля до 0");
    // The right-hand side is outside the pivots, so only step 2 overflows.
    stopped("overflow", "2 0 | 4 / 0 1E-30 | 1E+10", 1,
            "Числото в ред 2, колона 3 стана 1E+40, " + largest, "2 1E+40");
    // A tiny number typed: the division by it overflows.
    stopped("overflow from a tiny pivot", "1E-39 -8 | 6 / 3 -9 | -7", 0,
            "Числото в ред 1, колона 2 стана -7.999998E+39, " + largest, "-4.583 -0.75");
    // Single precision holds both pivots of column 1 as 0.
    stopped("below the range", "1E-50 1 | 1 / 1E-50 2 | 3", 0,
            "Водещият елемент в колона 1 е 1E-50" + below, "-1E+50 2");
    stopped("below the range, typed", "1E-46 0 | 1 / 0 1 | 1", 0,
            "Водещият елемент в колона 1 е 1E-46" + below, "1E+46 1");
    // 1.0000000001 is 1 in single precision: a(2, 2) is 0 there, 1E-10 exactly.
    stopped("too few digits", "1 1 | 2 / 1 1.0000000001 | 2", 1,
            "Водещият елемент в колона 2 е 0.0000000001, но със седем значещи цифри на стъпка той "
            "стана 0",
            "2 0");
}

// A singular system is refused before any step, saying which case holds; a
// solve that cannot go on says where it stopped. The grid keeps the system or
// the last step shown, and the earlier solution stays.
void TestSolve::notSolved()
{
    QFETCH(Rows, rows);
    QFETCH(int, steps);
    QFETCH(QString, prompt);
    QFETCH(QString, details);
    QFETCH(QString, values);
    const int n = int(rows.size());
    arrangeFor(window, n);
    typeSystem(window, systemWithSolution(n));
    QCOMPARE(solve(window).size(), 2 * n - 1);
    const QStringList solved = valueTexts(window);

    typeSystem(window, rows);
    const QStringList typed = gridTexts(window);
    const QList<SeenMessage> seen = solve(window);
    const QList<SeenMessage> ending = seen.mid(steps);
    if (prompt == refusal1)
        verifyRefusal(ending);
    else
        QCOMPARE(ending.value(0).title, QStringLiteral("ГРЕШКА:"));
    QCOMPARE(seen.size(), steps + (prompt == refusal1 ? 2 : 1));
    QCOMPARE(ending[0].text, prompt);
    QCOMPARE(ending[0].informative, details);
    QCOMPARE(ending[0].description, details);
    for (const SeenMessage &m : ending) {
        QVERIFY(window->screen()->availableGeometry().contains(m.frame));
        QVERIFY(!m.detailsCut);
    }
    QCOMPARE(gridTexts(window), steps ? seen[steps - 1].grid : typed);
    if (values.isEmpty())
        QCOMPARE(valueTexts(window), solved);
    else
        QCOMPARE(valueTexts(window).mid(0, n), values.split(u' '));
    QStringList told;
    for (const SeenMessage &m : ending)
        told << m.text << m.informative;
    told.removeAll(QString());
    QVERIFY(copied(window).contains(told.join(u'\n') + u'\n'));
}

void TestSolve::badCell_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("prompt");
    const QString none = QStringLiteral("В клетката на ред %1, колона %2 няма число.");
    const QString accepted = QStringLiteral("\nЧислата се пишат така: 2; -1%1; 1/3; 2E-05.");
    QTest::newRow("empty") << "C" << Rows{{"1", "2", "3"}, {"4", "", "6"}} << 2 << 2
                           << none.arg(2).arg(2) + accepted.arg(".5");
    QTest::newRow("letters") << "bg_BG" << Rows{{"1", "abc", "3"}, {"4", "5", "6"}} << 1 << 2
                             << none.arg(1).arg(2) + accepted.arg(",5");
    QTest::newRow("right-hand side") << "C" << Rows{{"1", "2", "3"}, {"4", "5", "inf"}} << 2 << 3
                                     << none.arg(2).arg(3) + accepted.arg(".5");
    QTest::newRow("beyond the float range")
        << "C" << Rows{{"1E+39", "2", "3"}, {"4", "5", "6"}} << 1 << 1
        << QStringLiteral("Числото в клетката на ред 1, колона 1 е твърде голямо.\n"
                          "Най-голямото число, с което програмата смята, е 3.4028235E+38.");
    QTest::newRow("point where the comma is the separator")
        << "bg_BG" << Rows{{"1", "2", "3"}, {"4", "2.5", "6"}} << 2 << 2
        << none.arg(2).arg(2) + QStringLiteral("\nДесетичният знак е „,“.");
    QTest::newRow("zero denominator")
        << "C" << Rows{{"1", "2", "1/3"}, {"1/0", "5", "6"}} << 2 << 1
        << QStringLiteral("В клетката на ред 2, колона 1 няма число: знаменателят е нула.");
    QTest::newRow("too small to write exactly")
        << "C" << Rows{{"1", "2", "3"}, {"4", "5", "1E-1001"}} << 2 << 3
        << QStringLiteral("Числото в клетката на ред 2, колона 3 е твърде малко, за да се "
                          "запише точно.\nНай-малкото число, което програмата записва точно, е "
                          "1E-1000.");
    QTest::newRow("too many decimals")
        << "C" << Rows{{"1", "2", "3"}, {"4", "5", "0." + QString(1001, u'1')}} << 2 << 3
        << QStringLiteral("Числото в клетката на ред 2, колона 3 има твърде много цифри след "
                          "десетичния знак.\nПрограмата смята точно с до 1000 цифри след "
                          "десетичния знак.");
}

// The reading stops at the cell; the grid stays and the cell is selected.
void TestSolve::badCell()
{
    QFETCH(QString, locale);
    QFETCH(Rows, rows);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, prompt);
    QLocale::setDefault(QLocale(locale));
    typeSystem(window, rows);
    const QStringList typed = gridTexts(window);
    const gauss::SolverState &s = window->solverState();
    const QList<SeenMessage> seen = solve(window);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].title, QStringLiteral("ГРЕШКА:"));
    QCOMPARE(seen[0].text, prompt);
    QCOMPARE(seen[0].icon, QMessageBox::Warning);
    QCOMPARE(gridTexts(window), typed);
    QLineEdit *bad = cellOf(window, row, column);
    QCOMPARE(window->focusWidget(), bad);
    QTRY_VERIFY(bad->hasFocus());
    QCOMPARE(bad->selectedText(), bad->text());
    QCOMPARE(s.a[1][1], row == 1 && column == 1 ? 0.0f : 1.0f); // cells before it are stored
    QCOMPARE(s.adet[1][1], 0.0f);                               // the copy never ran
    QCOMPARE(s.det, 0.0f);                                      // nor the determinant test
}

void TestSolve::bulgarianMultipliers()
{
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    typeSystem(window, {{"2", "1", "5"}, {"0,5", "1,5", "2,5"}});
    const QList<SeenMessage> seen = solve(window);
    QCOMPARE(seen.size(), 3);
    QCOMPARE(blockOf(seen[0].grid, 2), (Rows{{"1", "0,5", "2,5"}, {"0", "1,25", "1,25"}}));
    QCOMPARE(seen[0].informative,
             QStringLiteral("ред 1 = ред 1 : (2)\nред 2 = ред 2 − 0,5 · ред 1"));
    QCOMPARE(seen[1].informative, QStringLiteral("ред 2 = ред 2 : (1,25)"));
    QCOMPARE(seen[2].informative, QStringLiteral("ред 1 = ред 1 − 0,5 · ред 2"));
    QCOMPARE(valueTexts(window).mid(0, 2), (QStringList{"2", "1"}));
}

// Step 5 of four equations clears column 4 in rows 3, 2 and 1, in that order;
// a row already clear is not named.
void TestSolve::backwardStepOfFour()
{
    arrangeFor(window, 4);
    typeSystem(window, {{"1", "0", "0", "2", "10"},
                        {"0", "1", "0", "-0.5", "0"},
                        {"0", "0", "1", "0", "3"},
                        {"0", "0", "0", "1", "4"}});
    const QList<SeenMessage> seen = solve(window);
    QCOMPARE(seen.size(), 7);
    verifyStep(seen[4], backward + "5");
    QCOMPARE(seen[4].informative,
             QStringLiteral("ред 2 = ред 2 + 0.5 · ред 4\nред 1 = ред 1 − 2 · ред 4"));
    QCOMPARE(valueTexts(window).mid(0, 4), (QStringList{"2", "2", "3", "4"}));
}

// Ctrl+Shift+C copies what was shown: before a solve the typed block, after
// one every step, the solution or the refusal.
void TestSolve::copyTheWorking()
{
    const QString system = QStringLiteral("първоначален вид на системата:\n");
    typeSystem(window, {{"1", "1", "3"}, {"1", "-1", "1"}});
    QCOMPARE(copied(window), system + "1\t1\t3\n1\t-1\t1\n");

    QCOMPARE(solve(window).size(), 3);
    QCOMPARE(copied(window), system + "1\t1\t3\n1\t-1\t1\n\n" + forward +
                                 "1\nред 1 = ред 1 : (1)\nред 2 = ред 2 − ред 1\n"
                                 "1\t1\t3\n0\t-2\t-2\n\n" +
                                 forward + "2\nред 2 = ред 2 : (-2)\n1\t1\t3\n0\t1\t1\n\n" +
                                 backward +
                                 "3\nред 1 = ред 1 − ред 2\n1\t0\t2\n0\t1\t1\n\n"
                                 "решението е:\nx1=\t2\nx2=\t1\n");
    QString html = QApplication::clipboard()->mimeData()->html();
    QCOMPARE(html.count(QStringLiteral("<table")), 5);      // the system, the steps, the solution
    QCOMPARE(html.count(QStringLiteral("border-left")), 8); // the right-hand sides set off
    // And a picture in the board's layout: each step beside the matrix it was made from.
    const QImage picture =
        qvariant_cast<QImage>(QApplication::clipboard()->mimeData()->imageData());
    QVERIFY(picture.width() > 250 && picture.height() > 400);

    typeSystem(window, {{"1", "2", "3"}, {"2", "4", "6"}});
    verifyRefusal(solve(window));
    copied(window);
    html = QApplication::clipboard()->mimeData()->html();
    QCOMPARE(html.count(QStringLiteral("<table")), 1);
    QVERIFY(html.contains(QStringLiteral("&lt;ИЗЧИСТИ&gt;")));

    // A spreadsheet takes each number by its value, whatever its decimal sign;
    // pasted back under the other sign, the working gives back its system.
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    typeSystem(window, {{"0,5", "1", "2"}, {"1", "-1", "0,5"}});
    QCOMPARE(solve(window).size(), 3);
    copied(window);
    html = QApplication::clipboard()->mimeData()->html();
    QVERIFY(html.contains(QStringLiteral(" sdval=\"0.5\" sdnum=\"1033;0;0.0\">0,5</td>")));
    QVERIFY(
        html.contains(QRegularExpression(">x2=</td><td[^>]* align=\"right\" sdval=\"1.167\" "
                                         "sdnum=\"1033;0;0.000\">1,167</td><td[^>]*>точно 7/6<")));
    QLocale::setDefault(QLocale::c());
    QTest::keyClick(cellOf(window, 1, 1), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(blockTexts(window, 2), (Rows{{"0.5", "1", "2"}, {"1", "-1", "0.5"}}));
}

void TestSolve::stepBoxes_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QPoint>("windowAt"); // null where it opened, else past the screen's foot
    QTest::newRow("3 equations") << Rows{{"0,3", "1,3", "-0,7", "1"},
                                         {"1,1", "3,7", "0,9", "2"},
                                         {"-0,3", "0,8", "4,1", "3"}}
                                 << QPoint();
    QTest::newRow("9 equations") << systemWithSolution(9) << QPoint();
    QTest::newRow("no room below") << systemWithSolution(9) << QPoint(0, 480);
}

// Each box, with its title bar, stands below the block's last row, or beside
// the window where the screen has no room below; never over the block. Each
// row operation on a line of its own, unwrapped and uncut.
void TestSolve::stepBoxes()
{
    QFETCH(Rows, rows);
    QFETCH(QPoint, windowAt);
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    window->move(windowAt.isNull() ? window->pos() : windowAt);
    const int n = int(rows.size());
    arrangeFor(window, n);
    typeSystem(window, rows);
    QWidget *first = cellOf(window, n, 1);
    const int lastRow = first->mapToGlobal(QPoint(0, first->height())).y();
    MessageAnswerer answerer(window);
    answerer.inspect = [&](const SeenMessage &m) {
        QLabel *label = nullptr;
        for (QLabel *l : QApplication::activeModalWidget()->findChildren<QLabel *>())
            if (!m.informative.isEmpty() && l->text() == m.informative)
                label = l;
        QVERIFY(label && !label->wordWrap());
        QVERIFY(label->width() >= label->sizeHint().width());
        QVERIFY(window->screen()->availableGeometry().contains(m.frame));
        if (windowAt.isNull())
            QCOMPARE(m.frame.top(), lastRow);
        else
            QVERIFY(m.frame.left() > window->frameGeometry().right());
    };
    click(window, "Command3");
    QCOMPARE(answerer.seen.size(), 2 * n - 1);
}

void TestSolve::longValuesInCells_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("begins");
    QTest::addColumn<QString>("ends");
    auto row = [](const char *name, const char *text, const char *begins, const char *ends) {
        QTest::newRow(name) << QString(text) << QString(begins) << QString(ends);
    };
    row("fits", "-2,5", "-2,5", "-2,5");
    row("smaller font", "1234,567", "1234,567", "1234,567");
    row("long negative", "-0,05851404", "-0,0585", "…");
    row("exponent", "1,192093E-07", "1,19", "…E-07");
}

// A resting cell draws how its number begins, whole and unclipped; the text
// itself, its tooltip and the cell with the focus keep the whole number.
void TestSolve::longValuesInCells()
{
    QFETCH(QString, text);
    QFETCH(QString, begins);
    QFETCH(QString, ends);
    auto *cell = qobject_cast<GridCell *>(cellOf(window, 2, 2));
    cell->setText(text);
    const QString drawn = cell->drawnText();
    QVERIFY2(drawn.startsWith(begins) && drawn.endsWith(ends), qPrintable(drawn));
    QVERIFY(text.startsWith(drawn.left(drawn.indexOf(u'…'))));
    QCOMPARE(cell->drawnFont().pointSizeF() == 12, text == "-2,5");

    // The red ink is as wide as the drawn text and clear of the cell's edges.
    const QImage image = cell->grab().toImage();
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (p.red() > 160 && p.green() < 110 && p.blue() < 110) {
                left = qMin(left, x);
                right = qMax(right, x);
            }
        }
    }
    const qreal ratio = image.devicePixelRatio();
    const int advance = QFontMetrics(cell->drawnFont()).horizontalAdvance(drawn);
    QVERIFY2(left > 2 * ratio && right < image.width() - 3 * ratio,
             qPrintable(QStringLiteral("%1..%2").arg(left).arg(right)));
    QVERIFY((right - left + 1) / ratio <= advance);
    QVERIFY((right - left + 1) / ratio >= advance - 4);

    QCOMPARE(hoverTip(cell), cell->isShortened() ? text : QString());

    cell->setFocus();
    QTRY_VERIFY(cell->hasFocus());
    QCOMPARE(cell->drawnText(), text);
}

void TestSolve::exactAnswers_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("exact");     // hover texts of the first values, "|" between
    QTest::addColumn<QString>("differing"); // the box after the solution, if any
    QTest::addColumn<QString>("neverShown");
    auto row = [](const char *name, const char *locale, const char *system, const char *values,
                  const char *exact, const char *differing = "", const char *neverShown = "") {
        QTest::newRow(name) << QString(locale) << QString(system) << QString(values)
                            << QString(exact) << QString(differing) << QString(neverShown);
    };
    // After step 1, a(2, 2) is exactly 0, in single precision 1.192093E-07.
    row("a zero single precision cannot see", "C", "-7 -9 -6 | -4 / 7 9 9 | 5 / 1 -6 9 | -1",
        "-0.471 0.588 0.333", "точно -8/17|точно 10/17|точно 1/3", "", "2.516582E+07");
    row("determinant below single precision", "C", "1E-25 0 0 | 1 / 0 1E-25 0 | 1 / 0 0 1E-25 | 1",
        "1E+25 1E+25 1E+25", "||");
    row("a tiny pivot spoils the table", "C", "1E-30 1 | 1 / 1 1 | 2", "1 1",
        // Their decimals begin as they are, never rounded up to a 1 they are not.
        "точно дроб с 31-цифрен числител и 30-цифрен знаменател: 1.000000000000000…|"
        "точно дроб с 30-цифрен числител и 30-цифрен знаменател: 0.9999999999999999…",
        "x1 = 1 (в таблицата: 0)");
    row("seven digits a step", "C",
        "-7 5 9 -8 -1 -3 1 8 -2 | -2 / -5 5 8 5 1 -4 -9 5 2 | -7 / -3 1 1 -9 7 4 -3 -1 8 | 5 / "
        "2 -1 -9 -4 8 6 4 1 9 | -8 / -6 -1 -7 5 8 -6 4 -1 -8 | -5 / 5 0 5 -6 8 -9 4 0 -7 | -6 / "
        "-9 -2 -9 -7 -9 0 -5 -8 7 | -4 / 1 -5 1 9 6 -4 -7 -5 -4 | -8 / 2 1 9 -2 1 -3 -9 6 6 | -4",
        "6.217 9.023 -10.359 -7.389 0.469 8.578 -15.129 5.255 -14.906", "точно 834243235/134192694",
        "x7 = -15.129 (в таблицата: -15.12963)");
    row("many exact digits", "C", "1 0 | 0.123456789012345678901234567890123456789 / 0 1 | 0",
        "0.123 0", "точно число с 39 значещи цифри: 0.1234567890123456…|");
    row("wider than the label", "C", "1 0 | -12345678 / 0 1 | 1", "-1.234568E+07 1",
        "точно -12345678|");
    row("Bulgarian", "bg_BG", "3 0 | 7 / 0 16 | 1", "2,333 0,062", "точно 7/3|точно 0,0625");
    // Rounded once: three decimals and seven digits at the same time.
    row("rounded once", "C", "7 9 5 | 66267 / 2 -5 5 | -65462 / 1 -4 -4 | 286434",
        "56684.99 -10835.43 -46601.82", "точно 10826834/191|точно -4139133/382");
    row("just below a half", "C", "1 0 | 12345.6749996 / 0 1 | 1", "12345.67 1",
        "точно 12345.6749996|");
    // The table's 123456.75 is an exact half, which the answer is not.
    row("half, seen by the table only", "C", "1 0 | 123456.7495 / 0 1 | 1", "123456.7 1",
        "точно 123456.7495|", "x1 = 123456.7 (в таблицата: 123456.8)");
    row("ties to even, the table's away from zero", "C", "1 0 | 123456.25 / 0 1 | 123456.65",
        "123456.2 123456.6", "точно 123456.25|точно 123456.65",
        "x1 = 123456.2 (в таблицата: 123456.3)");
    // The table rounds its exact half away from zero, the answer to even.
    row("a tie the table rounds up", "C", "1 0 | 4913776.5 / 0 1 | 1", "4913776 1",
        "точно 4913776.5|", "x1 = 4913776 (в таблицата: 4913777)");
    row("a tie in the table alone, the same text", "C", "1 0 | 88534.626 / 0 1 | 1", "88534.63 1",
        "точно 88534.626|");
}

// The labels show the true solution, rounded, and tell its exact value when
// hovered, to a screen reader and in the copied working; never cut. Where the
// table's last column differs, one box says so once the solution is written.
void TestSolve::exactAnswers()
{
    QFETCH(QString, locale);
    QFETCH(QString, system);
    QFETCH(QString, values);
    QFETCH(QString, exact);
    QFETCH(QString, differing);
    QFETCH(QString, neverShown);
    QLocale::setDefault(QLocale(locale));
    const Rows rows = rowsOf(system);
    const int n = int(rows.size());
    arrangeFor(window, n);
    typeSystem(window, rows);
    const QList<SeenMessage> seen = solve(window);
    QCOMPARE(seen.size(), 2 * n - 1 + (differing.isEmpty() ? 0 : 1));
    for (const SeenMessage &m : seen)
        QVERIFY(neverShown.isEmpty() || !m.grid.contains(neverShown));
    const QStringList shown = values.split(u' ');
    QCOMPARE(valueTexts(window).mid(0, n), shown);
    const QString working = copied(window);
    if (!differing.isEmpty()) {
        verifyStep(seen.last(),
                   "Показаното решение е точното, закръглено до три знака; последната колона на "
                   "таблицата се различава от него, защото всяка стъпка пази само седем значещи "
                   "цифри.");
        QCOMPARE(seen.last().informative, differing);
        QCOMPARE(seen.last().values.mid(0, n), shown);
        QVERIFY(working.endsWith(seen.last().text + u'\n' + differing + u'\n'));
    }
    const QStringList hovered = exact.split(u'|');
    checkLabels(window, n, shown, hovered, working);
    // Solved again as it stands, the grid gives the same answer: each cell
    // still holds the exact value its text rounds.
    solve(window);
    QCOMPARE(valueTexts(window).mid(0, n), shown);
}

void TestSolve::checkLabels(QWidget *window, int n, const QStringList &shown,
                            const QStringList &hovered, const QString &working)
{
    const bool hover = hovered.size() > 1 || !hovered.value(0).isEmpty();
    for (int r = 1; r <= n; ++r) {
        auto *label = qobject_cast<ValueLabel *>(labelOf(window, 10 * r));
        const QString text = shown[r - 1];
        const QString drawn = label->drawnText();
        QVERIFY2(drawn == text || (text.startsWith(drawn.section(u'…', 0, 0)) &&
                                   text.endsWith(drawn.section(u'…', 1))),
                 qPrintable(drawn));
        QVERIFY(QFontMetrics(label->drawnFont()).horizontalAdvance(drawn) <=
                label->contentsRect().width());
        if (r > hovered.size() || !hover)
            continue;
        const QStringList tip = QStringList{drawn == text ? QString() : text, hovered[r - 1]};
        QCOMPARE(hoverTip(label), tip.join(u'\n').trimmed());
        QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(label);
        QCOMPARE(spoken->text(QAccessible::Description), hovered[r - 1]);
        const QString line = QStringLiteral("x%1=\t%2\t%3").arg(r).arg(text, hovered[r - 1]);
        QVERIFY(working.contains(line.trimmed() + u'\n'));
    }
}

// A cell the solve wrote tells its exact value when hovered, beside the whole
// text where it is shortened; typing over it, or clearing, forgets it.
void TestSolve::exactValuesInCells()
{
    typeSystem(window, {{"17", "0", "-1"}, {"0", "3", "7"}});
    QCOMPARE(solve(window).size(), 3);
    QLineEdit *shortened = cellOf(window, 1, 3);
    QCOMPARE(hoverTip(shortened), QStringLiteral("-0.05882353\nточно -1/17"));
    QCOMPARE(hoverTip(cellOf(window, 2, 2)), QString());
    QLineEdit *third = cellOf(window, 2, 3);
    QCOMPARE(hoverTip(third), QStringLiteral("точно 7/3"));

    third->setFocus(); // the cursor after the text
    QTest::keyClick(third, Qt::Key_3);
    QTest::keyClick(third, Qt::Key_Backspace);
    QCOMPARE(third->text(), QStringLiteral("2.333333"));
    QCOMPARE(hoverTip(third), QString());
    click(window, "Command2");
    shortened->setText(QStringLiteral("-0.05882353"));
    QCOMPARE(hoverTip(shortened), QStringLiteral("-0.05882353"));
}

// "1" and so many zeros.
QString power(int zeros)
{
    return u'1' + QString(zeros, u'0');
}

void TestSolve::fractionView_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<int>("messages");
    QTest::addColumn<QString>("first"); // step 1's operations, and "|" what they summarise
    QTest::addColumn<QString>("grid");  // the matrix after step 1, rows between slashes
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("hover"); // x1's note
    QTest::newRow("three equations")
        << "2 1 -1 | 8 / -3 -1 2 | -11 / -2 1 2 | -3" << 5
        << "ред 1 = ред 1 : (2)\nред 2 = ред 2 + 3 · ред 1\nред 3 = ред 3 + 2 · ред 1"
        << "1 1/2 -1/2 4 / 0 1/2 1/2 1 / 0 2 1 5"
        << "2 3 -1"
        << "";
    QTest::newRow("thirds, a zero factor left out")
        << "3 0 | 1 / 0 3 | -2" << 3 << "ред 1 = ред 1 : (3)"
        << "1 0 1/3 / 0 3 -2"
        << "1/3 -2/3"
        << "десетично 0.333";
    // In decimals the table's last column differs from the answer, and a box says so.
    QTest::newRow("no box: nothing differs")
        << "1E-30 1 | 1 / 1 1 | 2" << 3
        << "ред 1 = ред 1 : (1/" + power(30) + ")\nред 2 = ред 2 − ред 1"
        << "1 " + power(30) + " " + power(30) + " / 0 -" + QString(30, u'9') + " -" +
               QString(29, u'9') + "8"
        << power(30) + "/" + QString(30, u'9') + " " + QString(29, u'9') + "8/" + QString(30, u'9')
        << "десетично 1";
    // Seven digits overflow at step 2 and lose column 1 at step 1.
    QTest::newRow("overflow worked to the end")
        << "2 0 | 4 / 0 1E-30 | 1E+10" << 3 << "ред 1 = ред 1 : (2)"
        << "1 0 2 / 0 1/" + power(30) + " 10000000000"
        << "2 " + power(40) << "";
    QTest::newRow("too few digits worked to the end")
        << "1E-50 1 | 1 / 1E-50 2 | 3" << 3
        << "ред 1 = ред 1 : (1/" + power(50) + ")\nред 2 = ред 2 − 1/" + power(50) + " · ред 1"
        << "1 " + power(50) + " " + power(50) + " / 0 1 2"
        << "-" + power(50) + " 2"
        << "десетично -1E+50";
    // Wider than the screen allows, the multiplier is summarised, whole in the hover.
    QTest::newRow("a multiplier too long for the box")
        << "1E-150 0 | 1 / 0 1 | 1" << 3
        << "ред 1 = ред 1 : (1/10…)|ред 1 = ред 1 : (1/" + power(150) + ")"
        << "1 0 " + power(150) + " / 0 1 1" << power(150) + " 1"
        << "десетично 1E+150";
}

// In the fraction view every number shown is exact, and the working goes on
// where seven digits cannot.
void TestSolve::fractionView()
{
    QFETCH(QString, system);
    QFETCH(int, messages);
    QFETCH(QString, first);
    QFETCH(QString, grid);
    QFETCH(QString, values);
    QFETCH(QString, hover);
    QTest::keyClick(window, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(window->findChild<Announcer *>()->sentence(), QStringLiteral("Дроби"));
    const Rows rows = rowsOf(system);
    const int n = int(rows.size());
    arrangeFor(window, n);
    typeSystem(window, rows);
    const QList<SeenMessage> seen = solve(window);
    QCOMPARE(seen.size(), messages);
    for (int step = 1; step <= messages; ++step) {
        verifyStep(seen[step - 1], (step <= n ? forward : backward) + QString::number(step));
        QVERIFY(window->screen()->availableGeometry().contains(seen[step - 1].frame));
    }
    QCOMPARE(seen[0].informative, first.section(u'|', 0, 0));
    QCOMPARE(seen[0].detailsTip, first.section(u'|', 1));
    QCOMPARE(seen[0].detailsSpoken, first.section(u'|', 1));
    QStringList shown;
    for (const QStringList &row : blockOf(seen[0].grid, n))
        shown << row.join(u' ');
    QCOMPARE(shown.join(" / "), grid);
    QCOMPARE(valueTexts(window).mid(0, n), values.split(u' '));
    auto *x1 = qobject_cast<ValueLabel *>(labelOf(window, 10));
    const QString whole = x1->drawnText() == x1->text() ? QString() : x1->text() + u'\n';
    QCOMPARE(hoverTip(x1), (whole + hover).trimmed());
    QStringList solution;
    for (const QString &value : values.split(u' '))
        solution << QStringLiteral("x%1=\t%2").arg(solution.size() + 1).arg(value);
    QVERIFY(copied(window).endsWith("решението е:\n" + solution.join(u'\n') + u'\n'));
}

// A switch redraws what the solve wrote, a step's box open included, without
// solving again; the choice is kept for the next start.
void TestSolve::switchDuringAndAfter()
{
    typeSystem(window, rowsOf("3 1 | 1 / 1 3 | 2"));
    MessageAnswerer answerer(window);
    QStringList switched; // step 2's box and grid after the switch
    answerer.inspect = [&](const SeenMessage &m) {
        if (m.text != forward + "2")
            return;
        QCOMPARE(m.informative, QStringLiteral("ред 2 = ред 2 : (2.666667)"));
        QWidget *box = QApplication::activeModalWidget();
        QTest::keyClick(box, Qt::Key_D, Qt::ControlModifier);
        const auto *message = qobject_cast<QMessageBox *>(box);
        switched << message->informativeText() << message->accessibleDescription()
                 << gridTexts(window).mid(0, 3) << gridTexts(window).mid(10, 3);
    };
    click(window, "Command3");
    QCOMPARE(switched, (QStringList{"ред 2 = ред 2 : (8/3)", "ред 1: 1; 1/3; 1/3\nред 2: 0; 1; 5/8",
                                    "1", "1/3", "1/3", "0", "1", "5/8"}));
    QCOMPARE(answerer.seen[2].informative, QStringLiteral("ред 1 = ред 1 − 1/3 · ред 2"));
    QCOMPARE(valueTexts(window).mid(0, 2), (QStringList{"1/8", "5/8"}));
    const QString fractionTip = hoverTip(cellOf(window, 1, 3));
    QString working = copied(window);
    QVERIFY(working.contains("ред 2 = ред 2 : (8/3)\n1\t1/3\t1/3\n0\t1\t5/8\n"));
    QVERIFY(working.endsWith("x1=\t1/8\nx2=\t5/8\n"));
    QVERIFY(QApplication::clipboard()->mimeData()->html().contains(
        " sdval=\"0.125\" sdnum=\"1033;0;# ?/?\">1/8</td>"));

    QTest::keyClick(cellOf(window, 1, 1), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(window->findChild<Announcer *>()->sentence(), QStringLiteral("Десетични числа"));
    QCOMPARE(valueTexts(window).mid(0, 2), (QStringList{"0.125", "0.625"}));
    QCOMPARE(fractionTip, "десетично " + cellOf(window, 1, 3)->text());
    working = copied(window);
    QVERIFY(working.contains("ред 2 = ред 2 : (2.666667)\n1\t0.3333333\t0.3333333\n"));
    QVERIFY(working.endsWith("x1=\t0.125\nx2=\t0.625\n"));

    // A number typed over stays as typed. The grid's menu names the view and its key.
    cellOf(window, 2, 3)->setText(QStringLiteral("7"));
    QTimer::singleShot(0, [] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction *action : menu->actions())
            if (action->text() == QStringLiteral("Дроби\tCtrl+D") && action->isCheckable() &&
                !action->isChecked())
                action->trigger();
        menu->close();
    });
    QWidget *green = window->findChild<QWidget *>(QStringLiteral("Frame1"));
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(700, 200),
                                green->mapToGlobal(QPoint(700, 200)));
    QApplication::sendEvent(green, &menuEvent);
    QCOMPARE(gridTexts(window).mid(0, 3), (QStringList{"1", "0", "1/8"}));
    QCOMPARE(cellOf(window, 2, 3)->text(), QStringLiteral("7"));
    delete window;
    window = new Form1;
    window->show();
    typeSystem(window, rowsOf("3 0 | 1 / 0 3 | -2"));
    solve(window);
    QCOMPARE(valueTexts(window).mid(0, 2), (QStringList{"1/3", "-2/3"}));
}

// Systems of every shape are worked exactly to their reduced row echelon form
// and end in the box of their ranks and verdict; a singular square one in the
// decimal view is refused first and worked to its end on request.
void TestSolve::everyShape_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("unknowns");
    QTest::addColumn<bool>("fractions");
    QTest::addColumn<QString>("system");
    QTest::addColumn<QStringList>("prompts");
    QTest::addColumn<QString>("details");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QStringList>("values");
    auto steps = [](int forwardSteps, int backwardSteps, const char *verdict) {
        QStringList prompts;
        for (int i = 1; i <= forwardSteps + backwardSteps; ++i)
            prompts << (i <= forwardSteps ? forward : backward) + QString::number(i);
        return prompts << QString::fromUtf8(verdict);
    };
    const QString ranks = QStringLiteral("ранг на матрицата на коефициентите: %1\n"
                                         "ранг на разширената матрица: %2");
    const char *one = "Системата има единствено решение.";
    const char *many = "Системата има безброй решения.";
    QTest::newRow("2 in 3, a free unknown")
        << 2 << 3 << false << "1 1 1 | 3 / 1 -1 0 | 1" << steps(2, 1, many)
        << ranks.arg(2).arg(2) + "\nx3 — произволно\nx1 = 2 - (1/2)x3\nx2 = 1 - (1/2)x3"
        << "1 0 0.5 2 / 0 1 0.5 1" << QStringList{"2 - (1/2)x3", "1 - (1/2)x3", "произволно"};
    QTest::newRow("3 in 2, one solution")
        << 3 << 2 << false << "1 1 | 3 / 1 -1 | 1 / 2 1 | 5" << steps(2, 1, one)
        << ranks.arg(2).arg(2) << "1 0 2 / 0 1 1 / 0 0 0" << QStringList{"2", "1"};
    QTest::newRow("3 in 2, none") << 3 << 2 << false << "1 1 | 3 / 1 -1 | 1 / 2 1 | 6"
                                  << steps(2, 1, "Системата няма решение.")
                                  << ranks.arg(2).arg(3) + "\nред 3 гласи 0 = 1"
                                  << "1 0 2 / 0 1 1 / 0 0 1" << QStringList{"", ""};
    QTest::newRow("1 in 1") << 1 << 1 << false << "2 | 4" << steps(1, 0, one) << ranks.arg(1).arg(1)
                            << "1 2" << QStringList{"2"};
    QTest::newRow("homogeneous, a column without a pivot")
        << 2 << 3 << false << "1 2 3 | 0 / 2 4 7 | 0" << steps(3, 1, many)
        << ranks.arg(2).arg(2) +
               "\nx2 — произволно\nx1 = -2x2\nx3 = 0\nфундаментална система решения:\n"
               "e1 = (-2; 1; 0)"
        << "1 2 0 0 / 0 0 1 0" << QStringList{"-2x2", "произволно", "0"};
    QTest::newRow("singular, in fractions at once")
        << 2 << 2 << true << "1 2 | 3 / 2 4 | 6" << steps(2, 0, many)
        << ranks.arg(1).arg(1) + "\nx2 — произволно\nx1 = 3 - 2x2"
        << "1 2 3 / 0 0 0" << QStringList{"3 - 2x2", "произволно"};
    QTest::newRow("singular, refused, then to the end")
        << 2 << 2 << false << "1 2 | 3 / 2 4 | 7"
        << (QStringList{refusal1, refusal2} << steps(2, 0, "Системата няма решение."))
        << ranks.arg(1).arg(2) + "\nред 2 гласи 0 = 1"
        << "1 2 3 / 0 0 1" << QStringList{"", ""};
    // Long fractions in a general solution: only that each box stays on screen.
    QStringList long9;
    for (int r = 1; r <= 9; ++r) {
        QStringList row;
        for (int c = 1; c <= 10; ++c)
            row << QString::number(r < 9
                                       ? (r * 37 + c * c * 91) % 997 - 500
                                       : (37 + c * c * 91) % 997 + (74 + c * c * 91) % 997 - 1000);
        long9 << row.mid(0, 9).join(u' ') + " | " + row[9];
    }
    QTest::newRow("9 in 9, long fractions") << 9 << 9 << true << long9.join(" / ") << QStringList()
                                            << QString() << QString() << QStringList();
}

void TestSolve::everyShape()
{
    QFETCH(int, rows);
    QFETCH(int, unknowns);
    QFETCH(bool, fractions);
    QFETCH(QString, system);
    QFETCH(QStringList, prompts);
    QFETCH(QString, details);
    QFETCH(QString, grid);
    QFETCH(QStringList, values);
    arrangeShape(window, rows, unknowns);
    QCOMPARE(labelOf(window, 10 + unknowns)->text(), QStringLiteral(".x%1=").arg(unknowns));
    if (fractions)
        QTest::keyClick(window, Qt::Key_D, Qt::ControlModifier);
    typeSystem(window, rowsOf(system));
    QList<SeenMessage> seen = solve(window);
    if (seen.size() == 2 && seen[1].text == refusal2) {
        QVERIFY(activate(window));
        MessageAnswerer answerer(window);
        QTest::keyClick(window, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        seen << answerer.seen;
    }
    QStringList shown;
    for (const SeenMessage &m : seen) {
        shown << m.text;
        QVERIFY(window->screen()->availableGeometry().contains(m.frame));
    }
    if (prompts.isEmpty()) {
        QCOMPARE(seen.last().text, QStringLiteral("Системата има безброй решения."));
        // Each expression too long for its place ends in "…", its whole in the tooltip.
        for (int x = 1; x <= unknowns; ++x) {
            const auto *value =
                window->findChild<ValueLabel *>(QStringLiteral("Label%1").arg(10 * x));
            const QString drawn = value->drawnText();
            QVERIFY(QFontMetrics(value->drawnFont()).horizontalAdvance(drawn) <=
                    value->contentsRect().width());
            QCOMPARE(value->toolTip(), drawn == value->text() ? QString() : value->text());
        }
        return;
    }
    QCOMPARE(shown, prompts);
    QCOMPARE(seen.last().title, QStringLiteral("РЕШЕНИЕ:"));
    QCOMPARE(seen.last().informative, details);
    Rows block;
    for (int r = 0; r < rows; ++r)
        block << gridTexts(window).mid(10 * r, unknowns + 1);
    QCOMPARE(block, rowsOf(grid));
    QCOMPARE(valueTexts(window).mid(0, unknowns), values);
}

void TestSolve::parameter_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<bool>("fractions");
    QTest::addColumn<QString>("prompt"); // of the last box
    QTest::addColumn<QString>("details");
    QTest::addColumn<QStringList>("values"); // beside x1 and x2
    QTest::addColumn<QString>("value");      // a case worked on its own, and its end
    QTest::addColumn<QString>("caseEnd");
    QTest::addColumn<QStringList>("cramer"); // its boxes' prompts, then the last one's details
    const QString analysis =
        QStringLiteral("Изследване на системата в зависимост от параметъра a:");
    QTest::newRow("2×2 in fractions")
        << Rows{{"1", "a", "2"}, {"a", "4", "4"}} << true << analysis
        << "D = -(a - 2)(a + 2)\n"
           "при a ≠ -2 и a ≠ 2: единствено решение x1 = 4/(a + 2), x2 = 2/(a + 2) (ранг A = 2, "
           "ранг [A|b] = 2)\n"
           "при a = -2: няма решение (ред 2: 0 = 8) (ранг A = 1, ранг [A|b] = 2)\n"
           "при a = 2: безброй решения x1 = 2 - 2x2, x2 — произволно (ранг A = 1, ранг [A|b] = 1)\n"
           "Ходът при всяка от стойностите: „Покажи хода при a = …“ в менюто на таблицата "
           "(Ctrl+Shift+A)."
        << QStringList{"4/(a + 2)", "2/(a + 2)"} << "a = 2"
        << "Системата има безброй решения."
        << QStringList{"D = -(a - 2)(a + 2)", "D1 = -4(a - 2)", "D2 = -2(a - 2)",
                       "Правилото на Крамер с параметъра a:",
                       "при a ≠ -2 и a ≠ 2: D ≠ 0, x1 = D1/D = 4/(a + 2), x2 = D2/D = 2/(a + 2)\n"
                       "при a = -2: D = 0, D1 = 16, D2 = 8; няма решение (ред 2: 0 = 8) (ранг A = "
                       "1, ранг [A|b] = 2)\n"
                       "при a = 2: D = 0, D1 = 0, D2 = 0; безброй решения x1 = 2 - 2x2, x2 — "
                       "произволно (ранг A = 1, ранг [A|b] = 1)"};
    QTest::newRow("Cyrillic k, decimals, irrational values")
        << Rows{{"1", "к", "1"}, {"к", "2", "1"}} << false
        << analysis.chopped(2) + QStringLiteral("k:")
        << "D = -(k² - 2)\n"
           "при k² - 2 ≠ 0: единствено решение x1 = (k - 2)/(k² - 2), x2 = (k - 1)/(k² - 2) "
           "(ранг A = 2, ранг [A|b] = 2)\n"
           "при k² - 2 = 0, т.е. k = ±√2: няма решение (ред 2: 0 = -k + 1) (ранг A = 1, "
           "ранг [A|b] = 2)"
        << QStringList{"(k - 2)/(k² - 2)", "(k - 1)/(k² - 2)"} << ""
        << "" << QStringList();
    const QString bad = QStringLiteral("В клетката на ред 2, колона 1 ");
    QTest::newRow("two letters")
        << Rows{{"1", "a", "2"}, {"b", "4", "4"}} << false
        << bad + "системата може да има само един параметър, а тук има буква, различна от a."
        << "" << QStringList{"", ""} << ""
        << "" << QStringList();
    QTest::newRow("division by the parameter")
        << Rows{{"1", "a", "2"}, {"1/a", "4", "4"}} << false
        << bad + "делителят съдържа параметъра; делете само на число."
        << "" << QStringList{"", ""} << ""
        << "" << QStringList();
    QTest::newRow("the unknowns' x") << Rows{{"1", "a", "2"}, {"2x", "4", "4"}} << false
                                     << bad + "няма число или израз с параметър. Изразите се "
                                              "пишат така: 2a; a^2 - 1; (a - 1)(a + 2); (a + 1)/2."
                                     << "" << QStringList{"", ""} << ""
                                     << "" << QStringList();
}

// A letter in a cell: the general working in the grid, each division telling
// what it assumes, the analysis in the last box and in the copy, the general
// solution beside the unknowns; then one value worked, and the system back.
void TestSolve::parameter()
{
    QFETCH(Rows, rows);
    QFETCH(bool, fractions);
    QFETCH(QString, prompt);
    QFETCH(QString, details);
    QFETCH(QStringList, values);
    QFETCH(QString, value);
    QFETCH(QString, caseEnd);
    QFETCH(QStringList, cramer);
    if (fractions)
        QTest::keyClick(window, Qt::Key_D, Qt::ControlModifier);
    typeSystem(window, rows);
    const Board *board = openBoard(window);
    QVERIFY(board && activate(window));
    const QList<SeenMessage> seen = solve(window);
    QCOMPARE(seen.last().text, prompt);
    QCOMPARE(seen.last().informative, details);
    QCOMPARE(valueTexts(window).mid(0, 2), values);
    if (details.isEmpty())
        return;
    // The board follows the working, its expressions stacked, to the analysis.
    QCOMPARE(board->page(), board->pages() - 1);
    QVERIFY(spokenText(board->current()).contains(details.section(u'\n', 1, 1)));
    QVERIFY(seen[1].informative.contains(QStringLiteral("делим на ")));
    QVERIFY(activate(window));
    QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(QApplication::clipboard()->text().contains(details.section(u'\n', 1, 1)));
    if (value.isEmpty())
        return;
    QTimer *poll = answerInputs(window, value);
    MessageAnswerer answerer(window);
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    delete poll;
    QCOMPARE(answerer.seen.last().text, caseEnd);
    QVERIFY(activate(window));
    QTest::keyClick(window, Qt::Key_Backspace, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(cellOf(window, 1, 2)->text(), rows[0][1]);
    MessageAnswerer boxes(window);
    QTest::keyClick(window, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    QStringList shown;
    for (const SeenMessage &m : boxes.seen)
        shown << m.text;
    QCOMPARE(shown << boxes.seen.last().informative, cramer);
    QCOMPARE(cellOf(window, 1, 2)->text(), rows[0][1]);
    // The determinant alone.
    const auto lastBox = [this](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        activate(window);
        MessageAnswerer more(window);
        QTest::keyClick(window, key, modifiers);
        const QString text = more.seen.isEmpty() ? QString() : more.seen.last().text;
        return activate(window) ? text : QStringLiteral("not active");
    };
    QCOMPARE(lastBox(Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier), cramer[0]);
}

// After a solve the grid shows the working's end, and the system typed is
// not lost: a practice starts from it, and "Върни системата" brings it back.
void TestSolve::typedSystemKept()
{
    const Rows typed{{"0", "1", "1"}, {"1", "1", "3"}};
    typeSystem(window, typed);
    QCOMPARE(solve(window).size(), 3);
    QCOMPARE(blockTexts(window, 2), (Rows{{"1", "0", "2"}, {"0", "1", "1"}}));
    QVERIFY(activate(window));
    QTest::keyClick(window, Qt::Key_Backspace, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(blockTexts(window, 2), typed);
    QCOMPARE(solve(window).size(), 3);
    QVERIFY(activate(window));
    QTest::keyClick(window, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(blockTexts(window, 2), typed);
}

void TestSolve::cramer_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("rule"); // empty: Cramer's rule; else the determinant's, as chosen
    QTest::addColumn<QStringList>("prompts"); // the first boxes' prompts
    QTest::addColumn<QString>("second");      // the second box's lines
    QTest::addColumn<QString>("last");        // the last box's lines
    QTest::addColumn<QStringList>("values");
    const QString diagonals = QStringLiteral("%1: главният диагонал минус другият диагонал:");
    QTest::newRow("2x2") << "1 1 | 3 / 1 -1 | 1" << QString()
                         << QStringList{diagonals.arg("D"), diagonals.arg("D1"),
                                        diagonals.arg("D2"),
                                        "D = −2 ≠ 0: системата има единствено решение."}
                         << "Колона 1 е заменена с десните страни.\nD1 = 3 · (−1) − 1 · 1\n"
                            "= −3 − 1\n= −4"
                         << "x1 = D1/D = −4/−2 = 2\nx2 = D2/D = −2/−2 = 1" << QStringList{"2", "1"};
    QTest::newRow("2x2 D = 0, none")
        << "1 2 | 3 / 2 4 | 7" << QString()
        << QStringList{diagonals.arg("D"), diagonals.arg("D1"), diagonals.arg("D2"),
                       "D = 0: правилото на Крамер не решава системата.",
                       "Да реша ли системата докрай по метода на Гаус („Реши докрай“)?"}
        << "Колона 1 е заменена с десните страни.\nD1 = 3 · 4 − 2 · 7\n= 12 − 14\n= −2"
        << "D1 = −2 ≠ 0: системата няма решение." << QStringList{"", ""};
    QTest::newRow("3x3 D = 0, D_i = 0")
        << "1 1 1 | 1 / 1 1 1 | 2 / 1 1 1 | 3" << QString()
        << QStringList{"D по правилото на Сарус:"}
        << "Колона 1 е заменена с десните страни.\nD1 = 1 · 1 · 1 + 1 · 1 · 3 + 1 · 2 · 1 − 1 "
           "· 1 · 3 − 1 · 1 · 1 − 1 · 2 · 1\n= 1 + 3 + 2 − 3 − 1 − 2\n= 0"
        << "D = D1 = D2 = D3 = 0: системата или няма решение, или има безброй решения."
        << QStringList{"", "", ""};
    QTest::newRow("4x4 by elimination")
        << "0 1 1 1 | 9 / 1 0 1 1 | 8 / 1 1 0 1 | 7 / 1 1 1 0 | 6" << QString()
        << QStringList{"D чрез преобразувания до триъгълна матрица:", "D, стъпка 1:",
                       "D, стъпка 2:"}
        << "ред 1 ↔ ред 2\nРазмяната на два реда сменя знака на детерминантата.\n"
           "Сега D = (−1) · (детерминантата в таблицата)."
        << "x1 = D1/D = −3/−3 = 1\nx2 = D2/D = −6/−3 = 2\nx3 = D3/D = −9/−3 = 3\n"
           "x4 = D4/D = −12/−3 = 4"
        << QStringList{"1", "2", "3", "4"};
    QTest::newRow("expansion along column 2")
        << "2 1 -1 | 8 / -3 -1 2 | -11 / -2 1 2 | -3"
        << "развитие по стълб 2"
        << QStringList{"D — развитие по стълб 2:", "M12: без ред 1 и стълб 2:",
                       "M22: без ред 2 и стълб 2:", "M32: без ред 3 и стълб 2:",
                       "D — развитие по стълб 2:"}
        << "M12 = (−3) · 2 − 2 · (−2)\n= −6 + 4\n= −2"
        << "D = − 1 · (−2) + (−1) · 2 − 1 · 1\n= 2 − 2 − 1\n= −1" << QStringList{"", "", ""};
}

// Each determinant in the grid without the right-hand sides, the column they
// replace marked; afterwards the system again, and the working copied.
void TestSolve::cramer()
{
    QFETCH(QString, system);
    QFETCH(QString, rule);
    QFETCH(QStringList, prompts);
    QFETCH(QString, second);
    QFETCH(QString, last);
    QFETCH(QStringList, values);
    const Rows typed = rowsOf(system);
    const int n = int(typed.size());
    arrangeFor(window, n);
    typeSystem(window, typed);
    QVERIFY(activate(window));
    QTimer *poll = answerInputs(window, rule);
    MessageAnswerer answerer(window);
    std::optional<bool> marked; // as D1's first box showed it
    answerer.inspect = [&](const SeenMessage &m) {
        if (m.text.startsWith(QStringLiteral("D1")) && !marked)
            marked = m.grid[n].isEmpty() && m.grid[0] == typed[0][n] &&
                     cellOf(window, 1, 1)->palette().color(QPalette::Base) !=
                         cellOf(window, 1, 2)->palette().color(QPalette::Base);
    };
    QTest::keyClick(window, rule.isEmpty() ? Qt::Key_K : Qt::Key_D,
                    Qt::ControlModifier | Qt::ShiftModifier);
    delete poll;
    QStringList shown;
    for (const SeenMessage &m : answerer.seen)
        shown << m.text;
    QVERIFY2(shown.size() >= prompts.size(), qPrintable(shown.join(u'\n')));
    QCOMPARE(shown.mid(0, prompts.size()), prompts);
    QCOMPARE(answerer.seen[1].informative, second);
    QString lastLines;
    for (const SeenMessage &m : answerer.seen)
        if (!m.informative.isEmpty())
            lastLines = m.informative;
    QCOMPARE(lastLines, last);
    QCOMPARE(marked.value_or(false), rule.isEmpty());
    QCOMPARE(blockTexts(window, n), typed);
    QCOMPARE(valueTexts(window).mid(0, n), values);
    QVERIFY(copied(window).contains(last.section(u'\n', -1)));
}

void TestSolve::checkDeterminant_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("details");
    const QString sarrus = "2 1 -1 | 8 / -3 -1 2 | -11 / -2 1 2 | -3";
    // One exchange, then the pivots 2, 3, -1, 4: D = 24.
    const QString eliminated = "0 3 1 1 | 1 / 2 1 1 0 | 1 / 2 7 2 4 | 1 / -2 2 -3 11 | 1";
    QTest::newRow("right") << sarrus << "−4 − 4 + 3 + 2 − 4 + 6 = −1"
                           << "Вярно: D = −1." << QString();
    QTest::newRow("the value alone, right") << sarrus << "-1"
                                            << "Вярно: D = −1." << QString();
    QTest::newRow("a product wrong, in another order") << sarrus << "D = 3 -4 -4 2 -6 -4 = -13"
                                                       << "Произведение 6 не е вярно."
                                                       << "Трябва да е − 1 · (−3) · 2 = 6.";
    QTest::newRow("the sum wrong")
        << sarrus << "-4 -4 3 2 -4 6 = 1"
        << "Произведенията са верни, но сборът им е −1, а не 1." << QString();
    QTest::newRow("the value alone, wrong")
        << sarrus << "5"
        << "Не е вярно: D не е 5."
        << "Напишете и произведенията, за да видите кое не е вярно.";
    QTest::newRow("4x4, the sign forgotten") << eliminated << "2 · 3 · (−1) · 4 = −24"
                                             << "Множителите са верни, но знакът не е."
                                             << "Една размяна на редове сменя знака: D = 24.";
    QTest::newRow("4x4, a pivot wrong")
        << eliminated << "-2 · 3 · 1 · 4 = -24"
        << "Множител 3 не е верен: трябва да е −1."
        << "Толкова е елементът в ред 3, стълб 3 на триъгълната матрица; стъпките показва "
           "„Детерминанта“ в менюто на таблицата.";
    QTest::newRow("a parameter, wrong") << "a 1 | 1 / 4 a | 2"
                                        << "D = a² + 4"
                                        << "Не е вярно: при a = 0 вашата D е 4, а D е −4."
                                        << "D = (a - 2)(a + 2)";
}

// The student's D of a system typed: right, or the first product of Sarrus's
// rule, the first factor of an elimination, or a parameter's value where it is not.
void TestSolve::checkDeterminant()
{
    QFETCH(QString, system);
    QFETCH(QString, typed);
    QFETCH(QString, said);
    QFETCH(QString, details);
    const Rows rows = rowsOf(system);
    arrangeFor(window, int(rows.size()));
    typeSystem(window, rows);
    QVERIFY(activate(window));
    QTimer *poll = answerInputs(window, typed);
    MessageAnswerer answerer(window);
    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    delete poll;
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen[0].text, said);
    QCOMPARE(answerer.seen[0].informative, details);
}

void TestSolve::board_data()
{
    QTest::addColumn<bool>("fractions");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<bool>("dark"); // the desktop's palette
    QTest::newRow("3 equations, decimals")
        << false << Rows{{"2", "3", "-1", "5"}, {"4", "-1", "3", "7"}, {"-3", "5", "7", "2"}}
        << false;
    QTest::newRow("4 equations, fractions") << true
                                            << Rows{{"3", "-7", "2", "5", "1"},
                                                    {"4", "9", "-6", "1", "-8"},
                                                    {"-5", "2", "7", "-3", "6"},
                                                    {"8", "-1", "4", "9", "-2"}}
                                            << true;
    const QStringList nine =
        QStringLiteral("1 -5 3 -8 -7 8 -6 2 9 -8 7 -3 -8 -7 4 4 -7 -2 -7 8 4 -8 9 -6 -2 9 "
                       "-8 9 9 3 -8 -2 -8 8 -5 0 4 -5 8 -6 9 0 8 -4 -6 9 9 -3 2 -6 8 -7 9 "
                       "-8 -3 6 8 4 1 5 9 5 2 0 -2 -4 -2 -7 9 0 7 6 1 5 0 -7 -6 7 4 -4 1 "
                       "-5 6 4 -8 -7 8 9 1 1")
            .split(u' ');
    Rows rows;
    for (int r = 0; r < 9; ++r)
        rows << nine.mid(10 * r, 10);
    QTest::newRow("9 equations, fractions of 10 digits") << true << rows << false;
}

// The board follows each step's box and takes its keys while the box is up;
// every page holds what the record does, each number whole; it reads out
// its matrix, and is open again at the next start.
void TestSolve::board()
{
    QFETCH(bool, fractions);
    QFETCH(Rows, rows);
    QFETCH(bool, dark);
    const QPalette desktop = QApplication::palette();
    QPalette night(QColor(40, 40, 40), QColor(30, 30, 30));
    night.setColor(QPalette::Text, QColor(230, 230, 230));
    if (dark)
        QApplication::setPalette(night);
    const int n = int(rows.size());
    const NumberFormat view(fractions ? NumberFormat::Fractions : NumberFormat::Decimals);
    if (fractions)
        QTest::keyClick(window, Qt::Key_D, Qt::ControlModifier);
    arrangeFor(window, n);
    typeSystem(window, rows);
    Board *board = openBoard(window);
    QVERIFY(board);
    const QFont font = board->findChild<QWidget *>("boardCanvas")->font();
    QCOMPARE_GE(QFontMetrics(font).height(), 20);
    auto uncut = [&] {
        QFont strong = font;
        strong.setBold(true);
        for (const BoardPage::Text &text : board->current().texts) {
            QVERIFY2(!text.text.contains(u'…'), qPrintable(text.text));
            QCOMPARE_LE(QFontMetricsF(text.strong ? strong : font).horizontalAdvance(text.text),
                        text.rect.width() + 0.5);
        }
    };
    auto press = [&](Qt::Key key, int page) {
        QTest::keyClick(board->windowHandle(), key);
        QCOMPARE(board->page(), page);
    };
    MessageAnswerer answerer(window);
    answerer.inspect = [&](const SeenMessage &m) {
        const int step = int(answerer.seen.size()) + 1;
        QVERIFY(!m.applicationModal);
        QCOMPARE(board->page(), step);
        QStringList shown;
        const Rows block = blockOf(m.grid, n);
        for (int r = 0; r < n; ++r) {
            QStringList entries;
            for (int c = 0; c < n; ++c)
                entries << QStringLiteral("x%1 коефициент %2").arg(c + 1).arg(block[r][c]);
            shown << QStringLiteral("ред %1: %2, дясна страна %3")
                         .arg(r + 1)
                         .arg(entries.join(QStringLiteral(", ")), block[r][n]);
        }
        QCOMPARE(board->current().spoken.mid(board->current().spoken.size() - n), shown);
        if (step == 2) {
            press(Qt::Key_PageUp, 1);
            press(Qt::Key_End, 2 * n);
            press(Qt::Key_Home, 0);
            press(Qt::Key_PageDown, 1);
        }
    };
    click(window, "Command3");
    QCOMPARE(answerer.seen.size(), 2 * n - 1);
    QCOMPARE(board->page(), 2 * n);
    for (int r = 1; r <= n; ++r)
        for (const BoardPiece &piece :
             boardFormula(view.text(NumberFormat::ofAnswer(window->solverState().exact.x[r]))))
            for (const QString &part : {piece.text, piece.under})
                QVERIFY(std::any_of(board->current().texts.begin(), board->current().texts.end(),
                                    [&](const BoardPage::Text &t) { return t.text == part; }) ||
                        part.isEmpty());
    for (int page = 2 * n; page >= 0; --page) {
        uncut();
        QVERIFY(page == 0 || page == 2 * n ||
                board->current().heading.startsWith(QStringLiteral("Стъпка %1 ").arg(page)));
        press(Qt::Key_Left, std::max(page - 1, 0));
    }
    QWidget *canvas = board->findChild<QWidget *>("boardCanvas"); // the system's first number
    const QPoint at = board->current().entries.first().rect.center().toPoint();
    QHelpEvent help(QEvent::ToolTip, at, canvas->mapToGlobal(at));
    QApplication::sendEvent(canvas, &help);
    QCOMPARE(QToolTip::text(), QStringLiteral("точно: %1\nдесетично: %1").arg(rows[0][0]));
    // Drawn in the desktop's colours: light numbers on a dark board.
    const QImage drawn = canvas->grab().toImage();
    QCOMPARE(drawn.pixelColor(1, 1), canvas->palette().color(QPalette::Base));
    QCOMPARE(drawn.pixelColor(1, 1).lightness() < 128, dark);
    QApplication::setPalette(desktop);
    QTest::keyClick(board->windowHandle(), Qt::Key_Space, Qt::ControlModifier | Qt::ShiftModifier);
    const auto *said = board->findChild<Announcer *>();
    QVERIFY(said && said->sentence().contains(QStringLiteral("ред %1: x1 коефициент").arg(n)));

    QVERIFY(activate(window)); // the window reads the end the grid shows
    QTest::keyClick(window, Qt::Key_Space, Qt::ControlModifier | Qt::ShiftModifier);
    const auto *told = window->findChild<Announcer *>();
    QVERIFY(told && told->sentence().contains(QStringLiteral("ред %1: x1 коефициент 0").arg(n)));

    window->close();
    delete window;
    window = new Form1;
    window->show();
    QTRY_VERIFY(shownBoard());
    shownBoard()->close();
}

QTEST_MAIN(TestSolve)
#include "tst_solve.moc"
