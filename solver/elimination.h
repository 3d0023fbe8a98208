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
    Overflow,  // a value beyond the single-precision range arose; the stage stopped there
    NoPivot,   // no row left whose pivot is non-zero both exactly and in single precision
    Underflow, // as NoPivot, but a pivot that is non-zero exactly is below the range
};

// Where a stage stopped: the element whose value single precision could not
// hold (row 0 for a pivot search, which looked at the whole column), and that
// value: what the working formed for an overflow, the exact pivot otherwise.
struct Where {
    int row = 0;
    int column = 0;
    mpq_class value;
};

// One row operation, recorded as the passes make it, so that the window can
// say what a step did without computing anything a second time.
struct RowOp {
    enum Kind {
        Exchange,  // rows `row` and `other` exchanged (pivot search)
        Divide,    // row `row` divided by `factor` (the pivot)
        Eliminate, // row `row` = row `row` - factor * row `other`
        Multiply,  // row `row` multiplied by `factor`: a student's own operation
    };
    Kind kind;
    qint16 row;
    qint16 other;
    float factor;        // NaN where the seven-digit working had stopped and the twin went on alone
    mpq_class exact = 0; // the twin's own factor
};
using RowOps = std::vector<RowOp>;

// The exact value a cell holds beside its text, where it has one: a cell the
// solve wrote keeps the value its text rounds until the text is typed over.
using CellExact = std::function<const mpq_class *(int row, int column)>;

// Reads the active block (rows 1..n, columns 1..n+1) cell by cell into s.a via
// readNumber(), with the exact values into s.exact.a, then copies both into
// s.adet and s.exact.adet. Uses s.i and s.j as counters. Where cellExact gives
// a cell's exact value, the twin starts from that and the working from the
// text as shown.
// A cell that is not a number stops the reading there: the cells before it are
// stored in s.a, s.adet is untouched, and its row and column are returned in
// badRow/badColumn. n outside 2..9 reads nothing and succeeds.
bool readBlock(SolverState &s, const qint16 &n, const std::function<QString(int, int)> &cellText,
               int *badRow = nullptr, int *badColumn = nullptr, const CellExact &cellExact = {});
// The same for a system of rows equations in unknowns unknowns (both 1..9):
// rows 1..rows, columns 1..unknowns + 1.
bool readSystem(SolverState &s, int rows, int unknowns,
                const std::function<QString(int, int)> &cellText, int *badRow = nullptr,
                int *badColumn = nullptr, const CellExact &cellExact = {});

// The determinant test on m (the caller passes s.adet): the determinant by the
// same exchanges, normalisations and eliminations, made exactly on the twin
// s.exact.adet into s.exact.det; m holds the twin rounded to single precision
// and s.det the determinant rounded so (an infinity when beyond the range).
void determinanta(SolverState &s, Matrix &m);

// Forward step s.k = k of s.a: pivot search only for a zero, normalise, clear
// below. Each new element is formed in double and stored as float, and made
// exactly in s.exact.a. A pivot is zero when it is exactly zero, or when
// single precision has rounded it to zero and so cannot divide by it.
Outcome forwardStep(SolverState &s, qint16 k, RowOps *ops = nullptr, Where *where = nullptr);

// Backward step s.k = k of s.a (k = n..2): clear column k above the pivot, in
// s.a and exactly in s.exact.a.
Outcome backwardStep(SolverState &s, qint16 k, RowOps *ops = nullptr, Where *where = nullptr);

// The same steps made on the twin alone, where the seven-digit working has
// stopped: a row is exchanged only for an exactly zero pivot, and the factors
// recorded carry NaN for their single-precision value. s.a is left alone.
Outcome exactForwardStep(SolverState &s, qint16 k, RowOps *ops = nullptr);
Outcome exactBackwardStep(SolverState &s, qint16 k, RowOps *ops = nullptr);

// x(r) = a(r, n+1) / a(r, r), rounded to three decimals, for r = 1..n; and
// the true solution, unrounded, into s.exact.x. After the passes every
// divisor is exactly 1, so nothing can overflow here.
void solution(SolverState &s);

// The true solution into s.exact.x from the twin s.exact.a as it stands: every
// operation the passes made on it was made whole, so it is the typed system
// transformed, and a regular one is solved exactly to its end (pivots chosen
// by exact non-zero alone). For a working that stopped.
void exactSolution(SolverState &s);

// How a whole solve ends.
enum class SolveResult {
    Solved,
    Refused, // singular, decided exactly: gauss::analyseSingular says which case
    BadCell,
    Overflow,     // a value rose above the single-precision range
    Underflow,    // a pivot, exactly non-zero, lies below the range and rounds to zero
    TooFewDigits, // regular, but single precision lost every pivot a step could use
};

// One step of the elimination, as the solve shows it.
struct Step {
    int nomer = 0;       // running step number, 1..2n-1 across both passes
    bool forward = true; // a step of the forward pass (1..n) or of the backward pass
    RowOps ops;          // the row operations it made, in order
    // Made on the twin alone: the seven-digit working had stopped, and s.a
    // holds NaN in the block.
    bool exactOnly = false;
    // The exact working of any system: a column with no pivot left, whose
    // unknown is free; the step then changes nothing. 0 for every other step.
    int freeColumn = 0;
};

// What a solve does where the seven-digit working cannot go on.
enum class SolveMode {
    StopWithSevenDigits, // the solve ends there (SolveResult::Overflow or TooFewDigits)
    ExactToTheEnd,       // the twin makes that step and the rest alone, and solves
};

// Where a solve ended.
enum class Stage {
    Reading,         // a cell held no number the solve can take
    DeterminantTest, // refused: singular
    ForwardPass,
    BackwardPass,
    Solution, // solved
};

struct SolveEnd {
    SolveResult result = SolveResult::Solved;
    Stage stage = Stage::Solution;
    // In a pass, the step that could not be completed, 1..2n-1; the grid then
    // shows the matrix after the step before, or the system as read.
    int step = 0;
    // In a pass, what the working could not hold. The solve then finishes
    // exactly: s.exact.x holds the true solution all the same.
    Where where;
    // SolveMode::ExactToTheEnd: the first step the twin made alone, or 0.
    int exactFrom = 0;
};

// The one solve of s.n equations that the window, the fuzz target and the
// reference check all run: read calls the reader that fills the active block of
// s.a and s.adet (the window's masiv, or readBlock) and stops the solve when it
// fails; then the determinant test, the forward and the backward pass, calling
// afterStep when a step is complete and s.a holds its matrix, and the solution
// into s.x. A regular system always ends with its true solution in
// s.exact.x, also when the seven-digit working stopped on the way; mode says
// whether the steps then go on in the twin alone.
SolveEnd solve(SolverState &s, const std::function<bool()> &read,
               const std::function<void(const Step &)> &afterStep = {},
               SolveMode mode = SolveMode::StopWithSevenDigits);

} // namespace gauss

#endif
