// The determinant test: its sign, its exchanges, its exactness and its rounding to float.

#include "determinant.h"
#include "elimination.h"
#include "exact.h"
#include "parametertext.h"

#include <algorithm>
#include <numeric>

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

// "1 2 | 3 / 4 5 | 6": rows at the slashes, numbers (fractions too) at the blanks.
gauss::ExactMatrix *systemOf(const QString &text, int &n)
{
    static gauss::ExactMatrix a;
    const QStringList rows = text.split(u'/');
    n = int(rows.size());
    for (int r = 1; r <= n; ++r) {
        const QStringList cells = QString(rows[r - 1]).remove(u'|').split(u' ', Qt::SkipEmptyParts);
        for (int c = 1; c <= n + 1; ++c)
            a[r][c] = mpq_class(cells.value(c - 1, "0").toStdString());
        for (int c = 1; c <= n + 1; ++c)
            a[r][c].canonicalize();
    }
    return &a;
}

// Held against what does not share the working's code: the sum over all
// permutations while it is short, else the exact twin of the determinant test.
mpq_class independent(const gauss::Square &m)
{
    const int n = m.size;
    if (n <= 6) {
        std::vector<int> p(static_cast<std::size_t>(n));
        std::iota(p.begin(), p.end(), 1);
        mpq_class sum = 0;
        do {
            mpq_class term = 1;
            int inversions = 0;
            for (int r = 0; r < n; ++r) {
                term *= m.a[r + 1][p[std::size_t(r)]];
                for (int s = r + 1; s < n; ++s)
                    inversions += p[std::size_t(s)] < p[std::size_t(r)];
            }
            sum += inversions % 2 ? mpq_class(-term) : term;
        } while (std::next_permutation(p.begin(), p.end()));
        return sum;
    }
    gauss::SolverState s;
    s.n = qint16(n);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) {
            s.exact.adet[r][c] = m.a[r][c];
            s.adet[r][c] = float(m.a[r][c].get_d());
        }
    gauss::determinanta(s, s.adet);
    return s.exact.det;
}

// n equations whose solution is 1, 2, ..., n, with a zero pivot on the way.
QString systemWithSolution(int n)
{
    QStringList rows;
    for (int r = 1; r <= n; ++r) {
        QStringList row;
        int b = 0;
        for (int c = 1; c <= n; ++c) {
            const int coefficient = r == 1 && c == 1 ? 0 : (r * c + r) % 7 - 2 + (r == c);
            row << QString::number(coefficient);
            b += coefficient * c;
        }
        rows << row.join(u' ') + QStringLiteral(" | ") + QString::number(b);
    }
    return rows.join(QStringLiteral(" / "));
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
    void working_data();
    void working();
    void elimination_data();
    void elimination();
    void parametric_data();
    void parametric();
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

void TestDeterminant::working_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<bool>("none"); // D = 0 and some D_i is not
    QTest::newRow("2x2") << "1 1 | 3 / 1 -1 | 1" << false;
    QTest::newRow("2x2 D = 0, none") << "1 2 | 3 / 2 4 | 7" << true;
    QTest::newRow("2x2 D = 0, many") << "1 2 | 3 / 2 4 | 6" << false;
    QTest::newRow("3x3") << "2 1 -1 | 8 / -3 -1 2 | -11 / -2 1 2 | -3" << false;
    QTest::newRow("3x3 fractions") << "1/2 1/3 1 | 1 / 0 2/5 -1 | 2 / 3 0 7/4 | -1" << false;
    // Every D_i is 0, and still nothing solves it: the rule says nothing.
    QTest::newRow("3x3 D = 0, D_i = 0, none") << "1 1 1 | 1 / 1 1 1 | 2 / 1 1 1 | 3" << false;
    QTest::newRow("4x4 zero pivots")
        << "0 2 1 3 | 1 / 0 0 4 1 | 2 / 5 1 0 2 | 3 / 1 1 1 1 | 4" << false;
    QTest::newRow("4x4 zero column")
        << "1 2 0 3 | 1 / 2 4 0 1 | 0 / 3 6 0 2 | 0 / 1 5 0 1 | 0" << true;
    QTest::newRow("5x5") << systemWithSolution(5) << false;
    QTest::newRow("9x9") << systemWithSolution(9) << false;
}

// The values, every expansion, each step's account of the determinant and
// Cramer's quotients, which must solve the system.
void TestDeterminant::working()
{
    QFETCH(QString, system);
    QFETCH(bool, none);
    int n = 0;
    const gauss::ExactMatrix &a = *systemOf(system, n);
    const gauss::Square m = gauss::coefficients(a, n);
    const mpq_class d = independent(m);
    QCOMPARE(gauss::determinantOf(m).value, d);
    const gauss::DeterminantWorking eliminated = gauss::byElimination(m);
    QCOMPARE(eliminated.value, d);
    for (const gauss::DeterminantStep &step : eliminated.steps)
        QCOMPARE(step.coefficient * independent(step.after), d);
    for (int line = 1; line <= n && n <= 6; ++line) {
        QCOMPARE(gauss::byExpansion(m, true, line).value, d);
        QCOMPARE(gauss::byExpansion(m, false, line).value, d);
    }
    const gauss::CramerWorking w = gauss::cramer(a, n);
    QCOMPARE(w.d.value, d);
    QCOMPARE(w.noSolution(), none);
    for (int i = 1; i <= n; ++i)
        QCOMPARE(w.di[std::size_t(i) - 1].value, independent(gauss::coefficients(a, n, i)));
    QCOMPARE(w.decided(), d != 0);
    for (int r = 1; r <= n && w.decided(); ++r) {
        mpq_class left = 0;
        for (int c = 1; c <= n; ++c)
            left += a[r][c] * w.x[std::size_t(c)];
        QCOMPARE(left, a[r][n + 1]);
    }
}

void TestDeterminant::elimination_data()
{
    using C = gauss::DeterminantCheck;
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("typed"); // "− 2 3 = 6": the exchanges' minus, factors, value
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("product");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("number"); // the working's factor, or the factors' product
    // One exchange, then the pivots 2, 3, -1, 4: D = 24.
    const QString m = "0 3 1 1 | 0 / 2 1 1 0 | 0 / 2 7 2 4 | 0 / -2 2 -3 11 | 0";
    const QString ones = "0 1 1 1 | 0 / 1 0 1 1 | 0 / 1 1 0 1 | 0 / 1 1 1 0 | 0";
    const QString zero = "1 2 0 3 | 0 / 2 4 0 1 | 0 / 3 6 0 2 | 0 / 1 5 0 1 | 0";
    QTest::newRow("right") << m << "− 2 3 -1 4 = 24" << int(C::Right) << 0 << 0 << "24";
    QTest::newRow("no value") << m << "− 2 3 -1 4" << int(C::Right) << 0 << 0 << "24";
    QTest::newRow("another elimination") << m << "3 -8 -1 = 24" << int(C::Right) << 0 << 0 << "24";
    QTest::newRow("the first factor's minus")
        << m << "-2 3 1 4 = -24" << int(C::WrongFactor) << 3 << 3 << "-1";
    QTest::newRow("multiplied wrong")
        << m << "− 2 3 -1 4 = 12" << int(C::WrongMultiplication) << 0 << 0 << "24";
    QTest::newRow("the value right only")
        << m << "− 2 3 1 4 = 24" << int(C::RightValue) << 0 << 0 << "-24";
    QTest::newRow("one missing") << m << "− 2 3 -1 = 6" << int(C::FactorCount) << 4 << 0 << "6";
    QTest::newRow("the ones left out")
        << ones << "− -2 -1 = 2" << int(C::WrongFactor) << 2 << 4 << "-3/2";
    QTest::newRow("a zero column")
        << zero << "− 1 3 2 1 = 6" << int(C::WrongFactor) << 3 << 3 << "0";
}

// A product typed from an elimination: the first factor that parts from the
// working's, its exchanges' sign or the multiplication, a sound product right.
void TestDeterminant::elimination()
{
    QFETCH(QString, system);
    QFETCH(QString, typed);
    QFETCH(int, result);
    QFETCH(int, product);
    QFETCH(int, column);
    QFETCH(QString, number);
    int n = 0;
    const gauss::ExactMatrix &a = *systemOf(system, n);
    const gauss::DeterminantWorking w = gauss::determinantOf(gauss::coefficients(a, n));
    gauss::TypedProduct p;
    const QStringList words = typed.split(u' ');
    for (int k = 0; k < words.size(); ++k)
        if (words[k] == u"−")
            p.negated = true;
        else if (words[k] == u"=")
            p.value = mpq_class(words[++k].toStdString());
        else
            p.factors.push_back(mpq_class(words[k].toStdString()));
    const gauss::DeterminantCheck check = gauss::checkElimination(w, p);
    QCOMPARE(int(check.result), result);
    QCOMPARE(check.product, product);
    QCOMPARE(check.column, column);
    QCOMPARE(result == gauss::DeterminantCheck::WrongFactor ? check.expected : check.made,
             mpq_class(number.toStdString()));
}

void TestDeterminant::parametric_data()
{
    QTest::addColumn<QString>("typed"); // the right D = the student's
    QTest::addColumn<int>("at");        // where they first differ; 99: nowhere
    QTest::newRow("expanded") << "-(a - 2)(a + 2) = 4 - a^2" << 99;
    QTest::newRow("agrees at 0 and 1") << "a^2 = a" << -1;
    QTest::newRow("vanishes where D does") << "a^3 - a = 0" << 2;
}

// A parameter's D: exactly right, or the integer nearest 0 where it is not.
void TestDeterminant::parametric()
{
    QFETCH(QString, typed);
    QFETCH(int, at);
    QChar letter;
    gauss::Polynomial right, yours;
    gauss::readPolynomial(typed.section(u'=', 0, 0), letter, right);
    gauss::readPolynomial(typed.section(u'=', 1), letter, yours);
    const gauss::ParametricCheck check = gauss::checkParametric(right, yours);
    QCOMPARE(check.right, at == 99);
    QCOMPARE(check.at, mpq_class(at == 99 ? 0 : at));
}

QTEST_GUILESS_MAIN(TestDeterminant)
#include "tst_determinant.moc"
