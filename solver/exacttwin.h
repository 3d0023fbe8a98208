#ifndef GAUSS_EXACTTWIN_H
#define GAUSS_EXACTTWIN_H

// The exact twin of the working: every typed text as the decimal number it is,
// and every operation of the passes made again in rational arithmetic (GMP).
// The working shows seven digits; the twin decides what is zero and gives the answer.

#include <QString>
#include <QStringList>
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

// How many significant digits an answer shows at most, as every number text.
constexpr long AnswerDigits = 7;

// The answer as shown: rounded once, straight from the exact value, to three
// decimals and at most AnswerDigits significant digits, an exact half to the
// even digit.
mpq_class roundAnswer(const mpq_class &value);

// The general form of numberText() for an exact value: at most seven
// significant digits, rounded half to even, the user's decimal separator; any
// magnitude, so a value beyond the float range still has a text.
QString decimalText(const mpq_class &value);

// An integer or a fraction in lowest terms, ASCII: "7", "-8/17".
QString fractionText(const mpq_class &value);

// The exact value as a person reads it: a terminating decimal with the user's
// separator ("2,5", "0,0625", or "1E-30" where the zeros would make it long)
// or else a fraction ("7/3"). A value whose text would still be very long is
// summarised, and says so: "≈ 0,3333333333333333 (дроб с 41-цифрен числител и
// 42-цифрен знаменател)"; nothing is rounded without the "≈".
QString exactText(const mpq_class &value);

// Whether text, read as a number text, is exactly value: then the text needs
// no exact value beside it.
bool showsExactly(const QString &text, const mpq_class &value);

// Why a system of n equations has no single solution, from its exact typed
// block (rows 1..n, columns 1..n+1 of a): the ranks, and either "няма решение"
// or "безброй решения" with the general solution, one line each.
QStringList singularDetails(const ExactMatrix &a, int n);

} // namespace gauss

#endif
