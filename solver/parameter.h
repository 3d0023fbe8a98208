#ifndef GAUSS_PARAMETER_H
#define GAUSS_PARAMETER_H

// The analysis of a system with a parameter: the working of the general case
// over the rational functions in the parameter, the values where a pivot or a
// contradiction vanishes, and each of them worked exactly to its verdict.

#include "algebra.h"
#include "practice.h"
#include "record.h"

#include <atomic>
#include <vector>

namespace gauss
{

// A system whose entries are polynomials in one parameter.
struct ParametricSystem {
    int rows = 0;
    int unknowns = 0;
    QChar letter;
    std::vector<std::vector<Polynomial>> a; // rows × (unknowns + 1), from 0
};

// What a working over some field ends in: the verdict of record.h with its
// values in that field.
template <class E> struct FieldSolution {
    struct Bound {
        int unknown = 0;
        E constant;
        std::vector<std::pair<int, E>> terms; // x<unknown> = constant + Σ coefficient·x<free>
    };
    Verdict::Kind kind = Verdict::One;
    int coefficientRank = 0;
    int augmentedRank = 0;
    int contradiction = 0; // for None: the row (from 1) of the last matrix that reads 0 = c
    E contradictionValue;
    std::vector<int> free;    // for Many, ascending
    std::vector<Bound> bound; // every unknown for One, the bound ones for Many
};

// One operation of the general working.
struct ParametricOp {
    RowOp::Kind kind = RowOp::Divide; // Exchange, Divide or Eliminate
    int row = 0;
    int other = 0;
    RationalFunction factor; // the divisor, or the multiple of `other` taken from `row`
};

struct ParametricStep {
    bool forward = true;
    int column = 0;    // the column worked, or the free column of a step that changes nothing
    bool free = false; // the column has no pivot
    std::vector<ParametricOp> ops;
    std::vector<Polynomial> assumed; // the factors that a division here takes to be non-zero
    std::vector<std::vector<RationalFunction>> matrix; // after the step
};

// A value of the parameter, or the roots of an irreducible factor of degree
// two or more, where the general working does not hold, with its own verdict.
struct ParameterCase {
    Polynomial factor;               // primitive; of degree one for a rational value
    FieldSolution<Residue> solution; // over Q[letter]/(factor)
    bool worked = true;              // false for a factor above MaxCaseDegree, left unworked
    bool rational() const { return factor.degree() == 1; }
    mpq_class value() const { return factor.root(); } // where rational()
};

struct ParameterAnalysis {
    enum Status { Done, TooLarge, Cancelled };
    Status status = Done;
    ParametricSystem system;
    std::vector<ParametricStep> steps;
    FieldSolution<RationalFunction> general;
    std::vector<ParameterCase> cases; // by the factor's degree, then its root, ascending
    bool square = false;
    RationalFunction determinant; // of a square system, a polynomial
};

// Bounds past which the expressions are said to have grown too large.
constexpr int MaxAnalysisDegree = 200;
constexpr long MaxAnalysisBits = 20000;
// The highest degree of a factor whose roots are worked as a case of their own.
constexpr int MaxCaseDegree = 12;

// The analysis of `system`; `cancel`, when given, is polled between the row
// operations, and its being set ends the analysis as Cancelled.
ParameterAnalysis analyseParameter(const ParametricSystem &system,
                                   const std::atomic<bool> *cancel = nullptr);

// The determinant of a square system's coefficients, or with `column`
// (1..n) replaced by the right-hand sides, as Cramer's rule takes them.
RationalFunction parametricDeterminant(const ParametricSystem &system, int column = 0);

// f at the roots of modulus, false where its denominator vanishes there.
bool reduce(const RationalFunction &f, const Polynomial &modulus, Residue &to);

// The order cases are told in: by the factor's degree, then a rational
// value's size; factors of the same higher degree keep their order.
bool caseBefore(const Polynomial &a, const Polynomial &b);

// The irreducible factors of a polynomial that vanish for some real value.
std::vector<Polynomial> vanishingFactors(const Polynomial &poly);

// The factors, vanishing for some real value, that an operation of a
// student's working takes to be non-zero: what it divides by or multiplies
// with, and the denominators of its multiples.
std::vector<Polynomial> assumptions(const ParameterOperation &op);

// The numeric system at a rational value of the parameter.
void substitute(const ParametricSystem &system, const mpq_class &value, ExactMatrix &a);

} // namespace gauss

#endif
