#ifndef GAUSS_PRACTICE_H
#define GAUSS_PRACTICE_H

// A student's own elimination in exact arithmetic: the operations applied and
// taken back, the method's next operation, and where the matrix has come to.

#include "exacttwin.h"
#include "record.h"

#include <vector>

namespace gauss
{

// One row operation with an exact factor, as a student names it.
struct RowOperation {
    enum Kind {
        Exchange,  // rows `row` and `other` exchanged
        Divide,    // row `row` divided by `factor`
        Multiply,  // row `row` multiplied by `factor`
        Eliminate, // row `row` = row `row` - factor * row `other`
        Combine,   // row `row` = own * row `row` - factor * row `other`, clearing without fractions
    };
    Kind kind = Exchange;
    int row = 0;
    int other = 0;
    mpq_class factor;
    mpq_class own = 1; // for Combine; 1 for the others

    bool operator==(const RowOperation &o) const
    {
        return kind == o.kind && row == o.row && other == o.other && factor == o.factor &&
               own == o.own;
    }
};

// Why an operation cannot be applied to a system of `rows` equations.
enum class Refusal {
    None,
    RowOutside, // a row that is not one of 1..rows
    ZeroFactor, // multiplying or dividing by 0, adding 0 times a row, or own of 0
    SameRow,    // a row added to, or exchanged with, itself
};
Refusal check(const RowOperation &op, int rows);

// The equations in rows 1..rows, columns 1..unknowns + 1 of a, as a value.
struct ExactSystem {
    int rows = 0;
    int unknowns = 0;
    ExactMatrix a;
};

// The system in rows 1..rows, columns 1..unknowns + 1 of a.
ExactSystem exactSystem(const ExactMatrix &a, int rows, int unknowns);

// Applies an operation that check() lets through.
void apply(ExactSystem &s, const RowOperation &op);

// Where a matrix stands: still to be worked, or at one of the three ends.
enum class End {
    Going,
    Solved,        // the coefficients are the identity
    NoSolution,    // a row reads 0 = c with c != 0
    ManySolutions, // reduced row echelon form with free unknowns
};
End endOf(const ExactSystem &s);
// The first row that reads 0 = c with c != 0; 0 when none does.
int contradiction(const ExactSystem &s);

// The next operation of the program's own method from s, which is not at its
// end: column by column exchange when the pivot is zero, normalise the pivot
// row, clear below; then clear above each pivot from the last one up.
// Columns without a pivot are passed over, so a singular system reaches its
// reduced row echelon form.
RowOperation nextOfMethod(const ExactSystem &s);

// How many operations the method makes from s to its end.
int methodLength(ExactSystem s);

// How a student's value stands against the right one: the value itself, or
// the right one to seven significant digits, as the grid would show it and
// either way at an exact half (the grid's text rounds it away from zero, the
// answer to even), or neither.
enum class Typed { Exact, Rounded, Wrong };
Typed judge(const mpq_class &typed, const mpq_class &right);

// Whether the coefficients are in row echelon form, the form elimination
// without clearing above the pivots reaches (an upper triangle when every
// unknown has its pivot): what is left is back-substitution.
bool echelon(const ExactSystem &s);

// Whether typed is exact rounded to the decimals typed has, one at least:
// 0.33 for 1/3, not 0.34, nor 0.5 for an exact 0.5 (that is exact) or 2 for 2.4.
bool isRounding(const mpq_class &typed, const mpq_class &exact);

// The working: the system as typed, each operation applied and the matrix
// after it; taking back returns to the matrix before.
class Practice
{
public:
    explicit Practice(const ExactSystem &system) : matrices{system} {}

    int rows() const { return matrices.front().rows; }
    int unknowns() const { return matrices.front().unknowns; }
    const ExactSystem &current() const { return matrices.back(); }
    // 0: the system as typed; i: after operation i.
    const ExactSystem &after(int i) const { return matrices[std::size_t(i)]; }
    const std::vector<RowOperation> &operations() const { return done; }

    // What the operation would give; check() it first.
    ExactSystem tried(const RowOperation &op) const;
    Refusal apply(const RowOperation &op);
    // False when only the system as typed is left.
    bool takeBack();

private:
    std::vector<ExactSystem> matrices;
    std::vector<RowOperation> done;
};

// The student's working as a solve's record: each operation a step, made
// exactly; ended, with its verdict, where the matrix is at one of the ends.
SolveRecord recordOf(const Practice &practice);

} // namespace gauss

#endif
