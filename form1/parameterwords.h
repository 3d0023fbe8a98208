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

// "a = 2", or "a² - 2 = 0, т.е. a = ±√2": where a factor vanishes; without
// roots, "a² - 2 = 0" only.
QString condition(const gauss::Polynomial &factor, QChar letter, bool roots = true);
inline QString condition(const gauss::ParameterCase &c, QChar letter)
{
    return condition(c.factor, letter);
}

// A determinant factored: "-(a - 2)(a + 2)".
QString factored(const gauss::RationalFunction &d, QChar letter);

// Where the general case holds: "при a ≠ -2 и a ≠ 2", or "при всяко a".
QString generalCondition(const gauss::ParameterAnalysis &a);
QString generalCondition(const std::vector<gauss::Polynomial> &excluded, QChar letter);

// The general case's verdict: "единствено решение x1 = 4/(a + 2), … (ранг …)".
QString generalVerdict(const gauss::ParameterAnalysis &a, NumberFormat::View view);

// A case's verdict: "безброй решения x1 = 2 - 2x2, x2 — произволно (ранг …)".
QString caseVerdict(const gauss::ParameterCase &c, QChar letter, NumberFormat::View view);

// A value at a case: a number, or an expression in the letter modulo the case's factor.
QString valueAt(const gauss::RationalFunction &f, const gauss::ParameterCase &c, QChar letter,
                NumberFormat::View view);

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
