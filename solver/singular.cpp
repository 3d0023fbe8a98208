#include "singular.h"

#include <utility>

namespace gauss
{

namespace
{

// Brings rows 1..rows, columns 1..n+1 of m to their reduced row echelon form;
// returns the rank, the pivot of row r being in column pivotColumn[r].
int reduce(ExactMatrix &m, int rows, int n, int (&pivotColumn)[ExactRows])
{
    int rank = 0;
    for (int c = 1; c <= n + 1 && rank < rows; ++c) {
        int found = rank + 1;
        while (found <= rows && m[found][c] == 0)
            ++found;
        if (found > rows)
            continue;
        ++rank;
        for (int j = 1; j <= n + 1; ++j)
            std::swap(m[rank][j], m[found][j]);
        const mpq_class pivot = m[rank][c];
        for (int j = c; j <= n + 1; ++j)
            m[rank][j] /= pivot;
        for (int r = 1; r <= rows; ++r) {
            if (r == rank || m[r][c] == 0)
                continue;
            const mpq_class factor = m[r][c];
            for (int j = c; j <= n + 1; ++j)
                m[r][j] -= factor * m[rank][j];
        }
        pivotColumn[rank] = c;
    }
    return rank;
}

} // namespace

Singular analyseSingular(const ExactMatrix &a, int rows, int n)
{
    ExactMatrix m;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= n + 1; ++c)
            m[r][c] = a[r][c];
    int pivotColumn[ExactRows] = {};
    Singular why;
    why.augmentedRank = reduce(m, rows, n, pivotColumn);
    const int rank = why.augmentedRank;
    // A pivot in the right-hand side reads 0 = 1.
    if (rank > 0 && pivotColumn[rank] == n + 1) {
        why.coefficientRank = rank - 1;
        return why;
    }
    why.coefficientRank = rank;
    bool bound[ExactColumns] = {};
    for (int r = 1; r <= rank; ++r)
        bound[pivotColumn[r]] = true;
    for (int c = 1; c <= n; ++c)
        if (!bound[c])
            why.free.push_back(c);
    for (int r = 1; r <= rank; ++r) {
        BoundUnknown unknown{pivotColumn[r], m[r][n + 1], {}};
        for (const int c : why.free)
            if (m[r][c] != 0)
                unknown.terms.push_back(Term{c, -m[r][c]});
        why.bound.push_back(unknown);
    }
    return why;
}

} // namespace gauss
