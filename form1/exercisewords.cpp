#include "exercisewords.h"

#include "exactwords.h"
#include "numbertext.h"
#include "rownotation.h"
#include "sharedtexts.h"

#include <algorithm>

namespace ExerciseWords
{

namespace
{

QString signed_(const mpq_class &value)
{
    return gauss::fractionText(value).replace(u'-', Minus);
}

Working::Block block(const gauss::ExactMatrix &m, int rows, int columns)
{
    Working::Block texts;
    for (int r = 1; r <= rows; ++r) {
        QStringList row;
        for (int c = 1; c <= columns; ++c)
            row << gauss::fractionText(m[r][c]);
        texts << row;
    }
    return texts;
}

} // namespace

QString kindName(gauss::ExerciseKind kind)
{
    switch (kind) {
    case gauss::ExerciseKind::One:
        return QStringLiteral("едно решение");
    case gauss::ExerciseKind::None:
        return QStringLiteral("няма решение");
    case gauss::ExerciseKind::Many:
        break;
    }
    return QStringLiteral("безброй решения");
}

QString kindKey(gauss::ExerciseKind kind)
{
    switch (kind) {
    case gauss::ExerciseKind::One:
        return QStringLiteral("one");
    case gauss::ExerciseKind::None:
        return QStringLiteral("none");
    case gauss::ExerciseKind::Many:
        break;
    }
    return QStringLiteral("many");
}

QList<QStringList> terms(const gauss::Exercise &exercise)
{
    const int n = exercise.choice.size;
    QList<QStringList> rows;
    for (int r = 1; r <= n; ++r) {
        QStringList row;
        bool first = true;
        for (int c = 1; c <= n; ++c) {
            const mpq_class &a = exercise.system[r][c];
            const QString size = abs(a) == 1 ? QString() : gauss::fractionText(abs(a));
            const QString sign = a < 0 ? QString(Minus) : QStringLiteral("+");
            row << (a == 0  ? QString()
                    : first ? (a < 0 ? sign : QString()) + size + QStringLiteral("x%1").arg(c)
                            : sign + u' ' + size + QStringLiteral("x%1").arg(c));
            first = first && a == 0;
        }
        rows << (row << signed_(exercise.system[r][n + 1]));
    }
    return rows;
}

QStringList equations(const gauss::Exercise &exercise)
{
    QStringList lines;
    for (QStringList row : terms(exercise)) {
        const QString right = row.takeLast();
        row.removeAll(QString());
        lines << row.join(u' ') + QStringLiteral(" = ") + right;
    }
    return lines;
}

QString key(const gauss::Exercise &exercise)
{
    const int n = exercise.choice.size;
    switch (exercise.choice.kind) {
    case gauss::ExerciseKind::One: {
        QStringList values;
        for (int c = 1; c <= n; ++c)
            values << QStringLiteral("x%1 = %2").arg(c).arg(signed_(exercise.answers[c - 1]));
        return values.join(QStringLiteral("; "));
    }
    case gauss::ExerciseKind::None:
        return kindName(exercise.choice.kind);
    case gauss::ExerciseKind::Many:
        break;
    }
    const gauss::SolveRecord working = gauss::solveExactly(exercise.system, n, n);
    const QStringList values = valueWords(working.verdict.ranks, n);
    QStringList free;
    QStringList bound;
    for (int c = 1; c <= n; ++c) {
        const int f =
            std::count(working.verdict.ranks.free.begin(), working.verdict.ranks.free.end(), c);
        (f ? free : bound) << (f ? QStringLiteral("x%1 — %2") : QStringLiteral("x%1 = %2"))
                                  .arg(c)
                                  .arg(values[c - 1]);
    }
    QString text =
        kindName(exercise.choice.kind) + QStringLiteral(": ") + (free + bound).join("; ");
    return text.replace(u'-', Minus);
}

Working workingOf(const gauss::SolveRecord &record)
{
    const int columns = record.unknowns + 1;
    const NumberFormat fractions(NumberFormat::Fractions);
    Working working;
    working.setView(NumberFormat::Fractions);
    working.setSystem(block(record.system, record.rows, columns));
    for (const gauss::RecordStep &made : record.steps)
        working.addStep(texts::stepPrompt(made.step.forward, made.step.nomer),
                        made.step.freeColumn ? QStringList{texts::freeColumn(made.step.freeColumn)}
                                             : RowNotation::lines(made.step.ops, fractions),
                        block(made.exact, record.rows, columns));
    working.addReport(verdictWords(record.verdict, record.unknowns));
    if (record.verdict.kind != gauss::Verdict::One)
        return working;
    QStringList names;
    QStringList values;
    for (int c = 1; c <= record.unknowns; ++c) {
        names << texts::unknownName(c);
        values << gauss::fractionText(record.verdict.x[std::size_t(c)]);
    }
    working.setSolution(names, values, QStringList(values.size(), QString()));
    return working;
}

QString problemWords(gauss::ChoiceProblem problem, const gauss::ExerciseChoice &choice)
{
    switch (problem) {
    case gauss::ChoiceProblem::None:
        return QString();
    case gauss::ChoiceProblem::SizeOutside:
        return QStringLiteral("Системата може да има от %1 до %2 уравнения, а не %3.")
            .arg(gauss::MinEquations)
            .arg(gauss::MaxEquations)
            .arg(choice.size);
    case gauss::ChoiceProblem::RangeOutside:
        return QStringLiteral("Отговорите може да са цели числа от %1 до %2, а не от %3 до %4.")
            .arg(-gauss::MaxAnswer)
            .arg(gauss::MaxAnswer)
            .arg(choice.lowest)
            .arg(choice.highest);
    case gauss::ChoiceProblem::RangeReversed:
        return QStringLiteral("Началото на интервала на отговорите (%1) е след края му (%2).")
            .arg(choice.lowest)
            .arg(choice.highest);
    case gauss::ChoiceProblem::RangeTooNarrow:
        break;
    }
    return QStringLiteral("Интервалът от %1 до %2 е твърде тесен за %3 неизвестни: отговорите "
                          "на една задача са различни, затова са нужни поне %3 цели числа, а в "
                          "него има %4.")
        .arg(choice.lowest)
        .arg(choice.highest)
        .arg(choice.size)
        .arg(choice.highest - choice.lowest + 1);
}

QString problemWords(const gauss::WorksheetCheck &check)
{
    switch (check.problem) {
    case gauss::WorksheetCheck::None:
        return QString();
    case gauss::WorksheetCheck::NoProblems:
        return QStringLiteral("Работният лист може да има от 1 до %1 задачи.")
            .arg(gauss::MaxProblems);
    case gauss::WorksheetCheck::NoSize:
        return QStringLiteral("Не е избран брой уравнения.");
    case gauss::WorksheetCheck::NoKind:
        return QStringLiteral("Не е избран вид задачи.");
    case gauss::WorksheetCheck::Variants:
        return QStringLiteral("Работният лист може да има един или два варианта.");
    case gauss::WorksheetCheck::Choice:
        return problemWords(check.choice, check.of);
    case gauss::WorksheetCheck::TooMany:
        break;
    }
    return QStringLiteral("Задачите с %1 уравнения и %2 с отговори от %3 до %4 са най-много %5 "
                          "различни, а работният лист иска %6. Изберете по-широк интервал или "
                          "по-малко задачи.")
        .arg(check.of.size)
        .arg(kindName(check.of.kind))
        .arg(check.of.lowest)
        .arg(check.of.highest)
        .arg(check.distinct)
        .arg(check.wanted);
}

QString notMade()
{
    return QStringLiteral("Не се получи задача с малки числа за този избор. Опитайте отново или "
                          "изберете по-широк интервал.");
}

} // namespace ExerciseWords
