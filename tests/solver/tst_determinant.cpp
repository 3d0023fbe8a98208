// The determinant test: its sign, its exchanges, its float rounding and its failures.

#include "elimination.h"
#include "exact.h"

#include <QTest>
#include <cstring>
#include <limits>

using gauss::Outcome;
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
    void overflow_data();
    void overflow();
};

void TestDeterminant::value_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<float>("det");
    QTest::newRow("worked example") << Rows{{1, 1, 3}, {1, -1, 1}} << -2.0f;
    QTest::newRow("one exchange") << Rows{{0, 1}, {1, 0}} << -1.0f;
    QTest::newRow("no pivot in the search") << Rows{{0, 1}, {0, 2}} << 0.0f;
    QTest::newRow("zero in the last pivot") << Rows{{1, 2}, {2, 4}} << 0.0f;
    QTest::newRow("two exchanges") << Rows{{0, 1, 1}, {0, 2, 1}, {1, 1, 1}} << -1.0f;
    QTest::newRow("negative zero is zero") << Rows{{-0.0f, 1}, {1, 0}} << -1.0f;
    QTest::newRow("3x3") << Rows{{2, 1, -1}, {-3, -1, 2}, {-2, 1, 2}} << -1.0f;
    // The product of the first two pivots, 1E-50, is no float any more.
    QTest::newRow("underflow refuses a regular system")
        << Rows{{1e-25f, 0, 0}, {0, 1e-25f, 0}, {0, 0, 1e-25f}} << 0.0f;
    // In float, 1/3 normalised and subtracted from 1/3 leaves exactly 0;
    // any wider arithmetic would leave about 1E-08.
    QTest::newRow("each operation rounded to float") << Rows{{3, 1}, {1, 1.0f / 3.0f}} << 0.0f;
    QTest::newRow("9x9 identity") << Rows{{1, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0, 0, 0, 0},
                                          {0, 0, 1, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 1, 0, 0, 0, 0, 0},
                                          {0, 0, 0, 0, 1, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 1, 0, 0, 0},
                                          {0, 0, 0, 0, 0, 0, 1, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 1, 0},
                                          {0, 0, 0, 0, 0, 0, 0, 0, 1}}
                                  << 1.0f;
}

void TestDeterminant::value()
{
    QFETCH(Rows, rows);
    QFETCH(float, det);
    gauss::SolverState s = stateWith(rows);
    const gauss::SolverState before = s;
    QCOMPARE(gauss::determinanta(s, s.adet), Outcome::Ok);
    QCOMPARE_EXACT(s.det, det);
    QVERIFY(std::memcmp(s.a, before.a, sizeof s.a) == 0); // only the copy is worked on
}

// Failed candidates rotate downwards: with zeros in rows 1 and 2 of column 1
// the rows end in the order 3, 1, 2, each exchange flipping the sign.
void TestDeterminant::rotation()
{
    gauss::SolverState s = stateWith({{0, 5, 7}, {0, 6, 8}, {2, 4, 6}});
    QCOMPARE(gauss::determinanta(s, s.adet), Outcome::Ok);
    QCOMPARE_EXACT(s.adet[1][2], 2.0f);        // old row 3, normalised by 2
    QCOMPARE_EXACT(s.adet[2][3], 7.0f / 5.0f); // old row 1, normalised by 5
    QCOMPARE_EXACT(s.adet[3][2], 0.0f);        // old row 2, cleared
    // Two exchanges leave the sign: 2 * 5 * (8 - 6 * 1.4), each step in float.
    const float last = 6.0f * -(7.0f / 5.0f) + 8.0f;
    QCOMPARE_EXACT(s.det, 2.0f * 5.0f * last);
}

void TestDeterminant::rightHandSideIgnored()
{
    for (float b : {0.0f, 1.0f, -1e30f, std::numeric_limits<float>::max()}) {
        gauss::SolverState s = stateWith({{0, 2, b}, {3, 1, b}});
        QCOMPARE(gauss::determinanta(s, s.adet), Outcome::Ok);
        QCOMPARE_EXACT(s.det, -6.0f);
        QCOMPARE_EXACT(s.adet[1][3], b);
        QCOMPARE_EXACT(s.adet[2][3], b);
    }
}

void TestDeterminant::overflow_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::newRow("product of the pivots") << Rows{{1e20f, 0}, {0, 1e20f}};
    QTest::newRow("normalising by a tiny pivot") << Rows{{1e-30f, 1e10f}, {1, 1}};
    QTest::newRow("an elimination's product") << Rows{{1, 1e30f}, {1e10f, 1}};
    QTest::newRow("an elimination's sum")
        << Rows{{1, std::numeric_limits<float>::max()}, {-1, std::numeric_limits<float>::max()}};
}

void TestDeterminant::overflow()
{
    QFETCH(Rows, rows);
    gauss::SolverState s = stateWith(rows);
    QCOMPARE(gauss::determinanta(s, s.adet), Outcome::Overflow);
}

QTEST_GUILESS_MAIN(TestDeterminant)
#include "tst_determinant.moc"
