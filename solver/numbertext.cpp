#include "numbertext.h"

#include "exacttwin.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace gauss
{

namespace
{

// Decimal exponent of the leading non-zero digit of a C-form number
// ("-12.5e-3" gives -2), saturated far beyond any float; only its sign matters.
long leadingExponent(const std::string &c)
{
    const std::size_t e = std::min(c.find('e'), c.size());
    const std::size_t point = std::min(c.find('.'), e);
    const std::size_t lead = c.find_first_of("123456789");
    if (lead >= e)
        return 0; // the mantissa is zero
    const long mantissa = lead < point ? long(point - lead) - 1 : -long(lead - point);
    long exponent = 0;
    std::size_t at = e + 1;
    const bool negative = at < c.size() && c[at] == '-';
    if (negative)
        ++at;
    for (; at < c.size(); ++at)
        exponent = std::min(exponent * 10 + (c[at] - '0'), 1000000L);
    return mantissa + (negative ? -exponent : exponent);
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

// The exact value of a C-form number: its digits over a power of ten. False
// when that power would pass MaxExactDecimals.
bool exactValue(const std::string &c, mpq_class &exact)
{
    const std::size_t e = std::min(c.find('e'), c.size());
    std::string digits;
    long decimals = 0;
    bool afterPoint = false;
    for (std::size_t at = 0; at < e; ++at) {
        if (c[at] == '.') {
            afterPoint = true;
        } else if (c[at] != '-') {
            digits += c[at];
            decimals += afterPoint;
        }
    }
    const std::size_t lead = digits.find_first_not_of('0');
    if (lead == std::string::npos) {
        exact = 0;
        return true;
    }
    digits.erase(0, lead);
    for (; digits.back() == '0'; digits.pop_back())
        --decimals;
    if (e < c.size()) {
        long exponent = 0;
        std::size_t at = e + 1;
        const bool negative = c[at] == '-';
        at += negative;
        for (; at < c.size(); ++at)
            exponent = std::min(exponent * 10 + (c[at] - '0'), 1000000L);
        decimals += negative ? exponent : -exponent;
    }
    if (decimals > MaxExactDecimals)
        return false;
    exact = mpq_class(mpz_class(digits, 10)) * powerOf10(-decimals);
    if (c[0] == '-')
        exact = -exact;
    return true;
}

// QLocale::toFloat() goes through double, which can round a decimal twice, and
// it rejects numbers below the float range instead of rounding them to 0 or a
// subnormal. So the locale only supplies its symbols here; the text is brought
// into the C form and converted once, correctly rounded, by std::from_chars,
// and, where asked for, exactly.
enum class Parsed { Number, NoNumber, TooLarge, TooManyDigits };

Parsed parse(const QString &text, float &value, mpq_class *exact = nullptr)
{
    std::string c;
    if (!toCForm(text.trimmed(), QLocale(), c))
        return Parsed::NoNumber;
    float parsed = 0;
    const char *first = c.data();
    const char *last = c.data() + c.size();
    const auto [ptr, ec] = std::from_chars(first, last, parsed, std::chars_format::general);
    if (ptr != last)
        return Parsed::NoNumber;
    if (ec == std::errc::result_out_of_range) {
        if (leadingExponent(c) >= 0)
            return Parsed::TooLarge;
        parsed = c[0] == '-' ? -0.0f : 0.0f;
    } else if (ec != std::errc()) {
        return Parsed::NoNumber;
    }
    if (!std::isfinite(parsed))
        return Parsed::TooLarge; // the midpoint and beyond round to infinity
    if (exact && !exactValue(c, *exact))
        return Parsed::TooManyDigits;
    value = parsed;
    return Parsed::Number;
}

} // namespace

bool readNumber(const QString &text, float &value)
{
    return parse(text, value) == Parsed::Number;
}

bool readNumber(const QString &text, float &value, mpq_class &exact)
{
    return parse(text, value, &exact) == Parsed::Number;
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
    QString text = QLocale::c().toString(double(value), 'G', 7);
    const QString decimalPoint = QLocale().decimalPoint();
    if (decimalPoint != QLatin1String("."))
        text.replace(u'.', decimalPoint);
    return text;
}

QString elideNumberText(const QString &text, int room,
                        const std::function<int(const QString &)> &width)
{
    if (width(text) <= room)
        return text;
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
    const QString exponent = text.mid(split);
    QString shortest = text;
    for (qsizetype k = split - 1; k >= keep; --k) {
        if (!text[k - 1].isDigit())
            continue; // a prefix never ends on the separator
        shortest = text.left(k) + QChar(0x2026) + exponent;
        if (width(shortest) <= room)
            break;
    }
    return shortest;
}

float roundTo3(float value)
{
    // value * 1000 is exact in double (24 + 10 bits); nearbyint rounds an
    // exact half to the even neighbour in the default rounding mode.
    return float(std::nearbyint(double(value) * 1000.0) / 1000.0);
}

} // namespace gauss
