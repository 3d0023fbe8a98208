#include "working.h"

#include "numbertext.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QMimeData>
#include <algorithm>

namespace
{

QString tabLines(const Working::Block &block)
{
    QStringList lines;
    for (const QStringList &row : block)
        lines << row.join(u'\t');
    return lines.join(u'\n');
}

QString htmlLines(const QStringList &lines)
{
    QStringList escaped;
    for (const QString &line : lines)
        escaped << line.toHtmlEscaped();
    return escaped.join(QStringLiteral("<br>"));
}

// A number format, in US English, that writes a value as the text wrote it:
// as many decimals, and as many digits in the exponent.
QString formatOf(const QString &text)
{
    const qsizetype e = std::max(text.lastIndexOf(u'E'), text.lastIndexOf(u'e'));
    const qsizetype mantissa = e < 0 ? text.size() : e;
    const QString decimalPoint = QLocale().decimalPoint();
    const qsizetype point = text.left(mantissa).indexOf(decimalPoint);
    const qsizetype decimals = point < 0 ? 0 : mantissa - point - decimalPoint.size();
    QString format = decimals > 0 ? QStringLiteral("0.") + QString(decimals, u'0') : QString(u'0');
    if (e >= 0) {
        const auto exponentDigits =
            std::count_if(text.begin() + e, text.end(), [](QChar c) { return c.isDigit(); });
        format += QStringLiteral("E+") + QString(qsizetype(exponentDigits), u'0');
    }
    return format;
}

// A spreadsheet reads the text of a cell by its own decimal sign, so "0,5"
// arrives as text under a decimal point. LibreOffice's HTML import also takes
// the value beside the text: sdval, read in the language that sdnum names first
// (1033, US English, whatever the reader's own locale), then shown by the
// format sdnum ends with, turned into the reader's locale (its language 0).
// Writer shows the value by that format, and by its general one would round
// it to two decimals. Qt writes nothing of the kind, hence by hand. A text is a
// number as the solve reads it; QLocale then gives its value. A fraction is
// shown over its own denominator ("?/17"), where a double holds it closely
// enough for that; else by the general format.
QString valueAttributes(const QString &text)
{
    constexpr std::size_t LongestDenominator = 7;
    float shown = 0;
    mpq_class exact;
    if (!gauss::readNumber(text, shown, exact))
        return QString();
    const QString trimmed = text.trimmed();
    bool number = true;
    double value = 0;
    QString format;
    if (trimmed.contains(u'/')) {
        value = exact.get_d();
        const std::string denominator = exact.get_den().get_str();
        format = denominator.size() <= LongestDenominator
                     ? QStringLiteral("?/") + QString::fromStdString(denominator)
                     : QStringLiteral("General");
    } else {
        value = QLocale().toDouble(trimmed, &number);
        format = formatOf(trimmed);
    }
    if (!number)
        return QString();
    return QStringLiteral(" sdval=\"%1\" sdnum=\"1033;0;%2\"")
        .arg(QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest), format);
}

// Word processors keep the borders and alignment of cells only when each cell
// carries them itself; a style sheet in the head is dropped by some of them.
// ruled: the last column, the right-hand side, is set off by a vertical rule.
QString htmlTable(const Working::Block &rows, bool ruled = true)
{
    QString table = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"6\">\n");
    for (const QStringList &row : rows) {
        table += QStringLiteral("<tr>");
        for (int c = 0; c < row.size(); ++c) {
            const bool rightHandSide = ruled && c == row.size() - 1;
            const QString value = valueAttributes(row[c]);
            table +=
                QStringLiteral("<td%1%2%3>%4</td>")
                    .arg(value.isEmpty() ? QString() : QStringLiteral(" align=\"right\""),
                         rightHandSide ? QStringLiteral(" style=\"border-left: 1px solid #000000\"")
                                       : QString(),
                         value, row[c].toHtmlEscaped());
        }
        table += QStringLiteral("</tr>\n");
    }
    return table + QStringLiteral("</table>\n<br>\n");
}

} // namespace

void Working::clear()
{
    records = {};
}

bool Working::isEmpty() const
{
    const Record &r = record();
    return r.system.isEmpty() && r.steps.isEmpty() && r.report.isEmpty() && r.names.isEmpty();
}

void Working::setSystem(const Block &rows)
{
    clear();
    for (Record &r : records)
        r.system = rows;
}

void Working::addStep(const QString &prompt, const InBothViews<QStringList> &operations,
                      const InBothViews<Block> &matrix)
{
    for (int view : {NumberFormat::Decimals, NumberFormat::Fractions})
        records[view].steps << Step{prompt, operations[view], matrix[view]};
}

void Working::addReport(const QStringList &lines)
{
    for (int view : {NumberFormat::Decimals, NumberFormat::Fractions})
        addReport(NumberFormat::View(view), lines);
}

void Working::addReport(NumberFormat::View view, const QStringList &lines)
{
    Record &r = records[view];
    (r.names.isEmpty() ? r.report : r.afterSolution) << lines;
}

void Working::setSolution(const QStringList &unknowns, const InBothViews<QStringList> &values,
                          const InBothViews<QStringList> &exact)
{
    for (int view : {NumberFormat::Decimals, NumberFormat::Fractions}) {
        records[view].names = unknowns;
        records[view].values = values[view];
        records[view].exactValues = exact[view];
    }
}

// A row for each unknown: its name, its value and, where the value rounds it,
// its exact value.
Working::Block Working::solutionRows() const
{
    const Record &r = record();
    Block rows;
    for (int i = 0; i < r.names.size(); ++i) {
        rows << QStringList{r.names[i], r.values.value(i)};
        if (!r.exactValues.value(i).isEmpty())
            rows.last() << r.exactValues[i];
    }
    return rows;
}

QString Working::plainText() const
{
    const Record &r = record();
    QStringList parts;
    if (!r.system.isEmpty())
        parts << systemHeading + u'\n' + tabLines(r.system);
    for (const Step &step : r.steps) {
        QStringList lines{step.prompt};
        lines << step.operations << tabLines(step.matrix);
        parts << lines.join(u'\n');
    }
    if (!r.report.isEmpty())
        parts << r.report.join(u'\n');
    if (!r.names.isEmpty())
        parts << solutionHeading + u'\n' + tabLines(solutionRows());
    if (!r.afterSolution.isEmpty())
        parts << r.afterSolution.join(u'\n');
    return parts.join(QStringLiteral("\n\n")) + u'\n';
}

QString Working::html() const
{
    const Record &r = record();
    QString html = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                                  "<title>метод на Гаус</title></head><body>\n");
    if (!r.system.isEmpty())
        html += QStringLiteral("<p>%1</p>\n").arg(systemHeading) + htmlTable(r.system);
    for (const Step &step : r.steps) {
        html += QStringLiteral("<p><b>%1</b>").arg(step.prompt.toHtmlEscaped());
        if (!step.operations.isEmpty())
            html += QStringLiteral("<br>\n") + htmlLines(step.operations);
        html += QStringLiteral("</p>\n") + htmlTable(step.matrix);
    }
    if (!r.report.isEmpty())
        html += QStringLiteral("<p>%1</p>\n").arg(htmlLines(r.report));
    if (!r.names.isEmpty())
        html +=
            QStringLiteral("<p>%1</p>\n").arg(solutionHeading) + htmlTable(solutionRows(), false);
    if (!r.afterSolution.isEmpty())
        html += QStringLiteral("<p>%1</p>\n").arg(htmlLines(r.afterSolution));
    return html + QStringLiteral("</body></html>\n");
}

QMimeData *Working::mimeData() const
{
    auto *data = new QMimeData;
    data->setText(plainText());
    data->setHtml(html());
    return data;
}

Working Working::orShown(const Block &shownSystem) const
{
    if (!isEmpty())
        return *this;
    Working typed;
    typed.setView(shown);
    typed.setSystem(shownSystem);
    return typed;
}

void Working::copy(const Block &shownSystem) const
{
    QGuiApplication::clipboard()->setMimeData(orShown(shownSystem).mimeData());
}
