#ifndef GAUSS_SINGULAR_H
#define GAUSS_SINGULAR_H

// Why a system has no single solution, found exactly: its ranks and, when it
// has many solutions, the general solution.

#include "exacttwin.h"

#include <vector>

namespace gauss
{

// One term of a bound unknown's value: coefficient times x<unknown>.
struct Term {
    int unknown = 0;
    mpq_class coefficient;
};

// An unknown that the free ones decide: x<unknown> = constant + the terms.
struct BoundUnknown {
    int unknown = 0;
    mpq_class constant;
    std::vector<Term> terms; // non-zero coefficients only, by free unknown, ascending
};

struct Singular {
    int coefficientRank = 0; // of A
    int augmentedRank = 0;   // of [A | b]: one more than that when nothing solves the system
    // When the system has solutions: the unknowns that may take any value and
    // the others in terms of them, each ascending. Empty when it has none.
    std::vector<int> free;
    std::vector<BoundUnknown> bound;

    bool solvable() const { return coefficientRank == augmentedRank; }
};

// The analysis of the system of rows equations in unknowns unknowns, in rows
// 1..rows, columns 1..unknowns + 1 of a, by its reduced row echelon form.
Singular analyseSingular(const ExactMatrix &a, int rows, int unknowns);
// A square system of n equations.
inline Singular analyseSingular(const ExactMatrix &a, int n)
{
    return analyseSingular(a, n, n);
}

} // namespace gauss

#endif
