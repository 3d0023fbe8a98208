#include "latexwriter.h"

#include "boardpage.h"
#include "exercisewords.h"
#include "rownotation.h"
#include "worksheet.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>
#include <algorithm>

namespace LatexWriter
{

namespace
{

QString fraction(const mpq_class &value)
{
    if (value.get_den() == 1)
        return QString::fromStdString(value.get_str());
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    return sign + QStringLiteral("\\frac{%1}{%2}")
                      .arg(QString::fromStdString(mpz_class(abs(value.get_num())).get_str()),
                           QString::fromStdString(value.get_den().get_str()));
}

QString row(int r)
{
    return QStringLiteral("R_{%1}").arg(r);
}

// "R_{2} - 3R_{1}", "R_{1} : 2", "R_{1} \leftrightarrow R_{3}".
QString operation(const gauss::RowOperation &op)
{
    const QString factor = fraction(abs(op.factor));
    const QString bracketed = op.factor < 0 || op.factor.get_den() != 1
                                  ? QStringLiteral("\\left(%1\\right)").arg(fraction(op.factor))
                                  : factor;
    switch (op.kind) {
    case gauss::RowOperation::Exchange:
        return row(op.row) + QStringLiteral(" \\leftrightarrow ") + row(op.other);
    case gauss::RowOperation::Divide:
        return row(op.row) + QStringLiteral(" : ") + bracketed;
    case gauss::RowOperation::Multiply:
        return row(op.row) + QStringLiteral(" \\cdot ") + bracketed;
    case gauss::RowOperation::Eliminate:
    case gauss::RowOperation::Combine:
        break;
    }
    const QString own =
        op.kind == gauss::RowOperation::Combine
            ? (op.own < 0 ? QStringLiteral("\\left(%1\\right)") : QStringLiteral("%1"))
                  .arg(fraction(op.own))
            : QString();
    return own + row(op.row) + (op.factor > 0 ? QStringLiteral(" - ") : QStringLiteral(" + ")) +
           (abs(op.factor) == 1 ? QString() : factor) + row(op.other);
}

QString comment(const QString &text)
{
    return QStringLiteral("% ") + text + u'\n';
}

// Bulgarian in Latin letters, as the streamlined system writes it.
QString latin(const QString &text)
{
    static const QString cyrillic = QStringLiteral("абвгдежзийклмнопрстуфхцчшщъьюя");
    static const char *const latins[] = {"a", "b", "v",  "g",  "d",  "e",   "zh", "z", "i",  "y",
                                         "k", "l", "m",  "n",  "o",  "p",   "r",  "s", "t",  "u",
                                         "f", "h", "ts", "ch", "sh", "sht", "a",  "y", "yu", "ya"};
    QString out;
    for (const QChar c : text) {
        const int at = int(cyrillic.indexOf(c.toLower()));
        if (at < 0) {
            out += c == QChar(0x2014) ? QStringLiteral("---") : QString(c);
            continue;
        }
        QString letters = QLatin1String(latins[at]);
        if (c.isUpper())
            letters[0] = letters[0].toUpper();
        out += letters;
    }
    return out;
}

// Cyrillic needs the T2A fonts, which a TeX installation of the base alone
// lacks: there the words are set in Latin letters, and the document compiles.
QString words(const QString &text)
{
    return QStringLiteral("\\bg{%1}{%2}").arg(text, latin(text));
}

} // namespace

QString number(const QString &text)
{
    static const QRegularExpression exponent(QStringLiteral("^(.*)[eE]([+-]?)0*(\\d+)$"));
    QString t = text.trimmed().replace(QChar(0x2212), u'-');
    const QRegularExpressionMatch e = exponent.match(t);
    if (e.hasMatch())
        return number(e.captured(1)) +
               QStringLiteral("\\cdot 10^{%1%2}")
                   .arg(e.captured(2) == QStringLiteral("-") ? QStringLiteral("-") : QString(),
                        e.captured(3));
    const int bar = int(t.indexOf(u'/'));
    if (bar > 0) {
        const bool negative = t.startsWith(u'-');
        return (negative ? QStringLiteral("-") : QString()) +
               QStringLiteral("\\frac{%1}{%2}")
                   .arg(t.mid(negative ? 1 : 0, bar - negative), t.mid(bar + 1));
    }
    return t.replace(u',', QStringLiteral("{,}"));
}

QString matrix(const Working::Block &rows)
{
    const int columns = rows.isEmpty() ? 0 : int(rows.first().size());
    QStringList lines;
    for (const QStringList &cells : rows) {
        QStringList numbers;
        for (const QString &cell : cells)
            numbers << number(cell);
        lines << numbers.join(QStringLiteral(" & "));
    }
    return QStringLiteral("\\left(\\begin{array}{%1|r}\n%2\n\\end{array}\\right)")
        .arg(QString(columns - 1, u'r'), lines.join(QStringLiteral(" \\\\\n")));
}

QString arrow(const QStringList &lines)
{
    QStringList ops;
    for (const QString &line : lines) {
        const RowNotation::Reading read = RowNotation::read(line);
        if (read.problem == RowNotation::Reading::None && !changesNothing(line))
            ops << operation(read.operation);
    }
    if (ops.isEmpty())
        return QStringLiteral("\\sim");
    if (ops.size() == 1)
        return QStringLiteral("\\xrightarrow{%1}").arg(ops.first());
    return QStringLiteral("\\xrightarrow{\\substack{%1}}").arg(ops.join(QStringLiteral(" \\\\ ")));
}

namespace
{

// Roughly the points a matrix takes set in 10 pt: each column its widest
// entry, a fraction its wider line in the smaller type of an array.
qreal pointsOf(const Working::Block &rows)
{
    QList<qreal> columns;
    for (const QStringList &cells : rows)
        for (qsizetype c = 0; c < cells.size(); ++c) {
            const QStringList lines = cells[c].split(u'/');
            qreal chars = 0;
            for (const QString &line : lines)
                chars = std::max(chars, qreal(line.size()) * (lines.size() > 1 ? 0.75 : 1));
            columns.resize(std::max(columns.size(), c + 1));
            columns[c] = std::max(columns[c], chars);
        }
    qreal points = 10;
    for (const qreal chars : columns)
        points += 5 * chars + 10;
    return points;
}

// The operations over an arrow, in the small type of its label.
qreal pointsOf(const QStringList &operations)
{
    qreal points = 20;
    for (const QString &line : operations)
        points = std::max(points, 4.0 * boardOperation(line).size());
    return points;
}

// Within an article's 345 points: beside the matrix before it, as the board
// sets a step; else under it, the arrow leading the line.
bool besideBefore(const Working::Block &before, const Working::Step &step)
{
    return !before.isEmpty() &&
           pointsOf(before) + pointsOf(step.operations) + pointsOf(step.matrix) <= 345;
}

} // namespace

QString working(const Working::Record &record)
{
    QString text;
    for (const QString &line : record.report)
        text += comment(line);
    text += QStringLiteral("\\begin{align*}\n");
    const Working::Block *before = &record.system;
    const bool beside =
        !record.steps.isEmpty() &&
        std::all_of(record.steps.begin(), record.steps.end(), [&](const Working::Step &step) {
            const bool fits = besideBefore(*before, step);
            before = &step.matrix;
            return fits;
        });
    if (!beside)
        text += u'&' + matrix(record.system);
    before = &record.system;
    for (const Working::Step &step : record.steps) {
        if (beside)
            text += (before == &record.system ? QString() : QStringLiteral("\\\\\n")) +
                    comment(step.prompt) + u'&' + matrix(*before) + u' ' + arrow(step.operations) +
                    u' ' + matrix(step.matrix);
        else
            text += QStringLiteral("\\\\\n") + comment(step.prompt) + arrow(step.operations) +
                    QStringLiteral("{}&") + matrix(step.matrix);
        before = &step.matrix;
    }
    text += QStringLiteral("\n\\end{align*}\n");
    QStringList values;
    for (int i = 0; i < record.names.size(); ++i)
        values << QStringLiteral("$x_{%1} = %2$").arg(i + 1).arg(number(record.values.value(i)));
    // In the text, so that nine values break between lines.
    if (!values.isEmpty())
        text += values.join(QStringLiteral(", ")) + QStringLiteral("\n\n");
    return text;
}

void copy(const Working::Record &record)
{
    QGuiApplication::clipboard()->setText(working(record));
}

namespace
{

QString equations(const gauss::Exercise &exercise)
{
    QStringList lines;
    const int n = exercise.choice.size;
    for (int r = 1; r <= n; ++r) {
        // Two columns for each unknown, its sign and its term, so that the
        // unknowns stand in line.
        QStringList terms;
        bool first = true;
        for (int c = 1; c <= n; ++c) {
            const mpq_class &a = exercise.system[r][c];
            const QString size = abs(a) == 1 ? QString() : fraction(abs(a));
            const QString sign = a < 0 ? QStringLiteral("-") : first ? QString() : "+";
            terms << (a == 0
                          ? QStringLiteral(" & ")
                          : sign + QStringLiteral(" & ") + size + QStringLiteral("x_{%1}").arg(c));
            first = first && a == 0;
        }
        lines << terms.join(QStringLiteral(" & ")) + QStringLiteral(" & = & ") +
                     fraction(exercise.system[r][n + 1]);
    }
    return QStringLiteral("\\[\n\\left\\{\\begin{array}{%1}\n%2\n\\end{array}\\right.\n\\]\n")
        .arg(QString(2 * n + 2, u'r').replace(QStringLiteral("rr"), QStringLiteral("cr")),
             lines.join(QStringLiteral(" \\\\\n")));
}

// "3 - 2x_{3}": the constant, then each free unknown with its coefficient.
QString expression(const gauss::BoundUnknown &bound)
{
    QString text = bound.constant == 0 ? QString() : fraction(bound.constant);
    for (const gauss::Term &term : bound.terms) {
        const QString size =
            abs(term.coefficient) == 1 ? QString() : fraction(abs(term.coefficient));
        const QString sign = term.coefficient < 0 ? QStringLiteral(" - ")
                             : text.isEmpty()     ? QString()
                                                  : QStringLiteral(" + ");
        text += (text.isEmpty() && term.coefficient < 0 ? QStringLiteral("-") : sign) + size +
                QStringLiteral("x_{%1}").arg(term.unknown);
    }
    return text.isEmpty() ? QStringLiteral("0") : text;
}

// A key: x_{1} = 2 ..., or the kind in words; the whole key in a comment.
QString key(const gauss::Exercise &exercise)
{
    const int n = exercise.choice.size;
    QString text = comment(ExerciseWords::key(exercise));
    QStringList values;
    switch (exercise.choice.kind) {
    case gauss::ExerciseKind::One:
        for (int c = 1; c <= n; ++c)
            values
                << QStringLiteral("x_{%1} = %2").arg(c).arg(exercise.answers[std::size_t(c) - 1]);
        return text + u'$' + values.join(QStringLiteral(",\\ ")) + QStringLiteral("$\n\n");
    case gauss::ExerciseKind::None:
        return text + words(ExerciseWords::kindName(exercise.choice.kind)) + QStringLiteral("\n\n");
    case gauss::ExerciseKind::Many:
        break;
    }
    const gauss::Singular why = gauss::solveExactly(exercise.system, n, n).verdict.ranks;
    for (const gauss::BoundUnknown &bound : why.bound)
        values << QStringLiteral("$x_{%1} = %2$").arg(bound.unknown).arg(expression(bound));
    return text + words(ExerciseWords::kindName(exercise.choice.kind)) + QStringLiteral(": ") +
           values.join(QStringLiteral(", ")) + QStringLiteral(", ") +
           QStringLiteral("$x_{%1}$ ").arg(why.free.front()) + words(QStringLiteral("произволно")) +
           QStringLiteral("\n\n");
}

} // namespace

QString worksheet(const gauss::Worksheet &sheet, bool solutions, const QPageSize &paper)
{
    QString text = QStringLiteral("\\documentclass[11pt,%1]{article}\n"
                                  "\\usepackage[utf8]{inputenc}\n"
                                  "\\newcommand{\\bgcyrillic}[2]{#1}\n"
                                  "\\newcommand{\\bglatin}[2]{#2}\n"
                                  "\\IfFileExists{t2aenc.def}{\\usepackage[T2A]{fontenc}"
                                  "\\usepackage[bulgarian]{babel}\\let\\bg\\bgcyrillic}"
                                  "{\\let\\bg\\bglatin}\n"
                                  "\\usepackage{amsmath}\n"
                                  "\\allowdisplaybreaks\n"
                                  "\\setlength{\\arraycolsep}{2pt}\n"
                                  "\\begin{document}\n")
                       .arg(paper.id() == QPageSize::Letter ? QStringLiteral("letterpaper")
                                                            : QStringLiteral("a4paper"));
    auto heading = [](const QString &text) {
        return QStringLiteral("\\section*{%1}\n").arg(words(text));
    };
    for (std::size_t v = 0; v < sheet.variants.size(); ++v) {
        text +=
            (v ? QStringLiteral("\\newpage\n") : QString()) +
            heading(Worksheet::title() + QStringLiteral(" — ") + Worksheet::variantName(int(v))) +
            words(Worksheet::seedLine(sheet.choice.seed)) + QStringLiteral("\n\n");
        for (std::size_t p = 0; p < sheet.variants[v].size(); ++p)
            text += QStringLiteral("\\paragraph{%1}\n").arg(words(Worksheet::problemName(int(p)))) +
                    equations(sheet.variants[v][p]) +
                    QStringLiteral("\\vspace{%1\\baselineskip}\n\n")
                        .arg(sheet.variants[v][p].choice.size + 4);
    }
    text += QStringLiteral("\\newpage\n") + heading(Worksheet::answersTitle()) +
            words(Worksheet::seedLine(sheet.choice.seed)) + QStringLiteral("\n\n");
    for (std::size_t v = 0; v < sheet.variants.size(); ++v) {
        text += QStringLiteral("\\subsection*{%1}\n").arg(words(Worksheet::variantName(int(v))));
        for (std::size_t p = 0; p < sheet.variants[v].size(); ++p)
            text += QStringLiteral("%1.~").arg(p + 1) + key(sheet.variants[v][p]);
    }
    for (std::size_t v = 0; solutions && v < sheet.variants.size(); ++v)
        for (std::size_t p = 0; p < sheet.variants[v].size(); ++p) {
            const gauss::Exercise &problem = sheet.variants[v][p];
            const int n = problem.choice.size;
            text +=
                QStringLiteral("\\newpage\n") +
                heading(Worksheet::variantName(int(v)) + u' ' + Worksheet::problemName(int(p))) +
                working(
                    ExerciseWords::workingOf(gauss::solveExactly(problem.system, n, n)).record());
        }
    return text + QStringLiteral("\\end{document}\n");
}

} // namespace LatexWriter
