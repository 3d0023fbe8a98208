// The determinant test: its sign, its exchanges, its exactness and its rounding to float.

#include "elimination.h"
#include "exact.h"

#include <QTest>
#include <cmath>
#include <cstring>
#include <limits>

using Rows = QList<QList<float>>;

namespace
{

// A state holding the given rows (coefficients and right-hand side) in a and adet.
gauss::SolverState stateWith(const Rows &rows)
{
    gauss::SolverState s;
    s.n = qint16(rows.size());
    for (int r = 1; r <= s.n; ++r)
        for (int c = 1; c <= s.n + 1; ++c)
            s.a[r][c] = s.adet[r][c] = c <= rows[r - 1].size() ? rows[r - 1][c - 1] : 0;
    for (int r = 1; r <= s.n; ++r)
        for (int c = 1; c <= s.n + 1; ++c)
            s.exact.a[r][c] = s.exact.adet[r][c] = double(s.a[r][c]);
    return s;
}

} // namespace

class TestDeterminant : public QObject
{
    Q_OBJECT

private slots:
    void value_data();
    void value();
    void rotation();
    void rightHandSideIgnored();
};

void TestDeterminant::value_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<float>("det");
    QTest::addColumn<bool>("singular"); // exactly
    const float max = std::numeric_limits<float>::max();
    const float infinity = std::numeric_limits<float>::infinity();
    QTest::newRow("worked example") << Rows{{1, 1, 3}, {1, -1, 1}} << -2.0f << false;
    QTest::newRow("one exchange") << Rows{{0, 1}, {1, 0}} << -1.0f << false;
    QTest::newRow("no pivot in the search") << Rows{{0, 1}, {0, 2}} << 0.0f << true;
    QTest::newRow("zero in the last pivot") << Rows{{1, 2}, {2, 4}} << 0.0f << true;
    QTest::newRow("two exchanges") << Rows{{0, 1, 1}, {0, 2, 1}, {1, 1, 1}} << -1.0f << false;
    QTest::newRow("negative zero is zero") << Rows{{-0.0f, 1}, {1, 0}} << -1.0f << false;
    QTest::newRow("3x3") << Rows{{2, 1, -1}, {-3, -1, 2}, {-2, 1, 2}} << -1.0f << false;
    // 1E-75 is no float, but the system is regular all the same.
    QTest::newRow("underflow no longer refuses")
        << Rows{{1e-25f, 0, 0}, {0, 1e-25f, 0}, {0, 0, 1e-25f}} << 0.0f << false;
    // Float arithmetic would leave exactly 0 here: 1/3 normalised and
    // subtracted from the float 1/3. Exactly, 3 * 11184811 / 2^25 - 1.
    QTest::newRow("not rounded on the way")
        << Rows{{3, 1}, {1, 1.0f / 3.0f}} << std::ldexp(1.0f, -25) << false;
    // Beyond the float range the determinant stops nothing.
    QTest::newRow("product of the pivots beyond")
        << Rows{{1e20f, 0}, {0, 1e20f}} << infinity << false;
    QTest::newRow("tiny pivot") << Rows{{1e-30f, 1e10f}, {1, 1}} << -1e10f << false;
    QTest::newRow("an elimination beyond") << Rows{{1, 1e30f}, {1e10f, 1}} << -infinity << false;
    QTest::newRow("a sum beyond") << Rows{{1, max}, {-1, max}} << infinity << false;
    QTest::newRow("9x9 identity") << Rows{{1, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0, 0, 0, 0},
                                          {0, 0, 1, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 1, 0, 0, 0, 0, 0},
                                          {0, 0, 0, 0, 1, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 1, 0, 0, 0},
                                          {0, 0, 0, 0, 0, 0, 1, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 1, 0},
                                          {0, 0, 0, 0, 0, 0, 0, 0, 1}}
                                  << 1.0f << false;
}

void TestDeterminant::value()
{
    QFETCH(Rows, rows);
    QFETCH(float, det);
    QFETCH(bool, singular);
    gauss::SolverState s = stateWith(rows);
    const gauss::SolverState before = s;
    gauss::determinanta(s, s.adet);
    QCOMPARE_EXACT(s.det, det);
    QCOMPARE(s.exact.det == 0, singular);
    QVERIFY(std::memcmp(s.a, before.a, sizeof s.a) == 0); // only the copy is worked on
}

// Failed candidates rotate downwards: with zeros in rows 1 and 2 of column 1
// the rows end in the order 3, 1, 2, each exchange flipping the sign.
void TestDeterminant::rotation()
{
    gauss::SolverState s = stateWith({{0, 5, 7}, {0, 6, 8}, {2, 4, 6}});
    gauss::determinanta(s, s.adet);
    QCOMPARE_EXACT(s.adet[1][2], 2.0f);        // old row 3, normalised by 2
    QCOMPARE_EXACT(s.adet[2][3], 7.0f / 5.0f); // old row 1, normalised by 5
    QCOMPARE_EXACT(s.adet[3][2], 0.0f);        // old row 2, cleared
    // Two exchanges leave the sign: 2 * 5 * (8 - 6 * 7/5), exactly.
    QCOMPARE(s.exact.det, mpq_class(-4));
    QCOMPARE_EXACT(s.det, -4.0f);
}

void TestDeterminant::rightHandSideIgnored()
{
    for (float b : {0.0f, 1.0f, -1e30f, std::numeric_limits<float>::max()}) {
        gauss::SolverState s = stateWith({{0, 2, b}, {3, 1, b}});
        gauss::determinanta(s, s.adet);
        QCOMPARE_EXACT(s.det, -6.0f);
        QCOMPARE_EXACT(s.adet[1][3], b);
        QCOMPARE_EXACT(s.adet[2][3], b);
    }
}

QTEST_GUILESS_MAIN(TestDeterminant)
#include "tst_determinant.moc"
