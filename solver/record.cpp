#include "record.h"

#include <limits>
#include <utility>

namespace gauss
{

namespace
{

void copyBlock(ExactMatrix &to, const ExactMatrix &from, int rows, int unknowns)
{
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= unknowns + 1; ++c)
            to[r][c] = from[r][c];
}

void clearSingle(Matrix &m)
{
    for (auto &row : m)
        for (float &element : row)
            element = std::numeric_limits<float>::quiet_NaN();
}

void addOp(Step &step, RowOp::Kind kind, int row, int other, const mpq_class &exact)
{
    step.ops.push_back(
        RowOp{kind, qint16(row), qint16(other), std::numeric_limits<float>::quiet_NaN(), exact});
}

// The exact working's matrix and its shape.
struct Working {
    ExactMatrix e;
    int rows = 0;
    int unknowns = 0;

    void exchange(int one, int other)
    {
        for (int c = 1; c <= unknowns + 1; ++c)
            swap(e[one][c], e[other][c]);
    }
    void divide(int row, const mpq_class &by)
    {
        for (int c = 1; c <= unknowns + 1; ++c)
            e[row][c] /= by;
    }
    // Row `row` less factor times row `pivot`.
    void eliminate(int row, int pivot, const mpq_class &factor)
    {
        for (int c = 1; c <= unknowns + 1; ++c)
            e[row][c] -= factor * e[pivot][c];
    }
    bool columnEmpty(int column, int from) const
    {
        for (int r = from; r <= rows; ++r)
            if (e[r][column] != 0)
                return false;
        return true;
    }
};

// Forward step in column c with its pivot in row r, which columnEmpty()
// found to exist: the rows below are tried in turn, each exchanged with row r.
void forward(Working &x, Step &step, int r, int c)
{
    for (int p = r; x.e[r][c] == 0; ++p) {
        x.exchange(r, p + 1);
        addOp(step, RowOp::Exchange, r, p + 1, 0);
    }
    const mpq_class pivot = x.e[r][c];
    x.divide(r, pivot);
    addOp(step, RowOp::Divide, r, r, pivot);
    for (int i = r + 1; i <= x.rows; ++i) {
        const mpq_class factor = x.e[i][c];
        addOp(step, RowOp::Eliminate, i, r, factor);
        if (factor != 0)
            x.eliminate(i, r, factor);
    }
}

void backward(Working &x, Step &step, int r, int c)
{
    for (int i = r - 1; i >= 1; --i) {
        const mpq_class factor = x.e[i][c];
        addOp(step, RowOp::Eliminate, i, r, factor);
        if (factor != 0)
            x.eliminate(i, r, factor);
    }
}

} // namespace

SolveRecord solveRecord(SolverState &s, SolveMode mode)
{
    SolveRecord record;
    record.rows = record.unknowns = s.n;
    copyBlock(record.system, s.exact.a, s.n, s.n);
    record.sevenDigits = true;
    record.end = solve(
        s, [] { return true; },
        [&](const Step &step) {
            RecordStep made{step, {}, {}};
            copyBlock(made.exact, s.exact.a, s.n, s.n);
            std::copy(&s.a[0][0], &s.a[0][0] + MatrixRows * MatrixColumns, &made.single[0][0]);
            record.steps.push_back(std::move(made));
        },
        mode);
    if (record.end.result == SolveResult::Refused) {
        record.verdict = verdictOf(record.system, s.n, s.n);
        return record;
    }
    // Regular: also where the seven digits stopped, the twin has solved it.
    record.verdict.ranks.coefficientRank = record.verdict.ranks.augmentedRank = s.n;
    record.verdict.x.assign(std::size_t(s.n) + 1, 0);
    for (int r = 1; r <= s.n; ++r)
        record.verdict.x[std::size_t(r)] = s.exact.x[r];
    return record;
}

SolveRecord solveExactly(const ExactMatrix &a, int rows, int unknowns)
{
    SolveRecord record;
    record.rows = rows;
    record.unknowns = unknowns;
    copyBlock(record.system, a, rows, unknowns);
    Working x;
    x.rows = rows;
    x.unknowns = unknowns;
    copyBlock(x.e, a, rows, unknowns);
    Step step;
    auto done = [&] {
        ++step.nomer;
        RecordStep made{step, {}, {}};
        copyBlock(made.exact, x.e, rows, unknowns);
        clearSingle(made.single);
        record.steps.push_back(std::move(made));
        step.ops.clear();
        step.freeColumn = 0;
    };
    step.exactOnly = true;
    std::vector<std::pair<int, int>> pivots; // row, column
    for (int c = 1; c <= unknowns && int(pivots.size()) < rows; ++c) {
        const int r = int(pivots.size()) + 1;
        if (x.columnEmpty(c, r)) {
            step.freeColumn = c;
        } else {
            forward(x, step, r, c);
            pivots.emplace_back(r, c);
        }
        done();
    }
    step.forward = false;
    for (std::size_t p = pivots.size(); p >= 2; --p) {
        backward(x, step, pivots[p - 1].first, pivots[p - 1].second);
        done();
    }
    record.verdict = verdictOf(x.e, rows, unknowns);
    record.end.exactFrom = record.steps.empty() ? 0 : 1;
    return record;
}

Verdict verdictOf(const ExactMatrix &a, int rows, int unknowns)
{
    Verdict verdict;
    verdict.ranks = analyseSingular(a, rows, unknowns);
    verdict.homogeneous = true;
    for (int r = 1; r <= rows; ++r)
        if (a[r][unknowns + 1] != 0)
            verdict.homogeneous = false;
    if (!verdict.ranks.solvable()) {
        verdict.kind = Verdict::None;
        for (int r = 1; r <= rows && verdict.contradiction == 0; ++r) {
            bool zero = true;
            for (int c = 1; c <= unknowns; ++c)
                zero = zero && a[r][c] == 0;
            if (zero && a[r][unknowns + 1] != 0) {
                verdict.contradiction = r;
                verdict.contradictionValue = a[r][unknowns + 1];
            }
        }
        return verdict;
    }
    if (!verdict.ranks.free.empty()) {
        verdict.kind = Verdict::Many;
        return verdict;
    }
    verdict.kind = Verdict::One;
    verdict.x.assign(std::size_t(unknowns) + 1, 0);
    for (const BoundUnknown &bound : verdict.ranks.bound)
        verdict.x[std::size_t(bound.unknown)] = bound.constant;
    return verdict;
}

} // namespace gauss
