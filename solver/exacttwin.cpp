#include "exacttwin.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace gauss
{

mpq_class powerOf10(long exponent)
{
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(exponent)));
    return exponent >= 0 ? mpq_class(p) : mpq_class(mpz_class(1), p);
}

mpz_class nearestInteger(const mpq_class &value)
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

long decimalExponent(const mpq_class &value)
{
    // The digit counts give the exponent to within one either way.
    long exponent = long(mpz_sizeinbase(value.get_num_mpz_t(), 10)) -
                    long(mpz_sizeinbase(value.get_den_mpz_t(), 10));
    while (value >= powerOf10(exponent + 1))
        ++exponent;
    while (value < powerOf10(exponent))
        --exponent;
    return exponent;
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
    const double significand = nearestInteger(scaled).get_d(); // at most 2^24, exact
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
    const long decimals = std::min(3L, ShownDigits - 1 - decimalExponent(abs(value)));
    const mpq_class scale = powerOf10(decimals);
    mpq_class rounded(nearestInteger(value * scale));
    rounded /= scale;
    return rounded;
}

} // namespace gauss
