#include "elimination.h"

#include "numbertext.h"

#include <cmath>
#include <limits>
#include <utility>

namespace gauss
{

namespace
{

// The passes form an element in double and store it as a float. A double at or
// beyond the midpoint between the largest float and 2^128 would round to an
// infinity, and converting it is not portable, so it is caught before.
bool store(float &element, double value)
{
    if (!(std::fabs(value) < 0x1.ffffffp127))
        return false;
    element = float(value);
    return true;
}

// store(), telling where it failed: a(row, column) would have been value.
bool store(float &element, double value, int row, int column, Where *where)
{
    if (store(element, value))
        return true;
    if (where)
        *where = Where{row, column, mpq_class(value)};
    return false;
}

// Why no pivot was left in column k: the first row from k on whose element is
// non-zero exactly. Single precision holds it as zero, either because the
// exact value is below its range or because digits were lost on the way.
Outcome noPivot(const SolverState &s, qint16 k, Where *where)
{
    for (int r = k; r <= s.n; ++r) {
        const mpq_class &value = s.exact.a[r][k];
        if (value == 0)
            continue;
        if (where)
            *where = Where{0, k, value};
        return toFloat(value) == 0 ? Outcome::Underflow : Outcome::NoPivot;
    }
    return Outcome::NoPivot; // not reached: a regular system has a pivot
}

void record(RowOps *ops, RowOp::Kind kind, qint16 row, qint16 other, float factor,
            const mpq_class &exact = 0)
{
    if (ops)
        ops->push_back(RowOp{kind, row, other, factor, exact});
}

constexpr float NoSingle = std::numeric_limits<float>::quiet_NaN();

// Row `row` of the twin less factor times row `pivot`, factor being what
// clears column `pivot`; columns from..n+1, the others hold zeros in both rows.
void eliminate(ExactMatrix &e, int row, int pivot, int from, int n)
{
    const mpq_class factor = e[row][pivot];
    if (factor == 0)
        return;
    for (int j = from; j <= n + 1; ++j)
        e[row][j] -= factor * e[pivot][j];
}

bool validSize(qint16 n)
{
    return n >= MinEquations && n <= MaxEquations;
}

} // namespace

bool readBlock(SolverState &s, const qint16 &n, const std::function<QString(int, int)> &cellText,
               int *badRow, int *badColumn, const CellExact &cellExact)
{
    if (!validSize(n))
        return true;
    return readSystem(s, n, n, cellText, badRow, badColumn, cellExact);
}

bool readSystem(SolverState &s, int rows, int unknowns,
                const std::function<QString(int, int)> &cellText, int *badRow, int *badColumn,
                const CellExact &cellExact)
{
    for (s.i = 1; s.i <= rows; ++s.i) {
        for (s.j = 1; s.j <= unknowns + 1; ++s.j) {
            const mpq_class *known = cellExact ? cellExact(s.i, s.j) : nullptr;
            if (known && readNumber(cellText(s.i, s.j), s.a[s.i][s.j])) {
                s.exact.a[s.i][s.j] = *known;
                continue;
            }
            if (!readNumber(cellText(s.i, s.j), s.a[s.i][s.j], s.exact.a[s.i][s.j])) {
                if (badRow)
                    *badRow = s.i;
                if (badColumn)
                    *badColumn = s.j;
                return false;
            }
        }
    }
    for (s.i = 1; s.i <= rows; ++s.i)
        for (s.j = 1; s.j <= unknowns + 1; ++s.j) {
            s.adet[s.i][s.j] = s.a[s.i][s.j];
            s.exact.adet[s.i][s.j] = s.exact.a[s.i][s.j];
        }
    return true;
}

void determinanta(SolverState &s, Matrix &m)
{
    const qint16 n = s.n;
    ExactMatrix &e = s.exact.adet;
    mpq_class &det = s.exact.det;
    // Single precision follows the exact values, rounded, as they are left.
    auto rounded = [&] {
        s.det = toFloat(det);
        for (s.i = 1; s.i <= n; ++s.i)
            for (s.j = 1; s.j <= n; ++s.j)
                m[s.i][s.j] = toFloat(e[s.i][s.j]);
    };
    det = 1;
    for (s.k = 1; s.k <= n - 1; ++s.k) {
        const qint16 k = s.k;
        s.p = k;
        while (e[k][k] == 0) {
            for (s.j = k; s.j <= n; ++s.j)
                swap(e[k][s.j], e[s.p + 1][s.j]);
            det = -det;
            if (e[k][k] == 0) {
                if (s.p == n - 1) {
                    det = 0;
                    rounded();
                    return;
                }
                ++s.p;
            }
        }
        const mpq_class pivot = e[k][k];
        s.vodesht = toFloat(pivot);
        det *= pivot;
        for (s.j = k; s.j <= n; ++s.j)
            e[k][s.j] /= pivot;
        for (s.i = k + 1; s.i <= n; ++s.i) {
            const mpq_class factor = e[s.i][k];
            if (factor == 0)
                continue; // subtracting nothing leaves the row as it is
            s.mnojitel = toFloat(factor);
            for (s.j = 1; s.j <= n; ++s.j)
                e[s.i][s.j] -= factor * e[k][s.j];
        }
    }
    for (s.i = 1; s.i <= n; ++s.i)
        det *= e[s.i][s.i];
    rounded();
}

Outcome forwardStep(SolverState &s, qint16 k, RowOps *ops, Where *where)
{
    const qint16 n = s.n;
    Matrix &a = s.a;
    s.k = k;
    ExactMatrix &e = s.exact.a;
    s.vodesht = a[k][k];
    s.p = k;
    // The exact pivot says whether it is zero. Single precision may also have
    // rounded a non-zero one to zero, and cannot divide by that either.
    while (s.vodesht == 0 || e[k][k] == 0) {
        // No row beyond n is ever read or exchanged.
        if (s.p + 1 > n)
            return noPivot(s, k, where);
        for (s.j = k; s.j <= n + 1; ++s.j) {
            std::swap(a[k][s.j], a[s.p + 1][s.j]);
            swap(e[k][s.j], e[s.p + 1][s.j]);
        }
        record(ops, RowOp::Exchange, k, qint16(s.p + 1), 0);
        s.vodesht = a[k][k];
        if (s.vodesht == 0 || e[k][k] == 0)
            ++s.p;
    }
    for (s.j = k; s.j <= n + 1; ++s.j)
        if (!store(a[k][s.j], double(a[k][s.j]) / double(s.vodesht), k, s.j, where))
            return Outcome::Overflow;
    const mpq_class pivot = e[k][k];
    for (int j = k; j <= n + 1; ++j)
        e[k][j] /= pivot;
    record(ops, RowOp::Divide, k, k, s.vodesht, pivot);
    for (s.i = k + 1; s.i <= n; ++s.i) {
        s.mnojitel = a[s.i][k];
        for (s.j = k; s.j <= n + 1; ++s.j)
            if (!store(a[s.i][s.j], -double(s.mnojitel) * double(a[k][s.j]) + double(a[s.i][s.j]),
                       s.i, s.j, where))
                return Outcome::Overflow;
        record(ops, RowOp::Eliminate, s.i, k, s.mnojitel, e[s.i][k]);
        eliminate(e, s.i, k, k, n);
    }
    return Outcome::Ok;
}

Outcome backwardStep(SolverState &s, qint16 k, RowOps *ops, Where *where)
{
    const qint16 n = s.n;
    Matrix &a = s.a;
    s.k = k;
    for (s.i = k - 1; s.i >= 1; --s.i) {
        s.vodesht = a[s.i][k];
        for (s.j = n + 1; s.j >= k; --s.j)
            if (!store(a[s.i][s.j], -double(s.vodesht) * double(a[k][s.j]) + double(a[s.i][s.j]),
                       s.i, s.j, where))
                return Outcome::Overflow;
        record(ops, RowOp::Eliminate, s.i, k, s.vodesht, s.exact.a[s.i][k]);
        eliminate(s.exact.a, s.i, k, k, n);
    }
    return Outcome::Ok;
}

Outcome exactForwardStep(SolverState &s, qint16 k, RowOps *ops)
{
    const qint16 n = s.n;
    ExactMatrix &e = s.exact.a;
    for (qint16 p = k; e[k][k] == 0; ++p) {
        if (p + 1 > n)
            return Outcome::NoPivot;
        for (int j = k; j <= n + 1; ++j)
            swap(e[k][j], e[p + 1][j]);
        record(ops, RowOp::Exchange, k, qint16(p + 1), 0);
    }
    const mpq_class pivot = e[k][k];
    for (int j = k; j <= n + 1; ++j)
        e[k][j] /= pivot;
    record(ops, RowOp::Divide, k, k, NoSingle, pivot);
    for (qint16 i = k + 1; i <= n; ++i) {
        record(ops, RowOp::Eliminate, i, k, NoSingle, e[i][k]);
        eliminate(e, i, k, k, n);
    }
    return Outcome::Ok;
}

Outcome exactBackwardStep(SolverState &s, qint16 k, RowOps *ops)
{
    for (qint16 i = k - 1; i >= 1; --i) {
        record(ops, RowOp::Eliminate, i, k, NoSingle, s.exact.a[i][k]);
        eliminate(s.exact.a, i, k, k, s.n);
    }
    return Outcome::Ok;
}

void solution(SolverState &s)
{
    const qint16 n = s.n;
    for (s.i = 1; s.i <= n; ++s.i) {
        s.x[s.i] = roundTo3(s.a[s.i][n + 1] / s.a[s.i][s.i]);
        s.exact.x[s.i] = s.exact.a[s.i][n + 1] / s.exact.a[s.i][s.i];
    }
}

void exactSolution(SolverState &s)
{
    const int n = s.n;
    ExactMatrix e;
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n + 1; ++c)
            e[r][c] = s.exact.a[r][c];
    for (int k = 1; k <= n; ++k) {
        int p = k;
        while (p <= n && e[p][k] == 0)
            ++p;
        if (p > n)
            return; // singular: the determinant test refuses it before any pass
        for (int c = 1; c <= n + 1; ++c)
            swap(e[k][c], e[p][c]);
        for (int c = n + 1; c >= k; --c)
            e[k][c] /= e[k][k];
        for (int r = 1; r <= n; ++r)
            if (r != k)
                eliminate(e, r, k, k, n);
    }
    for (int r = 1; r <= n; ++r)
        s.exact.x[r] = e[r][n + 1];
}

namespace
{

// Step k of the pass that step is in. Where single precision stops in the
// middle of a step and mode lets the twin go on, the twin makes that step
// again alone from before, as the step found it, and every later step too.
Outcome makeStep(SolverState &s, Step &step, qint16 k, SolveMode mode, ExactMatrix &before,
                 Where *where, int &exactFrom)
{
    step.ops.clear();
    if (!step.exactOnly) {
        const bool goOn = mode == SolveMode::ExactToTheEnd;
        if (goOn)
            for (int r = 1; r <= s.n; ++r)
                for (int c = 1; c <= s.n + 1; ++c)
                    before[r][c] = s.exact.a[r][c];
        const Outcome outcome = step.forward ? forwardStep(s, k, &step.ops, where)
                                             : backwardStep(s, k, &step.ops, where);
        if (outcome == Outcome::Ok || !goOn)
            return outcome;
        step.ops.clear();
        step.exactOnly = true;
        exactFrom = step.nomer + 1;
        for (int r = 1; r <= s.n; ++r)
            for (int c = 1; c <= s.n + 1; ++c) {
                s.exact.a[r][c] = before[r][c];
                s.a[r][c] = NoSingle;
            }
    }
    return step.forward ? exactForwardStep(s, k, &step.ops) : exactBackwardStep(s, k, &step.ops);
}

} // namespace

SolveEnd solve(SolverState &s, const std::function<bool()> &read,
               const std::function<void(const Step &)> &afterStep, SolveMode mode)
{
    if (!read())
        return {SolveResult::BadCell, Stage::Reading, 0, {}, 0};
    determinanta(s, s.adet);
    if (s.exact.det == 0)
        return {SolveResult::Refused, Stage::DeterminantTest, 0, {}, 0};
    Step step;
    Where where;
    int exactFrom = 0;
    ExactMatrix before;
    auto stopped = [&](Outcome outcome) -> SolveEnd {
        exactSolution(s);
        const SolveResult result = outcome == Outcome::NoPivot     ? SolveResult::TooFewDigits
                                   : outcome == Outcome::Underflow ? SolveResult::Underflow
                                                                   : SolveResult::Overflow;
        return {result, step.forward ? Stage::ForwardPass : Stage::BackwardPass, step.nomer + 1,
                where, exactFrom};
    };
    auto made = [&](qint16 k) { return makeStep(s, step, k, mode, before, &where, exactFrom); };
    auto done = [&]() {
        ++step.nomer;
        if (afterStep)
            afterStep(step);
    };
    for (qint16 k = 1; k <= s.n; ++k) {
        if (const Outcome outcome = made(k); outcome != Outcome::Ok)
            return stopped(outcome);
        done();
    }
    step.forward = false;
    for (qint16 k = s.n; k >= 2; --k) {
        if (const Outcome outcome = made(k); outcome != Outcome::Ok)
            return stopped(outcome);
        done();
    }
    solution(s);
    return {SolveResult::Solved, Stage::Solution, 0, {}, exactFrom};
}

} // namespace gauss
