#ifndef GAUSS_DIAGNOSIS_H
#define GAUSS_DIAGNOSIS_H

// What a student's wrong row most likely comes from, decided exactly from the
// row he typed and the operation he named; and how far a matrix is from its end.

#include "practice.h"

#include <optional>
#include <vector>

namespace gauss
{

// The likely slip behind a computed row.
struct Slip {
    enum Kind {
        None,           // every cell typed is right
        Sign,           // the multiple added where it is taken away, or a cell's sign flipped
        RightUnchanged, // the right-hand side left as it was
        RightApart,     // the coefficients right, the right-hand side computed otherwise
        Multiplier,     // the operation with another multiplier, `factor` instead of the right one
        OtherRow,       // the multiple of row `other` instead of the operation's
        Part,           // the cells `columns` left as they were, the others right
        Arithmetic,     // one cell computed wrongly, nothing else
        Unknown,        // several cells wrong, by no one slip
    };
    Kind kind = None;
    std::vector<int> columns; // the wrong cells typed, 1..unknowns + 1
    mpq_class factor;         // for Multiplier: the one used, as the operation names its own
    int other = 0;            // for OtherRow
};

// The cells of the student's row, typed[1..unknowns + 1]; nullopt where empty
// (an empty cell is not wrong). before: the matrix the operation applies to.
using TypedRow = std::vector<std::optional<mpq_class>>;
Slip diagnose(const ExactSystem &before, const RowOperation &op, const TypedRow &typed);

// The operation's row as op with another multiplier would make it: factor
// stands for op's own (what is divided by, multiplied by, or taken away).
std::vector<mpq_class> rowWith(const ExactSystem &before, const RowOperation &op,
                               const mpq_class &factor, int other);

// Where a matrix breaks row echelon form, then the reduced form: the first
// cell that does, in reading order, and why.
struct Form {
    enum Break {
        Fine,
        BelowPivot,   // a non-zero under or left of the leading entry of the row above
        ZeroRowAbove, // a row of zeros above a row that is not
        PivotNotOne,  // a leading entry that is not 1
        AbovePivot,   // a non-zero above a leading entry
    };
    bool echelon = false;
    bool reduced = false;
    Break why = Fine; // the first break of echelon form, or else of the reduced one
    int row = 0;
    int column = 0;
    int pivotRow = 0;           // for BelowPivot and AbovePivot: the row whose leading entry it is
    std::vector<int> dependent; // rows that read 0 = 0
    std::vector<int> contradictions; // rows that read 0 = c, c != 0
};
Form formOf(const ExactSystem &s);

} // namespace gauss

#endif
