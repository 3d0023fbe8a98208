#include "exercise.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <numeric>

namespace gauss
{

namespace
{

// Rows 0..n of columns 0..n + 1, index 0 unused, as the working counts them.
using Cells = std::vector<std::vector<long long>>;

// Tries of one set of answers, and of all, before a choice is given up.
constexpr int TriesPerAnswers = 50;
constexpr int Tries = 4000;
constexpr long long Cap = 1000000;

int rankOf(const ExerciseChoice &choice)
{
    return choice.kind == ExerciseKind::One ? choice.size : choice.size - 1;
}

void addRow(Cells &e, int to, long long times, int from)
{
    for (std::size_t c = 1; c < e[std::size_t(to)].size(); ++c)
        e[std::size_t(to)][c] += times * e[std::size_t(from)][c];
}

bool small(const Cells &e, int n)
{
    for (int r = 1; r <= n; ++r) {
        int unknowns = 0;
        for (int c = 1; c <= n; ++c) {
            const long long v = e[std::size_t(r)][std::size_t(c)];
            if (std::llabs(v) > MaxCoefficient)
                return false;
            unknowns += v != 0;
        }
        // An equation of one unknown gives its value away.
        if (unknowns < 2 || std::llabs(e[std::size_t(r)][std::size_t(n) + 1]) > MaxRightHand)
            return false;
    }
    return true;
}

// An equation that is another's multiple gives nothing to work on. Of two
// equations in two unknowns the singular kinds need one, but not the same
// equation again, or its negative.
bool repeats(const Cells &e, int n)
{
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) {
            const auto &a = e[std::size_t(i)];
            const auto &b = e[std::size_t(j)];
            bool multiple = true;
            bool same = true;
            bool negative = true;
            for (std::size_t c = 1; c < a.size(); ++c) {
                same = same && a[c] == b[c];
                negative = negative && a[c] == -b[c];
                for (std::size_t d = c + 1; d < a.size() && multiple; ++d)
                    multiple = a[c] * b[d] == a[d] * b[c];
            }
            if (n > 2 ? multiple : same || negative)
                return true;
        }
    return false;
}

bool cleanNumber(const mpq_class &v)
{
    return cmp(v.get_den(), MaxDenominator) <= 0 && cmp(abs(v), MaxWorkingValue) <= 0;
}

} // namespace

ChoiceProblem check(const ExerciseChoice &choice)
{
    if (choice.size < MinEquations || choice.size > MaxEquations)
        return ChoiceProblem::SizeOutside;
    if (std::abs(choice.lowest) > MaxAnswer || std::abs(choice.highest) > MaxAnswer)
        return ChoiceProblem::RangeOutside;
    if (choice.lowest > choice.highest)
        return ChoiceProblem::RangeReversed;
    if (choice.highest - choice.lowest + 1 < choice.size)
        return ChoiceProblem::RangeTooNarrow;
    return ChoiceProblem::None;
}

long long distinctExercises(const ExerciseChoice &choice)
{
    const long long values = choice.highest - choice.lowest + 1;
    long long count = 1;
    for (int k = 0; k < rankOf(choice); ++k) {
        count *= std::max(0LL, values - k);
        if (count >= Cap)
            return Cap;
    }
    return count;
}

bool isClean(const Exercise &exercise, const SolveRecord &working)
{
    const int n = exercise.choice.size;
    for (int r = 1; r <= n; ++r) {
        bool unknown = false;
        for (int c = 1; c <= n + 1; ++c) {
            const mpq_class &v = exercise.system[r][c];
            const int bound = c <= n ? MaxCoefficient : MaxRightHand;
            if (v.get_den() != 1 || cmp(abs(v), bound) > 0)
                return false;
            unknown = unknown || (c <= n && v != 0);
        }
        if (!unknown)
            return false;
    }
    for (const RecordStep &step : working.steps)
        for (int r = 1; r <= n; ++r)
            for (int c = 1; c <= n + 1; ++c)
                if (!cleanNumber(step.exact[r][c]))
                    return false;
    return true;
}

bool isTrue(const Exercise &exercise, const SolveRecord &working)
{
    const Verdict &v = working.verdict;
    const std::vector<int> &answers = exercise.answers;
    switch (exercise.choice.kind) {
    case ExerciseKind::One:
        if (v.kind != Verdict::One || v.x.size() != answers.size() + 1)
            return false;
        for (std::size_t i = 0; i < answers.size(); ++i)
            if (v.x[i + 1] != answers[i])
                return false;
        return true;
    case ExerciseKind::None:
        return v.kind == Verdict::None && v.ranks.coefficientRank == rankOf(exercise.choice);
    case ExerciseKind::Many:
        break;
    }
    if (v.kind != Verdict::Many || v.ranks.bound.size() != answers.size())
        return false;
    for (std::size_t i = 0; i < answers.size(); ++i)
        if (v.ranks.bound[i].constant != answers[i])
            return false;
    return true;
}

int ExerciseMaker::between(int low, int high)
{
    const std::uint64_t range = std::uint64_t(std::int64_t(high) - low + 1);
    const std::uint64_t numbers = std::uint64_t(std::mt19937::max()) + 1;
    const std::uint64_t limit = numbers - numbers % range; // beyond it, the last draw is short
    std::uint64_t drawn = 0;
    do
        drawn = engine();
    while (drawn >= limit);
    return int(std::int64_t(low) + std::int64_t(drawn % range));
}

std::vector<int> ExerciseMaker::drawAnswers(const ExerciseChoice &choice, int count,
                                            const std::set<std::vector<int>> &avoid)
{
    if (std::size_t(distinctExercises(choice)) <= avoid.size())
        return {};
    std::vector<int> values(std::size_t(choice.highest - choice.lowest + 1));
    std::iota(values.begin(), values.end(), choice.lowest);
    for (int tries = 0; tries < 100000; ++tries) {
        // The first count places of a shuffle, drawn one by one.
        for (int k = 0; k < count; ++k)
            std::swap(values[std::size_t(k)],
                      values[std::size_t(between(k, int(values.size()) - 1))]);
        std::vector<int> answers(values.begin(), values.begin() + count);
        if (avoid.count(answers) == 0)
            return answers;
    }
    return {};
}

std::optional<Exercise> ExerciseMaker::make(const ExerciseChoice &choice,
                                            const std::set<std::vector<int>> &avoid)
{
    if (check(choice) != ChoiceProblem::None)
        return std::nullopt;
    std::vector<int> answers;
    for (int tries = 0; tries < Tries; ++tries) {
        if (tries % TriesPerAnswers == 0)
            answers = drawAnswers(choice, rankOf(choice), avoid);
        if (answers.empty())
            return std::nullopt;
        if (std::optional<Exercise> made = build(choice, answers))
            return made;
    }
    return std::nullopt;
}

// From the reduced form up, by the row operations a teacher makes: each pivot
// row multiplied by a small whole number and given multiples of the pivot
// rows below it, then each row given multiples of the rows above it. Every
// operation can be undone, so the system keeps the reduced form's solutions;
// the elimination undoes them without exchanging a row.
std::optional<Exercise> ExerciseMaker::build(const ExerciseChoice &choice,
                                             const std::vector<int> &answers)
{
    const int n = choice.size;
    const int rank = rankOf(choice);
    Cells e(std::size_t(n) + 1, std::vector<long long>(std::size_t(n) + 2, 0));
    const int free = rank == n ? 0 : between(2, n);
    for (int k = 1, c = 1; k <= rank; ++k, ++c) {
        c += c == free;
        e[std::size_t(k)][std::size_t(c)] = 1;
        e[std::size_t(k)][std::size_t(n) + 1] = answers[std::size_t(k) - 1];
        if (free > c) // the last pivot row before the free column always has it
            e[std::size_t(k)][std::size_t(free)] =
                c == free - 1 ? (chance(1, 2) ? 1 : -1) * between(1, 2) : between(-2, 2);
    }
    if (choice.kind == ExerciseKind::None)
        e[std::size_t(n)][std::size_t(n) + 1] = (chance(1, 2) ? 1 : -1) * between(1, 3);
    // Fewer operations the more rows there are, so that the cells stay small.
    const int percent = n <= 3 ? 70 : n <= 5 ? 45 : 25;
    auto multiple = [this] { return (chance(1, 2) ? 1 : -1) * between(1, 2); };
    for (int i = 1; i <= rank; ++i) {
        const int pivot = (chance(1, 4) ? -1 : 1) * (chance(1, 5) ? 2 : 1);
        for (std::size_t c = 1; c < e[std::size_t(i)].size(); ++c)
            e[std::size_t(i)][c] *= pivot;
        for (int j = i + 1; j <= rank; ++j)
            if (chance(percent, 100))
                addRow(e, i, multiple(), j);
    }
    for (int i = n; i >= 2; --i) {
        int added = 0;
        for (int j = 1; j < i; ++j)
            if (chance(percent, 100) || (i > rank && j >= i - 2 && added < 2)) {
                addRow(e, i, multiple(), j);
                ++added;
            }
    }
    if (!small(e, n) || repeats(e, n))
        return std::nullopt;
    Exercise made{choice, {}, answers};
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n + 1; ++c)
            made.system[r][c] = long(e[std::size_t(r)][std::size_t(c)]);
    const SolveRecord working = solveExactly(made.system, n, n);
    if (!isClean(made, working) || !isTrue(made, working))
        return std::nullopt;
    return made;
}

WorksheetCheck check(const WorksheetChoice &choice)
{
    WorksheetCheck result;
    if (choice.problems < 1 || choice.problems > MaxProblems)
        result.problem = WorksheetCheck::NoProblems;
    else if (choice.sizes.empty())
        result.problem = WorksheetCheck::NoSize;
    else if (choice.kinds.empty())
        result.problem = WorksheetCheck::NoKind;
    else if (choice.variants < 1 || choice.variants > 2)
        result.problem = WorksheetCheck::Variants;
    if (result.problem != WorksheetCheck::None)
        return result;
    // How many problems of each size and kind the variants hold together.
    std::map<std::pair<int, ExerciseKind>, int> wanted;
    const std::size_t sizes = choice.sizes.size();
    for (int i = 0; i < choice.problems; ++i)
        wanted[{choice.sizes[std::size_t(i) % sizes],
                choice.kinds[(std::size_t(i) / sizes) % choice.kinds.size()]}] += choice.variants;
    for (const auto &[what, count] : wanted) {
        const ExerciseChoice of{what.second, what.first, choice.lowest, choice.highest};
        result.of = of;
        result.choice = check(of);
        if (result.choice != ChoiceProblem::None) {
            result.problem = WorksheetCheck::Choice;
            return result;
        }
        result.distinct = distinctExercises(of);
        if (count > result.distinct) {
            result.problem = WorksheetCheck::TooMany;
            result.wanted = count;
            return result;
        }
    }
    return WorksheetCheck();
}

// Problem i has size i of the sizes, round and round, and each kind in turn
// takes a round of sizes: every size meets every kind.
std::optional<Worksheet> makeWorksheet(const WorksheetChoice &choice)
{
    if (check(choice).problem != WorksheetCheck::None)
        return std::nullopt;
    ExerciseMaker maker(choice.seed);
    std::map<std::pair<int, ExerciseKind>, std::set<std::vector<int>>> used;
    Worksheet sheet{choice, {}};
    const std::size_t sizes = choice.sizes.size();
    for (int v = 0; v < choice.variants; ++v) {
        sheet.variants.emplace_back();
        for (int i = 0; i < choice.problems; ++i) {
            const int size = choice.sizes[std::size_t(i) % sizes];
            const ExerciseKind kind = choice.kinds[(std::size_t(i) / sizes) % choice.kinds.size()];
            std::set<std::vector<int>> &avoid = used[{size, kind}];
            std::optional<Exercise> made =
                maker.make({kind, size, choice.lowest, choice.highest}, avoid);
            if (!made)
                return std::nullopt;
            avoid.insert(made->answers);
            sheet.variants.back().push_back(*made);
        }
    }
    return sheet;
}

} // namespace gauss
