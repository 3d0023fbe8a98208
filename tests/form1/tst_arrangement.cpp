// Start-up, the choice of the system's size and clearing: which cells show as
// the block, what stands between them, and that nothing of an earlier
// arrangement or solution survives.

#include "form1.h"
#include "startup.h"
#include "windowdriver.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace
{

const QColor green(0, 192, 0);
const QColor teal(0, 128, 128);
QColor entry()
{
    return QApplication::palette().color(QPalette::Base);
}

QColor background(QLineEdit *cell)
{
    return cell->palette().color(QPalette::Base);
}

// Fills every cell and every label of the grid and the solution area, so that
// what an arrangement or clearing leaves behind shows.
void scribble(QWidget *window)
{
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 10; ++c)
            cellOf(window, r, c)->setText(QStringLiteral("%1").arg(r * c));
        for (int c = 0; c <= 9; ++c)
            labelOf(window, 10 * r + c)->setText(QStringLiteral("?"));
        labelOf(window, r)->setText(QStringLiteral("?"));
    }
}

// The state that arranging n equations must leave, whatever came before.
void verifyArranged(Form1 *window, int n)
{
    QCOMPARE(int(window->solverState().n), n);
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 10; ++c) {
            QLineEdit *cell = cellOf(window, r, c);
            const bool inBlock = r <= n && c <= n + 1;
            QVERIFY2(cell->text().isEmpty(), qPrintable(cell->objectName()));
            QVERIFY2(background(cell) == (inBlock ? entry() : green),
                     qPrintable(cell->objectName()));
        }
        for (int c = 1; c <= 9; ++c) {
            QLabel *label = labelOf(window, 10 * r + c);
            QString expected;
            if (r <= n && c < n)
                expected = QStringLiteral(".x%1+").arg(c);
            else if (r <= n && c == n)
                expected = QStringLiteral(".x%1=").arg(n);
            QCOMPARE(label->text(), expected);
            QCOMPARE(label->palette().color(QPalette::Window), green);
        }
        QVERIFY(labelOf(window, r)->text().isEmpty());
        QVERIFY(labelOf(window, 10 * r)->text().isEmpty());
        QCOMPARE(labelOf(window, r)->palette().color(QPalette::Window), teal);
        QCOMPARE(labelOf(window, 10 * r)->palette().color(QPalette::Window), teal);
    }
    QCOMPARE(labelOf(window, 100)->text(), QStringLiteral("РЕШЕНИЕ"));
    QVERIFY(!labelOf(window, 101)->text().isEmpty());
}

// No block at all: the state after clearing.
void verifyCleared(Form1 *window)
{
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 10; ++c) {
            QVERIFY(cellOf(window, r, c)->text().isEmpty());
            QCOMPARE(background(cellOf(window, r, c)), green);
        }
        for (int c = 0; c <= 9; ++c)
            QVERIFY(labelOf(window, 10 * r + c)->text().isEmpty());
        QVERIFY(labelOf(window, r)->text().isEmpty());
        QCOMPARE(labelOf(window, r)->palette().color(QPalette::Window), teal);
    }
    QCOMPARE(labelOf(window, 100)->text(), QStringLiteral("РЕШЕНИЕ"));
}

QRadioButton *optionOf(QWidget *window, int n)
{
    return window->findChild<QRadioButton *>(QStringLiteral("Option%1").arg(n - 1));
}

} // namespace

class TestArrangement : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(); }
    void init() { window = new Form1; }
    void cleanup() { delete window; }

    void startUp();
    void sizes_data();
    void sizes();
    void largerThenSmaller();
    void sameSizeAgainEmpties();
    void optionAloneChangesNothing();
    void optionsAreOneGroup();
    void clearing_data();
    void clearing();

private:
    Form1 *window = nullptr;
};

void TestArrangement::startUp()
{
    QVERIFY(optionOf(window, 2)->isChecked());
    verifyArranged(window, 2);
    // Nothing of the solver has run yet.
    const gauss::SolverState &s = window->solverState();
    QCOMPARE(s.det, 0.0f);
    for (int r = 0; r < gauss::MatrixRows; ++r)
        for (int c = 0; c < gauss::MatrixColumns; ++c)
            QCOMPARE(s.a[r][c], 0.0f);
}

void TestArrangement::sizes_data()
{
    QTest::addColumn<int>("n");
    for (int n = 2; n <= 9; ++n)
        QTest::newRow(qPrintable(QStringLiteral("n=%1").arg(n))) << n;
}

void TestArrangement::sizes()
{
    QFETCH(int, n);
    scribble(window);
    arrangeFor(window, n);
    verifyArranged(window, n);
    QVERIFY(optionOf(window, n)->isChecked());
}

void TestArrangement::largerThenSmaller()
{
    arrangeFor(window, 7);
    scribble(window);
    arrangeFor(window, 3);
    verifyArranged(window, 3);
}

void TestArrangement::sameSizeAgainEmpties()
{
    arrangeFor(window, 4);
    typeSystem(window, {{"1", "2", "3", "4", "5"}});
    arrangeFor(window, 4);
    verifyArranged(window, 4);
}

void TestArrangement::optionAloneChangesNothing()
{
    arrangeFor(window, 4);
    typeSystem(window, {{"1", "2", "3", "4", "5"}, {"6", "7", "8", "9", "10"}});
    const QStringList before = gridTexts(window);
    const QColor colourOfText16 = background(cellOf(window, 1, 6));

    optionOf(window, 8)->click();
    QVERIFY(optionOf(window, 8)->isChecked());
    QCOMPARE(int(window->solverState().n), 4);
    QCOMPARE(gridTexts(window), before);
    QCOMPARE(background(cellOf(window, 1, 6)), colourOfText16);
    QCOMPARE(background(cellOf(window, 1, 5)), entry());
}

void TestArrangement::optionsAreOneGroup()
{
    for (int n = 2; n <= 9; ++n) {
        optionOf(window, n)->click();
        for (int m = 2; m <= 9; ++m)
            QCOMPARE(optionOf(window, m)->isChecked(), m == n);
    }
}

void TestArrangement::clearing_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("presses");
    QTest::newRow("start-up, once") << 2 << 1;
    QTest::newRow("start-up, twice") << 2 << 2;
    QTest::newRow("nine, once") << 9 << 1;
    QTest::newRow("five, twice") << 5 << 2;
}

void TestArrangement::clearing()
{
    QFETCH(int, size);
    QFETCH(int, presses);
    arrangeFor(window, size);
    scribble(window);
    for (int i = 0; i < presses; ++i)
        click(window, "Command2");
    verifyCleared(window);
    QCOMPARE(int(window->solverState().n), size);
    QVERIFY(optionOf(window, size)->isChecked());

    // A new arrangement brings the block back.
    click(window, "Command1");
    verifyArranged(window, size);
}

QTEST_MAIN(TestArrangement)
#include "tst_arrangement.moc"
