// Reading a cell's text: it succeeds exactly when the text is a finite number
// within the float range, and whatever is read writes back as a text that
// reads again as a number.

#include "numbertext.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace
{

// What readNumber must accept in the C locale, decided independently: the
// grammar by a regular expression, the range by long double.
enum class Verdict { Accept, Reject, EitherWay };

Verdict oracle(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    const QString trimmed = text.trimmed();
    if (!number.match(trimmed).hasMatch())
        return Verdict::Reject;
    const long double value = std::strtold(trimmed.toLatin1().constData(), nullptr);
    // Halfway between the largest float and 2^128: a float rounds to infinity there.
    const long double midpoint = 0x1.ffffffp127L;
    const long double magnitude = std::fabs(value);
    if (magnitude == midpoint)
        return Verdict::EitherWay; // long double may have rounded onto it
    return magnitude < midpoint ? Verdict::Accept : Verdict::Reject;
}

bool showsNoInfinity(const QString &text)
{
    return !text.contains(QLatin1String("inf"), Qt::CaseInsensitive) &&
           !text.contains(QLatin1String("nan"), Qt::CaseInsensitive);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool pinned = [] {
        QLocale::setDefault(QLocale::c());
        return true;
    }();
    (void)pinned;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    float value = 0;
    const bool read = gauss::readNumber(text, value);
    const Verdict verdict = oracle(text);
    if (verdict != Verdict::EitherWay && read != (verdict == Verdict::Accept))
        std::abort();
    if (!read)
        return 0;
    if (!std::isfinite(value))
        std::abort();
    const QString written = gauss::numberText(value);
    // Seven digits do not always tell two floats apart, so the text read back
    // may be a neighbour of the value; it must still be a finite number.
    float again = 0;
    if (!showsNoInfinity(written) || !gauss::readNumber(written, again) || !std::isfinite(again))
        std::abort();
    return 0;
}
