#include "elimination.h"

#include "numbertext.h"

#include <cmath>
#include <utility>

namespace gauss
{

namespace
{

// The determinant test's arithmetic: every result is a float as it is formed.
// Finite operands can only leave the float range towards an infinity.
bool fits(float value)
{
    return std::isfinite(value);
}

// The passes form an element in double and store it as a float. A double at or
// beyond the midpoint between the largest float and 2^128 would round to an
// infinity, and converting it is not portable, so it is caught before.
bool store(float &element, double value)
{
    if (!(std::fabs(value) < 0x1.ffffffp127))
        return false;
    element = float(value);
    return true;
}

void record(RowOps *ops, RowOp::Kind kind, qint16 row, qint16 other, float factor)
{
    if (ops)
        ops->push_back(RowOp{kind, row, other, factor});
}

bool validSize(qint16 n)
{
    return n >= 2 && n <= 9;
}

} // namespace

bool readBlock(SolverState &s, const qint16 &n, const std::function<QString(int, int)> &cellText,
               int *badRow, int *badColumn)
{
    if (!validSize(n))
        return true;
    for (s.i = 1; s.i <= n; ++s.i) {
        for (s.j = 1; s.j <= n + 1; ++s.j) {
            if (!readNumber(cellText(s.i, s.j), s.a[s.i][s.j])) {
                if (badRow)
                    *badRow = s.i;
                if (badColumn)
                    *badColumn = s.j;
                return false;
            }
        }
    }
    for (s.i = 1; s.i <= n; ++s.i)
        for (s.j = 1; s.j <= n + 1; ++s.j)
            s.adet[s.i][s.j] = s.a[s.i][s.j];
    return true;
}

Outcome determinanta(SolverState &s, Matrix &m)
{
    const qint16 n = s.n;
    s.det = 1;
    for (s.k = 1; s.k <= n - 1; ++s.k) {
        const qint16 k = s.k;
        s.vodesht = m[k][k];
        s.p = k;
        while (s.vodesht == 0) {
            for (s.j = k; s.j <= n; ++s.j)
                std::swap(m[k][s.j], m[s.p + 1][s.j]);
            s.det = -s.det;
            s.vodesht = m[k][k];
            if (s.vodesht == 0) {
                if (s.p == n - 1) {
                    s.det = 0;
                    return Outcome::Ok;
                }
                ++s.p;
            }
        }
        s.det = s.vodesht * s.det;
        if (!fits(s.det))
            return Outcome::Overflow;
        for (s.j = k; s.j <= n; ++s.j) {
            m[k][s.j] = m[k][s.j] / s.vodesht;
            if (!fits(m[k][s.j]))
                return Outcome::Overflow;
        }
        for (s.i = k + 1; s.i <= n; ++s.i) {
            s.mnojitel = m[s.i][k];
            for (s.j = 1; s.j <= n; ++s.j) {
                const float product = m[k][s.j] * -s.mnojitel;
                if (!fits(product))
                    return Outcome::Overflow;
                m[s.i][s.j] = product + m[s.i][s.j];
                if (!fits(m[s.i][s.j]))
                    return Outcome::Overflow;
            }
        }
    }
    for (s.i = 1; s.i <= n; ++s.i) {
        s.det = s.det * m[s.i][s.i];
        if (!fits(s.det))
            return Outcome::Overflow;
    }
    return Outcome::Ok;
}

Outcome forwardStep(SolverState &s, qint16 k, RowOps *ops)
{
    const qint16 n = s.n;
    Matrix &a = s.a;
    s.k = k;
    s.vodesht = a[k][k];
    s.p = k;
    while (s.vodesht == 0) {
        // Rounding can defeat the determinant test; never look beyond row n.
        if (s.p + 1 > n)
            return Outcome::NoPivot;
        for (s.j = k; s.j <= n + 1; ++s.j)
            std::swap(a[k][s.j], a[s.p + 1][s.j]);
        record(ops, RowOp::Exchange, k, qint16(s.p + 1), 0);
        s.vodesht = a[k][k];
        if (s.vodesht == 0)
            ++s.p;
    }
    for (s.j = k; s.j <= n + 1; ++s.j)
        if (!store(a[k][s.j], double(a[k][s.j]) / double(s.vodesht)))
            return Outcome::Overflow;
    record(ops, RowOp::Divide, k, k, s.vodesht);
    for (s.i = k + 1; s.i <= n; ++s.i) {
        s.mnojitel = a[s.i][k];
        for (s.j = k; s.j <= n + 1; ++s.j)
            if (!store(a[s.i][s.j], -double(s.mnojitel) * double(a[k][s.j]) + double(a[s.i][s.j])))
                return Outcome::Overflow;
        record(ops, RowOp::Eliminate, s.i, k, s.mnojitel);
    }
    return Outcome::Ok;
}

Outcome backwardStep(SolverState &s, qint16 k, RowOps *ops)
{
    const qint16 n = s.n;
    Matrix &a = s.a;
    s.k = k;
    for (s.i = k - 1; s.i >= 1; --s.i) {
        s.vodesht = a[s.i][k];
        for (s.j = n + 1; s.j >= k; --s.j)
            if (!store(a[s.i][s.j], -double(s.vodesht) * double(a[k][s.j]) + double(a[s.i][s.j])))
                return Outcome::Overflow;
        record(ops, RowOp::Eliminate, s.i, k, s.vodesht);
    }
    return Outcome::Ok;
}

Outcome solution(SolverState &s)
{
    const qint16 n = s.n;
    for (s.i = 1; s.i <= n; ++s.i) {
        const float value = s.a[s.i][n + 1] / s.a[s.i][s.i];
        if (!fits(value))
            return Outcome::Overflow;
        s.x[s.i] = roundTo3(value);
    }
    return Outcome::Ok;
}

SolveEnd solve(SolverState &s, const std::function<bool()> &read,
               const std::function<void(const Step &)> &afterStep)
{
    if (!read())
        return {SolveResult::BadCell, 0};
    if (determinanta(s, s.adet) != Outcome::Ok)
        return {SolveResult::Overflow, 0};
    if (s.det == 0)
        return {SolveResult::Refused, 0};
    Step step;
    auto ended = [&](Outcome outcome) -> SolveEnd {
        return {outcome == Outcome::NoPivot ? SolveResult::Refused : SolveResult::Overflow,
                step.nomer + 1};
    };
    auto done = [&]() {
        ++step.nomer;
        if (afterStep)
            afterStep(step);
    };
    for (qint16 k = 1; k <= s.n; ++k) {
        step.ops.clear();
        if (const Outcome outcome = forwardStep(s, k, &step.ops); outcome != Outcome::Ok)
            return ended(outcome);
        done();
    }
    step.forward = false;
    for (qint16 k = s.n; k >= 2; --k) {
        step.ops.clear();
        if (const Outcome outcome = backwardStep(s, k, &step.ops); outcome != Outcome::Ok)
            return ended(outcome);
        done();
    }
    if (solution(s) != Outcome::Ok)
        return {SolveResult::Overflow, 2 * s.n};
    return {SolveResult::Solved, 0};
}

} // namespace gauss
