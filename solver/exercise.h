#ifndef GAUSS_EXERCISE_H
#define GAUSS_EXERCISE_H

// Exercises made backwards from a clean reduced form, and worksheets of them:
// the same seed gives the same exercises on every machine, each checked exactly.

#include "record.h"

#include <cstdint>
#include <optional>
#include <random>
#include <set>
#include <vector>

namespace gauss
{

enum class ExerciseKind { One, None, Many };

struct ExerciseChoice {
    ExerciseKind kind = ExerciseKind::One;
    int size = 3;    // equations and unknowns
    int lowest = -5; // the whole-number answers lie in lowest..highest
    int highest = 5;
};

// What an exercise keeps small: its cells, and every number of its working.
constexpr int MaxAnswer = 10; // either end of the answers' range, at most, either sign
constexpr int MaxCoefficient = 9;
constexpr int MaxRightHand = 99;
constexpr int MaxDenominator = 4;
constexpr int MaxWorkingValue = 99; // in absolute value, also a fraction

// Why a choice cannot be made. The answers of one exercise differ from one
// another, so the range must hold at least as many whole numbers as the size.
enum class ChoiceProblem { None, SizeOutside, RangeOutside, RangeReversed, RangeTooNarrow };
ChoiceProblem check(const ExerciseChoice &choice);

// How many exercises of the choice differ in their answers: as many as the
// ordered draws of distinct answers (size of them for one solution, one fewer
// for the singular kinds, whose last equation depends on the others);
// capped at a million.
long long distinctExercises(const ExerciseChoice &choice);

struct Exercise {
    ExerciseChoice choice;
    ExactMatrix system; // whole numbers: rows 1..size, columns 1..size + 1
    // What the exercise was built from: x1..xn for one solution; for the
    // singular kinds the right-hand sides of the reduced form's pivot rows.
    std::vector<int> answers;
};

// Every cell a whole number within MaxCoefficient (MaxRightHand on the right),
// no equation without an unknown, and every number of the exact working a
// fraction with denominator at most MaxDenominator within MaxWorkingValue.
bool isClean(const Exercise &exercise, const SolveRecord &working);
// The working ends as the kind says, with the answers it was built from.
bool isTrue(const Exercise &exercise, const SolveRecord &working);

class ExerciseMaker
{
public:
    explicit ExerciseMaker(std::uint32_t seed) : engine(seed) {}

    // A new exercise of a choice that check() lets through, whose answers are
    // none of avoid; nothing where no clean one was found.
    std::optional<Exercise> make(const ExerciseChoice &choice,
                                 const std::set<std::vector<int>> &avoid = {});

    // low..high, each equally likely. The engine's own 32-bit numbers are
    // mapped here rather than by a standard distribution, whose results
    // differ between standard libraries.
    int between(int low, int high);
    bool chance(int in, int of) { return between(1, of) <= in; }

private:
    std::vector<int> drawAnswers(const ExerciseChoice &choice, int count,
                                 const std::set<std::vector<int>> &avoid);
    std::optional<Exercise> build(const ExerciseChoice &choice, const std::vector<int> &answers);

    std::mt19937 engine;
};

// A worksheet: problems of the sizes and kinds chosen, in one or two variants
// of equal sizes and kinds, no two problems alike.
struct WorksheetChoice {
    int problems = 4;
    std::vector<int> sizes{3};
    std::vector<ExerciseKind> kinds{ExerciseKind::One};
    int lowest = -5;
    int highest = 5;
    int variants = 1; // 1 or 2
    std::uint32_t seed = 1;
};

constexpr int MaxProblems = 30;

struct WorksheetCheck {
    enum Problem { None, NoProblems, NoSize, NoKind, Variants, Choice, TooMany };
    Problem problem = None;
    ChoiceProblem choice = ChoiceProblem::None; // for Choice
    ExerciseChoice of;                          // for Choice and TooMany: which
    int wanted = 0;                             // for TooMany: problems of that choice
    long long distinct = 0;                     // and how many it can make
};
WorksheetCheck check(const WorksheetChoice &choice);

struct Worksheet {
    WorksheetChoice choice;
    std::vector<std::vector<Exercise>> variants; // each of choice.problems exercises
};

// The worksheet of a choice that check() lets through; nothing where no
// clean exercise was found for one of its problems.
std::optional<Worksheet> makeWorksheet(const WorksheetChoice &choice);

} // namespace gauss

#endif
