// The analysis of systems with a parameter without a window, each timed as
// the median of several runs: a 4 × 4 with quadratic entries everywhere, and
// a 9 × 9 with the parameter in one diagonal entry.

#include "parameter.h"
#include "parametertext.h"

#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace
{

gauss::ParametricSystem system(int n, const std::function<QString(int, int)> &cell)
{
    gauss::ParametricSystem s{n, n, QChar(), {}};
    for (int r = 1; r <= n; ++r) {
        std::vector<gauss::Polynomial> row;
        for (int c = 1; c <= n + 1; ++c) {
            gauss::Polynomial p;
            gauss::readPolynomial(cell(r, c), s.letter, p);
            row.push_back(p);
        }
        s.a.push_back(row);
    }
    return s;
}

void time(const char *name, const gauss::ParametricSystem &s)
{
    std::vector<double> ms;
    gauss::ParameterAnalysis a;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer timer;
        timer.start();
        a = gauss::analyseParameter(s);
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-34s median %8.2f ms, slowest %8.2f ms; %zu cases, %zu steps\n", name, ms[3],
                ms.back(), a.cases.size(), a.steps.size());
}

} // namespace

int main()
{
    std::mt19937 rng(32);
    std::uniform_int_distribution<int> small(-3, 3);
    time("4 x 4, quadratic entries", system(4, [&](int, int) {
             return QStringLiteral("%1a^2 + %2a + %3")
                 .arg(small(rng))
                 .arg(small(rng))
                 .arg(small(rng));
         }));
    time("9 x 9, parameter in one diagonal", system(9, [&](int r, int c) {
             if (r == 5 && c == 5)
                 return QStringLiteral("a");
             return QString::number(r == c ? 10 : small(rng));
         }));
    time("9 x 9, a on the diagonal, 1 off it", system(9, [&](int r, int c) {
             return r == c ? QStringLiteral("a") : QStringLiteral("1");
         }));
    time("9 x 9, quadratic entries everywhere", system(9, [&](int, int) {
             return QStringLiteral("%1a^2 + %2a + %3")
                 .arg(small(rng))
                 .arg(small(rng))
                 .arg(small(rng));
         }));
    time("9 x 9, linear entries everywhere", system(9, [&](int, int) {
             return QStringLiteral("%1a + %2").arg(small(rng)).arg(small(rng));
         }));
    return 0;
}
