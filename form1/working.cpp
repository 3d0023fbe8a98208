#include "working.h"

#include <QMimeData>

namespace
{

// The headings are the explanation list's own words.
const QString systemHeading = QStringLiteral("първоначален вид на системата:");
const QString solutionHeading = QStringLiteral("решението е:");

QString tabLines(const Working::Block &block)
{
    QStringList lines;
    for (const QStringList &row : block)
        lines << row.join(u'\t');
    return lines.join(u'\n');
}

// A row of the system as the grid and the explanation list write it:
// 2.x1+1.x2=5, with a negative coefficient taking the place of the plus.
QString equation(const QStringList &row)
{
    QString text;
    const int unknowns = int(row.size()) - 1;
    for (int c = 0; c < unknowns; ++c) {
        if (c > 0 && !row[c].startsWith(u'-'))
            text += u'+';
        text += row[c] + QStringLiteral(".x%1").arg(c + 1);
    }
    return text + u'=' + row.value(unknowns);
}

QString htmlLines(const QStringList &lines)
{
    QStringList escaped;
    for (const QString &line : lines)
        escaped << line.toHtmlEscaped();
    return escaped.join(QStringLiteral("<br>"));
}

// Word processors keep the borders and alignment of cells only when each cell
// carries them itself; a style sheet in the head is dropped by some of them.
QString htmlTable(const Working::Block &matrix)
{
    QString table = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"6\">\n");
    for (const QStringList &row : matrix) {
        table += QStringLiteral("<tr>");
        for (int c = 0; c < row.size(); ++c) {
            const bool rightHandSide = c == row.size() - 1;
            table +=
                QStringLiteral("<td align=\"right\"%1>%2</td>")
                    .arg(rightHandSide ? QStringLiteral(" style=\"border-left: 1px solid #000000\"")
                                       : QString(),
                         row[c].toHtmlEscaped());
        }
        table += QStringLiteral("</tr>\n");
    }
    return table + QStringLiteral("</table>\n<br>\n");
}

} // namespace

void Working::clear()
{
    *this = Working();
}

bool Working::isEmpty() const
{
    return system.isEmpty() && steps.isEmpty() && report.isEmpty() && names.isEmpty();
}

void Working::setSystem(const Block &rows)
{
    clear();
    system = rows;
}

void Working::addStep(const QString &prompt, const QStringList &operations, const Block &matrix)
{
    steps << Step{prompt, operations, matrix};
}

void Working::addReport(const QStringList &lines)
{
    (names.isEmpty() ? report : afterSolution) << lines;
}

void Working::setSolution(const QStringList &unknowns, const QStringList &shown,
                          const QStringList &exact)
{
    names = unknowns;
    values = shown;
    exactValues = exact;
}

// A line for each unknown: its name, then afterName and its value, then its
// exact value set in exactForm where there is one.
QStringList Working::solutionLines(const QString &afterName, const QString &exactForm) const
{
    QStringList lines;
    for (int r = 0; r < names.size(); ++r) {
        const QString exact = exactValues.value(r);
        lines << names[r] + afterName + values.value(r) +
                     (exact.isEmpty() ? QString() : exactForm.arg(exact));
    }
    return lines;
}

QString Working::plainText() const
{
    QStringList parts;
    if (!system.isEmpty())
        parts << systemHeading + u'\n' + tabLines(system);
    for (const Step &step : steps) {
        QStringList lines{step.prompt};
        lines << step.operations << tabLines(step.matrix);
        parts << lines.join(u'\n');
    }
    if (!report.isEmpty())
        parts << report.join(u'\n');
    if (!names.isEmpty()) {
        const QStringList lines = solutionLines(QStringLiteral("\t"), QStringLiteral("\t%1"));
        parts << solutionHeading + u'\n' + lines.join(u'\n');
    }
    if (!afterSolution.isEmpty())
        parts << afterSolution.join(u'\n');
    return parts.join(QStringLiteral("\n\n")) + u'\n';
}

QString Working::html() const
{
    QString html = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                                  "<title>метод на Гаус</title></head><body>\n");
    if (!system.isEmpty()) {
        QStringList equations;
        for (const QStringList &row : system)
            equations << equation(row);
        html += QStringLiteral("<p>%1<br>\n%2</p>\n").arg(systemHeading, htmlLines(equations));
    }
    for (const Step &step : steps) {
        html += QStringLiteral("<p><b>%1</b>").arg(step.prompt.toHtmlEscaped());
        if (!step.operations.isEmpty())
            html += QStringLiteral("<br>\n") + htmlLines(step.operations);
        html += QStringLiteral("</p>\n") + htmlTable(step.matrix);
    }
    if (!report.isEmpty())
        html += QStringLiteral("<p>%1</p>\n").arg(htmlLines(report));
    if (!names.isEmpty()) {
        const QStringList lines = solutionLines(QString(), QStringLiteral(" (%1)"));
        html += QStringLiteral("<p>%1<br>\n%2</p>\n").arg(solutionHeading, htmlLines(lines));
    }
    if (!afterSolution.isEmpty())
        html += QStringLiteral("<p>%1</p>\n").arg(htmlLines(afterSolution));
    return html + QStringLiteral("</body></html>\n");
}

QMimeData *Working::mimeData() const
{
    auto *data = new QMimeData;
    data->setText(plainText());
    data->setHtml(html());
    return data;
}
