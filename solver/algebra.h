#ifndef GAUSS_ALGEBRA_H
#define GAUSS_ALGEBRA_H

// Value types over FLINT for the systems with a parameter: polynomials and
// rational functions in one letter over the rationals, and the residues modulo
// an irreducible polynomial, where a root that is not rational is worked exactly.

#include <flint/fmpq_poly.h>
#include <flint/fmpz_factor.h>
#include <flint/fmpz_poly_factor.h>
#include <flint/fmpz_poly_q.h>
#include <gmpxx.h>
// FLINT's ulong and slong are macros for its limb types; on 64-bit Windows a
// limb is unsigned long long, and the macro would rewrite Qt's own ulong in
// any Qt header read after this one. No FLINT header may follow.
#undef ulong
#undef slong

#include <vector>

namespace gauss
{

// A polynomial with rational coefficients.
class Polynomial
{
public:
    Polynomial();
    Polynomial(const mpq_class &constant);
    static Polynomial variable();
    Polynomial(const Polynomial &other);
    Polynomial &operator=(const Polynomial &other);
    ~Polynomial();

    int degree() const; // -1 for zero
    mpq_class coefficient(int power) const;
    bool isZero() const { return degree() < 0; }
    bool isConstant() const { return degree() <= 0; }
    mpq_class at(const mpq_class &value) const;
    // The root of a polynomial of degree one.
    mpq_class root() const { return -coefficient(0) / coefficient(1); }
    // The same polynomial with integer coprime coefficients and a positive
    // leading one: the form its factors are kept in.
    Polynomial primitive() const;

    Polynomial operator+(const Polynomial &other) const;
    Polynomial operator-(const Polynomial &other) const;
    Polynomial operator*(const Polynomial &other) const;
    Polynomial operator-() const;
    Polynomial pow(int exponent) const;
    Polynomial remainder(const Polynomial &modulus) const;
    // The inverse modulo an irreducible modulus; this must not be zero modulo it.
    Polynomial inverseModulo(const Polynomial &modulus) const;
    bool operator==(const Polynomial &other) const;
    bool operator!=(const Polynomial &other) const { return !(*this == other); }

    const fmpq_poly_struct *get() const { return p; }
    fmpq_poly_struct *get() { return p; }

private:
    fmpq_poly_t p;
};

// An irreducible factor of a polynomial with its multiplicity.
struct Factor {
    Polynomial factor; // primitive, of degree one or more
    int multiplicity = 1;
};

// The factors of a non-zero polynomial over the rationals: it is `unit`
// times the product of the factors to their multiplicities.
struct Factored {
    mpq_class unit;
    std::vector<Factor> factors;
};
Factored factorise(const Polynomial &poly);

// A positive integer as square · rest, the rest free of squares: 12 = 2² · 3.
void squareParts(const mpz_class &n, mpz_class &square, mpz_class &rest);

// How many distinct real roots a square-free polynomial has.
int realRootCount(const Polynomial &poly);

// A quotient of two polynomials, always in lowest terms.
class RationalFunction
{
public:
    RationalFunction();
    RationalFunction(const Polynomial &poly);
    RationalFunction(const mpq_class &constant);
    RationalFunction(const RationalFunction &other);
    RationalFunction &operator=(const RationalFunction &other);
    ~RationalFunction();

    bool isZero() const;
    bool isConstant() const;
    // Numerator and denominator with integer coefficients, the denominator's
    // leading coefficient positive.
    Polynomial numerator() const;
    Polynomial denominator() const;
    // The value at `value`, false where the denominator vanishes there.
    bool at(const mpq_class &value, mpq_class &result) const;

    RationalFunction operator+(const RationalFunction &other) const;
    RationalFunction operator-(const RationalFunction &other) const;
    RationalFunction operator*(const RationalFunction &other) const;
    RationalFunction operator/(const RationalFunction &other) const;
    RationalFunction operator-() const;
    bool operator==(const RationalFunction &other) const;
    bool operator!=(const RationalFunction &other) const { return !(*this == other); }

    // The larger degree of numerator and denominator, and the bits of the
    // largest coefficient: how far the expression has grown.
    int degree() const;
    long bits() const;

private:
    fmpz_poly_q_t q;
};

// An element of Q[a]/(modulus), modulus irreducible: a number of the field
// that one root of the modulus generates, as a polynomial of lower degree.
class Residue
{
public:
    Residue() = default;
    Residue(const Polynomial &value, const Polynomial &modulus);
    const Polynomial &value() const { return v; }
    const Polynomial &modulus() const { return m; }

    bool isZero() const { return v.isZero(); }
    Residue operator+(const Residue &other) const;
    Residue operator-(const Residue &other) const;
    Residue operator*(const Residue &other) const;
    Residue operator/(const Residue &other) const;
    Residue operator-() const;
    bool operator==(const Residue &other) const { return v == other.v; }
    bool operator!=(const Residue &other) const { return !(*this == other); }

private:
    Polynomial v;
    Polynomial m;
};

} // namespace gauss

#endif
