#include "pasteplan.h"

#include "numbertext.h"
#include "solverstate.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>

PastePlan::Block PastePlan::pasted()
{
    return rows(QGuiApplication::clipboard()->text());
}

PastePlan::Block PastePlan::rows(const QString &text)
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

namespace
{

int entryCount(const PastePlan::Block &rows)
{
    int count = 0;
    for (const QStringList &row : rows)
        count += int(row.size());
    return count;
}

// The size n of a system laid out as n rows of n + 1 entries, or 0.
int systemSize(const PastePlan::Block &rows)
{
    const int n = int(rows.size());
    if (n < gauss::MinEquations || n > gauss::MaxEquations)
        return 0;
    for (const QStringList &row : rows)
        if (row.size() != n + 1)
            return 0;
    return n;
}

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
PastePlan::Block startingSystem(const PastePlan::Block &rows)
{
    if (rows.isEmpty() || rows.first() != QStringList{Working::systemHeading})
        return rows;
    PastePlan::Block system;
    for (auto row = rows.begin() + 1; row != rows.end() && !row->isEmpty(); ++row)
        system << *row;
    return system;
}

// A block of h rows of h + 2 entries whose first column counts 1, 2, 3 … is a
// system with its equations numbered.
bool numbersEquations(const PastePlan::Block &rows)
{
    const int height = int(rows.size());
    if (height < gauss::MinEquations || height > gauss::MaxEquations)
        return false;
    for (int r = 0; r < height; ++r)
        if (rows[r].size() != height + 2 || rows[r][0] != QString::number(r + 1))
            return false;
    return true;
}

// A first row or column without a number, where the others have numbers,
// names them (x1 x2 x3 b, or the equations) and is no part of the system;
// so does a column that numbers the equations.
void dropCaptions(PastePlan::Block &rows)
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
    if (numbersAfter && (!hasNumber(first) || numbersEquations(rows)))
        for (QStringList &row : rows)
            if (!row.isEmpty())
                row.removeFirst();
}

// Numbers arrive with the decimal sign of wherever they were written. A block
// whose numbers all have the other sign takes the user's; one that has both is
// left for the solve to report the cell. "1,000" under a decimal point may be
// a thousand as that locale groups it, so a block of such numbers alone says
// nothing about its sign and is left as well.
void takeOwnDecimalSign(PastePlan::Block &rows)
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
QString doesNotFit(const PastePlan::Block &rows, int height, int width, int row, int column, int n)
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
    } else if (const int size = systemSize(rows)) {
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

PastePlan PastePlan::plan(const Block &pasted, int row, int column, int arranged, int n)
{
    Block rows = startingSystem(pasted);
    // Some programs end a row with a separator; that says nothing of its width.
    for (QStringList &line : rows)
        while (!line.isEmpty() && line.last().isEmpty())
            line.removeLast();
    dropCaptions(rows);
    takeOwnDecimalSign(rows);

    PastePlan paste;
    const int entries = entryCount(rows);
    if (entries == 0)
        return paste;
    if (entries == 1) {
        paste.action = Insert;
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
        paste.action = Fill;
        paste.arrange = size && size != arranged ? size : 0;
        paste.cells = rows;
        return paste;
    }
    paste.action = Refuse;
    paste.text = doesNotFit(rows, height, width, row, column, n);
    return paste;
}
