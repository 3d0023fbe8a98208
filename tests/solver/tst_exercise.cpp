// Exercises and worksheets without a window: every kind and size true and
// clean over many seeds, the same seed the same numbers, and bad choices.

#include "exercise.h"

#include <QTest>

using gauss::ExerciseKind;

Q_DECLARE_METATYPE(gauss::ExerciseKind)
Q_DECLARE_METATYPE(gauss::WorksheetCheck::Problem)

class TestExercise : public QObject
{
    Q_OBJECT

private slots:
    void everyKindAndSize_data();
    void everyKindAndSize();
    void sameSeed();
    void badChoices_data();
    void badChoices();
};

void TestExercise::everyKindAndSize_data()
{
    QTest::addColumn<ExerciseKind>("kind");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("highest");
    for (int size = gauss::MinEquations; size <= gauss::MaxEquations; ++size)
        for (const auto &[kind, name] : {std::pair{ExerciseKind::One, "one"},
                                         {ExerciseKind::None, "none"},
                                         {ExerciseKind::Many, "many"}})
            QTest::addRow("%s, %d", name, size) << kind << size << (size > 5 ? -5 : -10) << 10;
    QTest::newRow("narrowest, 9") << ExerciseKind::One << 9 << -4 << 4;
}

// Checked by a working of its own, not the maker's.
void TestExercise::everyKindAndSize()
{
    QFETCH(ExerciseKind, kind);
    QFETCH(int, size);
    QFETCH(int, lowest);
    QFETCH(int, highest);
    const gauss::ExerciseChoice choice{kind, size, lowest, highest};
    std::vector<int> last;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        gauss::ExerciseMaker maker(seed);
        const std::optional<gauss::Exercise> made = maker.make(choice, {last});
        QVERIFY2(made, qPrintable(QString::number(seed)));
        QVERIFY(made->answers != last);
        last = made->answers;
        const gauss::SolveRecord working = gauss::solveExactly(made->system, size, size);
        QVERIFY(gauss::isClean(*made, working));
        QVERIFY(gauss::isTrue(*made, working));
        for (int value : made->answers)
            QVERIFY(value >= lowest && value <= highest);
        for (const gauss::RecordStep &step : working.steps)
            for (const gauss::RowOp &op : step.step.ops)
                QVERIFY(op.kind != gauss::RowOp::Exchange);
    }
}

// The engine's numbers are the standard's own; the mapping is the maker's.
void TestExercise::sameSeed()
{
    gauss::ExerciseMaker maker(5489);
    QList<int> drawn;
    for (int i = 0; i < 6; ++i)
        drawn << maker.between(-3, 3);
    // mt19937 from 5489 begins 3499211612, 581869302, 3890346734, ...
    QCOMPARE(drawn, (QList<int>{-2, -3, -2, -2, -1, 3}));

    gauss::WorksheetChoice choice;
    choice.problems = 5;
    choice.sizes = {2, 4};
    choice.kinds = {ExerciseKind::One, ExerciseKind::Many};
    choice.variants = 2;
    choice.seed = 77;
    const std::optional<gauss::Worksheet> one = gauss::makeWorksheet(choice);
    const std::optional<gauss::Worksheet> two = gauss::makeWorksheet(choice);
    QVERIFY(one && two);
    std::set<std::vector<int>> answers;
    for (int v = 0; v < 2; ++v)
        for (int p = 0; p < 5; ++p) {
            const gauss::Exercise &a = one->variants[v][p];
            const gauss::Exercise &b = two->variants[v][p];
            QCOMPARE(a.choice.size, p % 2 ? 4 : 2);
            QCOMPARE(a.choice.kind, p / 2 % 2 ? ExerciseKind::Many : ExerciseKind::One);
            QVERIFY(a.answers == b.answers);
            for (int r = 1; r <= a.choice.size; ++r)
                for (int c = 1; c <= a.choice.size + 1; ++c)
                    QVERIFY(a.system[r][c] == b.system[r][c]);
            answers.insert(a.answers);
        }
    QCOMPARE(answers.size(), std::size_t(10));
}

void TestExercise::badChoices_data()
{
    using P = gauss::WorksheetCheck;
    QTest::addColumn<int>("problems");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("highest");
    QTest::addColumn<P::Problem>("problem");
    QTest::addColumn<int>("choiceProblem");
    QTest::newRow("fine") << 4 << 3 << -5 << 5 << P::None << 0;
    QTest::newRow("no problems") << 0 << 3 << -5 << 5 << P::NoProblems << 0;
    QTest::newRow("size outside") << 4 << 10 << -5 << 5 << P::Choice << 1;
    QTest::newRow("range outside") << 4 << 3 << -11 << 5 << P::Choice << 2;
    QTest::newRow("range reversed") << 4 << 3 << 5 << -5 << P::Choice << 3;
    QTest::newRow("too narrow") << 4 << 4 << 1 << 3 << P::Choice << 4;
    // 3 numbers for 3 distinct answers: 3! = 6 exercises, 2 variants of 4 wanted.
    QTest::newRow("too many") << 4 << 3 << 1 << 3 << P::TooMany << 0;
    QTest::newRow("just enough") << 3 << 3 << 1 << 3 << P::None << 0;
}

void TestExercise::badChoices()
{
    QFETCH(int, problems);
    QFETCH(int, size);
    QFETCH(int, lowest);
    QFETCH(int, highest);
    QFETCH(gauss::WorksheetCheck::Problem, problem);
    QFETCH(int, choiceProblem);
    gauss::WorksheetChoice choice;
    choice.problems = problems;
    choice.sizes = {size};
    choice.lowest = lowest;
    choice.highest = highest;
    choice.variants = 2;
    const gauss::WorksheetCheck found = gauss::check(choice);
    QCOMPARE(found.problem, problem);
    QCOMPARE(int(found.choice), choiceProblem);
    QCOMPARE(bool(gauss::makeWorksheet(choice)), problem == gauss::WorksheetCheck::None);
    if (problem == gauss::WorksheetCheck::TooMany)
        QCOMPARE(found.distinct, 6LL);
}

QTEST_GUILESS_MAIN(TestExercise)
#include "tst_exercise.moc"
