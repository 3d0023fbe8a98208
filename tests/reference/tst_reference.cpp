// An independent model of the elimination, written from the rules alone with
// plain loops over 0-based vectors, run against the solver on thousands of
// random systems. The two must agree bit for bit on every step's matrix and on
// the solution; a system is refused exactly when its rational rank is below n,
// and says that rank, and a solved one's exact solution satisfies every
// equation exactly.

#include "elimination.h"
#include "exacttwin.h"
#include "numbertext.h"
#include "record.h"
#include "singular.h"

#include <gmpxx.h>

#include <QLocale>
#include <QTest>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace
{

using Block = std::vector<std::vector<float>>; // n rows of n + 1 columns

enum class End { Solved, Refused, Overflow, Underflow, TooFewDigits };
using Exact = std::vector<std::vector<mpq_class>>;

struct Run {
    End end = End::Solved;
    std::vector<Block> steps;
    std::vector<float> x;
    mpq_class det;
    int rank = 0;
};

// The exact value of a C-locale number text: its digits over a power of ten.
mpq_class exactValue(const QString &text)
{
    const QStringList parts = text.toUpper().split(u'E');
    QString mantissa = parts[0];
    const qsizetype point = mantissa.indexOf(u'.');
    long decimals = point < 0 ? 0 : long(mantissa.size() - point - 1);
    mantissa.remove(u'.');
    if (parts.size() > 1)
        decimals -= parts[1].toLong();
    mpz_class ten;
    mpz_ui_pow_ui(ten.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(decimals)));
    mpq_class value = decimals >= 0 ? mpq_class(mpz_class(mantissa.toStdString(), 10), ten)
                                    : mpq_class(mpz_class(mantissa.toStdString(), 10) * ten);
    value.canonicalize();
    return value;
}

// The rank of the coefficients by elimination with whatever non-zero pivot
// comes first in the column, and the determinant it gives along the way.
int rank(Exact m, int n, mpq_class &det)
{
    int r = 0;
    det = 1;
    for (int c = 0; c < n; ++c) {
        int p = r;
        while (p < n && m[p][c] == 0)
            ++p;
        if (p == n) {
            det = 0;
            continue;
        }
        if (p != r) {
            std::swap(m[p], m[r]);
            det = -det;
        }
        det *= m[r][c];
        for (int i = r + 1; i < n; ++i) {
            const mpq_class f = m[i][c] / m[r][c];
            for (int j = c; j < n; ++j)
                m[i][j] -= f * m[r][j];
        }
        ++r;
    }
    return r;
}

// Whether the first exactly non-zero element of column k from row k on lies
// at or below half the smallest subnormal float, 2^-150, where rounding to
// single precision gives 0.
bool belowRange(const Exact &e, int k, int n)
{
    const mpq_class half(mpz_class(1), mpz_class(1) << 150);
    for (int r = k; r < n; ++r)
        if (e[r][k] != 0)
            return abs(e[r][k]) <= half;
    return false;
}

// The answer as shown, from the exact value by its decimal digits: the
// integer part and 40 decimals, rounded at the place where three decimals or
// seven significant digits end, whichever comes first, ties to the even
// digit. Below 10^-40 an answer is 0 in both.
mpq_class modelAnswer(const mpq_class &x)
{
    const mpq_class magnitude = abs(x);
    mpz_class ten40;
    mpz_ui_pow_ui(ten40.get_mpz_t(), 10, 40);
    const mpz_class digits = magnitude.get_num() * ten40 / magnitude.get_den(); // floor
    if (digits == 0)
        return 0;
    mpq_class truncated(digits, ten40);
    truncated.canonicalize();
    const bool beyond = truncated != magnitude; // non-zero past 40 decimals
    std::string d = digits.get_str();
    const long exponent = long(d.size()) - 41; // of the leading digit
    const long decimals = std::min(3L, 6 - exponent);
    // Zeros in front, so that the kept place is inside the string.
    d.insert(0, std::string(std::size_t(std::max(0L, 44 - long(d.size()))), '0'));
    const std::size_t keep = std::size_t(long(d.size()) - 40 + decimals);
    mpz_class kept(d.substr(0, keep), 10);
    const char next = d[keep];
    const bool rest = beyond || d.find_first_not_of('0', keep + 1) != std::string::npos;
    if (next > '5' || (next == '5' && (rest || mpz_odd_p(kept.get_mpz_t()))))
        ++kept;
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(decimals)));
    mpq_class rounded = decimals >= 0 ? mpq_class(kept, scale) : mpq_class(kept * scale);
    rounded.canonicalize();
    return x < 0 ? mpq_class(-rounded) : rounded;
}

// An element formed in double and stored as a float; false when the float
// would be an infinity.
bool put(float &element, double value)
{
    element = static_cast<float>(value);
    return std::isfinite(element);
}

Run modelSolve(const Block &typed, const Exact &exact, int n)
{
    Run run;
    run.rank = rank(exact, n, run.det);
    if (run.rank < n) {
        run.end = End::Refused;
        return run;
    }
    Block m = typed;
    Exact e = exact;
    for (int k = 0; k < n; ++k) {
        int p = k;
        // Zero is zero exactly, or a float that cannot be divided by.
        while (m[k][k] == 0 || e[k][k] == 0) {
            if (p + 1 >= n) {
                run.end = belowRange(e, k, n) ? End::Underflow : End::TooFewDigits;
                return run;
            }
            std::swap(m[k], m[p + 1]);
            std::swap(e[k], e[p + 1]);
            if (m[k][k] == 0 || e[k][k] == 0)
                ++p;
        }
        const float pivot = m[k][k];
        const mpq_class exactPivot = e[k][k];
        for (int j = k; j <= n; ++j) {
            e[k][j] /= exactPivot;
            if (!put(m[k][j], double(m[k][j]) / double(pivot))) {
                run.end = End::Overflow;
                return run;
            }
        }
        for (int r = k + 1; r < n; ++r) {
            const float f = m[r][k];
            const mpq_class g = e[r][k];
            for (int j = k; j <= n; ++j) {
                e[r][j] -= g * e[k][j];
                if (!put(m[r][j], -double(f) * double(m[k][j]) + double(m[r][j]))) {
                    run.end = End::Overflow;
                    return run;
                }
            }
        }
        run.steps.push_back(m);
    }
    for (int k = n - 1; k >= 1; --k) {
        for (int r = k - 1; r >= 0; --r) {
            const float f = m[r][k];
            for (int j = n; j >= k; --j)
                if (!put(m[r][j], -double(f) * double(m[k][j]) + double(m[r][j]))) {
                    run.end = End::Overflow;
                    return run;
                }
        }
        run.steps.push_back(m);
    }
    for (int r = 0; r < n; ++r) {
        const float v = m[r][n] / m[r][r];
        // Three decimals, ties to even, through the decimal text itself.
        char text[64];
        std::snprintf(text, sizeof text, "%.3f", double(v));
        run.x.push_back(std::strtof(text, nullptr));
    }
    return run;
}

bool sameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Systems of one kind, as the user would type them.
enum Kind { Integers, Decimals, Zeros, NearSingular, Extremes, Scaled, Kinds };

std::vector<QStringList> randomSystem(std::mt19937 &rng, Kind kind, int n)
{
    std::uniform_int_distribution<int> digit(-9, 9);
    std::uniform_int_distribution<int> percent(0, 99);
    std::vector<std::vector<double>> v(n, std::vector<double>(n + 1));
    for (auto &row : v)
        for (double &e : row) {
            switch (kind) {
            case Integers:
            case Scaled:
                e = digit(rng);
                break;
            case Decimals:
                e = digit(rng) * 10 + digit(rng) + digit(rng) / 10.0 + digit(rng) / 100.0;
                break;
            case Zeros:
                e = percent(rng) < 55 ? 0 : digit(rng);
                break;
            case Extremes: // far apart in magnitude, so that some steps overflow
                e = digit(rng) * std::pow(10.0, std::uniform_int_distribution<int>(-40, 37)(rng));
                break;
            case NearSingular:
            case Kinds:
                e = digit(rng) / 10.0;
                break;
            }
        }
    if (kind == Scaled) {
        // A chosen solution of 10^-3 to 10^9, seven digits each, and the
        // right-hand sides it gives, so that the answers span that range.
        std::vector<double> x(n);
        for (double &e : x)
            e = std::uniform_int_distribution<int>(-9999999, 9999999)(rng) *
                std::pow(10.0, std::uniform_int_distribution<int>(-9, 3)(rng));
        for (auto &row : v) {
            row[n] = 0;
            for (int c = 0; c < n; ++c)
                row[n] += row[c] * x[c];
        }
    }
    if (kind == NearSingular) {
        // The last row a decimal combination of two others: singular as
        // typed, but not always once rounded to float.
        const double a = digit(rng) / 10.0, b = digit(rng) / 10.0;
        const int first = n > 2 ? 1 : 0;
        for (int c = 0; c <= n; ++c)
            v[n - 1][c] = a * v[0][c] + b * v[first][c] + (percent(rng) < 20 ? 1e-6 : 0);
    }
    std::vector<QStringList> texts;
    for (const auto &row : v) {
        QStringList line;
        for (double e : row)
            line << gauss::numberText(float(e));
        texts.push_back(line);
    }
    return texts;
}

// The smallest and largest non-zero magnitude of the answers checked.
struct Magnitudes {
    mpq_class smallest;
    mpq_class largest;
    void record(const mpq_class &m)
    {
        if (m != 0 && (smallest == 0 || m < smallest))
            smallest = m;
        if (m > largest)
            largest = m;
    }
};

} // namespace

class TestReference : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void randomSystems_data();
    void randomSystems();
};

void TestReference::randomSystems_data()
{
    QTest::addColumn<int>("kind");
    const char *names[] = {"integers", "decimals", "zeros", "near-singular", "extremes", "scaled"};
    for (int kind = 0; kind < Kinds; ++kind)
        QTest::newRow(names[kind]) << kind;
}

void TestReference::randomSystems()
{
    QFETCH(int, kind);
    constexpr int perSize = 400;
    std::mt19937 rng(20261207u + unsigned(kind));
    std::uniform_int_distribution<int> size(2, 9);
    gauss::SolverState reused; // also holds whatever larger systems left behind
    int counts[int(gauss::SolveResult::TooFewDigits) + 1] = {};
    Magnitudes answers;
    for (int sample = 0; sample < 8 * perSize; ++sample) {
        const int n = size(rng);
        const std::vector<QStringList> texts = randomSystem(rng, Kind(kind), n);
        const auto cell = [&](int r, int c) { return texts[r - 1][c - 1]; };

        Block typed(n, std::vector<float>(n + 1));
        Exact exact(n, std::vector<mpq_class>(n + 1));
        for (int r = 0; r < n; ++r)
            for (int c = 0; c <= n; ++c) {
                typed[r][c] = std::strtof(texts[r][c].toLatin1().constData(), nullptr);
                exact[r][c] = exactValue(texts[r][c]);
            }
        const Run model = modelSolve(typed, exact, n);

        gauss::SolverState fresh;
        fresh.n = qint16(n);
        std::vector<Block> steps;
        QVERIFY(gauss::readBlock(fresh, fresh.n, cell));
        const gauss::SolveRecord record =
            gauss::solveRecord(fresh, gauss::SolveMode::StopWithSevenDigits);
        const gauss::SolveResult result = record.end.result;
        for (const gauss::RecordStep &made : record.steps) {
            QCOMPARE(made.step.nomer, int(steps.size()) + 1);
            Block b(n, std::vector<float>(n + 1));
            for (int r = 0; r < n; ++r)
                for (int c = 0; c <= n; ++c)
                    b[r][c] = made.single[r + 1][c + 1];
            steps.push_back(b);
        }
        const QByteArray where = QByteArray("sample ") + QByteArray::number(sample) +
                                 ", n = " + QByteArray::number(n) + ": " +
                                 texts[0].join(' ').toUtf8();

        const gauss::SolveResult expected =
            model.end == End::Solved         ? gauss::SolveResult::Solved
            : model.end == End::Refused      ? gauss::SolveResult::Refused
            : model.end == End::TooFewDigits ? gauss::SolveResult::TooFewDigits
            : model.end == End::Underflow    ? gauss::SolveResult::Underflow
                                             : gauss::SolveResult::Overflow;
        QVERIFY2(result == expected,
                 (where + " got " + QByteArray::number(int(result)) + " model " +
                  QByteArray::number(int(expected)) + " det " + QByteArray::number(fresh.det) +
                  " steps " + QByteArray::number(int(steps.size())) + "/" +
                  QByteArray::number(int(model.steps.size())))
                     .constData());
        QVERIFY2(fresh.exact.det == model.det, where.constData());
        QVERIFY2(steps.size() == model.steps.size(), where.constData());
        for (std::size_t s = 0; s < steps.size(); ++s)
            for (int r = 0; r < n; ++r)
                for (int c = 0; c <= n; ++c)
                    QVERIFY2(sameBits(steps[s][r][c], model.steps[s][r][c]), where.constData());

        if (result != gauss::SolveResult::Refused) {
            // Solved or stopped: the exact solution satisfies every equation
            // exactly, and each answer is it rounded once.
            for (int r = 0; r < n; ++r) {
                mpq_class sum;
                for (int c = 0; c < n; ++c)
                    sum += exact[r][c] * fresh.exact.x[c + 1];
                QVERIFY2(sum == exact[r][n], where.constData());
                const mpq_class &x = fresh.exact.x[r + 1];
                const QString shown = gauss::decimalText(gauss::roundAnswer(x));
                QVERIFY2(exactValue(shown) == modelAnswer(x),
                         (where + " x = " + shown.toUtf8() + ", exactly " +
                          QByteArray::fromStdString(x.get_str()) + ", model " +
                          QByteArray::fromStdString(modelAnswer(x).get_str()))
                             .constData());
                answers.record(abs(x));
            }
        }
        ++counts[int(result)];
        if (result == gauss::SolveResult::Solved) {
            QVERIFY2(int(steps.size()) == 2 * n - 1, where.constData());
            for (int r = 1; r <= n; ++r) {
                QVERIFY2(sameBits(fresh.x[r], model.x[r - 1]), where.constData());
                for (int c = 1; c <= n; ++c)
                    QVERIFY2(fresh.a[r][c] == (r == c ? 1.0f : 0.0f), where.constData());
            }
            QVERIFY2(result != gauss::SolveResult::Refused ||
                         gauss::analyseSingular(fresh.exact.a, n).coefficientRank == model.rank,
                     where.constData());
        }

        // The same system on a state that has seen every earlier one.
        reused.n = qint16(n);
        QVERIFY(gauss::readBlock(reused, reused.n, cell));
        QVERIFY2(gauss::solveRecord(reused, gauss::SolveMode::StopWithSevenDigits).end.result ==
                     result,
                 where.constData());
        QVERIFY2(sameBits(reused.det, fresh.det), where.constData());
        for (int r = 1; r <= n; ++r) {
            QVERIFY2(sameBits(reused.x[r], fresh.x[r]) || result != gauss::SolveResult::Solved,
                     where.constData());
            for (int c = 1; c <= n + 1; ++c)
                QVERIFY2(sameBits(reused.a[r][c], fresh.a[r][c]), where.constData());
        }
    }
    using R = gauss::SolveResult;
    qInfo("%d systems checked: %d solved, %d refused, stopped: %d above the range, %d below it, "
          "%d for lack of digits; answers from %s to %s",
          8 * perSize, counts[int(R::Solved)], counts[int(R::Refused)], counts[int(R::Overflow)],
          counts[int(R::Underflow)], counts[int(R::TooFewDigits)],
          gauss::decimalText(answers.smallest).toUtf8().constData(),
          gauss::decimalText(answers.largest).toUtf8().constData());
}

QTEST_GUILESS_MAIN(TestReference)
#include "tst_reference.moc"
