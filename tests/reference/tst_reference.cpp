// An independent model of the elimination, written from the rules alone with
// plain loops over 0-based vectors, run against the solver on thousands of
// random systems. The two must agree bit for bit on every step's matrix, on
// the determinant and on the solution.

#include "elimination.h"
#include "numbertext.h"

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

enum class End { Solved, Refused, Overflow };

struct Run {
    End end = End::Solved;
    bool detOverflow = false;
    float det = 0;
    std::vector<Block> steps;
    std::vector<float> x;
};

// The determinant test: every operation rounded to float.
float modelDeterminant(Block m, int n, bool &overflow)
{
    overflow = false;
    float det = 1;
    auto bad = [&](float v) { return overflow = overflow || std::isinf(v) || std::isnan(v); };
    for (int k = 0; k < n - 1; ++k) {
        float pivot = m[k][k];
        int p = k;
        while (pivot == 0) {
            for (int j = k; j < n; ++j)
                std::swap(m[k][j], m[p + 1][j]);
            det = -det;
            pivot = m[k][k];
            if (pivot == 0) {
                if (p == n - 2)
                    return 0;
                ++p;
            }
        }
        det = pivot * det;
        if (bad(det))
            return det;
        for (int j = k; j < n; ++j)
            if (bad(m[k][j] = m[k][j] / pivot))
                return det;
        for (int r = k + 1; r < n; ++r) {
            const float f = m[r][k];
            for (int j = 0; j < n; ++j) {
                const float t = m[k][j] * -f;
                if (bad(t) || bad(m[r][j] = t + m[r][j]))
                    return det;
            }
        }
    }
    for (int r = 0; r < n; ++r)
        if (bad(det = det * m[r][r]))
            return det;
    return det;
}

// An element formed in double and stored as a float; false when the float
// would be an infinity.
bool put(float &element, double value)
{
    element = static_cast<float>(value);
    return std::isfinite(element);
}

Run modelSolve(const Block &typed, int n)
{
    Run run;
    run.det = modelDeterminant(typed, n, run.detOverflow);
    if (run.detOverflow) {
        run.end = End::Overflow;
        return run;
    }
    if (run.det == 0) {
        run.end = End::Refused;
        return run;
    }
    Block m = typed;
    for (int k = 0; k < n; ++k) {
        float pivot = m[k][k];
        int p = k;
        while (pivot == 0) {
            if (p + 1 >= n) {
                run.end = End::Refused;
                return run;
            }
            for (int j = k; j <= n; ++j)
                std::swap(m[k][j], m[p + 1][j]);
            pivot = m[k][k];
            if (pivot == 0)
                ++p;
        }
        for (int j = k; j <= n; ++j)
            if (!put(m[k][j], double(m[k][j]) / double(pivot))) {
                run.end = End::Overflow;
                return run;
            }
        for (int r = k + 1; r < n; ++r) {
            const float f = m[r][k];
            for (int j = k; j <= n; ++j)
                if (!put(m[r][j], -double(f) * double(m[k][j]) + double(m[r][j]))) {
                    run.end = End::Overflow;
                    return run;
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
        if (!std::isfinite(v)) {
            run.end = End::Overflow;
            return run;
        }
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
enum Kind { Integers, Decimals, Zeros, NearSingular, Extremes, Kinds };

std::vector<QStringList> randomSystem(std::mt19937 &rng, Kind kind, int n)
{
    std::uniform_int_distribution<int> digit(-9, 9);
    std::uniform_int_distribution<int> percent(0, 99);
    std::vector<std::vector<double>> v(n, std::vector<double>(n + 1));
    for (auto &row : v)
        for (double &e : row) {
            switch (kind) {
            case Integers:
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
    const char *names[] = {"integers", "decimals", "zeros", "near-singular", "extremes"};
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
    int counts[3] = {};
    for (int sample = 0; sample < 8 * perSize; ++sample) {
        const int n = size(rng);
        const std::vector<QStringList> texts = randomSystem(rng, Kind(kind), n);
        const auto cell = [&](int r, int c) { return texts[r - 1][c - 1]; };

        Block typed(n, std::vector<float>(n + 1));
        for (int r = 0; r < n; ++r)
            for (int c = 0; c <= n; ++c)
                typed[r][c] = std::strtof(texts[r][c].toLatin1().constData(), nullptr);
        const Run model = modelSolve(typed, n);

        gauss::SolverState fresh;
        fresh.n = qint16(n);
        std::vector<Block> steps;
        const auto solve = [&](gauss::SolverState &s,
                               const std::function<void(const gauss::Step &)> &afterStep) {
            return gauss::solve(
                       s, [&] { return gauss::readBlock(s, s.n, cell); }, afterStep)
                .result;
        };
        const gauss::SolveResult result = solve(fresh, [&](const gauss::Step &step) {
            QCOMPARE(step.nomer, int(steps.size()) + 1);
            Block b(n, std::vector<float>(n + 1));
            for (int r = 0; r < n; ++r)
                for (int c = 0; c <= n; ++c)
                    b[r][c] = fresh.a[r + 1][c + 1];
            steps.push_back(b);
        });
        const QByteArray where = QByteArray("sample ") + QByteArray::number(sample) +
                                 ", n = " + QByteArray::number(n) + ": " +
                                 texts[0].join(' ').toUtf8();

        const gauss::SolveResult expected = model.end == End::Solved ? gauss::SolveResult::Solved
                                            : model.end == End::Refused
                                                ? gauss::SolveResult::Refused
                                                : gauss::SolveResult::Overflow;
        QVERIFY2(result == expected,
                 (where + " got " + QByteArray::number(int(result)) + " model " +
                  QByteArray::number(int(expected)) + " det " + QByteArray::number(fresh.det) +
                  "/" + QByteArray::number(model.det) + " steps " +
                  QByteArray::number(int(steps.size())) + "/" +
                  QByteArray::number(int(model.steps.size())))
                     .constData());
        if (!model.detOverflow)
            QVERIFY2(sameBits(fresh.det, model.det), where.constData());
        QVERIFY2(steps.size() == model.steps.size(), where.constData());
        for (std::size_t s = 0; s < steps.size(); ++s)
            for (int r = 0; r < n; ++r)
                for (int c = 0; c <= n; ++c)
                    QVERIFY2(sameBits(steps[s][r][c], model.steps[s][r][c]), where.constData());

        if (result == gauss::SolveResult::Solved) {
            ++counts[0];
            QVERIFY2(int(steps.size()) == 2 * n - 1, where.constData());
            for (int r = 1; r <= n; ++r) {
                QVERIFY2(sameBits(fresh.x[r], model.x[r - 1]), where.constData());
                for (int c = 1; c <= n; ++c)
                    QVERIFY2(fresh.a[r][c] == (r == c ? 1.0f : 0.0f), where.constData());
            }
        } else {
            ++counts[result == gauss::SolveResult::Refused ? 1 : 2];
        }

        // The same system on a state that has seen every earlier one.
        reused.n = qint16(n);
        QVERIFY2(solve(reused, {}) == result, where.constData());
        QVERIFY2(sameBits(reused.det, fresh.det), where.constData());
        for (int r = 1; r <= n; ++r) {
            QVERIFY2(sameBits(reused.x[r], fresh.x[r]) || result != gauss::SolveResult::Solved,
                     where.constData());
            for (int c = 1; c <= n + 1; ++c)
                QVERIFY2(sameBits(reused.a[r][c], fresh.a[r][c]), where.constData());
        }
    }
    qInfo("%d systems checked: %d solved, %d refused, %d overflowed", 8 * perSize, counts[0],
          counts[1], counts[2]);
}

QTEST_GUILESS_MAIN(TestReference)
#include "tst_reference.moc"
