#include "determinant.h"

#include <algorithm>
#include <iterator>
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

DeterminantCheck checked(DeterminantCheck::Result result, int product = 0)
{
    DeterminantCheck check;
    check.result = result;
    check.product = product;
    return check;
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
        return checked(value == w.value ? DeterminantCheck::Right : DeterminantCheck::WrongValue);
    std::vector<mpq_class> left = terms;
    int number = 0;
    for (const DiagonalProduct &p : w.products) {
        ++number;
        const mpq_class signedValue = p.added ? p.value : mpq_class(-p.value);
        const auto found = std::find(left.begin(), left.end(), signedValue);
        if (found == left.end())
            return checked(DeterminantCheck::WrongProduct, number);
        left.erase(found);
    }
    if (!left.empty())
        return checked(DeterminantCheck::ExtraTerms);
    mpq_class sum = 0;
    for (const mpq_class &term : terms)
        sum += term;
    return checked(sum == value ? DeterminantCheck::Right : DeterminantCheck::WrongSum);
}

EliminationProduct eliminationProduct(const DeterminantWorking &w)
{
    EliminationProduct p;
    const int n = w.matrix.size;
    std::vector<mpq_class> diagonal(std::size_t(n) + 1, 1);
    int end = n;
    bool zero = false;
    for (const DeterminantStep &step : w.steps) {
        if (step.kind == DeterminantStep::Exchange)
            ++p.exchanges;
        else if (step.kind == DeterminantStep::TakeOut)
            diagonal[std::size_t(step.row)] = step.factor;
        else if (step.kind == DeterminantStep::ZeroColumn) {
            diagonal[std::size_t(step.row)] = 0;
            end = step.row;
            zero = true;
        }
    }
    // The last pivot is never taken out: it stays on the diagonal.
    if (!zero && n > 0)
        diagonal[std::size_t(n)] =
            w.steps.empty() ? w.matrix.a[n][n] : w.steps.back().after.a[n][n];
    for (int k = 1; k <= end; ++k)
        p.factors.push_back({k, diagonal[std::size_t(k)]});
    return p;
}

namespace
{

// Where a product that does not make D first parts from the working's.
DeterminantCheck firstDifference(const EliminationProduct &worked, const TypedProduct &typed,
                                 DeterminantCheck check)
{
    std::vector<DiagonalFactor> diagonal = worked.factors;
    // A class often leaves out the pivots that are 1.
    if (typed.factors.size() != diagonal.size()) {
        std::vector<DiagonalFactor> withoutOnes;
        std::copy_if(diagonal.begin(), diagonal.end(), std::back_inserter(withoutOnes),
                     [](const DiagonalFactor &f) { return f.value != 1; });
        if (withoutOnes.size() == typed.factors.size())
            diagonal = std::move(withoutOnes);
    }
    const bool flipped = worked.exchanges % 2 != 0;
    bool negated = typed.negated;
    std::vector<mpq_class> factors = typed.factors;
    // "−2 · 3" may be the first factor's minus as well as the exchanges' sign.
    if (negated != flipped && !diagonal.empty() && -factors[0] == diagonal[0].value) {
        negated = flipped;
        factors[0] = -factors[0];
    }
    for (std::size_t k = 0; k < std::min(factors.size(), diagonal.size()); ++k)
        if (factors[k] != diagonal[k].value) {
            check.result = DeterminantCheck::WrongFactor;
            check.product = int(k) + 1;
            check.column = diagonal[k].column;
            check.expected = diagonal[k].value;
            return check;
        }
    if (factors.size() != diagonal.size()) {
        check.result = DeterminantCheck::FactorCount;
        check.product = int(diagonal.size());
    } else
        check.result =
            negated != flipped ? DeterminantCheck::WrongSign : DeterminantCheck::WrongValue;
    return check;
}

} // namespace

DeterminantCheck checkElimination(const DeterminantWorking &w, const TypedProduct &typed)
{
    if (typed.factors.empty())
        return checkDeterminant(w, {}, typed.value.value_or(0));
    DeterminantCheck check;
    check.made = typed.negated ? -1 : 1;
    for (const mpq_class &factor : typed.factors)
        check.made *= factor;
    const mpq_class value = typed.value.value_or(check.made);
    if (value == w.value) {
        check.result = check.made == value ? DeterminantCheck::Right : DeterminantCheck::RightValue;
        return check;
    }
    if (check.made == w.value) {
        check.result = DeterminantCheck::WrongMultiplication;
        return check;
    }
    return firstDifference(eliminationProduct(w), typed, check);
}

ParametricCheck checkParametric(const RationalFunction &d, const Polynomial &typed)
{
    ParametricCheck check;
    const Polynomial difference = (d - RationalFunction(typed)).numerator();
    if (difference.isZero())
        return check;
    check.right = false;
    // A polynomial of degree k vanishes at k values at most.
    for (int k = 0;; k = k > 0 ? -k : 1 - k)
        if (difference.at(k) != 0) {
            check.at = k;
            check.yours = typed.at(k);
            d.at(k, check.value);
            return check;
        }
}

} // namespace gauss
