#ifndef GAUSS_EXACTWORDS_H
#define GAUSS_EXACTWORDS_H

// What the exact arithmetic finds, in words: an exact value as a cell shows it
// or too long to show whole, and why a singular system has no single solution.

#include "singular.h"

namespace gauss
{
struct Verdict;
}

#include <QStringList>

// The exact value as a person reads it: "7/3", "0,0625"; a value whose text
// would be very long is summarised, and says so, with how it begins: "дроб с
// 41-цифрен числител и 42-цифрен знаменател: 0,3333333333333333…".
QString exactWords(const mpq_class &value);

// What a rounding typed for exact is told: "закръглено: точно 1/3".
QString roundedWords(const mpq_class &exact);

// The ranks, and either "няма решение" or "безброй решения:" with the general
// solution, one line each: "x2 — произволно", "x1 = 3 - 2x2".
QStringList singularWords(const gauss::Singular &why);

// The end of an exact working: the verdict's sentence first, then the ranks,
// and the row that reads 0 = c or the general solution (with a fundamental
// system of solutions where every right-hand side is 0).
QStringList verdictWords(const gauss::Verdict &verdict, int unknowns);

// What stands beside each unknown of a general solution: its expression in
// the free ones, or "произволно".
QStringList valueWords(const gauss::Singular &why, int unknowns);

#endif
