#ifndef GAUSS_PARAMETERWORDS_H
#define GAUSS_PARAMETERWORDS_H

// The analysis of a system with a parameter in words, as a class writes it:
// one paragraph a case, each beginning "при …:", and each step's operations
// with what its divisions assume.

#include "numberformat.h"
#include "parameter.h"

#include <QStringList>

namespace ParameterWords
{

// An expression in the parameter, its numbers written as the view writes them.
QString expression(const gauss::RationalFunction &f, QChar letter, NumberFormat::View view);

// "a = 2", or "a² - 2 = 0, т.е. a = ±√2".
QString condition(const gauss::ParameterCase &c, QChar letter);

// The determinant factored, "D = -(a - 2)(a + 2)", then a paragraph a case.
QStringList analysis(const gauss::ParameterAnalysis &a, NumberFormat::View view);

// Beside each unknown: its value in the general case, or "произволно";
// empty where the general case has no solution.
QStringList generalValues(const gauss::ParameterAnalysis &a, NumberFormat::View view);

// A step of the general working: each operation, then what it assumes
// ("делим на a + 2, при a ≠ -2").
QStringList stepLines(const gauss::ParametricStep &step, QChar letter, NumberFormat::View view);

// The matrix of a step, its cells' texts.
QList<QStringList> matrix(const std::vector<std::vector<gauss::RationalFunction>> &m, QChar letter,
                          NumberFormat::View view);

} // namespace ParameterWords

#endif
