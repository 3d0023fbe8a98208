#include "numbertext.h"

#include "exacttwin.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace gauss
{

namespace
{

// Past this many characters an exact value is summarised, in this many digits.
constexpr int LongestExactText = 40;
constexpr int SummaryDigits = 16;
// What an exponent form needs beside its digits: a sign, the separator and an
// exponent of up to E-1000, with room to spare.
constexpr int ExponentFormExtras = 10;

// The %G form with `precision` significant digits: fixed notation for decimal
// exponents from -4 to precision - 1, else a mantissa and E±dd; rounded, with
// trailing zeros dropped, or for a summary's start (`leading`) the first
// digits as they are, zeros kept. Written out here because GMP has no decimal
// output of a fraction, and the double conversions would round it first.
QString generalText(const mpq_class &value, int precision, bool leading = false)
{
    if (value == 0)
        return QStringLiteral("0");
    const mpq_class magnitude = abs(value);
    long exponent = decimalExponent(magnitude);
    const mpq_class scaled = magnitude * powerOf10(precision - 1 - exponent);
    mpz_class digits =
        leading ? mpz_class(scaled.get_num() / scaled.get_den()) : nearestInteger(scaled);
    if (digits == powerOf10(precision)) {
        digits /= 10;
        ++exponent;
    }
    const std::string d = digits.get_str();
    std::string text = value < 0 ? "-" : "";
    auto trimmed = [leading](std::string whole, std::string fraction) {
        while (!leading && !fraction.empty() && fraction.back() == '0')
            fraction.pop_back();
        return fraction.empty() ? whole : whole + "." + fraction;
    };
    if (exponent >= -4 && exponent < precision) {
        if (exponent >= 0)
            text += trimmed(d.substr(0, std::size_t(exponent + 1)),
                            d.substr(std::size_t(exponent + 1)));
        else
            text += trimmed("0", std::string(std::size_t(-exponent - 1), '0') + d);
    } else {
        const std::string e = std::to_string(std::labs(exponent));
        text += trimmed(d.substr(0, 1), d.substr(1)) + (exponent < 0 ? "E-" : "E+") +
                (e.size() < 2 ? "0" : "") + e;
    }
    return withDecimalSign(QString::fromStdString(text));
}

// Whether value terminates as a decimal, and after how many decimals: a
// fraction in lowest terms does when its denominator has no prime factors but
// 2 and 5, and then has as many decimals as the larger power.
bool terminates(const mpq_class &value, unsigned long &decimals)
{
    mpz_class rest = value.get_den();
    const mp_bitcnt_t twos = mpz_scan1(rest.get_mpz_t(), 0);
    rest >>= twos;
    unsigned long fives = 0;
    while (mpz_divisible_ui_p(rest.get_mpz_t(), 5)) {
        rest /= 5;
        ++fives;
    }
    decimals = std::max<unsigned long>(twos, fives);
    return rest == 1;
}

// exactText() of a value that terminates after `decimals` decimals.
ExactText terminatingText(const mpq_class &value, unsigned long decimals)
{
    const mpz_class scaled =
        abs(value.get_num()) * (powerOf10(long(decimals)).get_num() / value.get_den());
    std::string digits = scaled.get_str();
    if (digits.size() <= decimals)
        digits.insert(0, decimals + 1 - digits.size(), '0');
    if (decimals > 0)
        digits.insert(digits.size() - decimals, ".");
    const QString text = withDecimalSign(QString::fromStdString((value < 0 ? "-" : "") + digits));
    if (text.size() <= LongestExactText)
        return {ExactText::Whole, text};
    // Long only for its zeros: the exponent form holds every digit.
    const std::string all = scaled.get_str();
    const int count = int(all.find_last_not_of('0') + 1);
    if (count <= LongestExactText - ExponentFormExtras)
        return {ExactText::Whole, generalText(value, count)};
    return {ExactText::LongDecimal, generalText(value, SummaryDigits, true), count};
}

bool startsWith(const QString &text, qsizetype at, const QString &symbol)
{
    return !symbol.isEmpty() && QStringView(text).mid(at).startsWith(symbol, Qt::CaseInsensitive);
}

// Translates a number in the locale's format into the C form
// [-]digits[.digits][e[-]digits]; returns false on anything else.
bool toCForm(const QString &text, const QLocale &locale, std::string &out)
{
    const QString decimalPoint = locale.decimalPoint();
    const QString minus = locale.negativeSign();
    const QString plus = locale.positiveSign();
    const QString exponential = locale.exponential();
    qsizetype at = 0;
    const qsizetype end = text.size();

    auto sign = [&]() {
        if (startsWith(text, at, minus)) {
            at += minus.size();
            out += '-';
        } else if (startsWith(text, at, plus)) {
            at += plus.size();
        } else if (at < end && (text[at] == u'-' || text[at] == u'+')) {
            if (text[at] == u'-')
                out += '-';
            ++at;
        }
    };
    auto digits = [&]() {
        int count = 0;
        while (at < end && text[at] >= u'0' && text[at] <= u'9') {
            out += char(text[at].unicode());
            ++at;
            ++count;
        }
        return count;
    };

    sign();
    int mantissaDigits = digits();
    if (startsWith(text, at, decimalPoint)) {
        at += decimalPoint.size();
        out += '.';
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0)
        return false;
    if (startsWith(text, at, exponential) || (at < end && (text[at] == u'e' || text[at] == u'E'))) {
        at += startsWith(text, at, exponential) ? exponential.size() : 1;
        out += 'e';
        sign();
        if (digits() == 0)
            return false;
    }
    return at == end;
}

// A C-form number as an integer, its digits without the zeros at either end,
// times 10^scale; the exponent is saturated far beyond any float.
struct Decimal {
    mpz_class digits;
    long scale = 0;
};

Decimal decimalOf(const std::string &c)
{
    const std::size_t e = std::min(c.find('e'), c.size());
    std::string digits;
    long scale = 0;
    bool afterPoint = false;
    for (std::size_t at = 0; at < e; ++at) {
        if (c[at] == '.') {
            afterPoint = true;
        } else if (c[at] != '-') {
            digits += c[at];
            scale -= afterPoint;
        }
    }
    const std::size_t lead = digits.find_first_not_of('0');
    if (lead == std::string::npos)
        return {};
    digits.erase(0, lead);
    for (; digits.back() == '0'; digits.pop_back())
        ++scale;
    if (e < c.size()) {
        long exponent = 0;
        std::size_t at = e + 1;
        const bool negative = c[at] == '-';
        at += negative;
        for (; at < c.size(); ++at)
            exponent = std::min(exponent * 10 + (c[at] - '0'), 1000000L);
        scale += negative ? -exponent : exponent;
    }
    const mpz_class magnitude(digits, 10);
    return {c[0] == '-' ? mpz_class(-magnitude) : magnitude, scale};
}

// QLocale::toFloat() goes through double, which can round a decimal twice, and
// it rejects numbers below the float range instead of rounding them to 0 or a
// subnormal. So the locale only supplies its symbols here; the text is brought
// into the C form and converted once, correctly rounded, by std::from_chars,
// and, where asked for, exactly.
enum class Parsed { Number, NoNumber, TooLarge, TooManyDigits, TooSmall, ZeroDenominator };

// single: whether the number must also be a float; a fraction's parts and a
// number read exactly alone need not be, as long as it has an exact value.
Parsed parseDecimal(const QString &text, float &value, mpq_class *exact, bool single = true)
{
    std::string c;
    if (!toCForm(text, QLocale(), c))
        return Parsed::NoNumber;
    float parsed = 0;
    const char *first = c.data();
    const char *last = c.data() + c.size();
    const auto [ptr, ec] = std::from_chars(first, last, parsed, std::chars_format::general);
    if (ptr != last)
        return Parsed::NoNumber;
    const Decimal decimal = decimalOf(c);
    if (ec == std::errc::result_out_of_range) {
        // Its leading digit tells a number beyond the range from one below it.
        if (single && decimal.digits != 0 &&
            decimalExponent(mpq_class(abs(decimal.digits))) + decimal.scale >= 0)
            return Parsed::TooLarge;
        parsed = c[0] == '-' ? -0.0f : 0.0f;
    } else if (ec != std::errc()) {
        return Parsed::NoNumber;
    }
    if (single && !std::isfinite(parsed))
        return Parsed::TooLarge; // the midpoint and beyond round to infinity
    // Beyond the float range, the exact arithmetic's own bound on the other
    // side: a power of ten of a million digits would take minutes.
    if (!single && decimal.digits != 0 &&
        decimalExponent(mpq_class(abs(decimal.digits))) + decimal.scale > MaxExactDecimals)
        return Parsed::TooLarge;
    if (exact) {
        if (-decimal.scale > MaxExactDecimals)
            return decimalExponent(mpq_class(abs(decimal.digits))) + decimal.scale <
                           -MaxExactDecimals
                       ? Parsed::TooSmall
                       : Parsed::TooManyDigits;
        *exact = decimal.digits * powerOf10(decimal.scale);
    }
    value = parsed;
    return Parsed::Number;
}

// The forms people and other programs write beside the program's own, in the
// program's own: the minus sign that the program prints (U+2212) and the en
// dash, a number in brackets as a multiplier is written ("(1/3)"), a vulgar
// fraction ("½", or U+2044 as a bar), and a whole number before a fraction
// ("1½", and "1 1/2" as spreadsheets show one) as a single fraction.
QString ownForm(const QString &text)
{
    QString plain = text.trimmed();
    if (plain.size() >= 2 && plain.front() == u'(' && plain.back() == u')')
        plain = plain.mid(1, plain.size() - 2).trimmed();
    if (std::all_of(plain.begin(), plain.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return plain;
    QString own;
    for (const QChar c : std::as_const(plain)) {
        if (c == QChar(0x2212) || c == QChar(0x2013)) {
            own += u'-';
        } else if (c == QChar(0x2044)) {
            own += u'/';
        } else if (c.decompositionTag() == QChar::Fraction) {
            if (!own.isEmpty() && own.back().isDigit())
                own += u' ';
            own += c.decomposition().replace(QChar(0x2044), u'/');
        } else {
            own += c;
        }
    }
    return own;
}

// "1 1/2" as the fraction "3/2"; any other text as it is.
QString wholeAndFraction(const QString &text)
{
    if (!text.contains(u' '))
        return text;
    static const QRegularExpression mixed(QStringLiteral("^([+-]?)([0-9]+) +([0-9]+)/([0-9]+)$"));
    const QRegularExpressionMatch m = mixed.match(text);
    if (!m.hasMatch())
        return text;
    // Base 10, or a leading 0 would make the digits octal.
    const auto integer = [&m](int part) { return mpz_class(m.captured(part).toStdString(), 10); };
    const mpz_class numerator = integer(2) * integer(4) + integer(3);
    return m.captured(1) + QString::fromStdString(numerator.get_str()) + u'/' + m.captured(4);
}

// A fraction's parts are read as numbers, each exactly, whatever their size,
// and their quotient is rounded to single precision once. single: as for
// parseDecimal().
Parsed parse(const QString &text, float &value, mpq_class *exact = nullptr, bool single = true)
{
    const QString trimmed = wholeAndFraction(ownForm(text));
    const qsizetype slash = trimmed.indexOf(u'/');
    if (slash < 0)
        return parseDecimal(trimmed, value, exact, single);
    const QString over = trimmed.mid(slash + 1);
    // The sign stands in front of the fraction, and no blank inside it.
    if (over.isEmpty() || !(over[0].isDigit() || over.startsWith(QLocale().decimalPoint())))
        return Parsed::NoNumber;
    float part = 0;
    mpq_class numerator;
    mpq_class denominator;
    for (const auto &[partText, partValue] :
         {std::pair{trimmed.left(slash), &numerator}, std::pair{over, &denominator}})
        if (const Parsed parsed = parseDecimal(partText, part, partValue, false);
            parsed != Parsed::Number)
            return parsed;
    if (denominator == 0)
        return Parsed::ZeroDenominator;
    const mpq_class quotient = numerator / denominator;
    const float rounded = toFloat(quotient);
    if (single && !std::isfinite(rounded))
        return Parsed::TooLarge;
    value = rounded;
    if (exact)
        *exact = quotient;
    return Parsed::Number;
}

// A sign and digits alone, as an exact integer is written, too many to show
// whole: the seven-digit texts never are.
bool isLongInteger(const QString &text)
{
    const qsizetype lead = text.startsWith(u'-') ? 1 : 0;
    return text.size() - lead > ShownDigits &&
           std::all_of(text.begin() + lead, text.end(), [](QChar c) { return c.isDigit(); });
}

// The widths of a text's prefixes, each character measured once: every
// shortened form is then priced by addition, however long the text.
class Prefixes
{
public:
    Prefixes(const QString &text, const std::function<qreal(QChar)> &advance)
        : ellipsis(advance(Ellipsis))
    {
        widths.reserve(std::size_t(text.size()) + 1);
        widths.push_back(0);
        for (const QChar c : text)
            widths.push_back(widths.back() + advance(c));
    }
    // The width of text.mid(from, count).
    qreal of(qsizetype from, qsizetype count) const
    {
        return widths[std::size_t(from + count)] - widths[std::size_t(from)];
    }
    qreal whole() const { return widths.back(); }
    static constexpr QChar Ellipsis{0x2026};
    const qreal ellipsis;

private:
    std::vector<qreal> widths;
};

// elideNumberText() of a long integer: its first digits, at least two, then "…".
QString elideInteger(const QString &text, qreal room, const Prefixes &width)
{
    constexpr qsizetype Kept = 2;
    const qsizetype lead = text.startsWith(u'-') ? 1 : 0;
    qsizetype kept = text.size() - lead - 1;
    while (kept > Kept && width.of(0, lead + kept) + width.ellipsis > room)
        --kept;
    return kept < Kept ? text : text.left(lead + kept) + Prefixes::Ellipsis;
}

// elideNumberText() of a fraction: the longer part as shown loses a digit at
// a time, down to two, until the form fits.
QString elideFraction(const QString &text, qsizetype slash, qreal room, const Prefixes &width)
{
    constexpr qsizetype Kept = 2;
    const qsizetype lead = text.startsWith(u'-') ? 1 : 0;
    const qsizetype from[2] = {lead, slash + 1};
    const qsizetype size[2] = {slash - lead, text.size() - slash - 1};
    for (int i = 0; i < 2; ++i)
        if (size[i] == 0 || std::any_of(text.begin() + from[i], text.begin() + from[i] + size[i],
                                        [](QChar c) { return !c.isDigit(); }))
            return text; // not a fraction the program writes
    qsizetype kept[2] = {size[0], size[1]};
    auto shownWidth = [&](int i) {
        return width.of(from[i], kept[i]) + (kept[i] < size[i] ? width.ellipsis : 0);
    };
    const qreal fixed = width.of(0, lead) + width.of(slash, 1);
    bool cut = false;
    for (;;) {
        const int part = kept[0] >= kept[1] ? 0 : 1;
        if (kept[part] <= Kept)
            break;
        --kept[part];
        cut = true;
        if (fixed + shownWidth(0) + shownWidth(1) <= room)
            break;
    }
    if (!cut)
        return text;
    auto shown = [&](int i) {
        return text.mid(from[i], kept[i]) +
               (kept[i] < size[i] ? QString(Prefixes::Ellipsis) : QString());
    };
    return text.left(lead) + shown(0) + u'/' + shown(1);
}

} // namespace

QString withDecimalSign(QString text)
{
    const QString decimalPoint = QLocale().decimalPoint();
    if (decimalPoint != QLatin1String("."))
        text.replace(u'.', decimalPoint);
    return text;
}

bool readNumber(const QString &text, float &value)
{
    return parse(text, value) == Parsed::Number;
}

bool readNumber(const QString &text, float &value, mpq_class &exact)
{
    return parse(text, value, &exact) == Parsed::Number;
}

bool readExact(const QString &text, mpq_class &exact)
{
    float unused = 0;
    return parse(text, unused, &exact, false) == Parsed::Number;
}

Unreadable whyUnreadable(const QString &text)
{
    float value = 0;
    mpq_class exact;
    switch (parse(text, value, &exact)) {
    case Parsed::TooLarge:
        return Unreadable::TooLarge;
    case Parsed::TooManyDigits:
        return Unreadable::TooManyDigits;
    case Parsed::ZeroDenominator:
        return Unreadable::ZeroDenominator;
    case Parsed::TooSmall:
        return Unreadable::TooSmall;
    default:
        break;
    }
    const QString decimalPoint = QLocale().decimalPoint();
    for (const QChar other : {u'.', u','}) {
        if (decimalPoint == other || !text.contains(other))
            continue;
        if (parse(QString(text).replace(other, decimalPoint), value) != Parsed::NoNumber)
            return Unreadable::OtherSeparator;
    }
    return Unreadable::NoNumber;
}

QString numberText(float value)
{
    if (value == 0)
        value = 0; // a negative zero shows as 0
    // The C locale writes ASCII digits, '-', 'E' and the exponent's sign and no
    // grouping; the user's locale gives only the decimal separator. Widening to
    // double is exact, so seven significant digits of the double are seven
    // significant digits of the float itself.
    return withDecimalSign(QLocale::c().toString(double(value), 'G', ShownDigits));
}

QString decimalText(const mpq_class &value)
{
    // A value that is a float has exactly the text the grid gives that float.
    const float nearestFloat = toFloat(value);
    if (std::isfinite(nearestFloat) && mpq_class(double(nearestFloat)) == value)
        return numberText(nearestFloat);
    return generalText(value, ShownDigits);
}

QString fractionText(const mpq_class &value)
{
    return QString::fromStdString(value.get_str());
}

ExactText exactText(const mpq_class &value)
{
    if (unsigned long decimals = 0; terminates(value, decimals))
        return terminatingText(value, decimals);
    const QString text = fractionText(value);
    if (text.size() <= LongestExactText)
        return {ExactText::Whole, text};
    return {ExactText::LongFraction, generalText(value, SummaryDigits, true), 0,
            int(mpz_class(abs(value.get_num())).get_str().size()),
            int(value.get_den().get_str().size())};
}

bool showsExactly(const QString &text, const mpq_class &value)
{
    float single = 0;
    mpq_class read;
    return readNumber(text, single, read) && read == value;
}

QString elideNumberText(const QString &text, qreal room, const std::function<qreal(QChar)> &advance)
{
    const Prefixes width(text, advance);
    if (width.whole() <= room)
        return text;
    if (const qsizetype slash = text.indexOf(u'/'); slash > 0)
        return elideFraction(text, slash, room, width);
    if (isLongInteger(text))
        return elideInteger(text, room, width);
    // The exponent runs from the last E when only a sign and digits follow.
    qsizetype split = text.size();
    const qsizetype e = std::max(text.lastIndexOf(u'E'), text.lastIndexOf(u'e'));
    if (e > 0) {
        qsizetype at = e + 1;
        if (at < text.size() && !text[at].isDigit())
            ++at;
        const qsizetype digitsFrom = at;
        while (at < text.size() && text[at].isDigit())
            ++at;
        if (at == text.size() && at > digitsFrom)
            split = e;
    }
    int significant = 0;
    auto count = [&](qsizetype i) {
        if (text[i].isDigit() && (significant > 0 || text[i] != u'0'))
            ++significant;
    };
    qsizetype keep = 0;
    while (keep < split && !text[keep].isDigit())
        ++keep;
    while (keep < split && text[keep].isDigit())
        count(keep++);
    while (keep < split && significant < 3)
        count(keep++);
    if (significant == 0)
        return text; // no number to shorten
    const qreal exponent = width.ellipsis + width.of(split, text.size() - split);
    qsizetype shortest = -1;
    for (qsizetype k = split - 1; k >= keep; --k) {
        if (!text[k - 1].isDigit())
            continue; // a prefix never ends on the separator
        shortest = k;
        if (width.of(0, k) + exponent <= room)
            break;
    }
    return shortest < 0 ? text : text.left(shortest) + Prefixes::Ellipsis + text.mid(split);
}

float roundTo3(float value)
{
    // value * 1000 is exact in double (24 + 10 bits); nearbyint rounds an
    // exact half to the even neighbour in the default rounding mode.
    return float(std::nearbyint(double(value) * 1000.0) / 1000.0);
}

} // namespace gauss
