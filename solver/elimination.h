#ifndef GAUSS_ELIMINATION_H
#define GAUSS_ELIMINATION_H

#include "solverstate.h"

#include <QString>
#include <functional>
#include <vector>

namespace gauss
{

// How one arithmetic stage ended.
enum class Outcome {
    Ok,
    Overflow, // a value beyond the single-precision range arose; the stage stopped there
    NoPivot,  // the pivot search reached row n without finding a non-zero pivot
};

// One row operation, recorded as the passes make it, so that the window can
// say what a step did without computing anything a second time.
struct RowOp {
    enum Kind {
        Exchange,  // rows `row` and `other` exchanged (pivot search)
        Divide,    // row `row` divided by `factor` (the pivot)
        Eliminate, // row `row` = row `row` - factor * row `other`
    };
    Kind kind;
    qint16 row;
    qint16 other;
    float factor;
};
using RowOps = std::vector<RowOp>;

// Reads the active block (rows 1..n, columns 1..n+1) cell by cell into s.a via
// readNumber(), then copies it into s.adet. Uses s.i and s.j as counters.
// A cell that is not a number stops the reading there: the cells before it are
// stored in s.a, s.adet is untouched, and its row and column are returned in
// badRow/badColumn. n outside 2..9 reads nothing and succeeds.
bool readBlock(SolverState &s, const qint16 &n, const std::function<QString(int, int)> &cellText,
               int *badRow = nullptr, int *badColumn = nullptr);

// The determinant test on m (the caller passes s.adet): sets s.det. Every
// product, quotient and sum is rounded to single precision as it is formed.
Outcome determinanta(SolverState &s, Matrix &m);

// Forward step s.k = k of s.a: pivot search only for an exact zero, normalise,
// clear below. Each new element is formed in double and stored as float.
Outcome forwardStep(SolverState &s, qint16 k, RowOps *ops = nullptr);

// Backward step s.k = k of s.a (k = n..2): clear column k above the pivot.
Outcome backwardStep(SolverState &s, qint16 k, RowOps *ops = nullptr);

// x(r) = a(r, n+1) / a(r, r), rounded to three decimals, for r = 1..n.
Outcome solution(SolverState &s);

// How a whole solve ends, for callers without a window (fuzzing, reference checks).
enum class SolveResult { Solved, Refused, BadCell, Overflow };

// Runs the whole solve of s.n equations without a window: read, test, both
// passes, solution. afterStep, when given, is called after every step with
// the running step number (1..2n-1) and the operations of that step.
SolveResult solveHeadless(SolverState &s, const std::function<QString(int, int)> &cellText,
                          const std::function<void(int, const RowOps &)> &afterStep = {});

} // namespace gauss

#endif
