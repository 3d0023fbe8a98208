#ifndef GAUSS_EXERCISEWORDS_H
#define GAUSS_EXERCISEWORDS_H

// Exercises in words: their kinds, their equations as a class writes them,
// their keys and worked solutions, and why a choice cannot be made.

#include "exercise.h"
#include "working.h"

#include <QStringList>

namespace ExerciseWords
{

// The minus sign of equations and keys, U+2212.
constexpr QChar Minus = QChar(0x2212);

// "едно решение", "няма решение", "безброй решения".
QString kindName(gauss::ExerciseKind kind);
// The names the command line takes: "one", "none", "many".
QString kindKey(gauss::ExerciseKind kind);

// Each equation's terms, one for each unknown, "" where it is missing
// ("2x1", "+ x2", "− x3"), then its right-hand side ("8").
QList<QStringList> terms(const gauss::Exercise &exercise);
// "2x1 + x2 − x3 = 8", one an equation.
QStringList equations(const gauss::Exercise &exercise);
// The key: "x1 = 2; x2 = −1", "няма решение", or "безброй решения: x3 —
// произволно; x1 = 3 − 2x3; …".
QString key(const gauss::Exercise &exercise);

// The exact working of a system as a solve records it, in fractions.
Working workingOf(const gauss::SolveRecord &record);

// Why a choice cannot be made, plainly; empty where it can.
QString problemWords(gauss::ChoiceProblem problem, const gauss::ExerciseChoice &choice);
QString problemWords(const gauss::WorksheetCheck &check);
// When no clean exercise was found: not for a choice that check() lets through.
QString notMade();

} // namespace ExerciseWords

#endif
