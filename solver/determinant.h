#ifndef GAUSS_DETERMINANT_H
#define GAUSS_DETERMINANT_H

// The working of a determinant as a class does it by hand (the diagonals of a
// 2 x 2, Sarrus's rule, elimination, expansion) and of Cramer's rule, exactly.

#include "algebra.h"
#include "elimination.h"
#include "exacttwin.h"

#include <memory>
#include <optional>
#include <vector>

namespace gauss
{

// A square matrix, rows and columns 1..size of a.
struct Square {
    int size = 0;
    ExactMatrix a;
};

// Row r, column c of a matrix.
struct Place {
    int row = 0;
    int column = 0;
};

// One product of the diagonals' rule: its factors' places in order, and its
// value; added or taken away.
struct DiagonalProduct {
    std::vector<Place> factors;
    bool added = true;
    mpq_class value;
};

// A step of the elimination to a triangular matrix, and what it did to the
// determinant: afterwards D = coefficient * det(after).
struct DeterminantStep {
    enum Kind {
        Exchange,   // rows row and other exchanged: the sign flips
        TakeOut,    // factor taken out of row row: it multiplies
        Clear,      // multiples of row row added below it: nothing changes
        ZeroColumn, // column row has no non-zero entry from row row down: D = 0
    };
    Kind kind = Clear;
    int row = 0;
    int other = 0;
    mpq_class factor;
    RowOps ops; // Clear: the eliminations, with their exact factors
    Square after;
    mpq_class coefficient;
};

struct DeterminantWorking;

// A term of an expansion: (-1)^(row + column) * element * minor.
struct ExpansionTerm {
    Place place;
    mpq_class element;
    bool added = true;
    // The minor's own working; none for a zero element, whose term is 0.
    std::shared_ptr<const DeterminantWorking> minor;
};

struct DeterminantWorking {
    enum Rule {
        Single,      // 1 x 1
        Diagonals,   // 2 x 2: the main diagonal's product less the other's
        Sarrus,      // 3 x 3
        Elimination, // to a triangular matrix
        Expansion,   // along a row or a column
    };
    Rule rule = Single;
    Square matrix;
    mpq_class value;
    std::vector<DiagonalProduct> products; // Diagonals, Sarrus
    std::vector<DeterminantStep> steps;    // Elimination
    bool alongRow = true;                  // Expansion: along row or column `line`
    int line = 0;
    std::vector<ExpansionTerm> terms;
};

// By the rule a class uses for the size: the diagonals for 2 x 2, Sarrus for
// 3 x 3, elimination from 4 x 4 up.
DeterminantWorking determinantOf(const Square &m);
// Elimination at any size: a zero pivot is exchanged with the first row
// below that has a non-zero one, the pivot is taken out of its row, and the
// column is cleared below it.
DeterminantWorking byElimination(const Square &m);
// Along row or column line (1..size), each minor by determinantOf.
DeterminantWorking byExpansion(const Square &m, bool alongRow, int line);

// Cramer's rule on the square system in rows 1..n, columns 1..n + 1 of a:
// D and, for each unknown i, D_i of the matrix whose column i is replaced by
// the right-hand sides.
struct CramerWorking {
    int n = 0;
    DeterminantWorking d;
    std::vector<DeterminantWorking> di; // di[i - 1] for unknown i
    std::vector<mpq_class> x;           // x[1..n] = D_i / D where D != 0; x[0] unused
    bool decided() const { return d.value != 0; }
    // D = 0 and some D_i != 0: the system has no solution. With every D_i = 0
    // as well the rule says nothing.
    bool noSolution() const;
};
CramerWorking cramer(const ExactMatrix &a, int n);

// The coefficient matrix of rows 1..n of a, and it with column `column`
// replaced by column n + 1.
Square coefficients(const ExactMatrix &a, int n, int replaced = 0);

// A student's determinant held against the working. terms, where given, are
// the student's products of the diagonals' rule, each with its sign, in any
// order; the rule's products are sought among them in the rule's order.
struct DeterminantCheck {
    enum Result {
        Right,
        WrongProduct, // the rule's product `product` (1 ...) is not among the terms
        ExtraTerms,   // every product is there, and more terms besides
        WrongSum,     // the terms are right, and do not add up to the value given
        WrongValue,   // no terms given, and the value is not the determinant
        // By elimination:
        WrongFactor, // the student's factor `product` (1 ...) is not the working's `expected`,
                     // its diagonal entry in column `column`
        WrongSign,   // the factors are the working's, the sign of its exchanges is not
        FactorCount, // the factors agree as far as they go, and the working has `product`
        WrongMultiplication, // the factors make D (`made`), and the value given is not it
        RightValue,          // the value given is D, and the factors make `made`
    };
    Result result = Right;
    int product = 0;
    int column = 0;
    mpq_class expected;
    mpq_class made;
};
DeterminantCheck checkDeterminant(const DeterminantWorking &w, const std::vector<mpq_class> &terms,
                                  const mpq_class &value);

// What an elimination leaves: D is the product of the triangular matrix's
// diagonal, which holds the factors taken out and the last entry, with the
// sign its exchanges bring. A zero column ends the diagonal with its 0.
struct DiagonalFactor {
    int column = 0;
    mpq_class value;
};
struct EliminationProduct {
    int exchanges = 0;
    std::vector<DiagonalFactor> factors;
};
EliminationProduct eliminationProduct(const DeterminantWorking &w);

// A determinant by elimination as a student writes it, "−2 · 3 · (−1) · 4 =
// 24": negated for a minus before the product; the value, where none is
// given, is the product's. A value alone has no factors.
struct TypedProduct {
    bool negated = false;
    std::vector<mpq_class> factors;
    std::optional<mpq_class> value;
};
// The product held against w's, which is by elimination. A student's own
// elimination may have other factors; a product that makes D is right.
DeterminantCheck checkElimination(const DeterminantWorking &w, const TypedProduct &typed);

// A student's determinant of a system with a parameter held against d: where
// wrong, the integer nearest 0 (0, 1, −1, 2 …) at which the two differ, and
// both values there.
struct ParametricCheck {
    bool right = true;
    mpq_class at;
    mpq_class yours;
    mpq_class value;
};
ParametricCheck checkParametric(const RationalFunction &d, const Polynomial &typed);

} // namespace gauss

#endif
