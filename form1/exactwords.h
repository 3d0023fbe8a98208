#ifndef GAUSS_EXACTWORDS_H
#define GAUSS_EXACTWORDS_H

// What the exact arithmetic finds, in words: why a singular system has no
// single solution.

#include "singular.h"

#include <QStringList>

// The ranks, and either "няма решение" or "безброй решения:" with the general
// solution, one line each: "x2 е произволно число", "x1 = 3 - 2·x2".
QStringList singularWords(const gauss::Singular &why);

#endif
