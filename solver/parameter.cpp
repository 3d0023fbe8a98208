#include "parameter.h"

#include <algorithm>
#include <type_traits>

namespace gauss
{

namespace
{

bool isConstant(const RationalFunction &e)
{
    return e.isConstant();
}

bool isConstant(const Residue &e)
{
    return e.value().isConstant();
}

bool tooLarge(const RationalFunction &e)
{
    return e.degree() > MaxAnalysisDegree || e.bits() > MaxAnalysisBits;
}

bool tooLarge(const Residue &)
{
    return false; // its degree is below the modulus's
}

bool contains(const std::vector<Polynomial> &list, const Polynomial &p)
{
    return std::find(list.begin(), list.end(), p) != list.end();
}

void addVanishingFactors(const Polynomial &poly, std::vector<Polynomial> &to)
{
    for (const Polynomial &f : vanishingFactors(poly))
        if (!contains(to, f))
            to.push_back(f);
}

// Gauss–Jordan elimination over the field of E, as the exact working of
// record.cpp goes: the columns in order, a pivot sought below, the pivot row
// divided, the column cleared below, then above from the last pivot up.
// Where a column offers a constant pivot it is preferred, so that the
// general working divides by an expression only when it must.
template <class E> struct Working {
    std::vector<std::vector<E>> m;
    int rows = 0;
    int unknowns = 0;
    const std::atomic<bool> *cancel = nullptr;
    ParameterAnalysis::Status status = ParameterAnalysis::Done;
    std::vector<std::pair<int, int>> pivots; // row, column, from 0
    std::vector<ParametricStep> steps;       // kept for rational functions only
    std::vector<Polynomial> assumed;         // every factor a division took to be non-zero
    E one;
    E determinant;
    ParametricStep step;

    static constexpr bool Recorded = std::is_same_v<E, RationalFunction>;

    bool stopped()
    {
        if (cancel && cancel->load())
            status = ParameterAnalysis::Cancelled;
        return status != ParameterAnalysis::Done;
    }
    void note(RowOp::Kind kind, int row, int other, const E &factor)
    {
        if constexpr (Recorded)
            step.ops.push_back({kind, row + 1, other + 1, factor});
    }
    void close()
    {
        if constexpr (Recorded) {
            step.matrix = m;
            steps.push_back(step);
        }
        step = ParametricStep();
    }
    void divide(int r, int c)
    {
        const E pivot = m[r][c];
        determinant = determinant * pivot;
        if constexpr (Recorded) {
            std::vector<Polynomial> here;
            addVanishingFactors(pivot.numerator(), here);
            for (const Polynomial &f : here)
                if (!contains(assumed, f))
                    assumed.push_back(f);
            step.assumed = here;
        }
        const E inverse = one / pivot; // one inversion, then products: inverting is the dear part
        for (E &e : m[r])
            e = e * inverse;
        note(RowOp::Divide, r, r, pivot);
    }
    void eliminate(int i, int r, int c)
    {
        const E factor = m[i][c];
        if (factor.isZero())
            return;
        for (int k = 0; k <= unknowns; ++k) {
            m[i][k] = m[i][k] - factor * m[r][k];
            if (tooLarge(m[i][k]))
                status = ParameterAnalysis::TooLarge;
        }
        note(RowOp::Eliminate, i, r, factor);
    }
    int pivotRow(int r, int c) const
    {
        int found = -1;
        for (int p = r; p < rows; ++p)
            if (!m[p][c].isZero() &&
                (found < 0 || (isConstant(m[p][c]) && !isConstant(m[found][c]))))
                found = p;
        return found;
    }
    void forward(int c)
    {
        const int r = int(pivots.size());
        step.column = c + 1;
        const int p = pivotRow(r, c);
        if (p < 0) {
            step.free = true;
            determinant = one - one; // a column without a pivot: D = 0
            return;
        }
        if (p != r) {
            std::swap(m[r], m[p]);
            determinant = -determinant;
            note(RowOp::Exchange, r, p, one - one);
        }
        divide(r, c);
        for (int i = r + 1; i < rows && !stopped(); ++i)
            eliminate(i, r, c);
        pivots.emplace_back(r, c);
    }
    void run()
    {
        determinant = one;
        for (int c = 0; c < unknowns && int(pivots.size()) < rows && !stopped(); ++c) {
            forward(c);
            close();
        }
        for (std::size_t p = pivots.size(); p >= 2 && !stopped(); --p) {
            const auto [r, c] = pivots[p - 1];
            step.forward = false;
            step.column = c + 1;
            for (int i = r - 1; i >= 0; --i)
                eliminate(i, r, c);
            close();
        }
    }
    FieldSolution<E> solution() const;
};

template <class E> FieldSolution<E> Working<E>::solution() const
{
    FieldSolution<E> s;
    s.coefficientRank = s.augmentedRank = int(pivots.size());
    for (int r = int(pivots.size()); r < rows && s.contradiction == 0; ++r)
        if (!m[r][unknowns].isZero()) {
            s.kind = Verdict::None;
            s.augmentedRank = s.coefficientRank + 1;
            s.contradiction = r + 1;
            s.contradictionValue = m[r][unknowns];
        }
    if (s.kind == Verdict::None)
        return s;
    std::vector<bool> bound(std::size_t(unknowns), false);
    for (const auto &[r, c] : pivots)
        bound[std::size_t(c)] = true;
    for (int c = 0; c < unknowns; ++c)
        if (!bound[std::size_t(c)])
            s.free.push_back(c + 1);
    s.kind = s.free.empty() ? Verdict::One : Verdict::Many;
    for (const auto &[r, c] : pivots) {
        typename FieldSolution<E>::Bound b{c + 1, m[r][unknowns], {}};
        for (const int j : s.free)
            if (!m[r][j - 1].isZero())
                b.terms.emplace_back(j, -m[r][j - 1]);
        s.bound.push_back(b);
    }
    return s;
}

template <class E> Working<E> workingOf(const ParametricSystem &system, const Polynomial *modulus)
{
    Working<E> w;
    if constexpr (std::is_same_v<E, Residue>)
        w.one = Residue(Polynomial(1), *modulus);
    else
        w.one = RationalFunction(mpq_class(1));
    w.rows = system.rows;
    w.unknowns = system.unknowns;
    for (const auto &row : system.a) {
        std::vector<E> line;
        for (const Polynomial &p : row) {
            if constexpr (std::is_same_v<E, Residue>)
                line.emplace_back(p, *modulus);
            else
                line.emplace_back(p);
        }
        w.m.push_back(line);
    }
    return w;
}

bool sameValue(const RationalFunction &f, const Residue &r)
{
    Residue reduced;
    return reduce(f, r.modulus(), reduced) && reduced == r;
}

// Whether the general verdict, read at the roots of the case's factor, is
// the case's own: then the case needs no paragraph of its own.
bool holdsThere(const FieldSolution<RationalFunction> &g, const FieldSolution<Residue> &c)
{
    if (g.kind != c.kind || g.coefficientRank != c.coefficientRank ||
        g.augmentedRank != c.augmentedRank || g.free != c.free || g.bound.size() != c.bound.size())
        return false;
    if (g.kind == Verdict::None)
        return g.contradiction == c.contradiction &&
               sameValue(g.contradictionValue, c.contradictionValue);
    for (std::size_t i = 0; i < g.bound.size(); ++i) {
        const auto &gb = g.bound[i];
        const auto &cb = c.bound[i];
        if (gb.unknown != cb.unknown || !sameValue(gb.constant, cb.constant))
            return false;
        for (const int j : g.free) {
            auto coefficient = [j](const auto &terms, auto zero) {
                for (const auto &[u, value] : terms)
                    if (u == j)
                        return value;
                return zero;
            };
            const Residue zero = cb.constant - cb.constant;
            if (!sameValue(coefficient(gb.terms, RationalFunction()), coefficient(cb.terms, zero)))
                return false;
        }
    }
    return true;
}

} // namespace

ParameterAnalysis analyseParameter(const ParametricSystem &system, const std::atomic<bool> *cancel)
{
    ParameterAnalysis analysis;
    analysis.system = system;
    analysis.square = system.rows == system.unknowns;
    Working<RationalFunction> general = workingOf<RationalFunction>(system, nullptr);
    general.cancel = cancel;
    general.run();
    analysis.status = general.status;
    if (analysis.status != ParameterAnalysis::Done)
        return analysis;
    analysis.steps = general.steps;
    analysis.general = general.solution();
    if (analysis.square)
        analysis.determinant = general.determinant;
    std::vector<Polynomial> special = general.assumed;
    for (int r = analysis.general.coefficientRank; r < system.rows; ++r)
        addVanishingFactors(general.m[std::size_t(r)][std::size_t(system.unknowns)].numerator(),
                            special);
    // A square system is regular wherever D is not 0, and there its one
    // solution is the general one, the Di/D: only D's factors can be cases.
    if (analysis.square && !analysis.determinant.isZero()) {
        const Polynomial d = analysis.determinant.numerator();
        special.erase(std::remove_if(special.begin(), special.end(),
                                     [&](const Polynomial &f) { return !d.remainder(f).isZero(); }),
                      special.end());
    }
    for (const Polynomial &factor : special) {
        if (factor.degree() > MaxCaseDegree) {
            analysis.cases.push_back({factor, {}, false});
            continue;
        }
        Working<Residue> at = workingOf<Residue>(system, &factor);
        at.cancel = cancel;
        at.run();
        if (at.stopped()) {
            analysis.status = at.status;
            return analysis;
        }
        const ParameterCase c{factor, at.solution()};
        if (!holdsThere(analysis.general, c.solution))
            analysis.cases.push_back(c);
    }
    std::stable_sort(analysis.cases.begin(), analysis.cases.end(),
                     [](const ParameterCase &x, const ParameterCase &y) {
                         return caseBefore(x.factor, y.factor);
                     });
    return analysis;
}

bool caseBefore(const Polynomial &a, const Polynomial &b)
{
    if (a.degree() != b.degree())
        return a.degree() < b.degree();
    return a.degree() == 1 && a.root() < b.root();
}

std::vector<Polynomial> vanishingFactors(const Polynomial &poly)
{
    std::vector<Polynomial> found;
    if (!poly.isConstant())
        for (const Factor &f : factorise(poly).factors)
            if (realRootCount(f.factor) > 0)
                found.push_back(f.factor);
    return found;
}

bool reduce(const RationalFunction &f, const Polynomial &modulus, Residue &to)
{
    const Residue den(f.denominator(), modulus);
    if (den.isZero())
        return false;
    to = Residue(f.numerator(), modulus) / den;
    return true;
}

RationalFunction parametricDeterminant(const ParametricSystem &system, int column)
{
    ParametricSystem square = system;
    for (auto &row : square.a) {
        if (column > 0)
            row[std::size_t(column - 1)] = row[std::size_t(system.unknowns)];
        row[std::size_t(system.unknowns)] = Polynomial();
    }
    Working<RationalFunction> w = workingOf<RationalFunction>(square, nullptr);
    w.run();
    return w.determinant;
}

std::vector<Polynomial> assumptions(const ParameterOperation &op)
{
    std::vector<Polynomial> factors;
    switch (op.kind) {
    case RowOperations::Exchange:
        break;
    case RowOperations::Divide:
    case RowOperations::Multiply:
        addVanishingFactors(op.factor.numerator(), factors);
        addVanishingFactors(op.factor.denominator(), factors);
        break;
    case RowOperations::Combine:
        addVanishingFactors(op.own.numerator(), factors);
        addVanishingFactors(op.own.denominator(), factors);
        [[fallthrough]];
    case RowOperations::Eliminate:
        addVanishingFactors(op.factor.denominator(), factors);
        break;
    }
    return factors;
}

void substitute(const ParametricSystem &system, const mpq_class &value, ExactMatrix &a)
{
    for (int r = 0; r < system.rows; ++r)
        for (int c = 0; c <= system.unknowns; ++c)
            a[r + 1][c + 1] = system.a[std::size_t(r)][std::size_t(c)].at(value);
}

} // namespace gauss
