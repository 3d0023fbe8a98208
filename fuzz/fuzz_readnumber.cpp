// Reading a cell's text: it succeeds exactly when the text is a finite number
// within the float range, or a fraction of two numbers within the exact
// arithmetic's reach whose value is, in the program's forms or those written
// beside them, and whatever is read writes back as a text that reads again as
// a number.

#include "numbertext.h"

#include <QHash>
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

// Halfway between the largest float and 2^128: a float rounds to infinity there.
const long double midpoint = 0x1.ffffffp127L;

Verdict inRange(long double value)
{
    const long double magnitude = std::fabs(value);
    if (std::fabs(magnitude - midpoint) <= midpoint * 1e-15L)
        return Verdict::EitherWay; // long double may have rounded onto it
    return magnitude < midpoint ? Verdict::Accept : Verdict::Reject;
}

// A number text, its value into value; exactly: where its exact value is
// needed, as in a fraction.
Verdict number(const QString &text, long double &value, bool exactly)
{
    static const QRegularExpression grammar(QRegularExpression::anchoredPattern(
        QStringLiteral("[+-]?(?:([0-9]+)\\.?([0-9]*)|\\.([0-9]+))(?:[eE]([+-]?[0-9]+))?")));
    const QRegularExpressionMatch match = grammar.match(text);
    if (!match.hasMatch())
        return Verdict::Reject;
    value = std::strtold(text.toLatin1().constData(), nullptr);
    // More decimals than the exact arithmetic takes, once the exponent is
    // applied, are refused where the exact value is needed.
    QString decimals = match.captured(2) + match.captured(3);
    while (decimals.endsWith(u'0'))
        decimals.chop(1);
    if (exactly && decimals.size() - match.captured(4).toDouble() > 900)
        return Verdict::EitherWay;
    if (!exactly)
        return inRange(value);
    // A fraction's part need not be a float: below 10^1001 the exact
    // arithmetic takes it; long double tells that apart but near the bound.
    const long double magnitude = std::fabs(value);
    if (magnitude > 1e999L && magnitude < 1e1002L)
        return Verdict::EitherWay;
    return magnitude < 1e1001L ? Verdict::Accept : Verdict::Reject;
}

// The forms written beside the program's own, in its own: one pair of
// brackets around the number, the minus sign and the en dash as "-", U+2044
// as "/", and each vulgar fraction as its two numbers, a blank between it and
// a digit before it.
QString plain(const QString &text)
{
    static const QHash<QChar, QString> vulgar = {
        {u'¼', "1/4"},  {u'½', "1/2"}, {u'¾', "3/4"}, {u'⅐', "1/7"}, {u'⅑', "1/9"},
        {u'⅒', "1/10"}, {u'⅓', "1/3"}, {u'⅔', "2/3"}, {u'⅕', "1/5"}, {u'⅖', "2/5"},
        {u'⅗', "3/5"},  {u'⅘', "4/5"}, {u'⅙', "1/6"}, {u'⅚', "5/6"}, {u'⅛', "1/8"},
        {u'⅜', "3/8"},  {u'⅝', "5/8"}, {u'⅞', "7/8"}, {u'⅟', "1/"},  {u'↉', "0/3"}};
    QString trimmed = text.trimmed();
    if (trimmed.size() >= 2 && trimmed.startsWith(u'(') && trimmed.endsWith(u')'))
        trimmed = trimmed.mid(1, trimmed.size() - 2).trimmed();
    QString own;
    for (const QChar c : trimmed) {
        if (c == QChar(0x2212) || c == QChar(0x2013))
            own += u'-';
        else if (c == QChar(0x2044))
            own += u'/';
        else if (vulgar.contains(c))
            own += (!own.isEmpty() && own.back().isDigit() ? " " : "") + vulgar[c];
        else
            own += c;
    }
    return own;
}

Verdict fraction(const QString &trimmed);

// A whole number, blanks and a fraction: their sum, "1 1/2".
Verdict oracle(const QString &text)
{
    const QString own = plain(text);
    static const QRegularExpression mixed(
        QRegularExpression::anchoredPattern(QStringLiteral("([+-]?)([0-9]+) +([0-9]+)/([0-9]+)")));
    const QRegularExpressionMatch m = mixed.match(own);
    if (!m.hasMatch())
        return fraction(own);
    for (int part = 2; part <= 4; ++part)
        if (m.captured(part).size() > 18)
            return Verdict::EitherWay; // beyond what long double holds exactly
    const long double denominator = m.captured(4).toDouble();
    if (denominator == 0)
        return Verdict::Reject;
    return inRange(m.captured(2).toDouble() + m.captured(3).toDouble() / denominator);
}

Verdict fraction(const QString &trimmed)
{
    const qsizetype slash = trimmed.indexOf(u'/');
    long double value = 0;
    if (slash < 0)
        return number(trimmed, value, false);
    // A fraction: two numbers, the second without a sign and not zero.
    const QString over = trimmed.mid(slash + 1);
    if (over.isEmpty() || !(over[0].isDigit() || over[0] == u'.'))
        return Verdict::Reject;
    long double numerator = 0;
    long double denominator = 0;
    const Verdict parts[] = {number(trimmed.left(slash), numerator, true),
                             number(over, denominator, true)};
    for (const Verdict part : parts)
        if (part == Verdict::Reject)
            return Verdict::Reject;
    for (const Verdict part : parts)
        if (part == Verdict::EitherWay)
            return Verdict::EitherWay;
    if (denominator == 0)
        return over.contains(QRegularExpression(QStringLiteral("[1-9]")))
                   ? Verdict::EitherWay // below long double's range, not zero
                   : Verdict::Reject;
    return inRange(numerator / denominator);
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
