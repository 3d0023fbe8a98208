// "Реши сам" through the real window: the notation read back, the panel driven
// by its names through hints, refusals, the student's own arithmetic and back.

#include "announcer.h"
#include "board.h"
#include "form1.h"
#include "parametertour.h"
#include "rownotation.h"
#include "startup.h"
#include "windowdriver.h"

#include "exercise.h"
#include "numbertext.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QSpinBox>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <array>
#include <random>

using Problem = RowNotation::Reading::Problem;
using Rows = QList<QStringList>;

namespace
{

const Rows example{{"2", "1", "-1", "8"}, {"-3", "-1", "2", "-11"}, {"-2", "1", "2", "-3"}};

} // namespace

class TestPractice : public QObject
{
    Q_OBJECT

public:
    // Room for the window to zoom.
    static void initMain()
    {
        if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
            useOffscreenScreens({QSize(1920, 1080)});
    }

private slots:
    void init();
    void cleanup();

    void reading_data();
    void reading();
    void byHints_data();
    void byHints();
    void refusals_data();
    void refusals();
    void hintLevels_data();
    void hintLevels();
    void ready_data();
    void ready();
    void ownArithmetic();
    void ownCells_data();
    void ownCells();
    void followsTheView();
    void badCellOpensNothing();
    void newExercise_data();
    void newExercise();
    void withParameter_data();
    void withParameter();
    void generalByTheMethod();

private:
    void start(const Rows &system = example);
    QWidget *panel() const { return window->findChild<QWidget *>(QStringLiteral("PracticePanel")); }
    template <class T> T *inPanel(const char *name) const
    {
        QWidget *p = panel();
        return p ? p->findChild<T *>(QLatin1String(name)) : nullptr;
    }
    QString status() const { return inPanel<QLabel>("PracticeStatus")->text(); }
    void enter(const QString &operation);

    Form1 *window = nullptr;
};

void TestPractice::init()
{
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    prepareApplication();
    window = new Form1;
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void TestPractice::cleanup()
{
    delete window;
    window = nullptr;
    QLocale::setDefault(QLocale::c());
}

void TestPractice::start(const Rows &system)
{
    const int rows = int(system.size());
    if (system[0].size() == rows + 1)
        arrangeFor(window, rows);
    else
        arrangeShape(window, rows, int(system[0].size()) - 1);
    typeSystem(window, system);
    QTest::keyClick(cellOf(window, 1, 1), Qt::Key_R, Qt::ControlModifier);
    QVERIFY(panel());
    QTRY_COMPARE(QApplication::activeWindow(), panel());
    QCOMPARE(QApplication::focusWidget(), inPanel<QLineEdit>("Operation"));
    QCOMPARE(inPanel<QLineEdit>("Operation")->accessibleName(), QStringLiteral("Операция"));
    // Read each time the line is entered: one example, not the tooltip's six.
    QAccessibleInterface *line =
        QAccessible::queryAccessibleInterface(inPanel<QWidget>("Operation"));
    QCOMPARE(line->text(QAccessible::Description), QStringLiteral("например р2 = р2 - 3/2 р1"));
}

void TestPractice::enter(const QString &operation)
{
    QLineEdit *line = inPanel<QLineEdit>("Operation");
    line->setText(operation);
    QTest::keyClick(line, Qt::Key_Return);
}

void TestPractice::reading_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("full"); // the operation read, in the full form
    QTest::addColumn<int>("problem");
    QTest::addColumn<QString>("part");
    QTest::addColumn<QChar>("letter"); // a system's parameter, whose expressions are factors

    auto read = [](const char *name, const char *typed, const char *full, QChar letter = {}) {
        QTest::newRow(name) << QString(typed) << QString(full) << int(Problem::None) << QString()
                            << letter;
    };
    read("full elimination", "ред 2 = ред 2 − (3/2) · ред 1", "ред 2 = ред 2 − 3/2 · ред 1");
    read("full division", "ред 1 = ред 1 : (2)", "ред 1 = ред 1 : (2)");
    read("full product", "ред 1 = ред 1 · (1/2)", "ред 1 = ред 1 · (1/2)");
    read("full exchange", "ред 1 ↔ ред 3", "ред 1 ↔ ред 3");
    read("subtracting a negative adds", "ред 2 = ред 2 − (-3/2) · ред 1",
         "ред 2 = ред 2 + 3/2 · ред 1");
    read("short", "р2 = р2 - 3/2 р1", "ред 2 = ред 2 − 3/2 · ред 1");
    read("Latin, adding", "R3 = R3 + 2R1", "ред 3 = ред 3 + 2 · ред 1");
    read("no blanks, star", "р2=р2+3*р1", "ред 2 = ред 2 + 3 · ред 1");
    read("capital, no factor", "Р2 = Р2 − Р1", "ред 2 = ред 2 − ред 1");
    read("short exchange", "р1 <-> р3", "ред 1 ↔ ред 3");
    read("short division", "р1 : 2", "ред 1 = ред 1 : (2)");
    read("short product, negative", "р3 · -2", "ред 3 = ред 3 · (-2)");
    read("short elimination", "р2 - 3р1", "ред 2 = ред 2 − 3 · ред 1");
    read("decimal", "р1 : 1,5", "ред 1 = ред 1 : (3/2)");
    read("fraction of decimals", "р2 = р2 - (1,5/4) · р1", "ред 2 = ред 2 − 3/8 · ред 1");
    read("sign before the bracket", "р1 · -(1/2)", "ред 1 = ред 1 · (-1/2)");
    read("Latin p, which looks like р", "p2 = p2 − 2p1", "ред 2 = ред 2 − 2 · ред 1");
    read("slash divides", "р1 / 2", "ред 1 = ред 1 : (2)");
    read("cross", "р3 × -2", "ред 3 = ред 3 · (-2)");
    read("arrow, en dash, dot as the grid writes", "р2 -> р2 – 2.р1", "ред 2 = ред 2 − 2 · ред 1");
    read("double arrow", "р1 <=> р3", "ред 1 ↔ ред 3");
    read("two, as a box lists them", "р2 − 2р1, р3 + р1",
         "ред 2 = ред 2 − 2 · ред 1, ред 3 = ред 3 + ред 1");
    read("a decimal comma parts nothing", "р2 - 2,5р1;р1 : 2,",
         "ред 2 = ред 2 − 5/2 · ред 1, ред 1 = ред 1 : (2)");
    read("combined", "р2 = 2р2 + 3р1", "ред 2 = 2 · ред 2 + 3 · ред 1");
    read("combined, the own factor negative", "р2 = -(1/2) · р2 − р1",
         "ред 2 = (-1/2) · ред 2 − ред 1");
    read("combined, the target after an arrow", "2р2 + 3р1 → р2", "ред 2 = 2 · ред 2 + 3 · ред 1");
    read("elimination, the target after an arrow", "р2 − 3р1 -> р2", "ред 2 = ред 2 − 3 · ред 1");
    read("the arrow before", "р2 → р2 − 3р1", "ред 2 = ред 2 − 3 · ред 1");
    read("an own factor of 1", "р2 = 1р2 - р1", "ред 2 = ред 2 − ред 1");
    read("Roman numerals", "II − 3·I", "ред 2 = ред 2 − 3 · ред 1");
    read("Roman, in full", "IX = IX + 2IV", "ред 9 = ред 9 + 2 · ред 4");
    read("Roman exchange", "I ↔ III", "ред 1 ↔ ред 3");
    // A pivot of a tiny typed number, as the hint writes it.
    read("beyond the float range", "ред 1 = ред 1 : (1/1000000000000000000000000000000000000000)",
         "ред 1 = ред 1 : (1/1000000000000000000000000000000000000000)");

    read("an expression", "р2 = р2 - a р1", "ред 2 = ред 2 − a · ред 1", u'a');
    read("a sum, a power, a sign pulled out", "р2 : (4 - a²), р2 - (-2a) р1",
         "ред 2 = ред 2 : (-a² + 4), ред 2 = ред 2 + 2a · ред 1", u'a');
    read("over an expression", "р1 - a/(a + 2) р2", "ред 1 = ред 1 − a/(a + 2) · ред 2", u'a');
    read("combined with an expression", "р2 = (a + 2)р2 - 3р1",
         "ред 2 = (a + 2) · ред 2 − 3 · ред 1", u'a');
    read("the parameter p beside the row p2", "p2 = p2 - p p1", "ред 2 = ред 2 − p · ред 1", u'p');
    read("no expression at all", "р2 - 3р1, р3 - р1",
         "ред 2 = ред 2 − 3 · ред 1, ред 3 = ред 3 − ред 1", u'a');

    auto refuse = [](const char *name, const char *typed, Problem problem, const char *part,
                     QChar letter = {}) {
        QTest::newRow(name) << QString(typed) << QString() << int(problem) << QString(part)
                            << letter;
    };
    refuse("nothing", "   ", Problem::Empty, "");
    refuse("not a row", "х2 = х2 - р1", Problem::NoRow, "х2");
    refuse("row without a number", "ред = ред 1 : 2", Problem::NoRow, "ред");
    refuse("row missing at the end", "р2 = р2 - 3", Problem::NoRow, "");
    refuse("another row after =", "р2 = р1 - р1", Problem::NotSameRow, "р1");
    refuse("no sign", "р2 ? р1", Problem::NoSign, "?");
    refuse("sign missing at the end", "р2 = р2", Problem::NoSign, "");
    refuse("letter for a number", "р2 = р2 - 3/x р1", Problem::NoNumber, "3/x");
    refuse("bracket not closed", "р1 : (2", Problem::NoNumber, "(2");
    refuse("number missing", "р1 :", Problem::NoNumber, "");
    refuse("point where the comma is the sign", "р1 : 1.5", Problem::OtherSeparator, "1.5");
    refuse("zero denominator", "р1 : 3/0", Problem::ZeroDenominator, "3/0");
    refuse("more after a whole operation", "р1 <-> р3 р2", Problem::Extra, "р2");
    refuse("the second of two", "р1 : 2, р2 ? р1", Problem::NoSign, "?");
    refuse("another row after the arrow", "р2 − 3р1 → р1", Problem::NotSameRow, "→ р1");
    refuse("not the usual Roman", "IIII − I", Problem::NoRow, "IIII");
    refuse("an own factor of an exchange", "2р1 <-> р3", Problem::NoSign, "<->");
    refuse("a second letter", "р2 : (a + b)", Problem::NoExpression, "(a + b)", u'a');
}

// What is read is written back in the full form, which reads as the same.
// Each operation of a line written in full, checked to read back as itself.
template <class Line, class Text, class Read>
QStringList written(const Line &line, const Text &text, const Read &read)
{
    QStringList texts;
    for (const auto &reading : line.readings) {
        texts << text(reading.operation);
        if (!(read(texts.last()).operation == reading.operation))
            texts.last() += " (reads back otherwise)";
    }
    return texts;
}

void TestPractice::reading()
{
    QFETCH(QString, typed);
    QFETCH(QString, full);
    QFETCH(int, problem);
    QFETCH(QString, part);
    QFETCH(QChar, letter);
    if (!letter.isNull()) {
        const RowNotation::ParameterLine line = RowNotation::readLine(typed, letter);
        QCOMPARE(int(line.readings.value(0).problem), problem);
        QCOMPARE(line.readings.value(0).part, part);
        if (problem == Problem::None)
            QCOMPARE(written(
                         line, [&](const auto &op) { return RowNotation::text(op, letter); },
                         [&](const QString &t) { return RowNotation::read(t, letter); })
                         .join(", "),
                     full);
        return;
    }
    const RowNotation::Line line = RowNotation::readLine(typed);
    QCOMPARE(int(line.readings.value(0).problem), problem);
    QCOMPARE(line.readings.value(0).part, part);
    if (problem != Problem::None)
        return;
    QCOMPARE(written(
                 line, [](const auto &op) { return RowNotation::text(op); },
                 [](const QString &t) { return RowNotation::read(t); })
                 .join(", "),
             full);
}

void TestPractice::byHints_data()
{
    QTest::addColumn<Rows>("system");
    QTest::addColumn<QString>("end");    // the panel's last lines
    QTest::addColumn<QString>("copied"); // how the copy ends
    // Two hints an operation: the pivot, then the operation in the line.
    const auto solved = [](int hints) {
        return QStringLiteral("Решено за 9 операции, %1 подсказки; методът на програмата: 9")
            .arg(hints);
    };
    const QString values = "\nx1 = 2; x2 = 3; x3 = -1";
    const QString copied = "\n\nрешението е:\nx1=\t2\nx2=\t3\nx3=\t-1\n";
    QTest::newRow("solved") << example << solved(18) + values << solved(18) + copied;
    QTest::newRow("by back-substitution from the triangle")
        << example << "Обратно заместване: 4 операции.\n" + solved(10) + values
        << solved(10) + copied;
    QTest::newRow("no solution") << Rows{{"1", "2", "3", "6"},
                                         {"2", "4", "6", "13"},
                                         {"1", "1", "1", "3"}}
                                 << "ранг на разширената матрица: 3\nред 2 гласи 0 = 1"
                                 << "ранг на разширената матрица: 3\nред 2 гласи 0 = 1\n";
    QTest::newRow("many solutions")
        << Rows{{"1", "2", "3", "6"}, {"2", "4", "6", "12"}, {"1", "1", "1", "3"}}
        << "Системата има безброй решения.\nранг на матрицата на коефициентите: 2\n"
           "ранг на разширената матрица: 2\nx3 — произволно\nx1 = x3\nx2 = 3 - 2x3"
        << "x3 — произволно\nx1 = x3\nx2 = 3 - 2x3\n";
    QTest::newRow("2 equations in 3 unknowns")
        << Rows{{"1", "1", "1", "6"}, {"1", "-1", "2", "5"}}
        << "x3 — произволно\nx1 = 11/2 - (3/2)x3\nx2 = 1/2 + (1/2)x3"
        << "x3 — произволно\nx1 = 11/2 - (3/2)x3\nx2 = 1/2 + (1/2)x3\n";
    QTest::newRow("3 equations in 2 unknowns")
        << Rows{{"1", "1", "3"}, {"1", "-1", "1"}, {"2", "1", "5"}}
        << "5 операции, 10 подсказки; методът на програмата: 5\nx1 = 2; x2 = 1"
        << "решението е:\nx1=\t2\nx2=\t1\n";
}

// The hints lead to the end, which the panel says and the copy carries like a
// solve's working.
void TestPractice::byHints()
{
    QFETCH(Rows, system);
    QFETCH(QString, end);
    QFETCH(QString, copied);
    start(system);
    QTest::keyClick(inPanel<QLineEdit>("Operation"), Qt::Key_B, Qt::ControlModifier);
    Board *board = nullptr; // it follows the working
    for (QWidget *w : QApplication::topLevelWidgets())
        board = board ? board : qobject_cast<Board *>(w);
    QVERIFY(board);
    QLineEdit *line = inPanel<QLineEdit>("Operation");
    for (int i = 0; i < 20 && !status().endsWith(end); ++i) {
        if (i == 1) { // one operation made: the system and its step, no end yet
            QCOMPARE(board->pages(), 2);
            QCOMPARE(board->page(), 1);
            QVERIFY(board->current().texts.first().text.endsWith(QStringLiteral("(реши сам)")));
        }
        if (end.startsWith("Обратно") && status().contains("Триъгълен вид: остава обратното")) {
            QCOMPARE(inPanel<QListWidget>("Operations")->count(), 5);
            inPanel<QAbstractButton>("BackSubstitution")->click();
            continue;
        }
        QTest::keyClick(line, Qt::Key_F1);
        QVERIFY(status().startsWith(QStringLiteral("Подсказка: водещият елемент е в ред ")));
        QVERIFY(line->text().isEmpty());
        QTest::keyClick(line, Qt::Key_F1);
        QVERIFY(!line->text().isEmpty());
        QTest::keyClick(line, Qt::Key_Return);
        QVERIFY(line->text().isEmpty());
    }
    QVERIFY2(status().endsWith(end), qPrintable(status()));
    QCOMPARE(board->pages(), inPanel<QListWidget>("Operations")->count() + 2);
    board->close();
    const bool solved = system == example;
    const QStringList values = solved                   ? QStringList{"2", "3", "-1"}
                               : end.endsWith("x2 = 1") ? QStringList{"2", "1", ""}
                                                        : QStringList{"", "", ""};
    QCOMPARE(valueTexts(window).mid(0, 3), values);
    if (solved) {
        QCOMPARE(inPanel<QListWidget>("Operations")->count(), 9);
        QCOMPARE(blockTexts(window, 3),
                 (Rows{{"1", "0", "0", "2"}, {"0", "1", "0", "3"}, {"0", "0", "1", "-1"}}));
    }

    // The window's copy key reaches it from the panel too.
    QTest::keyClick(line, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QString text = QApplication::clipboard()->text();
    QVERIFY(text.startsWith(QStringLiteral("първоначален вид на системата:\n") +
                            system[0].join(u'\t')));
    QVERIFY2(text.endsWith(copied), qPrintable(text));
    // The panel grows with the window's zoom, as the step boxes do.
    const qreal points = panel()->font().pointSizeF();
    const QWidget *own = inPanel<QWidget>("OwnArithmetic");
    QTest::keyClick(line, Qt::Key_Plus, Qt::ControlModifier);
    QTRY_COMPARE(panel()->font().pointSizeF(), points * 1.25);
    QCOMPARE(own->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, own),
             qRound(QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth) * 1.25));
    QTest::keyClick(line, Qt::Key_0, Qt::ControlModifier);
    // In full screen Esc still ends the practice from the panel, and leaves
    // full screen only from the window.
    QTest::keyClick(line, Qt::Key_F11);
    QTRY_VERIFY(window->isFullScreen());
    panel()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(panel()));
    QTest::keyClick(line, Qt::Key_Escape);
    QTRY_VERIFY(!panel());
    QVERIFY(window->isFullScreen());
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_Escape);
    QTRY_VERIFY(!window->isFullScreen());
    QVERIFY(!cellOf(window, 1, 1)->isReadOnly());
    if (solved)
        QVERIFY2(text.contains(QStringLiteral("(РЕШИ САМ) стъпка:2\nред 2 = ред 2 + 3 · ред 1\n"
                                              "1\t0,5\t-0,5\t4\n0\t0,5\t0,5\t1\n-2\t1\t2\t-3\n")),
                 qPrintable(text));
}

void TestPractice::refusals_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("said");
    QTest::newRow("unreadable") << "р2 = р2 - 3/x р1"
                                << "Не разбирам „3/x“: тук трябва число, например 3, -1,5 или 3/2.";
    QTest::newRow("row outside") << "р4 : 2"
                                 << "Системата има редове от 1 до 3; ред 4 не е сред тях.";
    QTest::newRow("other row outside") << "р1 <-> р0"
                                       << "Системата има редове от 1 до 3; ред 0 не е сред тях.";
    QTest::newRow("divide by 0") << "р1 : 0"
                                 << "На 0 не се дели.";
    QTest::newRow("multiply by 0") << "р3 · 0,0"
                                   << "Умножен по 0, ред 3 губи уравнението си.";
    QTest::newRow("combined, own factor 0") << "р3 = 0р3 + р1"
                                            << "Умножен по 0, ред 3 губи уравнението си.";
    QTest::newRow("keyboard signs") << "р2 ? р1"
                                    << "Не разбирам „?“: тук трябва знак: „=“, „<->“, „:“, „/“, "
                                       "„*“, „+“ или „-“.\nФормите за ред 2: ред 2 = ред 2 − 3 "
                                       "· ред 1; ред 2 = 2 · ред 2 + 3 · ред 1; ред 2 = ред 2 : "
                                       "(2); ред 2 ↔ ред 1.";
    QTest::newRow("one of two, and neither applied")
        << "р2 - р1, р4 : 2"
        << "Операция 2 от 2: Системата има редове от 1 до 3; ред 4 не е сред тях.";
    QTest::newRow("a row to itself")
        << "р2 = р2 + 2р2"
        << "Към ред 2 не се добавя кратно на самия него; изберете друг ред.";
}

// Said in the panel and to a screen reader; the grid and the list unchanged.
void TestPractice::refusals()
{
    QFETCH(QString, operation);
    QFETCH(QString, said);
    start();
    enter(operation);
    QCOMPARE(status(), said);
    QCOMPARE(blockTexts(window, 3), example);
    QCOMPARE(inPanel<QListWidget>("Operations")->count(), 0);
    QCOMPARE(inPanel<QLineEdit>("Operation")->text(), operation);
    auto *announcer = panel()->findChild<Announcer *>();
    QVERIFY(announcer);
    QCOMPARE(announcer->sentence(), said);
}

// The changed row is the student's to compute; right cells are kept, wrong
// ones named until right or shown; back goes to the system as typed.
void TestPractice::hintLevels_data()
{
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("said");
    const char *divide = "ред 1 = ред 1 : (2)";
    QTest::newRow("the pivot") << 1 << ""
                               << "Подсказка: водещият елемент е в ред 1, колона 1; той е 2, а "
                                  "трябва да е 1.";
    QTest::newRow("the operation") << 2 << divide << "Подсказка: ред 1 = ред 1 : (2)";
    QTest::newRow("the row it makes")
        << 3 << divide << "Подсказка: ред 1 = ред 1 : (2)\nТя дава ред 1: 1; 0,5; -0,5; 4";
    QTest::newRow("no further") << 4 << divide
                                << "Подсказка: ред 1 = ред 1 : (2)\nТя дава ред 1: 1; 0,5; -0,5; 4";
}

// Each F1 gives away a little more of the next operation, and an operation
// made starts again from the pivot.
void TestPractice::hintLevels()
{
    QFETCH(int, presses);
    QFETCH(QString, line);
    QFETCH(QString, said);
    start();
    QLineEdit *operation = inPanel<QLineEdit>("Operation");
    for (int i = 0; i < presses; ++i)
        QTest::keyClick(operation, Qt::Key_F1);
    QCOMPARE(operation->text(), line);
    QCOMPARE(status(), said);
    enter(QStringLiteral("р1 : 2"));
    QTest::keyClick(operation, Qt::Key_F1);
    QVERIFY(operation->text().isEmpty());
    QVERIFY(status().contains(QStringLiteral("в ред 2 на тази колона стои -3")));
}

void TestPractice::ready_data()
{
    QTest::addColumn<Rows>("system");
    QTest::addColumn<QString>("operations");
    QTest::addColumn<QString>("said"); // how the status begins
    const char *neither =
        "Още не е готово.\nСтъпаловиден вид: не.\nПриведен стъпаловиден вид: не.\n";
    QTest::newRow("as typed") << example << ""
                              << neither + QString("Първото нарушение: ред 2, x1 е -3, а под "
                                                   "стъпалото на ред 1 трябва 0.");
    QTest::newRow("triangle") << example
                              << "р1 : 2; р2 + 3р1; р3 + 2р1; р2 : (1/2); р3 - 2р2; р3 : -1"
                              << "Още не е готово.\nСтъпаловиден вид: да.\nПриведен стъпаловиден "
                                 "вид: не.\nПървото нарушение: ред 1, x2 е 0,5, а над водещия "
                                 "елемент на ред 2 трябва 0.";
    const char *both = "Готово.\nСтъпаловиден вид: да.\nПриведен стъпаловиден вид: да.\n";
    QTest::newRow("a pivot not 1")
        << Rows{{"2", "0", "2"}, {"0", "1", "3"}} << ""
        << "Още не е готово.\nСтъпаловиден вид: да.\nПриведен стъпаловиден "
           "вид: не.\nПървото нарушение: водещият елемент ред 1, x1 е 2";
    QTest::newRow("a dependent row")
        << Rows{{"1", "2", "3"}, {"2", "4", "6"}} << "2р2 - 4р1 → р2"
        << both + QString("Ред 2 е 0 = 0: уравнението зависи от другите.\nСистемата има безброй");
    QTest::newRow("a contradiction")
        << Rows{{"0", "0", "5"}, {"1", "2", "3"}} << ""
        << "Готово.\nСтъпаловиден вид: не.\nПриведен стъпаловиден вид: не.\nПървото нарушение: "
           "ред 1 е от нули, а под него ред 2 не е; редовете от нули са последни.\nРед 1 е 0 = 5: "
           "противоречие, системата няма решение.";
}

// "Готово ли е?" (F2) tells the forms, the first cell that breaks them, and
// the rows of zeros; the same is spoken when the panel closes before the end.
void TestPractice::ready()
{
    QFETCH(Rows, system);
    QFETCH(QString, operations);
    QFETCH(QString, said);
    start(system);
    if (!operations.isEmpty())
        enter(operations);
    QTest::keyClick(inPanel<QLineEdit>("Operation"), Qt::Key_F2);
    QVERIFY2(status().startsWith(said), qPrintable(status()));
    auto *announcer = panel()->findChild<Announcer *>();
    QCOMPARE(announcer->sentence(), status());
}

void TestPractice::ownArithmetic()
{
    start();
    inPanel<QCheckBox>("OwnArithmetic")->setChecked(true);
    enter(QStringLiteral("р2 = р2 + 3/2 р1")); // gives 0 1/2 1/2 1
    QCOMPARE(blockTexts(window, 3)[1], (QStringList{"", "", "", ""}));
    QCOMPARE(cellOf(window, 2, 1)->placeholderText(), QStringLiteral("-3"));
    QCOMPARE(cellOf(window, 2, 1)->accessibleDescription(), QStringLiteral("предишна стойност -3"));
    QVERIFY(cellOf(window, 1, 1)->isReadOnly());
    const QStringList typed{"0", "½", "0,6", "1/1"}; // read as the cells are
    for (int c = 1; c <= 4; ++c) {
        QVERIFY(!cellOf(window, 2, c)->isReadOnly());
        QTest::keyClicks(cellOf(window, 2, c), typed[c - 1]);
        QTest::keyClick(cellOf(window, 2, c), Qt::Key_Return);
    }
    QVERIFY(
        status().startsWith(QStringLiteral("Грешно: ред 2, x3 — сметка: грешка в тази клетка.")));
    QCOMPARE(inPanel<QListWidget>("Operations")->count(), 0);
    for (int c : {1, 2, 4})
        QVERIFY(cellOf(window, 2, c)->isReadOnly());
    QVERIFY(!cellOf(window, 2, 3)->isReadOnly());
    QTRY_COMPARE(QApplication::focusWidget(), cellOf(window, 2, 3));
    QTest::keyClicks(cellOf(window, 2, 3), QStringLiteral("(1/2)"));
    QTest::keyClick(cellOf(window, 2, 3), Qt::Key_Return);
    QCOMPARE(inPanel<QListWidget>("Operations")->count(), 1);
    QCOMPARE(blockTexts(window, 3)[1], (QStringList{"0", "0,5", "0,5", "1"}));
    QTRY_COMPARE(QApplication::focusWidget(), inPanel<QLineEdit>("Operation"));

    enter(QStringLiteral("р3 = р3 + р1")); // gives 0 2 1 5; 0,3333333 is not 2
    QTest::keyClicks(cellOf(window, 3, 2), QStringLiteral("0,3333333"));
    inPanel<QAbstractButton>("Check")->click();
    QVERIFY(
        status().startsWith(QStringLiteral("Грешно: ред 3, x2 — сметка: грешка в тази клетка.\nНе "
                                           "е попълнено: ред 3, x1; ред 3, x3; ред 3, "
                                           "дясна страна.")));
    inPanel<QAbstractButton>("Show")->click();
    QCOMPARE(blockTexts(window, 3)[2], (QStringList{"0", "2", "1", "5"}));
    QTest::keyClick(cellOf(window, 3, 1), Qt::Key_Return);
    QCOMPARE(inPanel<QListWidget>("Operations")->count(), 2);
    // The record handed in keeps each slip with how it was mended.
    QTest::keyClick(inPanel<QLineEdit>("Operation"), Qt::Key_C,
                    Qt::ControlModifier | Qt::ShiftModifier);
    const QString slip = QStringLiteral(" — сметка: грешка в тази клетка.\n");
    const QString copied = QApplication::clipboard()->text();
    QVERIFY(copied.contains("3/2 · ред 1\nГрешно: ред 2, x3" + slip + "Поправено.\n2\t1\t-1"));
    QVERIFY(copied.contains("+ ред 1\nГрешно: ред 3, x2" + slip + "Показан верният ред.\n"));

    // Enter in the last cell checks the row: an empty cell is not a wrong
    // one, a rounding is told as one, and a right cell is marked and spoken so.
    enter(QStringLiteral("р1 : 3")); // gives 2/3 1/3 -1/3 8/3
    for (const int c : {1, 2, 4})
        QTest::keyClicks(cellOf(window, 1, c), QStringList{"0,67", "0,34", "", "8/3"}[c - 1]);
    QTest::keyClick(cellOf(window, 1, 4), Qt::Key_Return);
    QVERIFY(status().startsWith("Грешно: ред 1, x1 (закръглено: точно 2/3); ред 1, x2.\n"
                                "Не е попълнено: ред 1, x3.\n"));
    QVERIFY(cellOf(window, 1, 4)->findChild<QLabel *>("RightMark"));
    QCOMPARE(cellOf(window, 1, 4)->accessibleDescription(), QStringLiteral("вярно"));
    QVERIFY(!cellOf(window, 1, 1)->findChild<QLabel *>("RightMark"));
    inPanel<QAbstractButton>("Back")->click();
    inPanel<QLineEdit>("Operation")->clear();

    QLineEdit *line = inPanel<QLineEdit>("Operation");
    QTest::keyClick(line, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(line, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(line, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(status(), QStringLiteral("Това е системата, както е въведена."));
    QCOMPARE(blockTexts(window, 3), example);
    QCOMPARE(inPanel<QListWidget>("Operations")->count(), 0);

    // Two operations on a line: each row in turn, then the next line as well.
    enter(QStringLiteral("р2 + 3/2 р1; р3 + р1"));
    for (int row : {2, 3}) {
        QVERIFY(!cellOf(window, row, 1)->isReadOnly());
        inPanel<QAbstractButton>("Show")->click();
        QTest::keyClick(cellOf(window, row, 1), Qt::Key_Return);
    }
    inPanel<QCheckBox>("OwnArithmetic")->setChecked(false);
    enter(QStringLiteral("р1 <-> р2, р1 · -2"));
    QCOMPARE(inPanel<QListWidget>("Operations")->count(), 4);
    QCOMPARE(blockTexts(window, 3)[0], (QStringList{"0", "-1", "-1", "-2"}));
}

void TestPractice::ownCells_data()
{
    QTest::addColumn<QString>("operation"); // on 1 0 | 9827553, 1 1 | 1
    QTest::addColumn<QString>("typed");     // row 1 as the student computes it
    QTest::addColumn<QString>("told");      // a line of what the panel says then
    const char *tie = "Ред 1, дясна страна — закръглено: точно 4913776,5.";
    for (const auto &[name, operation, typed, told] :
         {std::array{"as the grid shows it", "р1 · 100000000", "1E+08 0 9,827553E+14",
                     "ред 1: 1E+08; 0; 9,827553E+14"},
          {"lower-case e", "р1 · 100000000", "1e8 0 9,827553e14", "ред 1: 1E+08; 0; 9,827553E+14"},
          {"negative exponent", "р1 : (-100000)", "-1E-05 0 -98,27553",
           "ред 1: -1E-05; 0; -98,27553"},
          {"seven digits, exact", "р1 · 12345680", "1,234568E+07 0 121327824521040",
           "ред 1: 1,234568E+07; 0; 1,213278E+14"},
          {"rounded", "р1 : 3", "0,3333333 0 3275851", "Ред 1, x1 — закръглено: точно 1/3."},
          {"tie as the grid rounds it", "р1 : 2", "0,5 0 4913777", tie},
          {"tie as the answer rounds it", "р1 : 2", "0,5 0 4913776", tie},
          {"one off in the seventh digit", "р1 : 2", "0,5 0 4913775",
           "Грешно: ред 1, дясна страна — дясната страна е сметната другояче от лявата, а "
           "коефициентите са верни."},
          {"the multiple added", "р1 - 2р2", "3 2 9827555",
           "Грешно: ред 1, x1; ред 1, x2; ред 1, дясна страна — знак: редът е сметнат като "
           "„ред 1 = ред 1 + 2 · ред 2“."},
          {"right-hand side as it was", "р1 - 2р2", "-1 -2 9827553",
           "Грешно: ред 1, дясна страна — дясната страна е останала както беше, а операцията "
           "се прилага и на нея."}})
        QTest::newRow(name) << QString(operation) << QString(typed) << QString(told);
}

// The student's cells are read as the system's are, exponents and all; a
// value the grid would show rounded, either way at a tie, is right and told so.
void TestPractice::ownCells()
{
    QFETCH(QString, operation);
    QFETCH(QString, typed);
    QFETCH(QString, told);
    start({{"1", "0", "9827553"}, {"1", "1", "1"}});
    inPanel<QCheckBox>("OwnArithmetic")->setChecked(true);
    enter(operation);
    for (int c = 1; c <= 3; ++c)
        cellOf(window, 1, c)->setText(typed.section(u' ', c - 1, c - 1));
    inPanel<QAbstractButton>("Check")->click();
    QVERIFY2(status().split(u'\n').contains(told), qPrintable(status()));
    QCOMPARE(inPanel<QListWidget>("Operations")->count(), told.startsWith("Грешно") ? 0 : 1);
}

// After the switch to fractions the panel, the working and a hover over a
// cell, which works while the panel is the active window, show fractions.
void TestPractice::followsTheView()
{
    start();
    enter(QStringLiteral("р1 : 3"));
    QVERIFY(status().contains(QStringLiteral("ред 1: 0,6666667; 0,3333333; -0,3333333; 2,666667")));
    QLineEdit *line = inPanel<QLineEdit>("Operation");
    QTest::keyClick(line, Qt::Key_D, Qt::ControlModifier);
    QVERIFY2(status().contains(QStringLiteral("ред 1: 2/3; 1/3; -1/3; 8/3")), qPrintable(status()));
    QTest::keyClick(line, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(QApplication::clipboard()->text().contains(QStringLiteral("2/3\t1/3\t-1/3\t8/3")));
    QTest::mouseMove(cellOf(window, 1, 2));
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("десетично 0,3333333"));
    QTest::keyClick(line, Qt::Key_D, Qt::ControlModifier);
}

// The system is read as the solve reads it, and a bad cell is told the same way.
void TestPractice::badCellOpensNothing()
{
    arrangeFor(window, 2);
    typeSystem(window, {{"1", "1", "3"}, {"1", "", "1"}});
    MessageAnswerer answerer(window);
    QTest::keyClick(cellOf(window, 1, 1), Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(answerer.seen.size(), 1);
    QVERIFY(answerer.seen[0].text.startsWith("В клетката на ред 2, колона 2 няма число.\n"));
    QVERIFY(!panel());
}

QTEST_MAIN(TestPractice)
#include "tst_practice.moc"

void TestPractice::newExercise_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("lowest"); // a range too narrow is told, and mended to -5
    QTest::addColumn<int>("verdict");
    QTest::newRow("one, 3") << 0 << 3 << -5 << int(gauss::Verdict::One);
    QTest::newRow("none, 2") << 1 << 2 << -5 << int(gauss::Verdict::None);
    QTest::newRow("many, 5, after a range too narrow") << 2 << 5 << 4 << int(gauss::Verdict::Many);
}

// Ctrl+N twice: two exercises of the kind, arranged and typed in, never the
// same; then Ctrl+R practises the second.
void TestPractice::newExercise()
{
    QFETCH(int, kind);
    QFETCH(int, size);
    QFETCH(int, lowest);
    QFETCH(int, verdict);
    MessageAnswerer answerer(window);
    QList<Rows> typed;
    for (int time = 0; time < 2; ++time) {
        auto *poll = new QTimer(window);
        connect(poll, &QTimer::timeout, window, [&, poll] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || dialog->objectName() != QStringLiteral("ExerciseDialog"))
                return;
            poll->deleteLater();
            dialog->findChild<QComboBox *>("kind")->setCurrentIndex(kind);
            dialog->findChild<QSpinBox *>("size")->setValue(size);
            dialog->findChild<QSpinBox *>("lowest")->setValue(lowest);
            dialog->findChild<QSpinBox *>("highest")->setValue(5);
            QTest::keyClick(dialog, Qt::Key_Return);
            dialog->findChild<QSpinBox *>("lowest")->setValue(-5);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        poll->start(10);
        QTest::keyClick(window, Qt::Key_N, Qt::ControlModifier);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        typed << blockTexts(window, size);
        gauss::ExactMatrix a;
        for (int r = 1; r <= size; ++r)
            for (int c = 1; c <= size + 1; ++c)
                QVERIFY(gauss::readExact(typed.last()[r - 1][c - 1], a[r][c]));
        QCOMPARE(int(gauss::solveExactly(a, size, size).verdict.kind), verdict);
        QCOMPARE(window->solverState().n, size);
    }
    QVERIFY(typed[0] != typed[1]);
    QCOMPARE(answerer.seen.size(), lowest > -5 ? 2 : 0);
    if (lowest > -5)
        QVERIFY(answerer.seen[0].text.contains("твърде тесен"));
    QTest::keyClick(window, Qt::Key_R, Qt::ControlModifier);
    QTRY_VERIFY(panel());
}

void TestPractice::withParameter_data()
{
    QTest::addColumn<Rows>("system");
    QTest::addColumn<QStringList>("operations"); // of the general case, typed
    QTest::addColumn<QStringList>("told");       // after each, what the status holds
    QTest::addColumn<QString>("end");            // after every case, by hints
    QTest::addColumn<QString>("d");              // the student's D, checked from the panel
    QTest::addColumn<QString>("dSaid");
    QTest::newRow("x + ay = 2, ax + 4y = 4")
        << Rows{{"1", "a", "2"}, {"a", "4", "4"}}
        << QStringList{"р2 = р2 - a р1", "р2 : (4 - a²)", "р1 - a р2"}
        << QStringList{"ред 2: 0; -a² + 4; -2a + 4",
                       "При a = -2 делите на нула: разгледайте a = -2 отделно.\n"
                       "При a = 2 делите на нула: разгледайте a = 2 отделно.",
                       "Общият случай е решен за 3 операции; методът на програмата: 3\n"
                       "при a ≠ -2 и a ≠ 2: единствено решение x1 = 4/(a + 2), x2 = 2/(a + 2) "
                       "(ранг A = 2, ранг [A|b] = 2)\nОстава да разгледате: a = -2, a = 2. "
                       "„Следващ случай“ (Alt+С) започва a = -2."}
        << "Всички случаи са разгледани:\n"
           "при a ≠ -2 и a ≠ 2: единствено решение x1 = 4/(a + 2), x2 = 2/(a + 2) "
           "(ранг A = 2, ранг [A|b] = 2)\nпри a = -2: няма решение (ред 2: 0 = 8) (ранг A = 1, "
           "ранг [A|b] = 2)\nпри a = 2: безброй решения x1 = 2 - 2x2, x2 — произволно (ранг A = "
           "1, ранг [A|b] = 1)"
        << "4 - a^2"
        << "Вярно: D = -(a - 2)(a + 2).";
    // Irrational values are the analysis's: no numeric practice can reach them.
    QTest::newRow("x + ay = 1, ax + 2y = 1")
        << Rows{{"1", "a", "1"}, {"a", "2", "1"}}
        << QStringList{"р2 : (a + b)", "р2 = р2 - a р1", "р2 : (2 - a²)", "р1 - a р2"}
        << QStringList{"Не разбирам „(a + b)“: изразът с параметъра се пише като 2a",
                       "ред 2: 0; -a² + 2; -a + 1",
                       "При a² - 2 = 0 делите на нула: разгледайте a² - 2 = 0 отделно.",
                       "Общият случай е решен за 3 операции; методът на програмата: 3"}
        << "Всички случаи са разгледани:\nпри a² - 2 ≠ 0: единствено решение x1 = (a - 2)/(a² - "
           "2), x2 = (a - 1)/(a² - 2) (ранг A = 2, ранг [A|b] = 2)\nпри a² - 2 = 0, т.е. a = ±√2: "
           "няма решение (ред 2: 0 = -a + 1) (ранг A = 1, ранг [A|b] = 2) (по анализа на "
           "програмата)"
        << "a^2 - 2"
        << "Не е вярно: при a = 0 вашата D е −2, а D е 2.";
    // The general case by hints too: a double root, and a value where it is a triple one.
    QTest::newRow("symmetric 3 × 3, by hints")
        << Rows{{"a", "1", "1", "1"}, {"1", "a", "1", "1"}, {"1", "1", "a", "1"}} << QStringList()
        << QStringList()
        << "при a = -2: няма решение (ред 3: 0 = 3) (ранг A = 2, ранг [A|b] = 3)\n"
           "при a = -1: единствено решение x1 = 1, x2 = 1, x3 = 1\nпри a = 1: безброй решения "
           "x1 = 1 - x2 - x3, x2, x3 — произволни (ранг A = 1, ранг [A|b] = 1)"
        << "(a - 1)^2 (a + 2)"
        << "Вярно: D = (a + 2)(a - 1)².";
}

// The general case worked with the parameter, each division by an expression
// warned of; then each case that remains as its numeric system, and the
// verdict over all of them.
void TestPractice::withParameter()
{
    QFETCH(Rows, system);
    QFETCH(QStringList, operations);
    QFETCH(QStringList, told);
    QFETCH(QString, end);
    QFETCH(QString, d);
    QFETCH(QString, dSaid);
    start(system);
    QVERIFY(!inPanel<QWidget>("OwnArithmetic")->isEnabled());
    QTest::keyClick(inPanel<QLineEdit>("Operation"), Qt::Key_B, Qt::ControlModifier);
    Board *board = nullptr; // it follows the working, every case's steps included
    for (QWidget *w : QApplication::topLevelWidgets())
        board = board ? board : qobject_cast<Board *>(w);
    QVERIFY(board);
    panel()->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), panel());
    {
        QTimer *poll = answerInputs(window, d);
        MessageAnswerer answerer(window);
        inPanel<QAbstractButton>("CheckDeterminant")->click();
        delete poll;
        QCOMPARE(answerer.seen.value(0).text, dSaid);
        QTRY_COMPARE(QApplication::activeWindow(), panel());
    }
    for (int i = 0; i < operations.size(); ++i) {
        enter(operations[i]);
        QVERIFY2(status().contains(told[i]), qPrintable(status()));
    }
    // By hints, each read back from the line, to each end and on to the next case.
    QLineEdit *line = inPanel<QLineEdit>("Operation");
    const auto ended = [this] {
        return inPanel<QWidget>("NextCase")->isVisible() || status().contains("Всички случаи");
    };
    for (int cases = 0; cases < 4 && !status().contains("Всички случаи"); ++cases) {
        if (inPanel<QWidget>("NextCase")->isVisible()) {
            inPanel<QAbstractButton>("NextCase")->click();
            QVERIFY(inPanel<QWidget>("OwnArithmetic")->isEnabled());
        }
        for (int i = 0; i < 20 && !ended(); ++i) {
            QTest::keyClick(line, Qt::Key_F1);
            QTest::keyClick(line, Qt::Key_F1);
            QTest::keyClick(line, Qt::Key_Return);
            QVERIFY2(line->text().isEmpty(), qPrintable(line->text() + u'\n' + status()));
        }
    }
    QVERIFY2(status().endsWith(end), qPrintable(status()));
    QTest::keyClick(line, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QString text = QApplication::clipboard()->text();
    QVERIFY2(text.endsWith(end + u'\n'), qPrintable(text));
    QCOMPARE(board->pages(), text.count("(РЕШИ САМ)") + 2);
    QVERIFY(!valueTexts(window).value(0).isEmpty()); // the general solution beside x1
    if (!told.isEmpty())
        QVERIFY(text.contains(told[told.size() - 2].section(u'.', 0, 0).toLower()));
}

// Over random systems with a parameter, the method's every operation is
// written so that it reads back as itself, and its end is the analysis's
// general solution, which the reduced form, being unique, must be.
void TestPractice::generalByTheMethod()
{
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> small(-3, 3);
    const gauss::Polynomial a = gauss::Polynomial::variable();
    for (int trial = 0; trial < 40; ++trial) {
        const int n = 2 + trial % 3;
        gauss::ParametricSystem system{n, n, u'a', {}};
        for (int r = 0; r < n; ++r) {
            system.a.emplace_back();
            for (int c = 0; c <= n; ++c)
                system.a.back().push_back(gauss::Polynomial(small(random)) +
                                          (r == c || c == n ? a * gauss::Polynomial(small(random))
                                                            : gauss::Polynomial()));
        }
        const gauss::ParameterAnalysis analysis = gauss::analyseParameter(system);
        ParameterTour tour(analysis);
        for (int step = 0; gauss::endOf(tour.general().current()) == gauss::End::Going; ++step) {
            QVERIFY(step < 4 * n * n);
            const gauss::ParameterOperation op = gauss::nextOfMethod(tour.general().current());
            const QString text = RowNotation::text(op, u'a');
            QVERIFY2(RowNotation::read(text, u'a').operation == op, qPrintable(text));
            tour.apply(op);
        }
        const gauss::ParameterSystem &end = tour.general().current();
        QCOMPARE(gauss::contradiction(end) != 0, analysis.general.kind == gauss::Verdict::None);
        for (const auto &bound : analysis.general.bound)
            if (analysis.general.kind == gauss::Verdict::One)
                QVERIFY(end.a[bound.unknown][n + 1] == bound.constant);
    }
}
