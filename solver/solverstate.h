#ifndef GAUSS_SOLVERSTATE_H
#define GAUSS_SOLVERSTATE_H

#include "exacttwin.h"

#include <QtGlobal>

namespace gauss
{

// Fixed bounds of the working matrices; indices start at 1 everywhere, so row 0
// and column 0 are never used. n <= 9 keeps every index well inside them.
constexpr int MatrixRows = 21;
constexpr int MatrixColumns = 23;
constexpr int SolutionSize = 11;

// The square systems the size options arrange and the seven-digit working
// solves; the grid takes 1..MaxEquations equations in as many unknowns.
constexpr int MinEquations = 2;
constexpr int MaxEquations = 9;
constexpr int MaxUnknowns = MaxEquations;

using Matrix = float[MatrixRows][MatrixColumns];

// The whole state of the solver. The window holds one, and the core and its
// tests can work on a state without any window. All zero when created.
struct SolverState {
    Matrix a{};
    Matrix adet{};
    float x[SolutionSize]{};
    float vodesht = 0;
    float mnojitel = 0;
    qint16 i = 0;
    qint16 j = 0;
    qint16 p = 0;
    qint16 n = 0;
    qint16 k = 0;
    float det = 0;
    // Not a variable of the window: the unknowns of the arranged system, n for
    // a square one; the right-hand sides stand in column unknowns + 1.
    qint16 unknowns = 0;
    // Not a variable of the window: the exact value of each of the above
    // that decides or is shown, kept beside it by the solve.
    Exact exact;
};

} // namespace gauss

#endif
