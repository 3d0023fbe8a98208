#include "solvepresenter.h"

#include "exacttwin.h"
#include "exactwords.h"
#include "gridmessagebox.h"
#include "rownotation.h"

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

void SolvePresenter::read(const Working::Block &system)
{
    working.setSystem(system);
}

void SolvePresenter::step(const gauss::Step &step, const Working::Block &shown)
{
    const QString prompt = (step.forward ? QStringLiteral("(ПРАВ ХОД) стъпка:")
                                         : QStringLiteral("(ОБРАТЕН ХОД) стъпка:")) +
                           QString::number(step.nomer);
    const QStringList lines = RowNotation::lines(step.ops);
    working.addStep(prompt, lines, shown);
    // The box is modal, so a screen reader cannot reach the grid while it is
    // open; the box tells it what the grid shows, row by row, as its texts
    // read. The decimal comma rules out commas between the numbers.
    QStringList spoken;
    for (int r = 0; r < shown.size(); ++r)
        spoken << QStringLiteral("ред %1: %2").arg(r + 1).arg(shown[r].join(QStringLiteral("; ")));
    message(prompt, MessageFlags::OkExclamation, attention, lines, spoken.join(u'\n'));
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
        prompt = QStringLiteral("В клетката на %1 няма число.").arg(where);
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
    working.setSolution(answer.names, answer.values, answer.exact);
    message(report, MessageFlags::OkExclamation, GridMessageBox::errorTitle);
}

void SolvePresenter::solved(const Answer &answer, const QStringList &table,
                            const QStringList &tableAnswers)
{
    working.setSolution(answer.names, answer.values, answer.exact);
    QStringList differing;
    for (int r = 0; r < answer.values.size(); ++r)
        if (tableAnswers.value(r) != answer.values[r])
            differing << QStringLiteral("x%1 = %2 (в таблицата: %3)")
                             .arg(r + 1)
                             .arg(answer.values[r], table.value(r));
    if (differing.isEmpty())
        return;
    const QString why = QStringLiteral(
        "Показаното решение е точното, закръглено до три знака; последната колона на таблицата "
        "се различава от него, защото всяка стъпка пази само седем значещи цифри.");
    working.addReport(QStringList{why} << differing);
    message(why, MessageFlags::OkExclamation, attention, differing);
}

void SolvePresenter::message(const QString &prompt, MessageFlags flags, const QString &title,
                             const QStringList &details, const QString &spoken)
{
    const QMessageBox::Icon icon =
        flags == MessageFlags::OkExclamation ? QMessageBox::Warning : QMessageBox::NoIcon;
    GridMessageBox::tell(window, {title, prompt, icon, details, spoken}, block());
}
