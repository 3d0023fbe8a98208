#ifndef GAUSS_EXACTTWIN_H
#define GAUSS_EXACTTWIN_H

// The exact twin of the working: every typed text as the decimal number it is,
// and every operation of the passes made again in rational arithmetic (GMP).
// The working shows seven digits; the twin decides what is zero and gives the answer.

#include <gmpxx.h>

namespace gauss
{

// Rows 1..9 and columns 1..10 are all a system of at most nine equations uses.
constexpr int ExactRows = 10;
constexpr int ExactColumns = 11;
using ExactMatrix = mpq_class[ExactRows][ExactColumns];

// A typed number may have at most this many digits after the decimal point,
// once its exponent is applied (1E-1000 has 1000): the exact arithmetic with
// longer numbers would take minutes on a full grid.
constexpr int MaxExactDecimals = 1000;

// The exact values beside the solver's single-precision ones. a follows the
// working's a element for element, through the same row exchanges; adet is
// what the determinant test leaves; x is the true solution.
struct Exact {
    ExactMatrix a;
    ExactMatrix adet;
    mpq_class det;
    mpq_class x[ExactRows];
};

// 10 to the power exponent, exactly; a fraction for a negative exponent.
mpq_class powerOf10(long exponent);

// The nearest float, an exact half to the even neighbour; an infinity beyond
// the float range, as any rounding to single precision gives.
float toFloat(const mpq_class &value);

// The significant digits a number shows at most: every number text, and the
// answer.
constexpr int ShownDigits = 7;

// The answer as shown: rounded once, straight from the exact value, to three
// decimals and at most ShownDigits significant digits, an exact half to the
// even digit.
mpq_class roundAnswer(const mpq_class &value);

// The integer nearest to value, an exact half to the even one.
mpz_class nearestInteger(const mpq_class &value);

// The decimal exponent of the leading digit of a positive value: 2 for 123,
// -2 for 0.05.
long decimalExponent(const mpq_class &value);

} // namespace gauss

#endif
