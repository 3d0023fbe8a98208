#include "working.h"

#include "boardworking.h"
#include "fonts.h"
#include "numbertext.h"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLocale>
#include <QMimeData>
#include <algorithm>
#include <cmath>

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

// The format of a fraction: as many digits as its denominator's, where the
// double's error stays below half the distance to any other fraction of as
// many digits, so that the one shown is the value's own; else the general
// one. Calc's import takes only the formats it has built in, of fractions
// those of up to three digits ("# ??/??"), and shows a fraction as a whole
// number and a proper fraction ("-2 1/3"); Writer takes any.
QString fractionFormat(const mpq_class &exact)
{
    constexpr std::size_t LongestDenominator = 7;
    const std::string denominator = exact.get_den().get_str();
    const double largest = std::pow(10.0, double(denominator.size()));
    if (denominator.size() > LongestDenominator ||
        std::abs(exact.get_d()) * exact.get_den().get_d() * largest >= std::ldexp(1.0, 52))
        return QStringLiteral("General");
    const QString digits(qsizetype(denominator.size()), u'?');
    return QStringLiteral("# %1/%1").arg(digits);
}

// A spreadsheet reads the text of a cell by its own decimal sign, so "0,5"
// arrives as text under a decimal point. LibreOffice's HTML import also takes
// the value beside the text: sdval, read in the language that sdnum names first
// (1033, US English, whatever the reader's own locale), then shown by the
// format sdnum ends with, turned into the reader's locale (its language 0).
// Writer shows the value by that format, and by its general one would round
// it to two decimals. Qt writes nothing of the kind, hence by hand. A text is a
// number as the solve reads it; QLocale then gives its value.
QString valueAttributes(const QString &text)
{
    float shown = 0;
    mpq_class exact;
    if (!gauss::readNumber(text, shown, exact))
        return QString();
    const QString trimmed = text.trimmed();
    bool number = true;
    double value = 0;
    QString format;
    if (!trimmed.contains(u'/')) {
        value = QLocale().toDouble(trimmed, &number);
        format = formatOf(trimmed);
    }
    // A fraction, or a form that only the solve reads ("½", "−2").
    if (trimmed.contains(u'/') || !number) {
        value = exact.get_d();
        format = fractionFormat(exact);
    }
    return QStringLiteral(" sdval=\"%1\" sdnum=\"1033;0;%2\"")
        .arg(QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest), format);
}

// How a word processor and a spreadsheet take the tables. A spreadsheet
// places cells by their widths, so every cell of every table has one width:
// then all the tables share one grid of columns, a matrix of n equations its
// n + 1 columns, the solution the first of them. The widest table stays within
// 16.5 cm, since Calc's import merges every paragraph across all the columns
// once a table reaches the 17 cm between an A4 page's margins. The numbers
// are set in the largest type, from 12 pt down to 6, in which the longest
// stays on one line of its cell as Writer lays it out; Writer sets them in
// the face that fonts::document() names.
struct TableLook {
    qreal points = 12;
    int cellPixels = 0; // HTML's pixels, 96 an inch
};

constexpr int widestTablePixels = 624;
constexpr int cellPadding = 2;     // pixels, on each side
constexpr qreal writerSpacing = 2; // points beside the padding, found by trying

int cellPixels(qreal ems, qreal points)
{
    return qCeil((ems * points + writerSpacing) * 96 / 72) + 2 * cellPadding;
}

// tables: what the cells hold; the words beside the solution wrap as they must.
TableLook tableLook(const QList<Working::Block> &tables)
{
    QFont font;
    font.setFamilies(fonts::document());
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(100);
    const QFontMetricsF metrics(font);
    qreal ems = 0;
    int columns = 1;
    for (const Working::Block &table : tables) {
        for (const QStringList &row : table) {
            columns = std::max(columns, int(row.size()));
            for (const QString &text : row)
                ems = std::max(ems, metrics.horizontalAdvance(text) / 100);
        }
    }
    TableLook look;
    while (look.points > 6 && columns * cellPixels(ems, look.points) > widestTablePixels)
        look.points -= 0.5;
    look.cellPixels = std::min(cellPixels(ems, look.points), widestTablePixels / columns);
    return look;
}

// Word processors keep the borders, type and alignment of cells only when
// each cell carries them itself; a style sheet in the head is dropped by some
// of them. Writer keeps a table whole on one page, and the paragraph before it
// with it. ruled: a matrix, its last column, the right-hand side, set off by a
// vertical rule. Otherwise the solution, whose words beside the values take
// the width they need: Calc places cells by their own widths, Writer by their
// columns'.
QString htmlTable(const Working::Block &rows, const TableLook &look, bool ruled = true)
{
    int columns = 0;
    for (const QStringList &row : rows)
        columns = std::max(columns, int(row.size()));
    const QString width = QStringLiteral(" width=\"%1\"").arg(look.cellPixels);
    QString table =
        QStringLiteral("<table%1 cellspacing=\"0\" cellpadding=\"%2\" "
                       "style=\"page-break-inside: avoid\">\n")
            .arg(ruled ? QStringLiteral(" width=\"%1\"").arg(columns * look.cellPixels) : QString())
            .arg(cellPadding);
    for (int c = 0; !ruled && c < columns; ++c)
        table += c < 2 ? QStringLiteral("<col%1>").arg(width) : QStringLiteral("<col>");
    for (const QStringList &row : rows) {
        table += QStringLiteral("<tr>");
        for (int c = 0; c < row.size(); ++c) {
            const bool rightHandSide = ruled && c == row.size() - 1;
            const QString value = valueAttributes(row[c]);
            table += QStringLiteral("<td%1 style=\"font-size: %2pt%3\"%4%5>%6</td>")
                         .arg(width, QString::number(look.points),
                              rightHandSide ? QStringLiteral("; border-left: 1px solid #000000")
                                            : QString(),
                              value.isEmpty() ? QString() : QStringLiteral(" align=\"right\""),
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
    // Opened as a document, the working has the margins it is pasted with.
    const Record &r = record();
    QString html = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                                  "<title>метод на Гаус</title>"
                                  "<style>@page { margin: 2cm }</style></head><body>\n");
    QList<Block> tables{r.system};
    for (const Step &step : r.steps)
        tables << step.matrix;
    tables << Block();
    for (const QStringList &row : solutionRows())
        tables.last() << row.mid(0, 2);
    const TableLook look = tableLook(tables);
    const QString heading =
        QStringLiteral("<p style=\"page-break-inside: avoid; page-break-after: avoid\">");
    if (!r.system.isEmpty())
        html += heading + systemHeading + QStringLiteral("</p>\n") + htmlTable(r.system, look);
    for (const Step &step : r.steps) {
        html += heading + QStringLiteral("<b>%1</b>").arg(step.prompt.toHtmlEscaped());
        if (!step.operations.isEmpty())
            html += QStringLiteral("<br>\n") + htmlLines(step.operations);
        html += QStringLiteral("</p>\n") + htmlTable(step.matrix, look);
    }
    if (!r.report.isEmpty())
        html += QStringLiteral("<p>%1</p>\n").arg(htmlLines(r.report));
    if (!r.names.isEmpty())
        html += heading + solutionHeading + QStringLiteral("</p>\n") +
                htmlTable(solutionRows(), look, false);
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
    const Working shown = orShown(shownSystem);
    QMimeData *data = shown.mimeData();
    // For what takes pictures alone: a chat, a drawing program, a slide.
    const QImage picture = boardPicture(shown.record());
    if (!picture.isNull())
        data->setImageData(picture);
    QGuiApplication::clipboard()->setMimeData(data);
}
