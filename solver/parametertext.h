#ifndef GAUSS_PARAMETERTEXT_H
#define GAUSS_PARAMETERTEXT_H

// Reading a cell that holds a polynomial in a parameter ("2a", "a^2 - 1",
// "(a - 1)(a + 2)", "(a - 1)/2"), and writing one back in the same notation.

#include "algebra.h"

#include <QString>
#include <functional>

namespace gauss
{

// The letters a parameter may be, in their Latin form; each Cyrillic letter
// that looks like one of them reads as it.
bool isParameterLetter(QChar c);
QChar parameterLetter(QChar c); // the Latin form, or c itself

enum class ParameterError {
    None,
    NotExpression,        // not a polynomial in one letter
    TwoLetters,           // a second letter in the same text
    DivisionByExpression, // "1/a": only numbers divide
    PowerTooLarge,        // an exponent above MaxParameterPower
};
constexpr int MaxParameterPower = 12;

// Reads text as a polynomial with rational coefficients in one parameter.
// `letter` is the parameter already met in the system, or a null QChar; on
// success it is the letter this text uses, if any. Numbers are read as
// readExact() reads them, in the user's decimal sign.
ParameterError readPolynomial(const QString &text, QChar &letter, Polynomial &value);

// A power as superscript digits: 12 → "¹²".
QString superscriptText(int power);

// A polynomial in the cells' notation: "a² - 3a + 1/2", each coefficient
// written by `number` (which gets a positive value), powers as superscripts.
QString polynomialText(const Polynomial &poly, QChar letter,
                       const std::function<QString(const mpq_class &)> &number);
// A rational function so: "4/(a + 2)", "(a - 1)/2", "-a/(a² - 4)".
QString rationalText(const RationalFunction &f, QChar letter,
                     const std::function<QString(const mpq_class &)> &number);

} // namespace gauss

#endif
