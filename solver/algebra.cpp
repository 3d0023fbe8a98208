#include "algebra.h"

#include <algorithm>

namespace gauss
{

namespace
{

mpq_class toMpq(const fmpq_t value)
{
    mpq_class result;
    fmpq_get_mpq(result.get_mpq_t(), value);
    return result;
}

mpq_class toMpq(const fmpz_t value)
{
    mpz_class result;
    fmpz_get_mpz(result.get_mpz_t(), value);
    return mpq_class(result);
}

Polynomial fromInteger(const fmpz_poly_t poly)
{
    Polynomial result;
    fmpq_poly_set_fmpz_poly(result.get(), poly);
    return result;
}

} // namespace

Polynomial::Polynomial()
{
    fmpq_poly_init(p);
}

Polynomial::Polynomial(const mpq_class &constant) : Polynomial()
{
    fmpq_poly_set_mpq(p, constant.get_mpq_t());
}

Polynomial Polynomial::variable()
{
    Polynomial x;
    fmpq_poly_set_coeff_si(x.p, 1, 1);
    return x;
}

Polynomial::Polynomial(const Polynomial &other) : Polynomial()
{
    fmpq_poly_set(p, other.p);
}

Polynomial &Polynomial::operator=(const Polynomial &other)
{
    fmpq_poly_set(p, other.p);
    return *this;
}

Polynomial::~Polynomial()
{
    fmpq_poly_clear(p);
}

int Polynomial::degree() const
{
    return int(fmpq_poly_degree(p));
}

mpq_class Polynomial::coefficient(int power) const
{
    mpq_class c;
    fmpq_poly_get_coeff_mpq(c.get_mpq_t(), p, power);
    return c;
}

mpq_class Polynomial::at(const mpq_class &value) const
{
    fmpq_t v, r;
    fmpq_init(v);
    fmpq_init(r);
    fmpq_set_mpq(v, value.get_mpq_t());
    fmpq_poly_evaluate_fmpq(r, p, v);
    const mpq_class result = toMpq(r);
    fmpq_clear(v);
    fmpq_clear(r);
    return result;
}

Polynomial Polynomial::primitive() const
{
    Polynomial result;
    fmpq_poly_primitive_part(result.p, p);
    return result;
}

Polynomial Polynomial::operator+(const Polynomial &other) const
{
    Polynomial r;
    fmpq_poly_add(r.p, p, other.p);
    return r;
}

Polynomial Polynomial::operator-(const Polynomial &other) const
{
    Polynomial r;
    fmpq_poly_sub(r.p, p, other.p);
    return r;
}

Polynomial Polynomial::operator*(const Polynomial &other) const
{
    Polynomial r;
    fmpq_poly_mul(r.p, p, other.p);
    return r;
}

Polynomial Polynomial::operator-() const
{
    Polynomial r;
    fmpq_poly_neg(r.p, p);
    return r;
}

Polynomial Polynomial::pow(int exponent) const
{
    Polynomial r;
    fmpq_poly_pow(r.p, p, mp_limb_t(exponent));
    return r;
}

Polynomial Polynomial::remainder(const Polynomial &modulus) const
{
    Polynomial r;
    fmpq_poly_rem(r.p, p, modulus.p);
    return r;
}

Polynomial Polynomial::inverseModulo(const Polynomial &modulus) const
{
    Polynomial g, s, t;
    fmpq_poly_xgcd(g.p, s.p, t.p, p, modulus.p);
    return s; // s·p + t·modulus = 1, g monic and the modulus irreducible
}

bool Polynomial::operator==(const Polynomial &other) const
{
    return fmpq_poly_equal(p, other.p);
}

Factored factorise(const Polynomial &poly)
{
    Factored result;
    fmpz_poly_t num;
    fmpz_poly_init(num);
    fmpq_poly_get_numerator(num, poly.get());
    fmpz_poly_factor_t fac;
    fmpz_poly_factor_init(fac);
    fmpz_poly_factor(fac, num);
    fmpz_t den;
    fmpz_init(den);
    fmpq_poly_get_denominator(den, poly.get());
    result.unit = toMpq(&fac->c) / toMpq(den);
    for (mp_limb_signed_t i = 0; i < fac->num; ++i) {
        Polynomial factor = fromInteger(fac->p + i);
        // FLINT keeps each factor's sign as it comes; a positive leading
        // coefficient makes "(a - 2)" rather than "(-a + 2)".
        if (factor.coefficient(factor.degree()) < 0) {
            factor = -factor;
            if (fac->exp[i] % 2 == 1)
                result.unit = -result.unit;
        }
        result.factors.push_back({factor, int(fac->exp[i])});
    }
    std::sort(result.factors.begin(), result.factors.end(), [](const Factor &x, const Factor &y) {
        return x.factor.degree() < y.factor.degree();
    });
    fmpz_clear(den);
    fmpz_poly_factor_clear(fac);
    fmpz_poly_clear(num);
    return result;
}

void squareParts(const mpz_class &n, mpz_class &square, mpz_class &rest)
{
    fmpz_t value;
    fmpz_init(value);
    fmpz_set_mpz(value, n.get_mpz_t());
    fmpz_factor_t fac;
    fmpz_factor_init(fac);
    fmpz_factor(fac, value);
    square = 1;
    rest = 1;
    for (mp_limb_signed_t i = 0; i < fac->num; ++i) {
        mpz_class prime;
        fmpz_get_mpz(prime.get_mpz_t(), fac->p + i);
        for (mp_limb_t k = 0; k < fac->exp[i] / 2; ++k)
            square *= prime;
        if (fac->exp[i] % 2 == 1)
            rest *= prime;
    }
    fmpz_factor_clear(fac);
    fmpz_clear(value);
}

int realRootCount(const Polynomial &poly)
{
    fmpz_poly_t num;
    fmpz_poly_init(num);
    fmpq_poly_get_numerator(num, poly.get());
    const int count = int(fmpz_poly_num_real_roots(num));
    fmpz_poly_clear(num);
    return count;
}

RationalFunction::RationalFunction()
{
    fmpz_poly_q_init(q);
}

RationalFunction::RationalFunction(const Polynomial &poly) : RationalFunction()
{
    fmpq_poly_get_numerator(q->num, poly.get());
    fmpz_t den;
    fmpz_init(den);
    fmpq_poly_get_denominator(den, poly.get());
    fmpz_poly_set_fmpz(q->den, den);
    fmpz_clear(den);
    fmpz_poly_q_canonicalise(q);
}

RationalFunction::RationalFunction(const mpq_class &constant)
    : RationalFunction(Polynomial(constant))
{
}

RationalFunction::RationalFunction(const RationalFunction &other) : RationalFunction()
{
    fmpz_poly_q_set(q, other.q);
}

RationalFunction &RationalFunction::operator=(const RationalFunction &other)
{
    fmpz_poly_q_set(q, other.q);
    return *this;
}

RationalFunction::~RationalFunction()
{
    fmpz_poly_q_clear(q);
}

bool RationalFunction::isZero() const
{
    return fmpz_poly_q_is_zero(q);
}

bool RationalFunction::isConstant() const
{
    return fmpz_poly_degree(q->num) <= 0 && fmpz_poly_degree(q->den) == 0;
}

Polynomial RationalFunction::numerator() const
{
    return fromInteger(q->num);
}

Polynomial RationalFunction::denominator() const
{
    return fromInteger(q->den);
}

bool RationalFunction::at(const mpq_class &value, mpq_class &result) const
{
    const mpq_class den = denominator().at(value);
    if (den == 0)
        return false;
    result = numerator().at(value) / den;
    return true;
}

RationalFunction RationalFunction::operator+(const RationalFunction &other) const
{
    RationalFunction r;
    fmpz_poly_q_add(r.q, q, other.q);
    return r;
}

RationalFunction RationalFunction::operator-(const RationalFunction &other) const
{
    RationalFunction r;
    fmpz_poly_q_sub(r.q, q, other.q);
    return r;
}

RationalFunction RationalFunction::operator*(const RationalFunction &other) const
{
    RationalFunction r;
    fmpz_poly_q_mul(r.q, q, other.q);
    return r;
}

RationalFunction RationalFunction::operator/(const RationalFunction &other) const
{
    RationalFunction r;
    fmpz_poly_q_div(r.q, q, other.q);
    return r;
}

RationalFunction RationalFunction::operator-() const
{
    RationalFunction r;
    fmpz_poly_q_neg(r.q, q);
    return r;
}

bool RationalFunction::operator==(const RationalFunction &other) const
{
    return fmpz_poly_q_equal(q, other.q);
}

int RationalFunction::degree() const
{
    return int(std::max(fmpz_poly_degree(q->num), fmpz_poly_degree(q->den)));
}

long RationalFunction::bits() const
{
    return long(
        std::max(std::labs(fmpz_poly_max_bits(q->num)), std::labs(fmpz_poly_max_bits(q->den))));
}

Residue::Residue(const Polynomial &value, const Polynomial &modulus)
    : v(value.remainder(modulus)), m(modulus)
{
}

Residue Residue::operator+(const Residue &other) const
{
    return Residue(v + other.v, m);
}

Residue Residue::operator-(const Residue &other) const
{
    return Residue(v - other.v, m);
}

Residue Residue::operator*(const Residue &other) const
{
    return Residue(v * other.v, m);
}

Residue Residue::operator/(const Residue &other) const
{
    return Residue(v * other.v.inverseModulo(m), m);
}

Residue Residue::operator-() const
{
    return Residue(-v, m);
}

} // namespace gauss
