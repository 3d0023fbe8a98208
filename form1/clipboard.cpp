#include "clipboard.h"

#include "numbertext.h"
#include "solverstate.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QMimeData>
#include <QRegularExpression>
#include <algorithm>

namespace
{

QString tabLines(const Clipboard::Block &block)
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
// number as the solve reads it; QLocale then gives its value.
QString valueAttributes(const QString &text)
{
    float shown = 0;
    bool number = gauss::readNumber(text, shown);
    const double value = number ? QLocale().toDouble(text.trimmed(), &number) : 0;
    if (!number)
        return QString();
    return QStringLiteral(" sdval=\"%1\" sdnum=\"1033;0;%2\"")
        .arg(QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest),
             formatOf(text.trimmed()));
}

// Word processors keep the borders and alignment of cells only when each cell
// carries them itself; a style sheet in the head is dropped by some of them.
// ruled: the last column, the right-hand side, is set off by a vertical rule.
QString htmlTable(const Clipboard::Block &rows, bool ruled = true)
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

// A row for each unknown: its name, its value and, where the value rounds it,
// its exact value.
Clipboard::Block Clipboard::solutionRows() const
{
    Block rows;
    for (int i = 0; i < r.names.size(); ++i) {
        rows << QStringList{r.names[i], r.values.value(i)};
        if (!r.exactValues.value(i).isEmpty())
            rows.last() << r.exactValues[i];
    }
    return rows;
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
    if (!r.names.isEmpty())
        parts << solutionHeading + u'\n' + tabLines(solutionRows());
    if (!r.afterSolution.isEmpty())
        parts << r.afterSolution.join(u'\n');
    return parts.join(QStringLiteral("\n\n")) + u'\n';
}

QString Clipboard::html() const
{
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

QMimeData *Clipboard::mimeData() const
{
    auto *data = new QMimeData;
    data->setText(plainText());
    data->setHtml(html());
    return data;
}

Clipboard Clipboard::orShown(const Block &shownSystem) const
{
    if (!isEmpty())
        return *this;
    Clipboard typed;
    typed.setSystem(shownSystem);
    return typed;
}

void Clipboard::copy(const Block &shownSystem) const
{
    QGuiApplication::clipboard()->setMimeData(orShown(shownSystem).mimeData());
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

namespace
{

bool isNumber(const QString &entry)
{
    float value = 0;
    return gauss::readNumber(entry, value) ||
           gauss::whyUnreadable(entry) != gauss::Unreadable::NoNumber;
}

bool hasNumber(const QStringList &entries)
{
    return std::any_of(entries.begin(), entries.end(), isNumber);
}

// The program's own working begins with the system it started from, as rows
// up to the first blank line.
Clipboard::Block startingSystem(const Clipboard::Block &rows)
{
    if (rows.isEmpty() || rows.first() != QStringList{Clipboard::systemHeading})
        return rows;
    Clipboard::Block system;
    for (auto row = rows.begin() + 1; row != rows.end() && !row->isEmpty(); ++row)
        system << *row;
    return system;
}

// A first row or column without a number, where the others have numbers,
// names them (x1 x2 x3 b, or the equations) and is no part of the system.
void dropCaptions(Clipboard::Block &rows)
{
    if (rows.size() > 1 && !hasNumber(rows.first()) &&
        std::any_of(rows.begin() + 1, rows.end(), hasNumber))
        rows.removeFirst();
    QStringList first;
    bool numbersAfter = false;
    for (const QStringList &row : rows) {
        first << row.mid(0, 1);
        numbersAfter = numbersAfter || hasNumber(row.mid(1));
    }
    if (numbersAfter && !hasNumber(first))
        for (QStringList &row : rows)
            if (!row.isEmpty())
                row.removeFirst();
}

// Numbers arrive with the decimal sign of wherever they were written. A block
// whose numbers all have the other sign takes the user's; one that has both is
// left for the solve to report the cell. "1,000" under a decimal point may be
// a thousand as that locale groups it, so a block of such numbers alone says
// nothing about its sign and is left as well.
void takeOwnDecimalSign(Clipboard::Block &rows)
{
    const QLocale locale;
    const QString own = locale.decimalPoint();
    const QString other = own == QLatin1String(".")   ? QStringLiteral(",")
                          : own == QLatin1String(",") ? QStringLiteral(".")
                                                      : QString();
    if (other.isEmpty())
        return;
    const auto hasOther = [](const QString &entry) {
        float value = 0;
        return !gauss::readNumber(entry, value) &&
               gauss::whyUnreadable(entry) == gauss::Unreadable::OtherSeparator;
    };
    bool ownSeen = false;
    bool otherTells = false;
    for (const QStringList &row : rows) {
        for (const QString &entry : row) {
            bool grouped = false;
            if (hasOther(entry))
                otherTells = otherTells || (locale.toDouble(entry, &grouped), !grouped);
            else
                ownSeen = ownSeen || (isNumber(entry) && entry.contains(own));
        }
    }
    if (ownSeen || !otherTells)
        return;
    for (QStringList &row : rows)
        for (QString &entry : row)
            if (hasOther(entry))
                entry.replace(other, own);
}

QString counted(int count, const QString &one, const QString &many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

QString rowCount(int count)
{
    return counted(count, QStringLiteral("ред"), QStringLiteral("реда"));
}

QString columnCount(int count)
{
    return counted(count, QStringLiteral("колона"), QStringLiteral("колони"));
}

// "ред от 1 до 3", or "ред 1" where there is one.
QString upTo(const QString &what, int last)
{
    return last == 1 ? QStringLiteral("%1 1").arg(what)
                     : QStringLiteral("%1 от 1 до %2").arg(what).arg(last);
}

// Why a block of height rows and width columns is not pasted into the cell at
// row, column, and where it would go.
QString doesNotFit(const Clipboard::Block &rows, int height, int width, int row, int column, int n)
{
    const QString block =
        QStringLiteral("Блокът има %1 и %2").arg(rowCount(height), columnCount(width));
    const QString system = QStringLiteral("системата с %1 уравнения").arg(n);
    const QString cell = QStringLiteral("клетката на ред %1, колона %2").arg(row).arg(column);
    const QString topLeft = QStringLiteral("клетката на ред 1, колона 1");
    QString text =
        row > n || column > n + 1
            ? QStringLiteral("%1, а %2 е извън %3.").arg(block, cell, system)
            : QStringLiteral("%1; %2 има място за %3 и %4 от %5.")
                  .arg(block, system, rowCount(n - row + 1), columnCount(n + 2 - column), cell);
    if (height <= n && width <= n + 1) {
        const int lastRow = n - height + 1;
        const int lastColumn = n + 2 - width;
        text += lastRow == 1 && lastColumn == 1
                    ? QStringLiteral("\nПоставете го в %1.").arg(topLeft)
                    : QStringLiteral("\nПоставете го в клетка на %1, %2.")
                          .arg(upTo(QStringLiteral("ред"), lastRow),
                               upTo(QStringLiteral("колона"), lastColumn));
    } else if (const int size = Clipboard::systemSize(rows)) {
        text += QStringLiteral("\nПоставен в %1, той подрежда таблицата за %2 уравнения.")
                    .arg(topLeft)
                    .arg(size);
    } else if (height <= gauss::MaxEquations && width <= gauss::MaxEquations + 1) {
        const int size = std::max({height, width - 1, gauss::MinEquations});
        text += QStringLiteral("\nПобира се от %1 в система с поне %2 уравнения "
                               "(бутон „ВЪВЕДИ  СИСТЕМАТА“).")
                    .arg(topLeft)
                    .arg(size);
    } else {
        text += QStringLiteral("\nНай-голямата система, с %1 уравнения, има %2 и %3.")
                    .arg(gauss::MaxEquations)
                    .arg(rowCount(gauss::MaxEquations), columnCount(gauss::MaxEquations + 1));
    }
    return text;
}

} // namespace

Clipboard::Paste Clipboard::plan(const Block &pasted, int row, int column, int arranged, int n)
{
    Block rows = startingSystem(pasted);
    // Some programs end a row with a separator; that says nothing of its width.
    for (QStringList &line : rows)
        while (!line.isEmpty() && line.last().isEmpty())
            line.removeLast();
    dropCaptions(rows);
    takeOwnDecimalSign(rows);

    Paste paste;
    const int entries = entryCount(rows);
    if (entries == 0)
        return paste;
    if (entries == 1) {
        paste.action = Paste::Insert;
        for (const QStringList &entry : rows)
            paste.text += entry.value(0);
        return paste;
    }
    // A whole system into the top left cell arranges its size first, as the
    // arrange button does, unless that size is arranged and still shown.
    const int size = row == 1 && column == 1 ? systemSize(rows) : 0;
    const int height = int(rows.size());
    int width = 0;
    for (const QStringList &line : rows)
        width = std::max(width, int(line.size()));
    if (size || (row + height - 1 <= n && column + width - 1 <= n + 1)) {
        paste.action = Paste::Fill;
        paste.arrange = size && size != arranged ? size : 0;
        paste.cells = rows;
        return paste;
    }
    paste.action = Paste::Refuse;
    paste.text = doesNotFit(rows, height, width, row, column, n);
    return paste;
}
