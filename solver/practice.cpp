#include "practice.h"

#include "algebra.h"
#include "numbertext.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace gauss
{

namespace
{

template <class E> bool isOne(const E &e)
{
    return e == E(mpq_class(1));
}
bool isConstant(const mpq_class &)
{
    return true;
}
bool isConstant(const RationalFunction &f)
{
    return f.isConstant();
}

// The first column of a row's coefficients that is not zero; unknowns + 1 when none is.
template <class E> int leading(const FieldSystem<E> &s, int row)
{
    int c = 1;
    while (c <= s.unknowns && isZero(s.a[row][c]))
        ++c;
    return c;
}

// The unit matrix over rows of zeros: each unknown has its value.
template <class E> bool identity(const FieldSystem<E> &s)
{
    if (s.rows < s.unknowns)
        return false;
    for (int r = 1; r <= s.rows; ++r)
        for (int c = 1; c <= s.unknowns; ++c)
            if (r == c ? !isOne(s.a[r][c]) : !isZero(s.a[r][c]))
                return false;
    return true;
}

// Each leading 1 right of the one above and alone in its column, the rows of
// zeros last.
template <class E> bool reduced(const FieldSystem<E> &s)
{
    int last = 0;
    for (int r = 1; r <= s.rows; ++r) {
        const int c = leading(s, r);
        if (c > s.unknowns) {
            last = s.unknowns + 1;
            continue;
        }
        if (c <= last || !isOne(s.a[r][c]))
            return false;
        for (int i = 1; i <= s.rows; ++i)
            if (i != r && !isZero(s.a[i][c]))
                return false;
        last = c;
    }
    return true;
}

template <class E>
FieldOperation<E> operation(RowOperations::Kind kind, int row, int other, const E &factor)
{
    return FieldOperation<E>{kind, row, other, factor};
}

// The row from `from` down whose entry in column c is the pivot: the first
// constant that is not zero, or else the first entry that is not zero; 0
// where the column has none.
template <class E> int pivotRow(const FieldSystem<E> &s, int from, int c)
{
    int found = 0;
    for (int r = from; r <= s.rows; ++r)
        if (!isZero(s.a[r][c]) &&
            (found == 0 || (isConstant(s.a[r][c]) && !isConstant(s.a[found][c]))))
            found = r;
    return found;
}

} // namespace

template <class E> Refusal check(const FieldOperation<E> &op, int rows)
{
    const bool twoRows = op.kind == RowOperation::Exchange || op.kind == RowOperation::Eliminate ||
                         op.kind == RowOperation::Combine;
    if (op.row < 1 || op.row > rows || (twoRows && (op.other < 1 || op.other > rows)))
        return Refusal::RowOutside;
    if (twoRows && op.row == op.other)
        return Refusal::SameRow;
    if (op.kind != RowOperation::Exchange && (isZero(op.factor) || isZero(op.own)))
        return Refusal::ZeroFactor;
    return Refusal::None;
}

ExactSystem exactSystem(const ExactMatrix &a, int rows, int unknowns)
{
    ExactSystem s{rows, unknowns, {}};
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= unknowns + 1; ++c)
            s.a[r][c] = a[r][c];
    return s;
}

template <class E> void apply(FieldSystem<E> &s, const FieldOperation<E> &op)
{
    using std::swap;
    auto &row = s.a[op.row];
    for (int c = 1; c <= s.unknowns + 1; ++c) {
        switch (op.kind) {
        case RowOperation::Exchange:
            swap(row[c], s.a[op.other][c]);
            break;
        case RowOperation::Divide:
            row[c] = row[c] / op.factor;
            break;
        case RowOperation::Multiply:
            row[c] = row[c] * op.factor;
            break;
        case RowOperation::Eliminate:
            row[c] = row[c] - op.factor * s.a[op.other][c];
            break;
        case RowOperation::Combine:
            row[c] = op.own * row[c] - op.factor * s.a[op.other][c];
            break;
        }
    }
}

template <class E> int contradiction(const FieldSystem<E> &s)
{
    for (int r = 1; r <= s.rows; ++r)
        if (leading(s, r) > s.unknowns && !isZero(s.a[r][s.unknowns + 1]))
            return r;
    return 0;
}

template <class E> End endOf(const FieldSystem<E> &s)
{
    if (contradiction(s) != 0)
        return End::NoSolution;
    if (identity(s))
        return End::Solved;
    return reduced(s) ? End::ManySolutions : End::Going;
}

template <class E> FieldOperation<E> nextOfMethod(const FieldSystem<E> &s)
{
    const int rows = s.rows;
    const E one(mpq_class(1));
    const E zero(mpq_class(0));
    std::vector<std::pair<int, int>> pivots; // row, column
    int r = 1;
    for (int c = 1; c <= s.unknowns && r <= rows; ++c) {
        const int found = pivotRow(s, r, c);
        if (found == 0)
            continue; // no pivot in this column: its unknown is free
        if (found != r)
            return operation(RowOperations::Exchange, r, found, zero);
        if (!isOne(s.a[r][c]))
            return operation(RowOperations::Divide, r, 0, s.a[r][c]);
        for (int i = r + 1; i <= rows; ++i)
            if (!isZero(s.a[i][c]))
                return operation(RowOperations::Eliminate, i, r, s.a[i][c]);
        pivots.emplace_back(r, c);
        ++r;
    }
    for (auto pivot = pivots.rbegin(); pivot != pivots.rend(); ++pivot)
        for (int i = pivot->first - 1; i >= 1; --i)
            if (!isZero(s.a[i][pivot->second]))
                return operation(RowOperations::Eliminate, i, pivot->first, s.a[i][pivot->second]);
    // Only a matrix at its end has nothing left; the caller asks for none.
    return operation(RowOperations::Multiply, 1, 0, one);
}

template <class E> int methodLength(FieldSystem<E> s)
{
    int count = 0;
    // Each operation settles one more entry of the reduced form, so the
    // matrix's size bounds the count whatever the matrix.
    while (endOf(s) == End::Going && count <= s.rows * (s.unknowns + 1)) {
        apply(s, nextOfMethod(s));
        ++count;
    }
    return count;
}

Typed judge(const mpq_class &typed, const mpq_class &right)
{
    if (typed == right)
        return Typed::Exact;
    if (decimalText(typed) == decimalText(right))
        return Typed::Rounded; // more digits than shown, none of them wrong
    if (right == 0)
        return Typed::Wrong;
    // Seven digits: a whole number of units of the seventh, within half a unit.
    const mpq_class unit = powerOf10(decimalExponent(abs(right)) + 1 - ShownDigits);
    const mpq_class units = typed / unit;
    return units.get_den() == 1 && abs(units - right / unit) <= mpq_class(1, 2) ? Typed::Rounded
                                                                                : Typed::Wrong;
}

template <class E> bool echelon(const FieldSystem<E> &s)
{
    int last = 0;
    for (int r = 1; r <= s.rows; ++r) {
        const int c = leading(s, r);
        if (c <= s.unknowns && c <= last)
            return false;
        last = c;
    }
    return true;
}

bool isRounding(const mpq_class &typed, const mpq_class &exact)
{
    // The decimals typed has: the fewest that write it, its denominator
    // dividing 10 to that power; a third or a seventh has none.
    mpz_class ten = 1;
    int decimals = 0;
    while (ten % typed.get_den() != 0 && decimals <= 64) {
        ten *= 10;
        ++decimals;
    }
    if (decimals == 0 || ten % typed.get_den() != 0 || typed == exact)
        return false;
    return abs(exact - typed) * 2 * ten <= 1;
}

template <class E>
typename FieldPractice<E>::System FieldPractice<E>::tried(const Operation &op) const
{
    System next = current();
    gauss::apply(next, op);
    return next;
}

template <class E> Refusal FieldPractice<E>::apply(const Operation &op)
{
    const Refusal refusal = check(op, rows());
    if (refusal != Refusal::None)
        return refusal;
    matrices.push_back(tried(op));
    done.push_back(op);
    return Refusal::None;
}

SolveRecord recordOf(const Practice &practice)
{
    SolveRecord record;
    record.rows = practice.rows();
    record.unknowns = practice.unknowns();
    record.own = true;
    std::copy(&practice.after(0).a[0][0], &practice.after(0).a[0][0] + ExactRows * ExactColumns,
              &record.system[0][0]);
    for (std::size_t i = 0; i < practice.operations().size(); ++i) {
        const RowOperation &op = practice.operations()[i];
        static const RowOp::Kind kinds[] = {RowOp::Exchange, RowOp::Divide, RowOp::Multiply,
                                            RowOp::Eliminate, RowOp::Eliminate};
        RecordStep made;
        made.step.nomer = int(i) + 1;
        // A combined operation is, for a step's box, the row multiplied, then cleared.
        if (op.kind == RowOperation::Combine)
            made.step.ops.push_back({RowOp::Multiply, qint16(op.row), 0, NAN, op.own});
        made.step.ops.push_back({kinds[op.kind], qint16(op.row), qint16(op.other), NAN, op.factor});
        const ExactSystem &after = practice.after(int(i) + 1);
        std::copy(&after.a[0][0], &after.a[0][0] + ExactRows * ExactColumns, &made.exact[0][0]);
        for (auto &row : made.single)
            for (float &value : row)
                value = NAN;
        record.steps.push_back(std::move(made));
    }
    record.ended = endOf(practice.current()) != End::Going;
    if (record.ended)
        record.verdict = verdictOf(practice.current().a, record.rows, record.unknowns);
    return record;
}

template <class E> bool FieldPractice<E>::takeBack()
{
    if (done.empty())
        return false;
    matrices.pop_back();
    done.pop_back();
    return true;
}

// The two fields a student works in: the numbers, and the rational
// functions of a system with a parameter.
template Refusal check(const RowOperation &, int);
template Refusal check(const ParameterOperation &, int);
template void apply(ExactSystem &, const RowOperation &);
template void apply(ParameterSystem &, const ParameterOperation &);
template End endOf(const ExactSystem &);
template End endOf(const ParameterSystem &);
template int contradiction(const ExactSystem &);
template int contradiction(const ParameterSystem &);
template RowOperation nextOfMethod(const ExactSystem &);
template ParameterOperation nextOfMethod(const ParameterSystem &);
template int methodLength(ExactSystem);
template int methodLength(ParameterSystem);
template bool echelon(const ExactSystem &);
template bool echelon(const ParameterSystem &);
template class FieldPractice<mpq_class>;
template class FieldPractice<RationalFunction>;

bool isZero(const RationalFunction &f)
{
    return f.isZero();
}

} // namespace gauss
