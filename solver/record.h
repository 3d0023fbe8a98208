#ifndef GAUSS_RECORD_H
#define GAUSS_RECORD_H

// The record of a whole solve: every step with its operations and matrices,
// how it ended and the verdict, built without a window for the window to play.

#include "elimination.h"
#include "singular.h"

#include <vector>

namespace gauss
{

// One step as the record keeps it: what gauss::Step says of it, and the
// matrix it left, exactly and, where the seven-digit working made it, so.
struct RecordStep {
    Step step;
    ExactMatrix exact;
    Matrix single; // NaN in the block where the step was made exactly alone
};

// What the exact working ends in, by the ranks of A and of [A | b].
struct Verdict {
    enum Kind {
        One,  // the values stand in the right-hand column
        None, // a row reads 0 = c
        Many, // the general solution: the free unknowns and the others in their terms
    };
    Kind kind = One;
    Singular ranks;               // the ranks and, for Many, the general solution
    int contradiction = 0;        // for None: the row of the last matrix that reads 0 = c
    mpq_class contradictionValue; // and its c
    std::vector<mpq_class> x;     // for One: x[1..unknowns]; x[0] unused
    bool homogeneous = false;     // every right-hand side is zero
};

struct SolveRecord {
    int rows = 0;     // equations
    int unknowns = 0; // n: column n + 1 holds the right-hand sides
    ExactMatrix system;
    // True where the seven-digit working made the steps (a square regular
    // system); otherwise every step is exact and the matrices NaN.
    bool sevenDigits = false;
    std::vector<RecordStep> steps;
    // A student's own working, each operation a step; ended false while it
    // is under way, which has no end yet.
    bool own = false;
    bool ended = true;
    SolveEnd end;
    Verdict verdict;
};

// The solve of the square system read into s (s.n equations, s.a and s.adet
// filled): the determinant test, both passes and the solution, as gauss::solve
// makes them, each step recorded. s holds what the solve left, as after
// gauss::solve.
SolveRecord solveRecord(SolverState &s, SolveMode mode);

// The system of rows equations in unknowns unknowns (rows 1..rows, columns
// 1..unknowns + 1 of a) worked exactly to its reduced row echelon form. The
// forward pass takes the columns in order, one step each: a pivot is sought,
// where it is zero, by exchanging the pivot row with each row below in turn
// (so rows rotate, as in the seven-digit working), the pivot row is divided
// by it and the column cleared below; a column with no non-zero entry left
// is a step of its own that changes nothing, its unknown free. The backward
// pass clears above each pivot, from the last pivot up to the second.
SolveRecord solveExactly(const ExactMatrix &a, int rows, int unknowns);

// The verdict on a matrix in reduced row echelon form, as solveExactly leaves it.
Verdict verdictOf(const ExactMatrix &a, int rows, int unknowns);

} // namespace gauss

#endif
