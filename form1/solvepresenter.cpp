#include "solvepresenter.h"

#include "exacttwin.h"
#include "gridmessagebox.h"
#include "rownotation.h"

#include <QLocale>
#include <limits>

namespace
{
const QString attention = QStringLiteral("ВНИМАНИЕ!:");
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
    StepBox box;
    box.prompt = (step.forward ? QStringLiteral("(ПРАВ ХОД) стъпка:")
                               : QStringLiteral("(ОБРАТЕН ХОД) стъпка:")) +
                 QString::number(step.nomer);
    InBothViews<Working::Block> matrix;
    for (const NumberFormat::View view : {NumberFormat::Decimals, NumberFormat::Fractions}) {
        const NumberFormat in(view);
        box.lines[view] = RowNotation::lines(step.ops, in);
        QStringList spoken;
        for (const QList<NumberFormat::Number> &numbers : shown) {
            QStringList row;
            for (const NumberFormat::Number &number : numbers)
                row << in.text(number);
            matrix[view] << row;
            spoken << QStringLiteral("ред %1: %2").arg(spoken.size() + 1).arg(row.join(u"; "));
        }
        box.spoken[view] = spoken.join(u'\n');
    }
    working.addStep(box.prompt, box.lines, matrix);
    open = box;
    GridMessageBox::tell(window, stepMessage(box), block());
    open.reset();
}

GridMessageBox::Message SolvePresenter::stepMessage(const StepBox &box) const
{
    return {attention, box.prompt, QMessageBox::Warning, box.lines[format.view()],
            box.spoken[format.view()]};
}

void SolvePresenter::refused(const QStringList &details)
{
    const QString first = QStringLiteral("системата или има безброй решения или няма решение!!!");
    const QString second = QStringLiteral("КОМПЮТЪРА НЕ РЕШАВА ТАКИВА СИСТЕМИ!!! бутон <ИЗЧИСТИ>");
    working.addReport(QStringList{first} << details << second);
    message(first, MessageFlags::Ok, QStringLiteral("РЕШЕНИЕ:"), details);
    message(second, MessageFlags::Ok, QStringLiteral("РЕШЕНИЕ:"));
}

void SolvePresenter::badCell(int row, int column, gauss::Unreadable why)
{
    const QString where = QStringLiteral("ред %1, колона %2").arg(row).arg(column);
    QString prompt;
    switch (why) {
    case gauss::Unreadable::TooLarge:
        prompt = QStringLiteral("Числото в клетката на %1 е твърде голямо.\n"
                                "Най-голямото число, с което програмата смята, е %2.")
                     .arg(where, gauss::numberText(std::numeric_limits<float>::max()));
        break;
    case gauss::Unreadable::OtherSeparator:
        prompt = QStringLiteral("В клетката на %1 няма число.\nДесетичният знак е „%2“.")
                     .arg(where, QLocale().decimalPoint());
        break;
    case gauss::Unreadable::TooManyDigits:
        prompt = QStringLiteral("Числото в клетката на %1 има твърде много цифри след десетичния "
                                "знак.\nПрограмата смята точно с до %2 цифри след десетичния знак.")
                     .arg(where)
                     .arg(gauss::MaxExactDecimals);
        break;
    case gauss::Unreadable::NoNumber:
        prompt = QStringLiteral("В клетката на %1 няма число.").arg(where);
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
void SolvePresenter::stopped(const gauss::SolveEnd &end)
{
    const QString shown =
        end.step <= 1
            ? QStringLiteral("Таблицата показва системата, както е въведена.")
            : QStringLiteral("Таблицата показва матрицата след стъпка %1.").arg(end.step - 1);
    const bool overflow = end.result == gauss::SolveResult::Overflow;
    const QString report =
        QStringLiteral("%1 и решаването спря на стъпка %2.\n%3\n%4")
            .arg(overflow ? QStringLiteral("Числата станаха твърде големи")
                          : QStringLiteral("Числата изискват повече от седем значещи цифри"))
            .arg(end.step)
            .arg(shown,
                 overflow ? QStringLiteral("Опитайте с по-малки числа, например като разделите "
                                           "уравнение с много големи коефициенти на общ множител.")
                          : QStringLiteral("Системата има единствено решение, но със седем "
                                           "значещи цифри на стъпка то не може да се покаже."));
    working.addReport(report.split(u'\n'));
    message(report, MessageFlags::OkExclamation, GridMessageBox::errorTitle);
}

void SolvePresenter::solved(const QStringList &names, const QList<NumberFormat::Number> &values,
                            const QStringList &table)
{
    InBothViews<QStringList> shown;
    InBothViews<QStringList> exact;
    const NumberFormat decimals(NumberFormat::Decimals);
    for (const NumberFormat::Number &value : values) {
        shown[NumberFormat::Decimals] << decimals.text(value);
        exact[NumberFormat::Decimals] << decimals.note(value);
        shown[NumberFormat::Fractions] << NumberFormat(NumberFormat::Fractions).text(value);
        exact[NumberFormat::Fractions] << QString(); // nothing is rounded
    }
    working.setSolution(names, shown, exact);
    QStringList differing;
    for (int r = 0; r < values.size(); ++r)
        if (table.value(r) != shown[NumberFormat::Decimals][r])
            differing << QStringLiteral("x%1 = %2 (в таблицата: %3)")
                             .arg(r + 1)
                             .arg(shown[NumberFormat::Decimals][r], table.value(r));
    if (differing.isEmpty())
        return;
    const QString why =
        QStringLiteral("Показаното решение е точното; последната колона на таблицата се "
                       "различава от него, защото всяка стъпка пази само седем значещи цифри.");
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
