#ifndef GAUSS_PRACTICE_H
#define GAUSS_PRACTICE_H

// A student's own elimination in exact arithmetic: the operations applied and
// taken back, the method's next operation, and where the matrix has come to.

#include "exacttwin.h"
#include "record.h"

#include <vector>

namespace gauss
{

// The row operations, whatever field their factors are in.
struct RowOperations {
    enum Kind {
        Exchange,  // rows `row` and `other` exchanged
        Divide,    // row `row` divided by `factor`
        Multiply,  // row `row` multiplied by `factor`
        Eliminate, // row `row` = row `row` - factor * row `other`
        Combine,   // row `row` = own * row `row` - factor * row `other`, clearing without fractions
    };
};

// One row operation with an exact factor, as a student names it: a number,
// or in a system with a parameter an expression in it.
template <class E> struct FieldOperation {
    using Kind = RowOperations::Kind;
    static constexpr Kind Exchange = RowOperations::Exchange;
    static constexpr Kind Divide = RowOperations::Divide;
    static constexpr Kind Multiply = RowOperations::Multiply;
    static constexpr Kind Eliminate = RowOperations::Eliminate;
    static constexpr Kind Combine = RowOperations::Combine;

    Kind kind = Exchange;
    int row = 0;
    int other = 0;
    E factor;
    E own = E(mpq_class(1)); // for Combine; 1 for the others

    bool operator==(const FieldOperation &o) const
    {
        return kind == o.kind && row == o.row && other == o.other && factor == o.factor &&
               own == o.own;
    }
};
using RowOperation = FieldOperation<mpq_class>;

// Why an operation cannot be applied to a system of `rows` equations.
enum class Refusal {
    None,
    RowOutside, // a row that is not one of 1..rows
    ZeroFactor, // multiplying or dividing by 0, adding 0 times a row, or own of 0
    SameRow,    // a row added to, or exchanged with, itself
};
template <class E> Refusal check(const FieldOperation<E> &op, int rows);

// The equations in rows 1..rows, columns 1..unknowns + 1 of a, as a value.
template <class E> struct FieldSystem {
    int rows = 0;
    int unknowns = 0;
    E a[ExactRows][ExactColumns];
};
using ExactSystem = FieldSystem<mpq_class>;

// The system in rows 1..rows, columns 1..unknowns + 1 of a.
ExactSystem exactSystem(const ExactMatrix &a, int rows, int unknowns);

// Applies an operation that check() lets through.
template <class E> void apply(FieldSystem<E> &s, const FieldOperation<E> &op);

// Where a matrix stands: still to be worked, or at one of the three ends.
enum class End {
    Going,
    Solved,        // the coefficients are the identity
    NoSolution,    // a row reads 0 = c with c != 0
    ManySolutions, // reduced row echelon form with free unknowns
};
template <class E> End endOf(const FieldSystem<E> &s);
// The first row that reads 0 = c with c != 0; 0 when none does.
template <class E> int contradiction(const FieldSystem<E> &s);

// The next operation of the program's own method from s, which is not at its
// end: column by column exchange when the pivot is zero, normalise the pivot
// row, clear below; then clear above each pivot from the last one up.
// Columns without a pivot are passed over, so a singular system reaches its
// reduced row echelon form. Where a column offers a constant pivot below an
// expression, the constant is taken: the method divides by an expression in
// the parameter only where it must.
template <class E> FieldOperation<E> nextOfMethod(const FieldSystem<E> &s);

// How many operations the method makes from s to its end.
template <class E> int methodLength(FieldSystem<E> s);

// How a student's value stands against the right one: the value itself, or
// the right one to seven significant digits, as the grid would show it and
// either way at an exact half (the grid's text rounds it away from zero, the
// answer to even), or neither.
enum class Typed { Exact, Rounded, Wrong };
Typed judge(const mpq_class &typed, const mpq_class &right);

// Whether the coefficients are in row echelon form, the form elimination
// without clearing above the pivots reaches (an upper triangle when every
// unknown has its pivot): what is left is back-substitution.
template <class E> bool echelon(const FieldSystem<E> &s);

// Whether typed is exact rounded to the decimals typed has, one at least:
// 0.33 for 1/3, not 0.34, nor 0.5 for an exact 0.5 (that is exact) or 2 for 2.4.
bool isRounding(const mpq_class &typed, const mpq_class &exact);

// The working: the system as typed, each operation applied and the matrix
// after it; taking back returns to the matrix before.
template <class E> class FieldPractice
{
public:
    using System = FieldSystem<E>;
    using Operation = FieldOperation<E>;

    explicit FieldPractice(const System &system) : matrices{system} {}

    int rows() const { return matrices.front().rows; }
    int unknowns() const { return matrices.front().unknowns; }
    const System &current() const { return matrices.back(); }
    // 0: the system as typed; i: after operation i.
    const System &after(int i) const { return matrices[std::size_t(i)]; }
    const std::vector<Operation> &operations() const { return done; }

    // What the operation would give; check() it first.
    System tried(const Operation &op) const;
    Refusal apply(const Operation &op);
    // False when only the system as typed is left.
    bool takeBack();

private:
    std::vector<System> matrices;
    std::vector<Operation> done;
};
using Practice = FieldPractice<mpq_class>;

// A student's working of a system with a parameter, over the rational
// functions in it (algebra.h); only these two fields are instantiated.
class RationalFunction;
using ParameterOperation = FieldOperation<RationalFunction>;
using ParameterSystem = FieldSystem<RationalFunction>;
using ParameterPractice = FieldPractice<RationalFunction>;

// Zero in either field.
inline bool isZero(const mpq_class &q)
{
    return sgn(q) == 0;
}
bool isZero(const RationalFunction &f);

// The student's working as a solve's record: each operation a step, made
// exactly; ended, with its verdict, where the matrix is at one of the ends.
SolveRecord recordOf(const Practice &practice);

} // namespace gauss

#endif
