// A whole solve from arbitrary bytes: the first byte gives the size (and the
// locale), the rest are the cells' texts separated by ';'. Whatever the input,
// the solve ends in one of its outcomes, and no step and no solution holds or
// shows anything but finite numbers. Exactly: a solved system's solution
// satisfies every equation, and a refused one has a rank below its size.

#include "elimination.h"
#include "exacttwin.h"
#include "numbertext.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static const QLocale c = QLocale::c();
    static const QLocale bulgarian(QLocale::Bulgarian, QLocale::Bulgaria);
    QLocale::setDefault(data[0] & 0x80 ? bulgarian : c);
    const int n = 2 + data[0] % 8;
    const QStringList texts =
        QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1))
            .split(u';');

    gauss::SolverState s;
    s.n = qint16(n);
    const auto cell = [&](int r, int col) { return texts.value((r - 1) * (n + 1) + col - 1); };
    int steps = 0;
    const gauss::SolveEnd end = gauss::solve(
        s, [&] { return gauss::readBlock(s, s.n, cell); },
        [&](const gauss::Step &step) {
            if (step.nomer != ++steps || step.forward != (step.nomer <= n) || step.ops.empty())
                std::abort();
            for (int r = 1; r <= n; ++r)
                for (int col = 1; col <= n + 1; ++col)
                    requireShown(s.a[r][col]);
        });
    const gauss::SolveResult result = end.result;
    const bool inPass =
        end.stage == gauss::Stage::ForwardPass || end.stage == gauss::Stage::BackwardPass;
    const bool stopped = result == gauss::SolveResult::Overflow ||
                         result == gauss::SolveResult::Underflow ||
                         result == gauss::SolveResult::TooFewDigits;
    if (stopped != inPass || (inPass && (end.step < 1 || end.step > 2 * n - 1)))
        std::abort();
    // The system as typed, exactly, read again by the same reader.
    mpq_class typed[gauss::ExactRows][gauss::ExactColumns];
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
            requireShown(s.x[r]);
            if (gauss::decimalText(gauss::roundAnswer(s.exact.x[r])).isEmpty() ||
                gauss::exactText(s.exact.x[r]).isEmpty())
                std::abort();
        }
        break;
    case gauss::SolveResult::Refused: {
        if (steps != 0 || s.exact.det != 0)
            std::abort();
        const QStringList why = gauss::singularDetails(typed, n);
        if (why.size() < 3 ||
            why[0] == QStringLiteral("ранг на матрицата на коефициентите: %1").arg(n))
            std::abort();
        break;
    }
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
