#include "pasteplan.h"

#include "numbertext.h"
#include "sharedtexts.h"
#include "solverstate.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace
{

bool isNumber(const QString &entry)
{
    float value = 0;
    return gauss::readNumber(entry, value) ||
           gauss::whyUnreadable(entry) != gauss::Unreadable::NoNumber;
}

QStringList linesOf(const QString &text)
{
    QStringList lines = text.split(u'\n');
    for (QString &line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

// Whether the brackets of a text close as they open, "(1/3) 2 (3)" not.
bool balanced(const QString &text)
{
    int depth = 0;
    for (const QChar c : text) {
        depth += c == u'(' ? 1 : c == u')' ? -1 : 0;
        if (depth < 0)
            return false;
    }
    return depth == 0;
}

// The rows in brackets of a text, the innermost "[…]" or lines each in "(…)";
// none where it has no such rows. Only brackets and separators may stand
// between them, or refusal says what does.
QStringList bracketRows(const QString &text, QString &refusal)
{
    QStringList rows;
    if (text.contains(u'[')) {
        static const QRegularExpression inner(QStringLiteral("\\[([^\\[\\]]*)\\]"));
        static const QRegularExpression between(QStringLiteral("[\\[\\],;\\s]"));
        for (const QRegularExpressionMatch &m : inner.globalMatch(text))
            rows << m.captured(1);
        const QString rest = QString(text).remove(inner).remove(between);
        if (!rest.isEmpty())
            refusal = QStringLiteral("Извън скобите на редовете стои „%1“.").arg(rest);
        return rows;
    }
    for (const QString &line : linesOf(text)) {
        const QString trimmed = line.trimmed();
        const QString inside = trimmed.mid(1, trimmed.size() - 2);
        if (!trimmed.startsWith(u'(') || !trimmed.endsWith(u')') || !balanced(inside))
            return {};
        rows << inside;
    }
    return rows;
}

enum class Separator { Tab, Semicolon, Comma, Blank };

// One separator for the whole text, so that a row never splits otherwise than
// its neighbours. Commas separate under a decimal point, unless the blanks do
// and the commas group thousands ("1,000 2 3").
Separator separatorOf(const QStringList &lines)
{
    const QString all = lines.join(u'\n');
    if (all.contains(u'\t'))
        return Separator::Tab;
    if (all.contains(u';'))
        return Separator::Semicolon;
    if (!all.contains(u',') || QLocale().decimalPoint() == QLatin1String(","))
        return Separator::Blank;
    for (const QString &line : lines)
        for (const QString &part : line.split(u','))
            if (part.trimmed().contains(u' ') || part.trimmed().contains(u'\u00a0'))
                return Separator::Blank;
    return Separator::Comma;
}

QStringList entriesOf(const QString &line, Separator separator)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QStringList entries;
    // A blank line inside the block leaves its row of cells as they are.
    if (!line.contains(u'\t') && line.trimmed().isEmpty())
        entries.clear();
    else if (separator == Separator::Tab)
        entries = line.split(u'\t');
    else if (separator == Separator::Semicolon)
        entries = line.split(u';');
    else if (separator == Separator::Comma)
        entries = line.split(u',');
    else
        entries = line.split(blanks, Qt::SkipEmptyParts);
    QStringList row;
    for (const QString &entry : entries) {
        QString trimmed = entry.trimmed();
        // "2, 1, 3" under a decimal comma: the comma before a blank separates.
        if (separator == Separator::Blank && trimmed.size() > 1 && trimmed.endsWith(u','))
            trimmed.chop(1);
        if (trimmed != QLatin1String("|"))
            row << trimmed;
    }
    return row;
}

// Entries that are no number but hold numbers: "2,1,-1,8" under a decimal
// comma, whose commas might separate numbers or be decimal signs, or "4 5 6"
// in a text whose other lines are separated otherwise. Why such a block is
// not read, or nothing.
QString unclear(const PastePlan::Block &rows)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QStringList &row : rows)
        for (const QString &entry : row) {
            const QStringList parts[] = {entry.split(u','), entry.split(blanks)};
            for (const QStringList &numbers : parts)
                if (numbers.size() > 1 && !isNumber(entry) &&
                    std::all_of(numbers.begin(), numbers.end(), isNumber))
                    return QStringLiteral("„%1“ са няколко числа в една клетка%2.\nРазделете "
                                          "числата еднакво във всички редове: с интервал, "
                                          "табулация или „;“.")
                        .arg(entry, &numbers == &parts[0]
                                        ? QStringLiteral(" или запетаите в тях са десетични знаци")
                                        : QString());
        }
    return QString();
}

// An equation's coefficients by their unknowns' names, and its right-hand side.
struct Equation {
    QMap<QString, QString> coefficients;
    QString rightHandSide;
};

// Reads "2x + y − z = 8" into equation, or says why it cannot.
QString readEquation(const QString &line, Equation &equation)
{
    QString text;
    for (const QChar c : line) {
        if (c == QChar(0x2212) || c == QChar(0x2013))
            text += u'-';
        else if (c == u'х' || c == u'Х') // the Cyrillic letter that looks the same
            text += u'x';
        else if (!c.isSpace())
            text += c.toLower();
    }
    const QStringList sides = text.split(u'=');
    if (sides.size() != 2)
        return QStringLiteral("трябва един знак „=“");
    if (!isNumber(sides[1]))
        return QStringLiteral("вдясно от „=“ трябва число");
    equation.rightHandSide = sides[1];
    // A coefficient, then a sign of product or the grid's "." if any, then the unknown.
    static const QRegularExpression term(
        QStringLiteral("([+-]?)([^+\\-xyztuvw]*?)[*·.]?([xyztuvw][1-9]?)"));
    const QString &left = sides[0];
    for (qsizetype at = 0; at < left.size() || at == 0;) {
        const QRegularExpressionMatch m = term.match(left, at, QRegularExpression::NormalMatch,
                                                     QRegularExpression::AnchorAtOffsetMatchOption);
        if (!m.hasMatch() || (at > 0 && m.captured(1).isEmpty()))
            return QStringLiteral("вляво от „=“ трябват само неизвестни с коефициенти");
        const QString name = m.captured(3);
        const QString coefficient = m.captured(2).isEmpty() ? QStringLiteral("1") : m.captured(2);
        if (equation.coefficients.contains(name))
            return QStringLiteral("%1 стои два пъти").arg(name);
        if (!isNumber(coefficient))
            return QStringLiteral("„%1“ не е число").arg(coefficient);
        equation.coefficients[name] =
            m.captured(1) == QLatin1String("-") ? QStringLiteral("-") + coefficient : coefficient;
        at = m.capturedEnd();
    }
    return QString();
}

// The unknowns of equations in their order: those of x y z t u v w that
// appear, or x1 up to the last index; none where the two kinds mix.
QStringList unknownsOf(const QList<Equation> &equations)
{
    QSet<QString> names;
    for (const Equation &equation : equations)
        for (auto name = equation.coefficients.keyBegin(); name != equation.coefficients.keyEnd();
             ++name)
            names << *name;
    int last = 0;
    for (const QString &name : names)
        last = std::max(last, name.size() == 2 && name[0] == u'x' ? name[1].digitValue() : 0);
    QStringList unknowns;
    for (int i = 1; i <= last; ++i)
        unknowns << QStringLiteral("x%1").arg(i);
    for (const QChar letter : QStringLiteral("xyztuvw"))
        if (last == 0 && names.contains(letter))
            unknowns << letter;
    const bool named = std::all_of(names.begin(), names.end(), [&unknowns](const QString &name) {
        return unknowns.contains(name);
    });
    return named ? unknowns : QStringList();
}

// Equations, one a line, as their rows of coefficients.
PastePlan::Text equationRows(const QStringList &lines)
{
    PastePlan::Text pasted;
    pasted.equations = true;
    QList<Equation> equations;
    const QString example = QStringLiteral("\nУравненията се поставят така: „2x + y - z = 8“ или "
                                           "„2x1 + x2 - x3 = 8“, по едно на ред.");
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        equations << Equation();
        if (const QString why = readEquation(line, equations.last()); !why.isEmpty()) {
            pasted.refusal = QStringLiteral("Уравнение %1, „%2“, не се чете: %3.")
                                 .arg(equations.size())
                                 .arg(line.trimmed(), why) +
                             example;
            return pasted;
        }
    }
    const QStringList unknowns = unknownsOf(equations);
    if (unknowns.isEmpty()) {
        pasted.refusal = QStringLiteral("Неизвестните са или x, y, z, t, u, v, w, или x1 … x9, "
                                        "не и двете заедно.") +
                         example;
        return pasted;
    }
    for (const Equation &equation : equations) {
        pasted.rows << QStringList();
        for (const QString &unknown : unknowns)
            pasted.rows.last() << equation.coefficients.value(unknown, QStringLiteral("0"));
        pasted.rows.last() << equation.rightHandSide;
    }
    pasted.assumed = QStringLiteral("Колоните са %1 и дясната страна.").arg(unknowns.join(u", "));
    return pasted;
}

} // namespace

PastePlan::Text PastePlan::pasted()
{
    return rows(QGuiApplication::clipboard()->text());
}

PastePlan::Text PastePlan::rows(const QString &text)
{
    Text pasted;
    QStringList lines = bracketRows(text, pasted.refusal);
    if (!pasted.refusal.isEmpty())
        return pasted;
    // The program's own working has "=" in its operations, not equations.
    const bool working = linesOf(text).value(0).trimmed() == Working::systemHeading;
    if (lines.isEmpty() && text.contains(u'=') && !working)
        return equationRows(linesOf(text));
    if (lines.isEmpty())
        lines = linesOf(text);
    const Separator separator = separatorOf(lines);
    for (const QString &line : lines)
        pasted.rows << entriesOf(line, separator);
    if (separator == Separator::Comma)
        pasted.assumed = QStringLiteral("Запетаите са прочетени като разделители между числата.");
    pasted.refusal = unclear(pasted.rows);
    return pasted;
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

// The shape of a system laid out as m rows of k entries each, m equations in
// k - 1 unknowns, or none (rows 0). A single row stays a row of the system
// arranged: a one-equation system is arranged on purpose.
PastePlan::Shape systemShape(const PastePlan::Block &rows)
{
    const int m = int(rows.size());
    const int k = rows.isEmpty() ? 0 : int(rows.first().size());
    if (m < gauss::MinEquations || m > gauss::MaxEquations || k < 2 || k > gauss::MaxUnknowns + 1)
        return {};
    for (const QStringList &row : rows)
        if (row.size() != k)
            return {};
    return {m, k - 1};
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
// row, column of the system shown, and where it would go.
QString doesNotFit(int height, int width, int row, int column, PastePlan::Shape shown)
{
    const int rows = shown.rows;
    const int columns = shown.unknowns + 1;
    const QString block =
        QStringLiteral("Блокът има %1 и %2").arg(rowCount(height), columnCount(width));
    const QString system =
        QStringLiteral("системата от %1").arg(texts::shapeWords(shown.rows, shown.unknowns));
    const QString cell = QStringLiteral("клетката на ред %1, колона %2").arg(row).arg(column);
    const QString topLeft = QStringLiteral("клетката на ред 1, колона 1");
    QString text = row > rows || column > columns
                       ? QStringLiteral("%1, а %2 е извън %3.").arg(block, cell, system)
                       : QStringLiteral("%1; %2 има място за %3 и %4 от %5.")
                             .arg(block, system, rowCount(rows - row + 1),
                                  columnCount(columns + 1 - column), cell);
    if (height <= rows && width <= columns) {
        const int lastRow = rows - height + 1;
        const int lastColumn = columns + 1 - width;
        text += lastRow == 1 && lastColumn == 1
                    ? QStringLiteral("\nПоставете го в %1.").arg(topLeft)
                    : QStringLiteral("\nПоставете го в клетка на %1, %2.")
                          .arg(upTo(QStringLiteral("ред"), lastRow),
                               upTo(QStringLiteral("колона"), lastColumn));
    } else if (height <= gauss::MaxEquations && width <= gauss::MaxUnknowns + 1) {
        text += QStringLiteral("\nПоставен в %1, той подрежда таблицата по себе си, "
                               "когато всеки ред има еднакъв брой числа.")
                    .arg(topLeft);
    } else {
        text += QStringLiteral("\nНай-голямата система, от %1, има %2 и %3.")
                    .arg(texts::shapeWords(gauss::MaxEquations, gauss::MaxUnknowns),
                         rowCount(gauss::MaxEquations), columnCount(gauss::MaxUnknowns + 1));
    }
    return text;
}

} // namespace

PastePlan PastePlan::plan(const Text &pasted, int row, int column, Shape arranged, Shape shown)
{
    PastePlan paste;
    if (!pasted.refusal.isEmpty()) {
        paste.action = Refuse;
        paste.text = pasted.refusal;
        return paste;
    }
    Block rows = pasted.equations ? pasted.rows : startingSystem(pasted.rows);
    // Some programs end a row with a separator; that says nothing of its width.
    for (QStringList &line : rows)
        while (!line.isEmpty() && line.last().isEmpty())
            line.removeLast();
    if (!pasted.equations)
        dropCaptions(rows);
    takeOwnDecimalSign(rows);

    const int entries = entryCount(rows);
    if (entries == 0)
        return paste;
    if (entries == 1) {
        paste.action = Insert;
        for (const QStringList &entry : rows)
            paste.text += entry.value(0);
        return paste;
    }
    // A whole system into the top left cell arranges its shape first, as the
    // arrange button does, unless that shape is arranged and still shown.
    const Shape shape = row == 1 && column == 1 ? systemShape(rows) : Shape();
    const int height = int(rows.size());
    int width = 0;
    for (const QStringList &line : rows)
        width = std::max(width, int(line.size()));
    if (shape.rows ||
        (row + height - 1 <= shown.rows && column + width - 1 <= shown.unknowns + 1)) {
        paste.action = Fill;
        if (shape.rows && !(shape == arranged))
            paste.arrange = shape;
        paste.cells = rows;
        paste.assumed = pasted.assumed;
        return paste;
    }
    paste.action = Refuse;
    paste.text = doesNotFit(height, width, row, column, shown);
    return paste;
}

QString PastePlan::told(Shape system) const
{
    int numbers = 0;
    for (const QStringList &row : cells)
        numbers += int(row.size());
    const QString what = numbers == system.rows * (system.unknowns + 1)
                             ? QStringLiteral("Поставена е система от %1.")
                                   .arg(texts::shapeWords(system.rows, system.unknowns))
                             : QStringLiteral("Поставени са %1 числа.").arg(numbers);
    return assumed.isEmpty() ? what : what + u' ' + assumed;
}
