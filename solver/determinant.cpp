#include "determinant.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace gauss
{

namespace
{

DiagonalProduct product(const Square &m, std::vector<Place> factors, bool added)
{
    DiagonalProduct p;
    p.value = 1;
    for (const Place &at : factors)
        p.value *= m.a[at.row][at.column];
    p.factors = std::move(factors);
    p.added = added;
    return p;
}

DeterminantWorking byDiagonals(const Square &m)
{
    DeterminantWorking w;
    w.matrix = m;
    if (m.size == 2) {
        w.rule = DeterminantWorking::Diagonals;
        w.products = {product(m, {{1, 1}, {2, 2}}, true), product(m, {{1, 2}, {2, 1}}, false)};
    } else {
        // The three diagonals down to the right, then the three down to the left.
        w.rule = DeterminantWorking::Sarrus;
        w.products = {product(m, {{1, 1}, {2, 2}, {3, 3}}, true),
                      product(m, {{1, 2}, {2, 3}, {3, 1}}, true),
                      product(m, {{1, 3}, {2, 1}, {3, 2}}, true),
                      product(m, {{1, 3}, {2, 2}, {3, 1}}, false),
                      product(m, {{1, 1}, {2, 3}, {3, 2}}, false),
                      product(m, {{1, 2}, {2, 1}, {3, 3}}, false)};
    }
    w.value = 0;
    for (const DiagonalProduct &p : w.products)
        w.value += p.added ? p.value : mpq_class(-p.value);
    return w;
}

RowOp exactOp(RowOp::Kind kind, int row, int other, const mpq_class &factor)
{
    return RowOp{kind, qint16(row), qint16(other), std::numeric_limits<float>::quiet_NaN(), factor};
}

} // namespace

Square coefficients(const ExactMatrix &a, int n, int replaced)
{
    Square m;
    m.size = n;
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c)
            m.a[r][c] = a[r][c == replaced ? n + 1 : c];
    return m;
}

DeterminantWorking determinantOf(const Square &m)
{
    if (m.size == 2 || m.size == 3)
        return byDiagonals(m);
    if (m.size >= 4)
        return byElimination(m);
    DeterminantWorking w;
    w.matrix = m;
    w.value = m.size == 1 ? m.a[1][1] : mpq_class(1);
    return w;
}

DeterminantWorking byElimination(const Square &m)
{
    DeterminantWorking w;
    w.rule = DeterminantWorking::Elimination;
    w.matrix = m;
    Square now = m;
    mpq_class coefficient = 1;
    auto record = [&](DeterminantStep step) {
        step.after = now;
        step.coefficient = coefficient;
        w.steps.push_back(std::move(step));
    };
    const int n = m.size;
    for (int k = 1; k <= n; ++k) {
        if (now.a[k][k] == 0) {
            int p = k + 1;
            while (p <= n && now.a[p][k] == 0)
                ++p;
            if (p > n) {
                coefficient = 0;
                record({DeterminantStep::ZeroColumn, k, 0, 0, {}, {}, 0});
                w.value = 0;
                return w;
            }
            for (int c = 1; c <= n; ++c)
                std::swap(now.a[k][c], now.a[p][c]);
            coefficient = -coefficient;
            record(
                {DeterminantStep::Exchange, k, p, 0, {exactOp(RowOp::Exchange, k, p, 0)}, {}, 0});
        }
        if (k == n)
            break; // the last pivot stays on the diagonal
        const mpq_class pivot = now.a[k][k];
        if (pivot != 1) {
            for (int c = k; c <= n; ++c)
                now.a[k][c] /= pivot;
            coefficient *= pivot;
            record({DeterminantStep::TakeOut, k, 0, pivot, {}, {}, 0});
        }
        DeterminantStep clear{DeterminantStep::Clear, k, 0, 0, {}, {}, 0};
        for (int r = k + 1; r <= n; ++r) {
            const mpq_class factor = now.a[r][k];
            if (factor == 0)
                continue;
            for (int c = k; c <= n; ++c)
                now.a[r][c] -= factor * now.a[k][c];
            clear.ops.push_back(exactOp(RowOp::Eliminate, r, k, factor));
        }
        if (!clear.ops.empty())
            record(std::move(clear));
    }
    w.value = coefficient * now.a[n][n];
    return w;
}

DeterminantWorking byExpansion(const Square &m, bool alongRow, int line)
{
    DeterminantWorking w;
    w.rule = DeterminantWorking::Expansion;
    w.matrix = m;
    w.alongRow = alongRow;
    w.line = line;
    w.value = 0;
    const int n = m.size;
    for (int k = 1; k <= n; ++k) {
        ExpansionTerm term;
        term.place = alongRow ? Place{line, k} : Place{k, line};
        term.element = m.a[term.place.row][term.place.column];
        term.added = (term.place.row + term.place.column) % 2 == 0;
        if (term.element != 0) {
            Square minor;
            minor.size = n - 1;
            for (int r = 1, mr = 1; r <= n; ++r) {
                if (r == term.place.row)
                    continue;
                for (int c = 1, mc = 1; c <= n; ++c)
                    if (c != term.place.column)
                        minor.a[mr][mc++] = m.a[r][c];
                ++mr;
            }
            term.minor = std::make_shared<const DeterminantWorking>(determinantOf(minor));
            const mpq_class value = term.element * term.minor->value;
            w.value += term.added ? value : mpq_class(-value);
        }
        w.terms.push_back(std::move(term));
    }
    return w;
}

bool CramerWorking::noSolution() const
{
    if (decided())
        return false;
    for (const DeterminantWorking &each : di)
        if (each.value != 0)
            return true;
    return false;
}

CramerWorking cramer(const ExactMatrix &a, int n)
{
    CramerWorking w;
    w.n = n;
    w.d = determinantOf(coefficients(a, n));
    for (int i = 1; i <= n; ++i)
        w.di.push_back(determinantOf(coefficients(a, n, i)));
    if (w.decided()) {
        w.x.resize(std::size_t(n) + 1);
        for (int i = 1; i <= n; ++i)
            w.x[std::size_t(i)] = w.di[std::size_t(i) - 1].value / w.d.value;
    }
    return w;
}

DeterminantCheck checkDeterminant(const DeterminantWorking &w, const std::vector<mpq_class> &terms,
                                  const mpq_class &value)
{
    if (terms.empty())
        return {value == w.value ? DeterminantCheck::Right : DeterminantCheck::WrongValue, 0};
    std::vector<mpq_class> left = terms;
    int number = 0;
    for (const DiagonalProduct &p : w.products) {
        ++number;
        const mpq_class signedValue = p.added ? p.value : mpq_class(-p.value);
        const auto found = std::find(left.begin(), left.end(), signedValue);
        if (found == left.end())
            return {DeterminantCheck::WrongProduct, number};
        left.erase(found);
    }
    if (!left.empty())
        return {DeterminantCheck::ExtraTerms, 0};
    mpq_class sum = 0;
    for (const mpq_class &term : terms)
        sum += term;
    return {sum == value ? DeterminantCheck::Right : DeterminantCheck::WrongSum, 0};
}

} // namespace gauss
