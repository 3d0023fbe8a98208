#include "exacttwin.h"

#include "numbertext.h"

#include <QLocale>
#include <cmath>
#include <limits>
#include <string>

namespace gauss
{

namespace
{

mpz_class power(unsigned long base, unsigned long exponent)
{
    mpz_class result;
    mpz_ui_pow_ui(result.get_mpz_t(), base, exponent);
    return result;
}

// The integer nearest to value, an exact half to the even one.
mpz_class nearest(const mpq_class &value)
{
    mpz_class quotient;
    mpz_class remainder;
    mpz_fdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), value.get_num_mpz_t(),
                value.get_den_mpz_t());
    const int half = cmp(mpz_class(2 * remainder), value.get_den());
    if (half > 0 || (half == 0 && mpz_odd_p(quotient.get_mpz_t())))
        ++quotient;
    return quotient;
}

// The decimal exponent of the leading digit of a positive value.
long decimalExponent(const mpq_class &value)
{
    long exponent = long(mpz_sizeinbase(value.get_num_mpz_t(), 10)) -
                    long(mpz_sizeinbase(value.get_den_mpz_t(), 10));
    while (value >= powerOf10(exponent + 1))
        ++exponent;
    while (value < powerOf10(exponent))
        --exponent;
    return exponent;
}

QString withSeparator(std::string text)
{
    QString out = QString::fromStdString(text);
    const QString decimalPoint = QLocale().decimalPoint();
    if (decimalPoint != QLatin1String("."))
        out.replace(u'.', decimalPoint);
    return out;
}

// The %G form with `precision` significant digits: fixed notation for decimal
// exponents from -4 to precision - 1, else a mantissa and E±dd; trailing
// zeros dropped unless a summary must show how far its digits go. Written out here because GMP has
// no decimal output of a fraction, and the double conversions would round it first.
QString generalText(const mpq_class &value, int precision, bool keepZeros = false)
{
    if (value == 0)
        return QStringLiteral("0");
    const mpq_class magnitude = abs(value);
    long exponent = decimalExponent(magnitude);
    mpz_class digits = nearest(magnitude * powerOf10(precision - 1 - exponent));
    if (digits == power(10, static_cast<unsigned long>(precision))) {
        digits /= 10;
        ++exponent;
    }
    const std::string d = digits.get_str();
    std::string text = value < 0 ? "-" : "";
    auto trimmed = [keepZeros](std::string whole, std::string fraction) {
        while (!keepZeros && !fraction.empty() && fraction.back() == '0')
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
    return withSeparator(text);
}

// Past this many characters an exact value is summarised.
constexpr int LongestExactText = 40;

} // namespace

mpq_class powerOf10(long exponent)
{
    const mpz_class p = power(10, static_cast<unsigned long>(std::labs(exponent)));
    return exponent >= 0 ? mpq_class(p) : mpq_class(mpz_class(1), p);
}

// GMP converts only to double, truncating; rounding that double again to a
// float can land on the wrong side of a halfway point. So the float's last
// place is found here, and the rest of the value rounds it.
float toFloat(const mpq_class &value)
{
    if (value == 0)
        return 0;
    const mpq_class magnitude = abs(value);
    const mpz_class &num = magnitude.get_num();
    const mpz_class &den = magnitude.get_den();
    // floor(log2(magnitude)) is e or e - 1.
    long e = long(mpz_sizeinbase(num.get_mpz_t(), 2)) - long(mpz_sizeinbase(den.get_mpz_t(), 2));
    const mpz_class scaledNum = e < 0 ? mpz_class(num << static_cast<mp_bitcnt_t>(-e)) : num;
    const mpz_class scaledDen = e > 0 ? mpz_class(den << static_cast<mp_bitcnt_t>(e)) : den;
    if (scaledNum < scaledDen)
        --e;
    const float infinity = std::numeric_limits<float>::infinity();
    if (e >= 128)
        return value < 0 ? -infinity : infinity;
    // The float's last place: 24 significant bits, or the subnormals' 2^-149.
    const long last = std::max(e - 23, -149L);
    const mpq_class scaled =
        last < 0 ? mpq_class(magnitude * mpq_class(mpz_class(1) << static_cast<mp_bitcnt_t>(-last)))
                 : mpq_class(magnitude / mpq_class(mpz_class(1) << static_cast<mp_bitcnt_t>(last)));
    const double significand = nearest(scaled).get_d(); // at most 2^24, exact
    const double rounded = std::ldexp(significand, int(last));
    if (rounded > double(std::numeric_limits<float>::max()))
        return value < 0 ? -infinity : infinity;
    return float(value < 0 ? -rounded : rounded);
}

// One rounding, at whichever place comes first: rounding to three decimals
// and then to seven digits could carry twice (56684.9948 to 56684.995, then
// to 56685).
mpq_class roundAnswer(const mpq_class &value)
{
    if (value == 0)
        return value;
    const long decimals = std::min(3L, AnswerDigits - 1 - decimalExponent(abs(value)));
    const mpq_class scale = powerOf10(decimals);
    mpq_class rounded(nearest(value * scale));
    rounded /= scale;
    return rounded;
}

QString decimalText(const mpq_class &value)
{
    // A value that is a float has exactly the text the grid gives that float.
    const float nearestFloat = toFloat(value);
    if (std::isfinite(nearestFloat) && mpq_class(double(nearestFloat)) == value)
        return numberText(nearestFloat);
    return generalText(value, 7);
}

QString fractionText(const mpq_class &value)
{
    return QString::fromStdString(value.get_str());
}

QString exactText(const mpq_class &value)
{
    // A fraction terminates as a decimal when its denominator has no prime
    // factors but 2 and 5; it then has as many decimals as the larger power.
    mpz_class rest = value.get_den();
    const mp_bitcnt_t twos = mpz_scan1(rest.get_mpz_t(), 0);
    rest >>= twos;
    unsigned long fives = 0;
    while (mpz_divisible_ui_p(rest.get_mpz_t(), 5)) {
        rest /= 5;
        ++fives;
    }
    QString text;
    if (rest == 1) {
        const unsigned long decimals = std::max<unsigned long>(twos, fives);
        const mpz_class scaled = abs(value.get_num()) * (power(10, decimals) / value.get_den());
        std::string digits = scaled.get_str();
        if (digits.size() <= decimals)
            digits.insert(0, decimals + 1 - digits.size(), '0');
        if (decimals > 0)
            digits.insert(digits.size() - decimals, ".");
        text = withSeparator((value < 0 ? "-" : "") + digits);
        if (text.size() <= LongestExactText)
            return text;
        // Long only for its zeros: the exponent form holds every digit.
        const std::string all = scaled.get_str();
        const int count = int(all.find_last_not_of('0') + 1);
        if (count <= LongestExactText - 10)
            return generalText(value, count);
        return QStringLiteral("≈ %1 (точната стойност има %2 значещи цифри)")
            .arg(generalText(value, 16, true))
            .arg(count);
    }
    text = fractionText(value);
    if (text.size() <= LongestExactText)
        return text;
    return QStringLiteral("≈ %1 (дроб с %2-цифрен числител и %3-цифрен знаменател)")
        .arg(generalText(value, 16, true))
        .arg(mpz_class(abs(value.get_num())).get_str().size())
        .arg(value.get_den().get_str().size());
}

bool showsExactly(const QString &text, const mpq_class &value)
{
    float single = 0;
    mpq_class read;
    return readNumber(text, single, read) && read == value;
}

QStringList singularDetails(const ExactMatrix &a, int n)
{
    // The reduced row echelon form of the augmented matrix [A | b].
    mpq_class m[ExactRows][ExactColumns];
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n + 1; ++c)
            m[r][c] = a[r][c];
    int pivotColumn[ExactRows] = {};
    int rank = 0;
    for (int c = 1; c <= n + 1 && rank < n; ++c) {
        int found = rank + 1;
        while (found <= n && m[found][c] == 0)
            ++found;
        if (found > n)
            continue;
        ++rank;
        for (int j = 1; j <= n + 1; ++j)
            std::swap(m[rank][j], m[found][j]);
        const mpq_class pivot = m[rank][c];
        for (int j = c; j <= n + 1; ++j)
            m[rank][j] /= pivot;
        for (int r = 1; r <= n; ++r) {
            if (r == rank || m[r][c] == 0)
                continue;
            const mpq_class factor = m[r][c];
            for (int j = c; j <= n + 1; ++j)
                m[r][j] -= factor * m[rank][j];
        }
        pivotColumn[rank] = c;
    }
    const bool consistent = rank == 0 || pivotColumn[rank] <= n;
    const int rankA = consistent ? rank : rank - 1;

    QStringList lines;
    lines << QStringLiteral("ранг на матрицата на коефициентите: %1").arg(rankA)
          << QStringLiteral("ранг на разширената матрица: %1").arg(rank);
    if (!consistent) {
        lines << QStringLiteral("няма решение");
        return lines;
    }
    lines << QStringLiteral("безброй решения:");
    bool bound[ExactColumns] = {};
    for (int r = 1; r <= rankA; ++r)
        bound[pivotColumn[r]] = true;
    for (int c = 1; c <= n; ++c)
        if (!bound[c])
            lines << QStringLiteral("x%1 е произволно число").arg(c);
    for (int r = 1; r <= rankA; ++r) {
        QString expression;
        if (m[r][n + 1] != 0)
            expression = fractionText(m[r][n + 1]);
        for (int c = pivotColumn[r] + 1; c <= n; ++c) {
            const mpq_class coefficient = -m[r][c];
            if (bound[c] || coefficient == 0)
                continue;
            const mpq_class size = abs(coefficient);
            const QString term =
                (size == 1 ? QString() : fractionText(size) + QStringLiteral("·")) +
                QStringLiteral("x%1").arg(c);
            if (expression.isEmpty())
                expression = (coefficient < 0 ? QStringLiteral("-") : QString()) + term;
            else
                expression +=
                    (coefficient < 0 ? QStringLiteral(" - ") : QStringLiteral(" + ")) + term;
        }
        lines << QStringLiteral("x%1 = %2")
                     .arg(pivotColumn[r])
                     .arg(expression.isEmpty() ? QStringLiteral("0") : expression);
    }
    return lines;
}

} // namespace gauss
