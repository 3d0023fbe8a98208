// Reading the block, the forward and backward steps, the solution and a whole
// solve without a window.

#include "elimination.h"
#include "exact.h"
#include "numbertext.h"
#include "record.h"
#include "singular.h"

#include <QLocale>
#include <QTest>
#include <cmath>
#include <limits>
#include <random>

using gauss::Outcome;
using gauss::RowOp;
using gauss::RowOps;
using gauss::SolveResult;
using Rows = QList<QList<float>>;
using TextRows = QList<QStringList>;

Q_DECLARE_METATYPE(Rows)

namespace
{

void load(gauss::SolverState &s, const Rows &rows)
{
    s.n = qint16(rows.size());
    for (int r = 1; r <= s.n; ++r)
        for (int c = 1; c <= s.n + 1; ++c) {
            s.a[r][c] = rows[r - 1][c - 1];
            s.exact.a[r][c] = double(s.a[r][c]);
        }
}

Rows block(const gauss::SolverState &s)
{
    Rows rows;
    for (int r = 1; r <= s.n; ++r) {
        rows.append(QList<float>());
        for (int c = 1; c <= s.n + 1; ++c)
            rows.last().append(s.a[r][c]);
    }
    return rows;
}

// Exact comparison of whole blocks (operator== on floats, no fuzz).
bool sameBlock(const Rows &actual, const Rows &expected)
{
    return actual == expected;
}

std::function<QString(int, int)> cells(const TextRows &rows)
{
    return [rows](int r, int c) { return rows.value(r - 1).value(c - 1); };
}

// The solve of s.n equations whose cells hold text.
SolveResult solveTexts(gauss::SolverState &s, const std::function<QString(int, int)> &text,
                       const std::function<void(const gauss::Step &)> &afterStep = {})
{
    return gauss::solve(
               s, [&] { return gauss::readBlock(s, s.n, text); }, afterStep)
        .result;
}

} // namespace

class TestElimination : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void readsTheBlock();
    void badCellStopsTheReading();
    void sizeOutsideTheRangeReadsNothing();
    void workedExample();
    void exchangeBeforeNormalising();
    void rotation();
    void tinyPivotUnchanged();
    void elementsFormedInDouble();
    void noPivotStopsAtRowN();
    void overflowBoundary_data();
    void overflowBoundary();
    void backwardStepOfFour();
    void solutionRounded();
    void whole_data();
    void whole();
    void exactToTheEnd_data();
    void exactToTheEnd();
    void singular_data();
    void singular();
    void earlierLargerSystemDoesNoHarm();
    void exactWorkingOfEveryShape_data();
    void exactWorkingOfEveryShape();
};

void TestElimination::readsTheBlock()
{
    gauss::SolverState s;
    s.a[1][4] = s.adet[1][4] = 77; // outside a 2x3 block
    QList<QPoint> read;
    auto text = [&](int r, int c) {
        read.append(QPoint(c, r));
        return QString::number(10 * r + c);
    };
    QVERIFY(gauss::readBlock(s, 2, text));
    QCOMPARE(read, (QList<QPoint>{{1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}}));
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c) {
            QCOMPARE_EXACT(s.a[r][c], 10 * r + c);
            QCOMPARE_EXACT(s.adet[r][c], 10 * r + c);
        }
    QCOMPARE_EXACT(s.a[1][4], 77);
    QCOMPARE_EXACT(s.adet[1][4], 77);
}

void TestElimination::badCellStopsTheReading()
{
    gauss::SolverState s;
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 4; ++c)
            s.a[r][c] = s.adet[r][c] = -1;
    const TextRows rows{{"1", "2", "3", "4"}, {"5", "", "7", "8"}, {"9", "10", "11", "12"}};
    int badRow = 0, badColumn = 0;
    QVERIFY(!gauss::readBlock(s, 3, cells(rows), &badRow, &badColumn));
    QCOMPARE(badRow, 2);
    QCOMPARE(badColumn, 2);
    QCOMPARE_EXACT(s.a[1][4], 4); // before the bad cell: stored
    QCOMPARE_EXACT(s.a[2][1], 5);
    QCOMPARE_EXACT(s.a[2][2], -1); // the bad cell and after: untouched
    QCOMPARE_EXACT(s.a[2][3], -1);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 4; ++c)
            QCOMPARE_EXACT(s.adet[r][c], -1); // no copy without every cell
}

void TestElimination::sizeOutsideTheRangeReadsNothing()
{
    for (qint16 n : {qint16(0), qint16(1), qint16(10), qint16(-3)}) {
        gauss::SolverState s;
        bool asked = false;
        QVERIFY(gauss::readBlock(s, n, [&](int, int) {
            asked = true;
            return QString();
        }));
        QVERIFY(!asked);
    }
}

// x1 + x2 = 3, x1 - x2 = 1, step by step.
void TestElimination::workedExample()
{
    gauss::SolverState s;
    load(s, {{1, 1, 3}, {1, -1, 1}});
    RowOps ops;
    QCOMPARE(gauss::forwardStep(s, 1, &ops), Outcome::Ok);
    QVERIFY(sameBlock(block(s), {{1, 1, 3}, {0, -2, -2}}));
    QCOMPARE(ops.size(), size_t(2));
    QCOMPARE(ops[0].kind, RowOp::Divide);
    QCOMPARE_EXACT(ops[0].factor, 1);
    QCOMPARE(ops[1].kind, RowOp::Eliminate);
    QCOMPARE(ops[1].row, qint16(2));
    QCOMPARE(ops[1].other, qint16(1));
    QCOMPARE_EXACT(ops[1].factor, 1);

    ops.clear();
    QCOMPARE(gauss::forwardStep(s, 2, &ops), Outcome::Ok);
    QVERIFY(sameBlock(block(s), {{1, 1, 3}, {0, 1, 1}}));
    QCOMPARE(ops.size(), size_t(1));
    QCOMPARE_EXACT(ops[0].factor, -2);

    ops.clear();
    QCOMPARE(gauss::backwardStep(s, 2, &ops), Outcome::Ok);
    QVERIFY(sameBlock(block(s), {{1, 0, 2}, {0, 1, 1}}));
    QCOMPARE(ops.size(), size_t(1));
    QCOMPARE(ops[0].row, qint16(1));
    QCOMPARE(ops[0].other, qint16(2));
    QCOMPARE_EXACT(ops[0].factor, 1);

    gauss::solution(s);
    QCOMPARE_EXACT(s.x[1], 2);
    QCOMPARE_EXACT(s.x[2], 1);
}

void TestElimination::exchangeBeforeNormalising()
{
    gauss::SolverState s;
    load(s, {{0, 1, 1}, {1, 1, 3}});
    RowOps ops;
    QCOMPARE(gauss::forwardStep(s, 1, &ops), Outcome::Ok);
    QVERIFY(sameBlock(block(s), {{1, 1, 3}, {0, 1, 1}}));
    QCOMPARE(ops[0].kind, RowOp::Exchange);
    QCOMPARE(ops[0].row, qint16(1));
    QCOMPARE(ops[0].other, qint16(2));
}

// Every try exchanges with row k, so the rows end in the order 3, 1, 2.
void TestElimination::rotation()
{
    gauss::SolverState s;
    load(s, {{0, 1, 1, 11}, {0, 2, 1, 22}, {1, 1, 1, 33}});
    RowOps ops;
    QCOMPARE(gauss::forwardStep(s, 1, &ops), Outcome::Ok);
    QVERIFY(sameBlock(block(s), {{1, 1, 1, 33}, {0, 1, 1, 11}, {0, 2, 1, 22}}));
    QCOMPARE(ops.size(), size_t(5));
    QCOMPARE(ops[0].kind, RowOp::Exchange);
    QCOMPARE(ops[0].other, qint16(2));
    QCOMPARE(ops[1].kind, RowOp::Exchange);
    QCOMPARE(ops[1].other, qint16(3));
    QCOMPARE(ops[2].kind, RowOp::Divide);
    QCOMPARE(ops[3].row, qint16(2)); // multipliers of zero are recorded too
    QCOMPARE_EXACT(ops[3].factor, 0);
    QCOMPARE(ops[4].row, qint16(3));
}

void TestElimination::tinyPivotUnchanged()
{
    gauss::SolverState s;
    const float tiny = std::numeric_limits<float>::denorm_min();
    load(s, {{tiny, 0, tiny}, {1, 1, 2}});
    RowOps ops;
    QCOMPARE(gauss::forwardStep(s, 1, &ops), Outcome::Ok);
    QCOMPARE(ops[0].kind, RowOp::Divide);
    QCOMPARE_EXACT(ops[0].factor, tiny);
    QVERIFY(sameBlock(block(s), {{1, 0, 1}, {0, 1, 1}}));
}

// -m * a + b is formed in double: (1 + 2^-23)^2 - (1 + 2^-22) is 2^-46, which
// float products would have lost.
void TestElimination::elementsFormedInDouble()
{
    const float e = 1.0f + std::ldexp(1.0f, -23);
    const float f = 1.0f + std::ldexp(1.0f, -22);
    gauss::SolverState s;
    load(s, {{1, e, 0}, {e, f, 0}});
    QCOMPARE(gauss::forwardStep(s, 1), Outcome::Ok);
    QCOMPARE_EXACT(s.a[2][2], -std::ldexp(1.0f, -46));
    QVERIFY(e * e - f == 0); // the same in float
}

void TestElimination::noPivotStopsAtRowN()
{
    gauss::SolverState s;
    load(s, {{1, 2, 3, 4}, {0, 0, 5, 6}, {0, 0, 7, 8}});
    s.a[4][2] = 99; // below the block: must never be brought up
    s.a[4][3] = 98;
    QCOMPARE(gauss::forwardStep(s, 1), Outcome::Ok);
    RowOps ops;
    QCOMPARE(gauss::forwardStep(s, 2, &ops), Outcome::NoPivot);
    QCOMPARE(ops.size(), size_t(1)); // row 3 tried, then the search stopped
    QCOMPARE(ops[0].other, qint16(3));
    QCOMPARE_EXACT(s.a[4][2], 99);
    QCOMPARE_EXACT(s.a[4][3], 98);
    QCOMPARE(s.p, qint16(3));

    load(s, {{1, 1, 1}, {1, 1, 1}});
    QCOMPARE(gauss::forwardStep(s, 1), Outcome::Ok);
    QCOMPARE(gauss::forwardStep(s, 2), Outcome::NoPivot); // the last step has no row to try
}

void TestElimination::overflowBoundary_data()
{
    const float max = std::numeric_limits<float>::max();
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<bool>("overflows");
    // max + 2^103 is the midpoint to 2^128, which rounds to an infinity.
    QTest::newRow("midpoint") << Rows{{1, max, 0}, {-1, std::ldexp(1.0f, 103), 0}} << true;
    QTest::newRow("below the midpoint")
        << Rows{{1, max, 0}, {-1, std::ldexp(1.0f, 102), 0}} << false;
    QTest::newRow("normalising") << Rows{{0.5f, max, 0}, {0, 1, 0}} << true;
    QTest::newRow("negative") << Rows{{1, -max, 0}, {1, -max, 0}} << false;
    QTest::newRow("negative beyond") << Rows{{1, max, 0}, {1, -max, 0}} << true;
}

void TestElimination::overflowBoundary()
{
    QFETCH(Rows, rows);
    QFETCH(bool, overflows);
    gauss::SolverState s;
    load(s, rows);
    QCOMPARE(gauss::forwardStep(s, 1), overflows ? Outcome::Overflow : Outcome::Ok);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            QVERIFY(std::isfinite(s.a[r][c]));
}

// Rows 3, 2, 1 are cleared above the pivot of row 4, in that order.
void TestElimination::backwardStepOfFour()
{
    gauss::SolverState s;
    load(s, {{1, 0, 0, 2, 10}, {0, 1, 0, -0.5f, 20}, {0, 0, 1, 0, 30}, {0, 0, 0, 1, 4}});
    RowOps ops;
    QCOMPARE(gauss::backwardStep(s, 4, &ops), Outcome::Ok);
    QVERIFY(sameBlock(block(s),
                      {{1, 0, 0, 0, 2}, {0, 1, 0, 0, 22}, {0, 0, 1, 0, 30}, {0, 0, 0, 1, 4}}));
    QCOMPARE(ops.size(), size_t(3));
    QCOMPARE(ops[0].row, qint16(3));
    QCOMPARE_EXACT(ops[0].factor, 0);
    QCOMPARE(ops[1].row, qint16(2));
    QCOMPARE_EXACT(ops[1].factor, -0.5f);
    QCOMPARE(ops[2].row, qint16(1));
    QCOMPARE_EXACT(ops[2].factor, 2);
    for (const RowOp &op : ops) {
        QCOMPARE(op.kind, RowOp::Eliminate);
        QCOMPARE(op.other, qint16(4));
    }
}

void TestElimination::solutionRounded()
{
    gauss::SolverState s;
    load(s, {{1, 0, 0, 0.0625f}, {0, 1, 0, 0.1875f}, {0, 0, 1, -2.0f / 3.0f}});
    s.x[0] = s.x[4] = 5;
    gauss::solution(s);
    QCOMPARE_EXACT(s.x[1], 0.062f);
    QCOMPARE_EXACT(s.x[2], 0.188f);
    QCOMPARE_EXACT(s.x[3], -0.667f);
    QCOMPARE_EXACT(s.x[0], 5);
    QCOMPARE_EXACT(s.x[4], 5);
}

void TestElimination::whole_data()
{
    QTest::addColumn<TextRows>("rows");
    QTest::addColumn<int>("result");
    QTest::addColumn<QList<float>>("x");    // the working's own, rounded to three decimals
    QTest::addColumn<QStringList>("exact"); // the true solution when solved
    const int solved = int(SolveResult::Solved);
    const int refused = int(SolveResult::Refused);
    QTest::newRow("worked example") << TextRows{{"1", "1", "3"}, {"1", "-1", "1"}} << solved
                                    << QList<float>{2, 1} << QStringList{"2", "1"};
    QTest::newRow("thirds") << TextRows{{"3", "0", "1"}, {"0", "3", "-2"}} << solved
                            << QList<float>{0.333f, -0.667f} << QStringList{"1/3", "-2/3"};
    QTest::newRow("singular") << TextRows{{"1", "2", "3"}, {"2", "4", "6"}} << refused
                              << QList<float>{} << QStringList{};
    // After step 1, a(2, 2) is 9 - 7 * 9/7: exactly 0, in float 1.192093E-07.
    QTest::newRow("a zero float cannot see")
        << TextRows{{"-7", "-9", "-6", "-4"}, {"7", "9", "9", "5"}, {"1", "-6", "9", "-1"}}
        << solved << QList<float>{-0.471f, 0.588f, 0.333f} << QStringList{"-8/17", "10/17", "1/3"};
    // Regular, though the product of the pivots is no float.
    QTest::newRow("1E-25 diagonal")
        << TextRows{{"1E-25", "0", "0", "1"}, {"0", "1E-25", "0", "1"}, {"0", "0", "1E-25", "1"}}
        << solved << QList<float>{1e25f, 1e25f, 1e25f}
        << QStringList(3, QStringLiteral("10000000000000000000000000"));
    // The working keeps seven digits and says x1 = 0; the answer is not that.
    QTest::newRow("tiny pivot")
        << TextRows{{"1E-30", "1", "1"}, {"1", "1", "2"}} << solved << QList<float>{0, 1}
        << QStringList{"1000000000000000000000000000000/999999999999999999999999999999",
                       "999999999999999999999999999998/999999999999999999999999999999"};
    // 1.0000000001 is 1 in float: a(2, 2) is non-zero only exactly, so row 3 comes up.
    QTest::newRow("rounded to zero, exchanged")
        << TextRows{{"1", "1", "0", "2"}, {"1", "1.0000000001", "1", "3"}, {"0", "1", "1", "2"}}
        << solved << QList<float>{1, 1, 1}
        << QStringList{"9999999998/9999999999", "10000000000/9999999999", "9999999998/9999999999"};
    // Where the working stops, the answer is still given, exactly.
    QTest::newRow("rounded to zero, no row left")
        << TextRows{{"1", "1", "2"}, {"1", "1.0000000001", "2"}} << int(SolveResult::TooFewDigits)
        << QList<float>{} << QStringList{"2", "0"};
    QTest::newRow("below the range: typed")
        << TextRows{{"1E-46", "0", "1"}, {"0", "1", "1"}} << int(SolveResult::Underflow)
        << QList<float>{} << QStringList{"10000000000000000000000000000000000000000000000", "1"};
    QTest::newRow("above the range from a tiny pivot")
        << TextRows{{"1E-39", "-8", "6"}, {"3", "-9", "-7"}} << int(SolveResult::Overflow)
        << QList<float>{}
        << QStringList{"-10000000000000000000000000000000000000000/"
                       "2181818181818181818181818181818181818181",
                       "-1636363636363636363636363636363636363637/"
                       "2181818181818181818181818181818181818181"};
    QTest::newRow("bad cell") << TextRows{{"1", "2", "3"}, {"2", "x", "6"}}
                              << int(SolveResult::BadCell) << QList<float>{} << QStringList{};
    QTest::newRow("more decimals than exact arithmetic takes")
        << TextRows{{"1E-1001", "1", "1"}, {"1", "1", "2"}} << int(SolveResult::BadCell)
        << QList<float>{} << QStringList{};
    QTest::newRow("overflow") << TextRows{{"1E-30", "1E+10", "1"}, {"1", "1", "1"}}
                              << int(SolveResult::Overflow) << QList<float>{}
                              << QStringList{"1000000000000000000000000000000/"
                                             "1000000000100000000010000000001",
                                             "100000000010000000001/"
                                             "1000000000100000000010000000001"};
    QTest::newRow("three") << TextRows{{"2", "1", "-1", "8"},
                                       {"-3", "-1", "2", "-11"},
                                       {"-2", "1", "2", "-3"}}
                           << solved << QList<float>{2, 3, -1} << QStringList{"2", "3", "-1"};
}

void TestElimination::whole()
{
    QFETCH(TextRows, rows);
    QFETCH(int, result);
    QFETCH(QList<float>, x);
    QFETCH(QStringList, exact);
    gauss::SolverState s;
    s.n = qint16(rows.size());
    QList<int> steps;
    const SolveResult got =
        solveTexts(s, cells(rows), [&](const gauss::Step &step) { steps.append(step.nomer); });
    QCOMPARE(int(got), result);
    if (got == SolveResult::Refused)
        QVERIFY(steps.isEmpty());
    if (got == SolveResult::Refused || got == SolveResult::BadCell)
        return;
    for (int r = 1; r <= s.n; ++r)
        QCOMPARE(gauss::fractionText(s.exact.x[r]), exact[r - 1]);
    if (got != SolveResult::Solved)
        return;
    QCOMPARE(steps.size(), 2 * s.n - 1);
    QCOMPARE(steps.last(), 2 * s.n - 1);
    for (int r = 1; r <= s.n; ++r)
        QCOMPARE_EXACT(s.x[r], x[r - 1]);
}

void TestElimination::exactToTheEnd_data()
{
    QTest::addColumn<TextRows>("rows");
    QTest::addColumn<int>("exactFrom");
    QTest::addColumn<QString>("factors"); // every division and elimination, exactly
    QTest::addColumn<QStringList>("exact");
    const std::string e30 = "1" + std::string(30, '0');
    const std::string e50 = "1" + std::string(50, '0');
    QTest::newRow("worked example")
        << TextRows{{"1", "1", "3"}, {"1", "-1", "1"}} << 0 << "1 1 -2 1" << QStringList{"2", "1"};
    QTest::newRow("overflow at step 2")
        << TextRows{{"2", "0", "4"}, {"0", "1E-30", "1E+10"}} << 2
        << QString::fromStdString("2 0 1/" + e30 + " 0")
        << QStringList{"2", QString::fromStdString(e30 + "0000000000")};
    // Both pivots of column 1 are 0 in single precision: step 1 is the twin's from its start.
    QTest::newRow("no pivot in single precision")
        << TextRows{{"1E-50", "1", "1"}, {"1E-50", "2", "3"}} << 1
        << QString::fromStdString("1/" + e50 + " 1/" + e50 + " 1 " + e50)
        << QStringList{QString::fromStdString("-" + e50), "2"};
}

// Where single precision stops, the twin makes the steps alone, with the
// same operations, and solves.
void TestElimination::exactToTheEnd()
{
    QFETCH(TextRows, rows);
    QFETCH(int, exactFrom);
    QFETCH(QString, factors);
    QFETCH(QStringList, exact);
    gauss::SolverState s;
    s.n = qint16(rows.size());
    QStringList made;
    const gauss::SolveEnd end = gauss::solve(
        s, [&] { return gauss::readBlock(s, s.n, cells(rows)); },
        [&](const gauss::Step &step) {
            QCOMPARE(step.exactOnly, exactFrom > 0 && step.nomer >= exactFrom);
            for (const RowOp &op : step.ops) {
                made << gauss::fractionText(op.exact);
                QCOMPARE(std::isnan(op.factor), step.exactOnly);
                if (!step.exactOnly)
                    QCOMPARE_EXACT(op.factor, gauss::toFloat(op.exact));
            }
        },
        gauss::SolveMode::ExactToTheEnd);
    QCOMPARE(end.result, SolveResult::Solved);
    QCOMPARE(end.exactFrom, exactFrom);
    QCOMPARE(made.join(u' '), factors);
    for (int r = 1; r <= s.n; ++r)
        QCOMPARE(gauss::fractionText(s.exact.x[r]), exact[r - 1]);
}

void TestElimination::singular_data()
{
    QTest::addColumn<TextRows>("rows");
    QTest::addColumn<QList<int>>("ranks"); // of the coefficients, of the augmented matrix
    QTest::addColumn<QList<int>>("free");
    QTest::addColumn<QStringList>("bound");
    QTest::newRow("proportional rows")
        << TextRows{{"1", "2", "3"}, {"2", "4", "6"}} << QList<int>{1, 1} << QList<int>{2}
        << QStringList{"x1 = 3 + (-2)x2"};
    QTest::newRow("a row the sum of two")
        << TextRows{{"3", "-1", "5", "-4"}, {"-1", "3", "0", "-3"}, {"2", "2", "5", "-7"}}
        << QList<int>{2, 2} << QList<int>{3}
        << QStringList{"x1 = -15/8 + (-15/8)x3", "x2 = -13/8 + (-5/8)x3"};
    QTest::newRow("no solution") << TextRows{{"3", "-1", "5", "-4"},
                                             {"-1", "3", "0", "-3"},
                                             {"2", "2", "5", "-6"}}
                                 << QList<int>{2, 3} << QList<int>{} << QStringList{};
    QTest::newRow("nothing typed") << TextRows{{"0", "0", "0"}, {"0", "0", "0"}} << QList<int>{0, 0}
                                   << QList<int>{1, 2} << QStringList{};
    QTest::newRow("a free unknown before bound ones")
        << TextRows{{"0", "1", "0", "2"}, {"0", "0", "1", "3"}, {"0", "1", "1", "5"}}
        << QList<int>{2, 2} << QList<int>{1} << QStringList{"x2 = 2", "x3 = 3"};
    QTest::newRow("homogeneous") << TextRows{{"0.5", "-0.5", "0"}, {"2", "-2", "0"}}
                                 << QList<int>{1, 1} << QList<int>{2}
                                 << QStringList{"x1 = 0 + (1)x2"};
}

// Why a system has no single solution, as data: the ranks, the free unknowns,
// and each bound one as its constant and its free unknowns' coefficients.
void TestElimination::singular()
{
    QFETCH(TextRows, rows);
    QFETCH(QList<int>, ranks);
    QFETCH(QList<int>, free);
    QFETCH(QStringList, bound);
    gauss::SolverState s;
    s.n = qint16(rows.size());
    QCOMPARE(solveTexts(s, cells(rows)), SolveResult::Refused);
    const gauss::Singular why = gauss::analyseSingular(s.exact.a, s.n);
    QCOMPARE((QList<int>{why.coefficientRank, why.augmentedRank}), ranks);
    QCOMPARE(why.solvable(), ranks[0] == ranks[1]);
    QCOMPARE(QList<int>(why.free.begin(), why.free.end()), free);
    QStringList affine;
    for (const gauss::BoundUnknown &unknown : why.bound) {
        QString text = QStringLiteral("x%1 = %2")
                           .arg(unknown.unknown)
                           .arg(gauss::fractionText(unknown.constant));
        for (const gauss::Term &term : unknown.terms)
            text += QStringLiteral(" + (%1)x%2")
                        .arg(gauss::fractionText(term.coefficient))
                        .arg(term.unknown);
        affine << text;
    }
    QCOMPARE(affine, bound);
}

// What a 5x5 solve leaves outside a later 3x3 block changes nothing.
void TestElimination::earlierLargerSystemDoesNoHarm()
{
    const TextRows small{{"0", "2", "1", "5"}, {"1", "0", "1", "3"}, {"1", "1", "0", "2"}};
    gauss::SolverState fresh;
    fresh.n = 3;
    QCOMPARE(solveTexts(fresh, cells(small)), SolveResult::Solved);

    gauss::SolverState used;
    used.n = 5;
    QCOMPARE(
        solveTexts(used, [](int r, int c) { return QString::number(r == c ? 9 : (r + c) % 3); }),
        SolveResult::Solved);
    used.n = 3;
    QCOMPARE(solveTexts(used, cells(small)), SolveResult::Solved);
    QCOMPARE(block(used), block(fresh));
    for (int r = 1; r <= 3; ++r)
        QCOMPARE_EXACT(used.x[r], fresh.x[r]);
}

QTEST_GUILESS_MAIN(TestElimination)
#include "tst_elimination.moc"

namespace
{

// Reduced row echelon form by a different road: the largest pivot first and
// every other row cleared at once, so that it shares no step with the working.
int reference(gauss::ExactMatrix &m, int rows, int unknowns)
{
    int rank = 0;
    for (int c = 1; c <= unknowns && rank < rows; ++c) {
        int best = 0;
        for (int r = rank + 1; r <= rows; ++r)
            if (m[r][c] != 0 && (best == 0 || abs(m[r][c]) > abs(m[best][c])))
                best = r;
        if (best == 0)
            continue;
        ++rank;
        for (int j = 1; j <= unknowns + 1; ++j)
            swap(m[rank][j], m[best][j]);
        const mpq_class pivot = m[rank][c];
        for (int j = 1; j <= unknowns + 1; ++j)
            m[rank][j] /= pivot;
        for (int r = 1; r <= rows; ++r)
            if (r != rank) {
                const mpq_class factor = m[r][c];
                for (int j = 1; j <= unknowns + 1; ++j)
                    m[r][j] -= factor * m[rank][j];
            }
    }
    return rank;
}

} // namespace

// Random systems of every shape, many of them singular (small coefficients,
// repeated rows): the last step is the reduced row echelon form, and the
// general solution solves A x = b whatever the free unknowns, with n - rank of them.
void TestElimination::exactWorkingOfEveryShape_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("unknowns");
    for (const auto &[rows, unknowns] :
         {std::pair{1, 1}, {2, 3}, {3, 2}, {3, 4}, {4, 3}, {3, 3}, {5, 9}, {9, 5}, {9, 8}, {9, 9}})
        QTest::addRow("%d in %d", rows, unknowns) << rows << unknowns;
}

void TestElimination::exactWorkingOfEveryShape()
{
    QFETCH(int, rows);
    QFETCH(int, unknowns);
    std::mt19937 rng(unsigned(rows * 10 + unknowns));
    std::uniform_int_distribution<int> small(-2, 2);
    for (int trial = 0; trial < 200; ++trial) {
        gauss::ExactMatrix a;
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= unknowns + 1; ++c)
                a[r][c] =
                    r > 1 && trial % 3 == 0 ? a[r - 1][c] * small(rng) : mpq_class(small(rng));
        const gauss::SolveRecord record = gauss::solveExactly(a, rows, unknowns);
        gauss::ExactMatrix expected;
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= unknowns + 1; ++c)
                expected[r][c] = a[r][c];
        const int rank = reference(expected, rows, unknowns);
        const gauss::ExactMatrix &last = record.steps.back().exact;
        const gauss::Verdict &verdict = record.verdict;
        // Rows past the rank read 0 = c; without a solution, c depends on the road.
        const bool none = verdict.kind == gauss::Verdict::None;
        for (int r = 1; r <= rank; ++r)
            for (int c = 1; c <= unknowns + (none ? 0 : 1); ++c)
                QVERIFY2(
                    last[r][c] == expected[r][c],
                    qPrintable(
                        QStringLiteral("trial %1, row %2, column %3").arg(trial).arg(r).arg(c)));
        QCOMPARE(verdict.ranks.coefficientRank, rank);
        if (none) {
            QVERIFY(verdict.contradiction > rank);
            QVERIFY(last[verdict.contradiction][unknowns + 1] != 0);
            continue;
        }
        QCOMPARE(int(verdict.ranks.free.size()), unknowns - rank);
        std::vector<mpq_class> x(std::size_t(unknowns) + 1, 0);
        for (const int f : verdict.ranks.free)
            x[std::size_t(f)] = small(rng);
        for (const gauss::BoundUnknown &bound : verdict.ranks.bound) {
            x[std::size_t(bound.unknown)] = bound.constant;
            for (const gauss::Term &term : bound.terms)
                x[std::size_t(bound.unknown)] += term.coefficient * x[std::size_t(term.unknown)];
        }
        for (int r = 1; r <= rows; ++r) {
            mpq_class sum = 0;
            for (int c = 1; c <= unknowns; ++c)
                sum += a[r][c] * x[std::size_t(c)];
            QVERIFY2(sum == a[r][unknowns + 1], qPrintable(QStringLiteral("trial %1").arg(trial)));
        }
    }
}
