#include "solvepresenter.h"

#include "exacttwin.h"
#include "exactwords.h"
#include "gridmenu.h"
#include "gridmessagebox.h"
#include "rownotation.h"
#include "sharedtexts.h"

#include <QLocale>
#include <limits>

namespace
{
const QString attention = QStringLiteral("ВНИМАНИЕ!:");
// The ends of single precision's range, as the reading takes them: the
// largest number a cell accepts, and the smallest that is not rounded to 0.
QString largestText()
{
    return gauss::withDecimalSign(QStringLiteral("3.4028235E+38"));
}
QString smallestText()
{
    return gauss::numberText(std::numeric_limits<float>::denorm_min());
}

// Why the seven-digit working stopped, naming the element and its value.
QString stopCause(const gauss::SolveEnd &end)
{
    const gauss::Where &at = end.where;
    switch (end.result) {
    case gauss::SolveResult::Overflow:
        return QStringLiteral("Числото в ред %1, колона %2 стана %3, а най-голямото число, което "
                              "стъпките пазят, е %4")
            .arg(at.row)
            .arg(at.column)
            .arg(gauss::decimalText(at.value), largestText());
    case gauss::SolveResult::Underflow:
        return QStringLiteral("Водещият елемент в колона %1 е %2: той е по-близо до нула от "
                              "най-малкото число, което стъпките пазят (%3), и се закръгля до 0")
            .arg(at.column)
            .arg(exactWords(at.value), smallestText());
    default:
        return QStringLiteral("Водещият елемент в колона %1 е %2, но със седем значещи цифри на "
                              "стъпка той стана 0")
            .arg(at.column)
            .arg(exactWords(at.value));
    }
}

} // namespace

SolvePresenter::SolvePresenter(QWidget *window, std::function<QRect()> block, Working &working)
    : window(window), block(std::move(block)), working(working)
{
}

void SolvePresenter::setView(NumberFormat::View view)
{
    format = NumberFormat(view);
    working.setView(view);
    if (open)
        GridMessageBox::retell(window, stepMessage(*open));
}

void SolvePresenter::read(const Working::Block &system)
{
    working.setSystem(system);
}

// The box is modal, so a screen reader cannot reach the grid while it is
// open; the box tells it what the grid shows, row by row, as its texts read.
// The decimal comma rules out commas between the numbers.
void SolvePresenter::step(const gauss::Step &step, const Numbers &shown)
{
    InBothViews<QStringList> lines;
    InBothViews<Working::Block> matrix;
    for (const NumberFormat::View view : {NumberFormat::Decimals, NumberFormat::Fractions}) {
        const NumberFormat in(view);
        lines[view] = step.freeColumn ? QStringList{texts::freeColumn(step.freeColumn)}
                                      : RowNotation::lines(step.ops, in);
        for (const QList<NumberFormat::Number> &numbers : shown) {
            QStringList row;
            for (const NumberFormat::Number &number : numbers)
                row << in.text(number);
            matrix[view] << row;
        }
    }
    this->step(texts::stepPrompt(step.forward, step.nomer), lines, matrix);
}

void SolvePresenter::step(const QString &prompt, const InBothViews<QStringList> &lines,
                          const InBothViews<Working::Block> &matrix, const QString &title)
{
    StepBox box{title.isEmpty() ? attention : title, prompt, lines, {}};
    for (const NumberFormat::View view : {NumberFormat::Decimals, NumberFormat::Fractions}) {
        QStringList spoken;
        for (const QStringList &row : matrix[view])
            spoken << QStringLiteral("ред %1: %2").arg(spoken.size() + 1).arg(row.join(u"; "));
        box.spoken[view] = spoken.join(u'\n');
    }
    working.addStep(box.prompt, box.lines, matrix);
    if (stepRecorded)
        stepRecorded();
    open = box;
    GridMessageBox::tell(window, stepMessage(box), block());
    open.reset();
}

GridMessageBox::Message SolvePresenter::stepMessage(const StepBox &box) const
{
    return {box.title, box.prompt, QMessageBox::Warning, box.lines[format.view()],
            box.spoken[format.view()]};
}

void SolvePresenter::refused(const QStringList &details)
{
    const QString first = QStringLiteral("системата или има безброй решения или няма решение!!!");
    const QString second = QStringLiteral("КОМПЮТЪРА НЕ РЕШАВА ТАКИВА СИСТЕМИ!!! бутон <ИЗЧИСТИ>");
    const QString hint = GridMenu::toTheEndHint();
    working.addReport(QStringList{first} << details << second << hint);
    message(first, MessageFlags::Ok, QStringLiteral("РЕШЕНИЕ:"), details);
    message(second, MessageFlags::Ok, QStringLiteral("РЕШЕНИЕ:"), {hint});
}

void SolvePresenter::badCell(int row, int column, gauss::Unreadable why)
{
    const QString where = texts::cellPlace(row, column);
    QString prompt;
    switch (why) {
    case gauss::Unreadable::TooLarge:
        prompt = QStringLiteral("Числото в клетката на %1 е твърде голямо.\n"
                                "Най-голямото число, с което програмата смята, е %2.")
                     .arg(where, largestText());
        break;
    case gauss::Unreadable::OtherSeparator:
        prompt = QStringLiteral("В клетката на %1 няма число.\nДесетичният знак е „%2“.")
                     .arg(where, QLocale().decimalPoint());
        break;
    case gauss::Unreadable::TooSmall:
        prompt = QStringLiteral("Числото в клетката на %1 е твърде малко, за да се запише точно.\n"
                                "Най-малкото число, което програмата записва точно, е 1E-%2.")
                     .arg(where)
                     .arg(gauss::MaxExactDecimals);
        break;
    case gauss::Unreadable::TooManyDigits:
        prompt = QStringLiteral("Числото в клетката на %1 има твърде много цифри след десетичния "
                                "знак.\nПрограмата смята точно с до %2 цифри след десетичния знак.")
                     .arg(where)
                     .arg(gauss::MaxExactDecimals);
        break;
    case gauss::Unreadable::NoNumber:
        prompt = QStringLiteral("В клетката на %1 няма число.\nЧислата се пишат така: 2; "
                                "-1%2; 1/3; 2E-05.")
                     .arg(where, QLocale().decimalPoint() + u'5');
        break;
    case gauss::Unreadable::ZeroDenominator:
        prompt = QStringLiteral("В клетката на %1 няма число: знаменателят е нула.").arg(where);
        break;
    }
    working.clear();
    working.addReport(prompt.split(u'\n'));
    message(prompt, MessageFlags::OkExclamation, GridMessageBox::errorTitle);
}

// The grid still shows the last step completed, or the system as read.
void SolvePresenter::stopped(const gauss::SolveEnd &end, const Answer &answer)
{
    const QString shown =
        end.step <= 1
            ? QStringLiteral("Таблицата показва системата, както е въведена.")
            : QStringLiteral("Таблицата показва матрицата след стъпка %1.").arg(end.step - 1);
    const QString report =
        QStringLiteral("%1, затова решаването спря на стъпка %2.\n%3\nСистемата има единствено "
                       "решение: до неизвестните стои точното решение, закръглено до три знака.")
            .arg(stopCause(end))
            .arg(end.step)
            .arg(shown);
    working.addReport(report.split(u'\n'));
    record(working, answer);
    message(report, MessageFlags::OkExclamation, GridMessageBox::errorTitle);
}

void SolvePresenter::verdict(const QStringList &lines, const Answer &answer)
{
    working.addReport(lines);
    if (!answer.names.isEmpty())
        record(working, answer);
    message(lines.value(0), MessageFlags::Ok, QStringLiteral("РЕШЕНИЕ:"), lines.mid(1));
}

void SolvePresenter::record(Working &working, const Answer &answer)
{
    InBothViews<QStringList> shown;
    InBothViews<QStringList> exact;
    const NumberFormat decimals(NumberFormat::Decimals);
    for (const NumberFormat::Number &value : answer.values) {
        shown[NumberFormat::Decimals] << decimals.text(value);
        exact[NumberFormat::Decimals] << decimals.note(value);
        shown[NumberFormat::Fractions] << NumberFormat(NumberFormat::Fractions).text(value);
        exact[NumberFormat::Fractions] << QString(); // nothing is rounded
    }
    working.setSolution(answer.names, shown, exact);
}

void SolvePresenter::solved(const Answer &answer, const QStringList &table,
                            const QStringList &tableAnswers)
{
    record(working, answer);
    QStringList differing;
    for (int r = 0; r < answer.values.size(); ++r)
        if (tableAnswers.value(r) != answer.values[r].decimal)
            differing << QStringLiteral("x%1 = %2 (в таблицата: %3)")
                             .arg(r + 1)
                             .arg(answer.values[r].decimal, table.value(r));
    if (differing.isEmpty())
        return;
    const QString why = QStringLiteral(
        "Показаното решение е точното, закръглено до три знака; последната колона на таблицата "
        "се различава от него, защото всяка стъпка пази само седем значещи цифри.");
    working.addReport(NumberFormat::Decimals, QStringList{why} << differing);
    if (format.view() == NumberFormat::Decimals)
        message(why, MessageFlags::OkExclamation, attention, differing);
}

void SolvePresenter::message(const QString &prompt, MessageFlags flags, const QString &title,
                             const QStringList &details, const QString &spoken)
{
    const QMessageBox::Icon icon =
        flags == MessageFlags::OkExclamation ? QMessageBox::Warning : QMessageBox::NoIcon;
    GridMessageBox::tell(window, {title, prompt, icon, details, spoken}, block());
}
