// A whole solve from arbitrary bytes: the first byte gives the size (and the
// locale), the rest are the cells' texts separated by ';'. Whatever the input,
// the solve ends in one of its outcomes, and no step and no solution holds or
// shows anything but finite numbers. Exactly: a solved system's solution
// satisfies every equation, and a refused one has a rank below its size and,
// where it has solutions, a general solution that satisfies every equation
// whatever its free unknowns are.

#include "elimination.h"
#include "numbertext.h"
#include "record.h"
#include "singular.h"

#include <QLocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace
{

void requireShown(float value)
{
    if (!std::isfinite(value))
        std::abort();
    const QString text = gauss::numberText(value);
    if (text.contains(QLatin1String("inf"), Qt::CaseInsensitive) ||
        text.contains(QLatin1String("nan"), Qt::CaseInsensitive))
        std::abort();
}

using Typed = mpq_class[gauss::ExactRows][gauss::ExactColumns];

// Whether x, 1..n, solves every equation of the typed system exactly.
bool solves(const Typed &typed, int n, const mpq_class *x)
{
    for (int r = 1; r <= n; ++r) {
        mpq_class sum;
        for (int col = 1; col <= n; ++col)
            sum += typed[r][col] * x[col];
        if (sum != typed[r][n + 1])
            return false;
    }
    return true;
}

// The ranks tell a singular system; a general solution is a solution for
// free unknowns of 0 and of 1, and has one bound unknown a rank.
bool explains(const gauss::Singular &why, const Typed &typed, int n)
{
    if (why.coefficientRank >= n || why.augmentedRank < why.coefficientRank ||
        why.augmentedRank > why.coefficientRank + 1)
        return false;
    if (!why.solvable())
        return why.free.empty() && why.bound.empty();
    if (int(why.bound.size()) != why.coefficientRank ||
        int(why.free.size()) != n - why.coefficientRank)
        return false;
    for (const int freeValue : {0, 1}) {
        mpq_class x[gauss::ExactRows];
        for (const int unknown : why.free)
            x[unknown] = freeValue;
        for (const gauss::BoundUnknown &unknown : why.bound) {
            x[unknown.unknown] = unknown.constant;
            for (const gauss::Term &term : unknown.terms)
                x[unknown.unknown] += term.coefficient * freeValue;
        }
        if (!solves(typed, n, x))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static const QLocale c = QLocale::c();
    static const QLocale bulgarian(QLocale::Bulgarian, QLocale::Bulgaria);
    QLocale::setDefault(data[0] & 0x80 ? bulgarian : c);
    const int n = 2 + data[0] % 8;
    // The fraction view's solve, which the twin finishes where single precision stops.
    const bool toTheEnd = data[0] & 0x40;
    const QStringList texts =
        QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1))
            .split(u';');

    gauss::SolverState s;
    s.n = qint16(n);
    const auto cell = [&](int r, int col) { return texts.value((r - 1) * (n + 1) + col - 1); };
    int steps = 0;
    gauss::SolveEnd end;
    if (!gauss::readBlock(s, s.n, cell)) {
        end = {gauss::SolveResult::BadCell, gauss::Stage::Reading, 0, {}, 0};
    } else {
        const gauss::SolveRecord record = gauss::solveRecord(
            s, toTheEnd ? gauss::SolveMode::ExactToTheEnd : gauss::SolveMode::StopWithSevenDigits);
        end = record.end;
        for (const gauss::RecordStep &made : record.steps) {
            const gauss::Step &step = made.step;
            if (step.nomer != ++steps || step.forward != (step.nomer <= n) || step.ops.empty() ||
                (step.exactOnly && !toTheEnd))
                std::abort();
            for (int r = 1; r <= n && !step.exactOnly; ++r)
                for (int col = 1; col <= n + 1; ++col)
                    requireShown(made.single[r][col]);
        }
    }
    const gauss::SolveResult result = end.result;
    const bool inPass =
        end.stage == gauss::Stage::ForwardPass || end.stage == gauss::Stage::BackwardPass;
    const bool stopped = result == gauss::SolveResult::Overflow ||
                         result == gauss::SolveResult::Underflow ||
                         result == gauss::SolveResult::TooFewDigits;
    if (stopped != inPass || (toTheEnd && inPass) ||
        (inPass && (end.step < 1 || end.step > 2 * n - 1)))
        std::abort();
    // The system as typed, exactly, read again by the same reader.
    Typed typed;
    if (result != gauss::SolveResult::BadCell)
        for (int r = 1; r <= n; ++r)
            for (int col = 1; col <= n + 1; ++col) {
                float single = 0;
                if (!gauss::readNumber(cell(r, col), single, typed[r][col]))
                    std::abort();
            }
    // Solved or stopped, a regular system's true solution is there.
    if (result == gauss::SolveResult::Solved || stopped)
        for (int r = 1; r <= n; ++r) {
            mpq_class sum;
            for (int col = 1; col <= n; ++col)
                sum += typed[r][col] * s.exact.x[col];
            if (sum != typed[r][n + 1] || s.exact.det == 0)
                std::abort();
        }
    switch (result) {
    case gauss::SolveResult::Solved:
        if (steps != 2 * n - 1)
            std::abort();
        for (int r = 1; r <= n; ++r) {
            if (end.exactFrom == 0)
                requireShown(s.x[r]);
            if (gauss::decimalText(gauss::roundAnswer(s.exact.x[r])).isEmpty() ||
                gauss::exactText(s.exact.x[r]).text.isEmpty())
                std::abort();
        }
        if (!solves(typed, n, s.exact.x))
            std::abort();
        break;
    case gauss::SolveResult::Refused:
        if (steps != 0 || s.exact.det != 0 || !explains(gauss::analyseSingular(typed, n), typed, n))
            std::abort();
        // Worked to its end exactly, it comes to the same verdict.
        if (const gauss::SolveRecord exact = gauss::solveExactly(typed, n, n);
            exact.verdict.kind == gauss::Verdict::One || !explains(exact.verdict.ranks, typed, n) ||
            (exact.verdict.kind == gauss::Verdict::None) == exact.verdict.ranks.solvable())
            std::abort();
        break;
    case gauss::SolveResult::TooFewDigits:
    case gauss::SolveResult::Underflow:
        if (end.stage != gauss::Stage::ForwardPass || end.where.column < 1 ||
            end.where.value == 0 ||
            (gauss::toFloat(end.where.value) == 0) != (result == gauss::SolveResult::Underflow))
            std::abort();
        break;
    case gauss::SolveResult::Overflow:
        if (std::isfinite(gauss::toFloat(end.where.value)) || end.where.row < 1)
            std::abort();
        break;
    case gauss::SolveResult::BadCell:
        break;
    default:
        std::abort();
    }
    return 0;
}
