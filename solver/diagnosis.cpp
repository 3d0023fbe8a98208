#include "diagnosis.h"

#include <algorithm>
#include <tuple>

namespace gauss
{

namespace
{

using Values = std::vector<mpq_class>;

Values rowOf(const ExactSystem &s, int row)
{
    Values values(std::size_t(s.unknowns + 2));
    for (int c = 1; c <= s.unknowns + 1; ++c)
        values[std::size_t(c)] = s.a[row][c];
    return values;
}

// Whether op adds a multiple of another row to its own.
bool addsMultiple(const RowOperation &op)
{
    return op.kind == RowOperation::Eliminate || op.kind == RowOperation::Combine;
}

// What the row typed says of a model row: every cell typed fits it, and it
// differs from the right row in two cells typed at least, so that a single
// wrong cell is not read as a slip of the whole operation.
bool fits(const TypedRow &typed, const Values &model, const Values &right)
{
    int differing = 0;
    for (std::size_t c = 1; c < typed.size(); ++c) {
        if (!typed[c])
            continue;
        if (judge(*typed[c], model[c]) == Typed::Wrong)
            return false;
        differing += model[c] != right[c];
    }
    return differing >= 2;
}

// The multiplier that would make the first wrong cell what was typed, with
// the rest of the operation as named; nullopt where that cell cannot tell.
std::optional<mpq_class> multiplierOf(const ExactSystem &before, const RowOperation &op,
                                      const mpq_class &typed, int column)
{
    const mpq_class &old = before.a[op.row][column];
    switch (op.kind) {
    case RowOperation::Exchange:
        break;
    case RowOperation::Divide:
        if (typed != 0 && old != 0)
            return old / typed;
        break;
    case RowOperation::Multiply:
        if (old != 0)
            return typed / old;
        break;
    case RowOperation::Eliminate:
    case RowOperation::Combine:
        if (const mpq_class &by = before.a[op.other][column]; by != 0)
            return (op.own * old - typed) / by;
        break;
    }
    return std::nullopt;
}

// The slips of the whole operation: the multiple's sign, another row, another multiplier.
Slip wholeRow(const ExactSystem &before, const RowOperation &op, const TypedRow &typed,
              const Values &right, int firstWrong)
{
    Slip slip;
    if (fits(typed, rowWith(before, op, -op.factor, op.other), right)) {
        slip.kind = Slip::Sign;
        return slip;
    }
    if (addsMultiple(op))
        for (int k = 1; k <= before.rows; ++k)
            if (k != op.row && k != op.other &&
                fits(typed, rowWith(before, op, op.factor, k), right)) {
                slip.kind = Slip::OtherRow;
                slip.other = k;
                return slip;
            }
    const auto g = multiplierOf(before, op, *typed[std::size_t(firstWrong)], firstWrong);
    if (g && *g != 0 && fits(typed, rowWith(before, op, *g, op.other), right)) {
        slip.kind = Slip::Multiplier;
        slip.factor = *g;
    }
    return slip;
}

} // namespace

std::vector<mpq_class> rowWith(const ExactSystem &before, const RowOperation &op,
                               const mpq_class &factor, int other)
{
    RowOperation made = op;
    made.factor = factor;
    made.other = other;
    ExactSystem after = before;
    apply(after, made);
    return rowOf(after, op.row);
}

Slip diagnose(const ExactSystem &before, const RowOperation &op, const TypedRow &typed)
{
    const int n1 = before.unknowns + 1;
    const Values right = rowWith(before, op, op.factor, op.other);
    const Values old = rowOf(before, op.row);
    Slip slip;
    for (int c = 1; c <= n1; ++c)
        if (typed[std::size_t(c)] &&
            judge(*typed[std::size_t(c)], right[std::size_t(c)]) == Typed::Wrong)
            slip.columns.push_back(c);
    if (slip.columns.empty())
        return slip;
    const int first = slip.columns.front();
    const mpq_class &one = *typed[std::size_t(first)];
    const bool single = slip.columns.size() == 1;
    const bool flipped = right[std::size_t(first)] != 0 && one == -right[std::size_t(first)];
    // Kept as it was, even where that is the right value's opposite.
    if (single && first == n1 && (!flipped || one == old[std::size_t(n1)])) {
        slip.kind = one == old[std::size_t(n1)] ? Slip::RightUnchanged : Slip::RightApart;
        return slip;
    }
    if (op.kind != RowOperation::Exchange) {
        const Slip whole = wholeRow(before, op, typed, right, first);
        if (whole.kind != Slip::None) {
            const std::vector<int> columns = slip.columns;
            slip = whole;
            slip.columns = columns;
            return slip;
        }
    }
    const bool unchanged = std::all_of(slip.columns.begin(), slip.columns.end(), [&](int c) {
        return *typed[std::size_t(c)] == old[std::size_t(c)];
    });
    if (unchanged)
        slip.kind = Slip::Part;
    else if (single)
        slip.kind = flipped ? Slip::Sign : Slip::Arithmetic;
    else
        slip.kind = Slip::Unknown;
    return slip;
}

Form formOf(const ExactSystem &s)
{
    Form form;
    auto leading = [&s](int r) {
        int c = 1;
        while (c <= s.unknowns && s.a[r][c] == 0)
            ++c;
        return c;
    };
    auto broken = [&form](Form::Break why, int row, int column, int pivotRow) {
        if (form.why == Form::Fine || std::tie(row, column) < std::tie(form.row, form.column))
            std::tie(form.why, form.row, form.column, form.pivotRow) =
                std::tie(why, row, column, pivotRow);
    };
    int last = 0, lastRow = 0, zeroRow = 0;
    for (int r = 1; r <= s.rows; ++r) {
        const int c = leading(r);
        if (c > s.unknowns) {
            (s.a[r][s.unknowns + 1] == 0 ? form.dependent : form.contradictions).push_back(r);
            zeroRow = zeroRow == 0 ? r : zeroRow;
            continue;
        }
        if (form.why == Form::Fine && zeroRow != 0)
            broken(Form::ZeroRowAbove, r, c, zeroRow);
        else if (form.why == Form::Fine && c <= last)
            broken(Form::BelowPivot, r, c, lastRow);
        last = c;
        lastRow = r;
    }
    form.echelon = form.why == Form::Fine;
    if (!form.echelon)
        return form;
    for (int r = 1; r <= s.rows; ++r) {
        const int c = leading(r);
        if (c > s.unknowns)
            continue;
        if (s.a[r][c] != 1)
            broken(Form::PivotNotOne, r, c, r);
        for (int i = 1; i < r; ++i)
            if (s.a[i][c] != 0)
                broken(Form::AbovePivot, i, c, r);
    }
    form.reduced = form.why == Form::Fine;
    return form;
}

} // namespace gauss
