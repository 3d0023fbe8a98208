#include "parameterplayer.h"

#include "determinantcheck.h"
#include "numbertext.h"
#include "parametertext.h"
#include "parameterwords.h"
#include "sharedtexts.h"
#include "solutionarea.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>

namespace
{

QString unreadable(gauss::ParameterError why, QChar letter)
{
    switch (why) {
    case gauss::ParameterError::TwoLetters:
        return QStringLiteral("системата може да има само един параметър, а тук има буква, "
                              "различна от %1.")
            .arg(letter);
    case gauss::ParameterError::DivisionByExpression:
        return QStringLiteral("делителят съдържа параметъра; делете само на число.");
    case gauss::ParameterError::PowerTooLarge:
        return QStringLiteral("степента е твърде висока; най-високата е %1.")
            .arg(gauss::MaxParameterPower);
    default:
        return QStringLiteral("няма число или израз с параметър. Изразите се пишат така: 2a; "
                              "a^2 - 1; (a - 1)(a + 2); (a + 1)/2.");
    }
}

} // namespace

// A cell that reads as an expression in a letter makes the system one with a
// parameter; a text that reads as neither is a bad number, as before.
bool ParameterPlayer::hasParameter(int rows, int unknowns) const
{
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= unknowns + 1; ++c) {
            QChar letter;
            gauss::Polynomial p;
            if (gauss::readPolynomial(window.text(r, c), letter, p) ==
                    gauss::ParameterError::None &&
                !letter.isNull())
                return true;
        }
    return false;
}

bool ParameterPlayer::read(int rows, int unknowns, gauss::ParametricSystem &system)
{
    system = {rows, unknowns, QChar(), {}};
    for (int r = 1; r <= rows; ++r) {
        std::vector<gauss::Polynomial> line;
        for (int c = 1; c <= unknowns + 1; ++c) {
            gauss::Polynomial p;
            const gauss::ParameterError why =
                gauss::readPolynomial(window.text(r, c), system.letter, p);
            if (why != gauss::ParameterError::None) {
                GridMessageBox::error(window.widget, QStringLiteral("В клетката на %1 %2")
                                                         .arg(texts::cellPlace(r, c),
                                                              unreadable(why, system.letter)));
                window.badCell(r, c);
                return false;
            }
            line.push_back(p);
        }
        system.a.push_back(line);
    }
    return true;
}

// The analysis runs beside the window's thread. The window waits a tenth of
// a second for it; past that a progress box says so, offers to stop it and,
// being modal, keeps a second solve from starting under it.
bool ParameterPlayer::analyse(const gauss::ParametricSystem &system)
{
    std::atomic<bool> cancel{false};
    gauss::ParameterAnalysis made;
    QThread *worker = QThread::create([&] { made = gauss::analyseParameter(system, &cancel); });
    worker->start();
    if (!worker->wait(QDeadlineTimer(100))) {
        QProgressDialog progress(QStringLiteral("Изследвам системата по случаи…"),
                                 QStringLiteral("Отказ"), 0, 0, window.widget);
        progress.setWindowModality(Qt::ApplicationModal);
        progress.setMinimumDuration(0);
        QObject::connect(&progress, &QProgressDialog::canceled, [&cancel] { cancel = true; });
        QEventLoop loop;
        QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
        progress.show();
        if (!worker->isFinished())
            loop.exec();
    }
    worker->wait();
    delete worker;
    last = std::move(made);
    if (last.status == gauss::ParameterAnalysis::TooLarge)
        GridMessageBox::error(
            window.widget, QStringLiteral("Изразите в параметъра растат твърде много: степен над "
                                          "%1 или коефициенти над %2 двоични цифри. Програмата "
                                          "не изследва такава система.")
                               .arg(gauss::MaxAnalysisDegree)
                               .arg(gauss::MaxAnalysisBits));
    return last.status == gauss::ParameterAnalysis::Done;
}

bool ParameterPlayer::play(int rows, int unknowns)
{
    gauss::ParametricSystem system;
    if (!read(rows, unknowns, system) || !analyse(system))
        return false;
    presenter.read(typedBlock(rows, unknowns));
    playSteps();
    tell();
    return !last.steps.empty();
}

const gauss::ParameterAnalysis *ParameterPlayer::forPractice(int rows, int unknowns)
{
    gauss::ParametricSystem system;
    return read(rows, unknowns, system) && analyse(system) ? &last : nullptr;
}

Working::Block ParameterPlayer::typedBlock(int rows, int unknowns) const
{
    Working::Block typed;
    for (int r = 1; r <= rows; ++r) {
        typed << QStringList();
        for (int c = 1; c <= unknowns + 1; ++c)
            typed.last() << window.text(r, c);
    }
    return typed;
}

void ParameterPlayer::showBlock(const Working::Block &block)
{
    for (int r = 0; r < block.size(); ++r)
        for (int c = 0; c < block[r].size(); ++c)
            window.show(r + 1, c + 1, block[r][c]);
}

void ParameterPlayer::cramer(int rows, int unknowns)
{
    gauss::ParametricSystem system;
    if (!readSquare(rows, unknowns, system, QStringLiteral("Правилото на Крамер")) ||
        !analyse(system))
        return;
    const Working::Block typed = typedBlock(rows, unknowns);
    presenter.read(typed);
    std::vector<gauss::RationalFunction> d;
    for (int i = 0; i <= rows; ++i) {
        d.push_back(gauss::parametricDeterminant(system, i));
        Working::Block shown = typed;
        for (int r = 0; r < rows; ++r) {
            if (i > 0)
                shown[r][i - 1] = typed[r][unknowns];
            shown[r][unknowns].clear();
        }
        showBlock(shown);
        const QString name = i == 0 ? QStringLiteral("D") : QStringLiteral("D%1").arg(i);
        const QString what = i == 0
                                 ? QStringLiteral("детерминантата на коефициентите")
                                 : QStringLiteral("колона %1 е заменена с десните страни").arg(i);
        presenter.step(
            name + QStringLiteral(" = ") + ParameterWords::factored(d.back(), system.letter),
            {QStringList{what}, QStringList{what}}, {shown, shown}, texts::cramerTitle());
    }
    showBlock(typed);
    QStringList lines{QStringLiteral("Правилото на Крамер с параметъра %1:").arg(system.letter)};
    lines << cramerEnd(d, window.view());
    presenter.verdict(lines, {});
}

bool ParameterPlayer::readSquare(int rows, int unknowns, gauss::ParametricSystem &system,
                                 const QString &rule)
{
    if (!read(rows, unknowns, system))
        return false;
    if (rows == unknowns)
        return true;
    GridMessageBox::error(window.widget, QStringLiteral("%1 се прилага за система с толкова "
                                                        "уравнения, колкото са неизвестните.")
                                             .arg(rule));
    return false;
}

void ParameterPlayer::determinant(int rows, int unknowns)
{
    gauss::ParametricSystem system;
    if (!readSquare(rows, unknowns, system, QStringLiteral("Детерминантата")))
        return;
    const QChar letter = system.letter;
    const gauss::RationalFunction d = gauss::parametricDeterminant(system);
    Working::Block shown = typedBlock(rows, unknowns);
    const Working::Block typed = shown;
    for (QStringList &row : shown)
        row.last().clear();
    presenter.read(typed);
    showBlock(shown);
    QStringList roots;
    for (const gauss::Polynomial &f : gauss::vanishingFactors(d.numerator()))
        roots << ParameterWords::condition(f, letter);
    const QString where = d.isZero() ? QStringLiteral("D = 0 при всяко %1.").arg(letter)
                          : roots.empty() ? QStringLiteral("D ≠ 0 при всяко %1.").arg(letter)
                                          : QStringLiteral("D = 0 при ") +
                                                roots.join(QStringLiteral("; при ")) + u'.';
    presenter.step(QStringLiteral("D = ") + ParameterWords::factored(d, letter),
                   {QStringList{where}, QStringList{where}}, {shown, shown},
                   texts::determinantTitle());
    showBlock(typed);
}

void ParameterPlayer::checkDeterminant(int rows, int unknowns)
{
    gauss::ParametricSystem system;
    if (readSquare(rows, unknowns, system, QStringLiteral("Детерминантата")))
        DeterminantCheckDialog::askParametric(window.widget, gauss::parametricDeterminant(system),
                                              system.letter, NumberFormat(window.view()));
}

// "при a ≠ -2 и a ≠ 2: D ≠ 0, x1 = D1/D = …", then each root of D with the Di there.
QStringList ParameterPlayer::cramerEnd(const std::vector<gauss::RationalFunction> &d,
                                       NumberFormat::View view) const
{
    const QChar letter = last.system.letter;
    QStringList lines;
    if (d[0].isZero()) {
        lines << QStringLiteral("D = 0 при всяко %1: правилото на Крамер не решава системата; "
                                "изследването ѝ е в „Реши“.")
                     .arg(letter);
        return lines;
    }
    QStringList quotients;
    for (std::size_t i = 1; i < d.size(); ++i)
        quotients << QStringLiteral("x%1 = D%1/D = %2")
                         .arg(i)
                         .arg(ParameterWords::expression(d[i] / d[0], letter, view));
    lines << ParameterWords::generalCondition(last) + QStringLiteral(": D ≠ 0, ") +
                 quotients.join(QStringLiteral(", "));
    for (const gauss::ParameterCase &c : last.cases) {
        QStringList values{QStringLiteral("D = 0")};
        for (std::size_t i = 1; i < d.size(); ++i)
            values << QStringLiteral("D%1 = %2")
                          .arg(i)
                          .arg(ParameterWords::valueAt(d[i], c, letter, view));
        lines << QStringLiteral("при ") + ParameterWords::condition(c, letter) +
                     QStringLiteral(": ") + values.join(QStringLiteral(", ")) +
                     QStringLiteral("; ") + ParameterWords::caseVerdict(c, letter, view);
    }
    return lines;
}

void ParameterPlayer::playSteps()
{
    const QChar letter = last.system.letter;
    int nomer = 0;
    bool forward = true;
    for (const gauss::ParametricStep &step : last.steps) {
        if (step.forward != forward)
            nomer = 0;
        forward = step.forward;
        InBothViews<QStringList> lines;
        InBothViews<Working::Block> matrix;
        for (const NumberFormat::View view : {NumberFormat::Decimals, NumberFormat::Fractions}) {
            lines[view] = ParameterWords::stepLines(step, letter, view);
            matrix[view] = ParameterWords::matrix(step.matrix, letter, view);
        }
        showBlock(matrix[window.view()]);
        presenter.step(texts::stepPrompt(step.forward, ++nomer), lines, matrix);
    }
}

void ParameterPlayer::tell()
{
    const NumberFormat::View view = window.view();
    const QStringList values = ParameterWords::generalValues(last, view);
    if (values.isEmpty())
        solution.empty();
    else
        solution.writeExpressions(values);
    QStringList lines{QStringLiteral("Изследване на системата в зависимост от параметъра %1:")
                          .arg(last.system.letter)};
    lines << ParameterWords::analysis(last, view);
    if (!caseValues().isEmpty())
        lines << QStringLiteral("Ходът при всяка от стойностите: „Покажи хода при %1 = …“ в "
                                "менюто на таблицата (Ctrl+Shift+A).")
                     .arg(last.system.letter);
    presenter.verdict(lines, {});
}

QStringList ParameterPlayer::caseValues() const
{
    QStringList values;
    for (const gauss::ParameterCase &c : last.cases)
        if (c.rational())
            values << ParameterWords::condition(c, last.system.letter);
    return values;
}

QList<QStringList> ParameterPlayer::withValue(int index) const
{
    QList<QStringList> rows;
    int k = 0;
    for (const gauss::ParameterCase &c : last.cases) {
        if (!c.rational() || k++ != index)
            continue;
        gauss::ExactMatrix a;
        gauss::substitute(last.system, c.value(), a);
        for (int r = 1; r <= last.system.rows; ++r) {
            rows << QStringList();
            for (int col = 1; col <= last.system.unknowns + 1; ++col)
                rows.last() << gauss::withDecimalSign(gauss::fractionText(a[r][col]));
        }
    }
    return rows;
}
