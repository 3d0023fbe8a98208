// Systems with a parameter: reading a cell's polynomial, the analysis case by
// case, and a check of every case against the numeric solve of the system.

#include "numbertext.h"
#include "parameter.h"
#include "parametertext.h"
#include "record.h"

#include <QLocale>
#include <QTest>
#include <map>
#include <random>

using gauss::ParameterError;
using gauss::Polynomial;
using gauss::Verdict;

namespace
{

QString text(const Polynomial &p)
{
    return gauss::polynomialText(p, u'a', gauss::fractionText);
}

QString text(const gauss::RationalFunction &f)
{
    return gauss::rationalText(f, u'a', gauss::fractionText);
}

QString text(const gauss::Residue &r)
{
    return text(r.value());
}

// "1: x1=…; x2=…", "0: r2 0=8" or "∞: x2 free; x1=2 + (-2)x2".
template <class E> QString solutionText(const gauss::FieldSolution<E> &s)
{
    if (s.kind == Verdict::None)
        return QStringLiteral("0: r%1 0=%2").arg(s.contradiction).arg(text(s.contradictionValue));
    QStringList parts;
    for (const int f : s.free)
        parts << QStringLiteral("x%1 free").arg(f);
    for (const auto &b : s.bound) {
        QString value = text(b.constant);
        for (const auto &[unknown, coefficient] : b.terms)
            value += QStringLiteral(" + (%1)x%2").arg(text(coefficient)).arg(unknown);
        parts << QStringLiteral("x%1=%2").arg(b.unknown).arg(value);
    }
    return (s.kind == Verdict::One ? QStringLiteral("1: ") : QStringLiteral("∞: ")) +
           parts.join(u"; ");
}

gauss::ParametricSystem systemOf(const QList<QStringList> &rows)
{
    gauss::ParametricSystem s;
    s.rows = int(rows.size());
    s.unknowns = int(rows[0].size()) - 1;
    for (const QStringList &row : rows) {
        std::vector<Polynomial> line;
        for (const QString &cell : row) {
            Polynomial p;
            if (gauss::readPolynomial(cell, s.letter, p) != ParameterError::None)
                qFatal("unreadable cell %s", qPrintable(cell));
            line.push_back(p);
        }
        s.a.push_back(line);
    }
    return s;
}

// The numeric solve at `value` agrees with `s` read there.
template <class E, class At>
void checkAgainstSolve(const gauss::ParametricSystem &system, const mpq_class &value,
                       const gauss::FieldSolution<E> &s, At at)
{
    gauss::ExactMatrix a;
    gauss::substitute(system, value, a);
    const gauss::SolveRecord numeric = gauss::solveExactly(a, system.rows, system.unknowns);
    const Verdict &v = numeric.verdict;
    const QByteArray where = "at a = " + QByteArray(value.get_str().c_str());
    QVERIFY2(v.kind == s.kind, where);
    QVERIFY2(v.ranks.coefficientRank == s.coefficientRank, where);
    QVERIFY2(v.ranks.augmentedRank == s.augmentedRank, where);
    if (s.kind == Verdict::None)
        return;
    QVERIFY2(v.ranks.free == s.free, where);
    for (std::size_t i = 0; i < s.bound.size(); ++i) {
        const gauss::BoundUnknown &nb = v.ranks.bound[i];
        QVERIFY2(nb.unknown == s.bound[i].unknown && nb.constant == at(s.bound[i].constant), where);
        // A coefficient may vanish at the value, where the numeric solve leaves it out.
        std::map<int, mpq_class> mine, theirs;
        for (const auto &[unknown, coefficient] : s.bound[i].terms)
            if (at(coefficient) != 0)
                mine[unknown] = at(coefficient);
        for (const gauss::Term &t : nb.terms)
            theirs[t.unknown] = t.coefficient;
        QVERIFY2(mine == theirs, where);
    }
}

} // namespace

class TestParameter : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void reading_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("value");
        const int ok = int(ParameterError::None);
        QTest::newRow("letter") << "a" << ok << "a";
        QTest::newRow("coefficient") << "2a" << ok << "2a";
        QTest::newRow("sum") << "-3a + 1" << ok << "-3a + 1";
        QTest::newRow("power") << "a^2 - 1" << ok << "a² - 1";
        QTest::newRow("superscript") << "a² − a³" << ok << "-a³ + a²";
        QTest::newRow("brackets") << "(a - 1)(a + 2)" << ok << "a² + a - 2";
        QTest::newRow("number times bracket") << "2(a + 1)" << ok << "2a + 2";
        QTest::newRow("over a number") << "(a - 1)/2" << ok << "(1/2)a - 1/2";
        QTest::newRow("fraction coefficient") << "a/3 + 1.5" << ok << "(1/3)a + 3/2";
        QTest::newRow("cyrillic") << "2а·а" << ok << "2a²";
        QTest::newRow("number") << "-7/2" << ok << "-7/2";
        QTest::newRow("two letters") << "a + b" << int(ParameterError::TwoLetters) << "";
        QTest::newRow("two letters joined") << "ab" << int(ParameterError::TwoLetters) << "";
        QTest::newRow("over the letter")
            << "1/a" << int(ParameterError::DivisionByExpression) << "";
        QTest::newRow("over a bracket")
            << "2/(a + 1)" << int(ParameterError::DivisionByExpression) << "";
        QTest::newRow("huge power") << "a^99" << int(ParameterError::PowerTooLarge) << "";
        QTest::newRow("unknown's x") << "2x" << int(ParameterError::NotExpression) << "";
        QTest::newRow("digit after") << "a2" << int(ParameterError::NotExpression) << "";
        QTest::newRow("open bracket") << "(a + 1" << int(ParameterError::NotExpression) << "";
        QTest::newRow("over zero") << "a/0" << int(ParameterError::NotExpression) << "";
    }
    void reading()
    {
        QFETCH(QString, cell);
        QFETCH(int, error);
        QFETCH(QString, value);
        QChar letter;
        Polynomial p;
        QCOMPARE(int(gauss::readPolynomial(cell, letter, p)), error);
        if (error == int(ParameterError::None))
            QCOMPARE(text(p), value);
        QChar other = u'k'; // a system that already has its letter
        QCOMPARE(gauss::readPolynomial(QStringLiteral("a"), other, p), ParameterError::TwoLetters);
    }

    void analysis_data()
    {
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<QString>("determinant");
        QTest::addColumn<QStringList>("verdicts"); // the general case first, then each case
        QTest::newRow("2×2") << QList<QStringList>{{"1", "a", "2"}, {"a", "4", "4"}} << "-a² + 4"
                             << QStringList{"1: x1=4/(a + 2); x2=2/(a + 2)", "a = -2 | 0: r2 0=8",
                                            "a = 2 | ∞: x2 free; x1=2 + (-2)x2"};
        QTest::newRow("symmetric, double root")
            << QList<QStringList>{{"a", "1", "1", "1"}, {"1", "a", "1", "1"}, {"1", "1", "a", "1"}}
            << "a³ - 3a + 2"
            << QStringList{"1: x1=1/(a + 2); x2=1/(a + 2); x3=1/(a + 2)", "a = -2 | 0: r3 0=3",
                           "a = 1 | ∞: x2 free; x3 free; x1=1 + (-1)x2 + (-1)x3"};
        QTest::newRow("irrational")
            << QList<QStringList>{{"1", "a", "1"}, {"a", "2", "1"}} << "-a² + 2"
            << QStringList{"1: x1=(a - 2)/(a² - 2); x2=(a - 1)/(a² - 2)",
                           "a² - 2 | 0: r2 0=-a + 1"};
        QTest::newRow("quadratic entries")
            << QList<QStringList>{{"1", "1", "1"}, {"1", "a^2", "a"}} << "a² - 1"
            << QStringList{"1: x1=a/(a + 1); x2=1/(a + 1)", "a = -1 | 0: r2 0=-2",
                           "a = 1 | ∞: x2 free; x1=1 + (-1)x2"};
        QTest::newRow("rectangular")
            << QList<QStringList>{{"1", "1", "1", "1"}, {"1", "2", "a", "2"}} << ""
            << QStringList{"∞: x3 free; x1=0 + (a - 2)x3; x2=1 + (-a + 1)x3"};
        QTest::newRow("never singular")
            << QList<QStringList>{{"1", "a", "1"}, {"0", "a^2 + 1", "a"}} << "a² + 1"
            << QStringList{"1: x1=1/(a² + 1); x2=a/(a² + 1)"};
        QTest::newRow("a factor of too high a degree")
            << QList<QStringList>{{"1", "1", "1"}, {"1", "a^12 a - 1", "1"}} << "a¹³ - 2"
            << QStringList{"1: x1=1; x2=0", "a¹³ - 2 | not worked"};
        QTest::newRow("one solution at the irrational values")
            << QList<QStringList>{{"1", "0", "1"}, {"0", "1", "1"}, {"1", "1", "a^2"}} << ""
            << QStringList{"0: r3 0=a² - 2", "a² - 2 | 1: x1=1; x2=1"};
        QTest::newRow("inconsistent but at one value")
            << QList<QStringList>{{"1", "1", "1"}, {"1", "1", "a"}} << "0"
            << QStringList{"0: r2 0=a - 1", "a = 1 | ∞: x2 free; x1=1 + (-1)x2"};
    }
    void analysis()
    {
        QFETCH(QList<QStringList>, rows);
        QFETCH(QString, determinant);
        QFETCH(QStringList, verdicts);
        const gauss::ParameterAnalysis a = gauss::analyseParameter(systemOf(rows));
        QCOMPARE(a.status, gauss::ParameterAnalysis::Done);
        if (a.square)
            QCOMPARE(text(a.determinant), determinant);
        QStringList got{solutionText(a.general)};
        for (const gauss::ParameterCase &c : a.cases)
            got << (c.rational() ? "a = " + gauss::fractionText(c.value()) : text(c.factor)) +
                       " | " + (c.worked ? solutionText(c.solution) : QStringLiteral("not worked"));
        QCOMPARE(got, verdicts);
        // A solution in a field of roots satisfies every equation there.
        for (const gauss::ParameterCase &c : a.cases)
            for (qsizetype r = 0; c.worked && c.solution.kind == Verdict::One && r < rows.size();
                 ++r) {
                const auto &row = a.system.a[std::size_t(r)];
                gauss::Residue sum(Polynomial(), c.factor);
                for (const auto &b : c.solution.bound)
                    sum = sum +
                          gauss::Residue(row[std::size_t(b.unknown - 1)], c.factor) * b.constant;
                QVERIFY(sum == gauss::Residue(row.back(), c.factor));
            }
        const std::atomic<bool> stop{true};
        QCOMPARE(gauss::analyseParameter(systemOf(rows), &stop).status,
                 gauss::ParameterAnalysis::Cancelled);
    }

    // Random 3 × 3 and 2 × 3 systems with entries linear in a: the general
    // solution at values that are not special, and each rational case at its
    // value, against the numeric solve of the substituted system.
    void againstSubstitution()
    {
        std::mt19937 random(20261208);
        std::uniform_int_distribution<int> small(-2, 2);
        for (int trial = 0; trial < 150; ++trial) {
            const int rows = trial % 3 == 0 ? 2 : 3;
            QList<QStringList> cells;
            for (int r = 0; r < rows; ++r) {
                QStringList row;
                for (int c = 0; c < 4; ++c)
                    row << QStringLiteral("%1a + %2")
                               .arg(small(random) * (c + r) % 3)
                               .arg(small(random));
                cells << row;
            }
            const gauss::ParametricSystem system = systemOf(cells);
            const gauss::ParameterAnalysis a = gauss::analyseParameter(system);
            for (const gauss::ParameterCase &c : a.cases)
                if (c.rational())
                    checkAgainstSolve(system, c.value(), c.solution, [&](const gauss::Residue &r) {
                        return r.value().at(c.value());
                    });
            // Small values too, so that a case dropped as the general one's is checked.
            for (int k = -8; k <= 8; ++k) {
                mpq_class value(k, 2);
                value.canonicalize();
                bool special = false;
                for (const gauss::ParameterCase &c : a.cases)
                    special = special || c.factor.at(value) == 0;
                if (special)
                    continue;
                bool defined = true;
                checkAgainstSolve(system, value, a.general, [&](const gauss::RationalFunction &f) {
                    mpq_class v;
                    defined = f.at(value, v) && defined;
                    return v;
                });
                QVERIFY2(defined, "the general solution is undefined at a value no case names");
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestParameter)
#include "tst_parameter.moc"
