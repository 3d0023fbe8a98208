#ifndef GAUSS_NUMBERTEXT_H
#define GAUSS_NUMBERTEXT_H

#include <QString>
#include <functional>
#include <gmpxx.h>

namespace gauss
{

// Number texts in the user's regional format, taken from the default QLocale.
// Only the decimal separator is regional: digits, signs and the exponent's E
// are ASCII in every locale, so that a text means the same wherever it is read.

// Reads a cell's text as a single-precision number. Accepts every text that
// numberText() and fractionText() write, and also surrounding blanks, a
// leading plus and a lower-case e. A fraction is two number texts around a
// "/", the second without a sign ("-2/7", "1,5/4"), and becomes the float
// nearest to its exact value. What people and other programs write for these
// reads as well: "−2" and "–2" (U+2212, U+2013) as "-2", a number in
// brackets, "(1/3)", a vulgar fraction, "½", and a whole number before a
// fraction, "1½" or "1 1/2", as one fraction. Fails on anything that is not a finite number
// (empty text, letters, hexadecimal, "inf", "nan", a zero denominator) and on
// numbers beyond the float range; a number too small for a float becomes the
// nearest float (0 or subnormal).
bool readNumber(const QString &text, float &value);

// The same reading with the text's exact value as well: one grammar, two
// results. Fails, beyond readNumber(), on a number with more than
// MaxExactDecimals digits after the decimal point (see exacttwin.h).
bool readNumber(const QString &text, float &value, mpq_class &exact);

// The same grammar read exactly alone, for numbers that need not be floats
// (a student's multiplier): only the exact arithmetic's limits apply.
bool readExact(const QString &text, mpq_class &exact);

// Why readNumber() refused a text, for a report that says what to change.
enum class Unreadable {
    NoNumber,        // empty, letters, or anything else that is not a number
    TooLarge,        // a number, but beyond the float range
    OtherSeparator,  // a number if its '.' or ',' were the locale's decimal separator
    TooManyDigits,   // a number, but with more decimals than the exact arithmetic takes
    ZeroDenominator, // a fraction over zero
    TooSmall,        // a number nearer to 0 than the exact arithmetic takes (1E-1001)
};
Unreadable whyUnreadable(const QString &text);

// A C-locale number text with the user's decimal separator in place of '.'.
QString withDecimalSign(QString text);

// General form with at most seven significant digits: fixed notation for
// decimal exponents -4..6, otherwise 1.234568E+07; no grouping; -0 shows as 0.
QString numberText(float value);

// The general form of numberText() for an exact value: at most seven
// significant digits, rounded half to even; any magnitude, so that a value
// beyond the float range still has a text.
QString decimalText(const mpq_class &value);

// An integer or a fraction in lowest terms, ASCII: "7", "-8/17".
QString fractionText(const mpq_class &value);

// An exact value as a person reads it. Whole, it is a terminating decimal
// ("2,5", "0,0625", or "1E-30" where the zeros would make it long) or else a
// fraction ("7/3"). A value whose text would still be very long is given by
// its first sixteen significant digits, rounded, and by how long it is, so
// that it is never rounded without saying so.
struct ExactText {
    enum Kind {
        Whole,
        LongDecimal,  // the value has significantDigits
        LongFraction, // the value is a fraction of numeratorDigits over denominatorDigits
    };
    Kind kind = Whole;
    QString text; // the value, or its first sixteen significant digits as they are, zeros kept
    int significantDigits = 0;
    int numeratorDigits = 0; // without the sign
    int denominatorDigits = 0;
};
ExactText exactText(const mpq_class &value);

// Whether text, read as a number text, is exactly value: then the text needs
// no exact value beside it.
bool showsExactly(const QString &text, const mpq_class &value);

// A number text shortened to fit `room`: the longest prefix of its mantissa,
// then "…" and the whole exponent. The prefix keeps the sign, every digit
// before the separator and at least three significant digits, so it never
// reads as another number. A fraction keeps the sign and the first digits of
// its numerator and of its denominator, each part that is cut followed by "…"
// ("-123…/45…"), and a long integer its first digits ("-800…"). Returns the
// text itself when it fits or cannot be shortened, and the shortest such form
// when none fits. A text is as wide as its characters' advances together,
// each asked for once, so that a long number costs no more to fit than to
// measure once.
QString elideNumberText(const QString &text, qreal room,
                        const std::function<qreal(QChar)> &advance);

// Rounds to three decimals, an exact half going to the even digit.
float roundTo3(float value);

} // namespace gauss

#endif
