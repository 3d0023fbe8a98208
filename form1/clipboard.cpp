#include "clipboard.h"

#include "solverstate.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>

namespace
{

// The headings are the explanation list's own words.
const QString systemHeading = QStringLiteral("първоначален вид на системата:");
const QString solutionHeading = QStringLiteral("решението е:");

QString tabLines(const Clipboard::Block &block)
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
QString htmlTable(const Clipboard::Block &matrix)
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

void Clipboard::clear()
{
    *this = Clipboard();
}

bool Clipboard::isEmpty() const
{
    return r.system.isEmpty() && r.steps.isEmpty() && r.report.isEmpty() && r.names.isEmpty();
}

void Clipboard::setSystem(const Block &rows)
{
    clear();
    r.system = rows;
}

void Clipboard::addStep(const QString &prompt, const QStringList &operations, const Block &matrix)
{
    r.steps << Step{prompt, operations, matrix};
}

void Clipboard::addReport(const QStringList &lines)
{
    (r.names.isEmpty() ? r.report : r.afterSolution) << lines;
}

void Clipboard::setSolution(const QStringList &unknowns, const QStringList &shown,
                            const QStringList &exact)
{
    r.names = unknowns;
    r.values = shown;
    r.exactValues = exact;
}

// A line for each unknown: its name, then afterName and its value, then its
// exact value set in exactForm where there is one.
QStringList Clipboard::solutionLines(const QString &afterName, const QString &exactForm) const
{
    QStringList lines;
    for (int i = 0; i < r.names.size(); ++i) {
        const QString exact = r.exactValues.value(i);
        lines << r.names[i] + afterName + r.values.value(i) +
                     (exact.isEmpty() ? QString() : exactForm.arg(exact));
    }
    return lines;
}

QString Clipboard::plainText() const
{
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
    if (!r.names.isEmpty()) {
        const QStringList lines = solutionLines(QStringLiteral("\t"), QStringLiteral("\t%1"));
        parts << solutionHeading + u'\n' + lines.join(u'\n');
    }
    if (!r.afterSolution.isEmpty())
        parts << r.afterSolution.join(u'\n');
    return parts.join(QStringLiteral("\n\n")) + u'\n';
}

QString Clipboard::html() const
{
    QString html = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                                  "<title>метод на Гаус</title></head><body>\n");
    if (!r.system.isEmpty()) {
        QStringList equations;
        for (const QStringList &row : r.system)
            equations << equation(row);
        html += QStringLiteral("<p>%1<br>\n%2</p>\n").arg(systemHeading, htmlLines(equations));
    }
    for (const Step &step : r.steps) {
        html += QStringLiteral("<p><b>%1</b>").arg(step.prompt.toHtmlEscaped());
        if (!step.operations.isEmpty())
            html += QStringLiteral("<br>\n") + htmlLines(step.operations);
        html += QStringLiteral("</p>\n") + htmlTable(step.matrix);
    }
    if (!r.report.isEmpty())
        html += QStringLiteral("<p>%1</p>\n").arg(htmlLines(r.report));
    if (!r.names.isEmpty()) {
        const QStringList lines = solutionLines(QString(), QStringLiteral(" (%1)"));
        html += QStringLiteral("<p>%1<br>\n%2</p>\n").arg(solutionHeading, htmlLines(lines));
    }
    if (!r.afterSolution.isEmpty())
        html += QStringLiteral("<p>%1</p>\n").arg(htmlLines(r.afterSolution));
    return html + QStringLiteral("</body></html>\n");
}

QMimeData *Clipboard::mimeData() const
{
    auto *data = new QMimeData;
    data->setText(plainText());
    data->setHtml(html());
    return data;
}

void Clipboard::copy(const Block &shownSystem) const
{
    if (!isEmpty()) {
        QGuiApplication::clipboard()->setMimeData(mimeData());
        return;
    }
    Clipboard typed;
    typed.setSystem(shownSystem);
    QGuiApplication::clipboard()->setMimeData(typed.mimeData());
}

Clipboard::Block Clipboard::pasted()
{
    return rows(QGuiApplication::clipboard()->text());
}

Clipboard::Block Clipboard::rows(const QString &text)
{
    QStringList lines = text.split(u'\n');
    for (QString &line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    // One separator for the whole text, so that a row never splits otherwise
    // than its neighbours.
    const bool tabs = text.contains(u'\t');
    const bool semicolons = !tabs && text.contains(u';');
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    Block rows;
    for (const QString &line : lines) {
        QStringList entries;
        if (tabs)
            entries = line.split(u'\t');
        else if (semicolons)
            entries = line.split(u';');
        else
            entries = line.split(blanks, Qt::SkipEmptyParts);
        // A blank line inside the block leaves its row of cells as they are.
        if (!line.contains(u'\t') && line.trimmed().isEmpty())
            entries.clear();
        QStringList row;
        for (const QString &entry : entries) {
            const QString trimmed = entry.trimmed();
            if (trimmed != QLatin1String("|"))
                row << trimmed;
        }
        rows << row;
    }
    return rows;
}

int Clipboard::entryCount(const Block &rows)
{
    int count = 0;
    for (const QStringList &row : rows)
        count += int(row.size());
    return count;
}

int Clipboard::systemSize(const Block &rows)
{
    const int n = int(rows.size());
    if (n < gauss::MinEquations || n > gauss::MaxEquations)
        return 0;
    for (const QStringList &row : rows)
        if (row.size() != n + 1)
            return 0;
    return n;
}
