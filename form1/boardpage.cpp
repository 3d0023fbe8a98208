#include "boardpage.h"

#include "exactwords.h"
#include "numbertext.h"
#include "rownotation.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace
{

const QString trueMinus = QStringLiteral("−");

QString withTrueMinus(QString text)
{
    return text.replace(u'-', trueMinus);
}

// text without one pair of brackets around the whole of it.
QString unbracketed(const QString &text)
{
    if (!text.startsWith(u'(') || !text.endsWith(u')'))
        return text;
    int depth = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        depth += text[i] == u'(' ? 1 : text[i] == u')' ? -1 : 0;
        if (depth == 0)
            return text; // "(a)/(b)": the first bracket closes early
    }
    return text.mid(1, text.size() - 2).trimmed();
}

QString rowName(int row)
{
    return QStringLiteral("р%1").arg(row);
}

// The multiplier as the view writes it, without its sign; bracketed where
// it would otherwise run into the sign before it.
QString factorText(const gauss::RowOp &op, const NumberFormat &format, bool bracketed)
{
    const QString text =
        format.text(std::fabs(op.factor), mpq_class(abs(op.exact))).replace(u'-', trueMinus);
    return bracketed && text.contains(u'/') ? u'(' + text + u')' : text;
}

bool negative(const gauss::RowOp &op)
{
    return std::isnan(op.factor) ? op.exact < 0 : op.factor < 0;
}

// Whether the operation changed its row, as the view writes its multiplier.
bool changes(const gauss::RowOp &op, const NumberFormat &format)
{
    if (op.kind == gauss::RowOp::Exchange)
        return true;
    const QString factor = factorText(op, format, false);
    if (op.kind == gauss::RowOp::Divide || op.kind == gauss::RowOp::Multiply)
        return factor != u"1" || negative(op);
    return factor != u"0";
}

struct Metrics {
    QFontMetricsF fm;
    qreal line;
    qreal em;
    Metrics(const QFont &font, const QPaintDevice *device)
        : fm(font, device), line(fm.height()), em(fm.horizontalAdvance(QStringLiteral("0")) * 1.2)
    {
    }
    qreal width(const BoardPiece &piece) const
    {
        if (piece.under.isEmpty())
            return fm.horizontalAdvance(piece.text);
        return std::max(fm.horizontalAdvance(piece.text), fm.horizontalAdvance(piece.under)) +
               0.4 * em;
    }
    qreal fractionHeight() const { return 2.3 * line; }
};

qreal widest(const QStringList &lines, const QFontMetricsF &fm)
{
    qreal w = 0;
    for (const QString &line : lines)
        w = std::max(w, fm.horizontalAdvance(line));
    return w;
}

// Beside a downward arrow the operations stand as many on a line as room takes.
QStringList onLines(QStringList ops, const QFontMetricsF &fm, qreal room)
{
    for (qsizetype i = 1; i < ops.size();) {
        const QString joined = ops[i - 1] + QStringLiteral(";   ") + ops[i];
        if (fm.horizontalAdvance(joined) > room) {
            ++i;
            continue;
        }
        ops[i - 1] = joined;
        ops.removeAt(i);
    }
    return ops;
}

} // namespace

QString spokenText(const BoardPage &page)
{
    QString text;
    for (const QString &line : page.spoken)
        text += line + (line.endsWith(u'.') || line.endsWith(u':') ? QStringLiteral(" ")
                                                                   : QStringLiteral(". "));
    return text.trimmed();
}

QString boardOperation(const QString &line)
{
    const QString row = RowNotation::Row.toString();
    // Read by its words alone: the reader takes no exponent, which the
    // multipliers of the seven digits can have.
    static const QRegularExpression same(
        QStringLiteral("^%1 (\\d+) %2 %1 \\1 ").arg(row, RowNotation::Becomes.toString()));
    static const QRegularExpression plainDivisor(QStringLiteral(": \\(([^()/−-]+)\\)$"));
    QString text = line.trimmed();
    if (!text.startsWith(row + u' '))
        return line;
    text.replace(same, row + QStringLiteral(" \\1 "))
        .replace(row + u' ', QStringLiteral("р"))
        .replace(QStringLiteral(" %1 ").arg(RowNotation::Times), RowNotation::Times.toString())
        .replace(plainDivisor, QStringLiteral(": \\1"));
    return withTrueMinus(text);
}

bool changesNothing(const QString &line)
{
    const RowNotation::Reading read = RowNotation::read(line);
    return read.problem == RowNotation::Reading::None && read.operation.factor == 1 &&
           (read.operation.kind == gauss::RowOperation::Divide ||
            read.operation.kind == gauss::RowOperation::Multiply);
}

BoardFormula boardFormula(const QString &text)
{
    const QString whole = text.trimmed();
    int depth = 0;
    qsizetype bar = -1;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (whole[i] == u'(')
            ++depth;
        else if (whole[i] == u')')
            --depth;
        else if (whole[i] == u'/' && depth == 0)
            bar = bar < 0 ? i : -2; // a second bar at the top: left as it stands
    }
    if (bar <= 0 || bar == whole.size() - 1)
        return {{withTrueMinus(whole), QString()}};
    QString over = whole.left(bar).trimmed();
    BoardFormula formula;
    if (over.startsWith(u'-') || over.startsWith(trueMinus)) {
        formula << BoardPiece{trueMinus, QString()};
        over = over.mid(1).trimmed();
    }
    formula << BoardPiece{withTrueMinus(unbracketed(over)),
                          withTrueMinus(unbracketed(whole.mid(bar + 1).trimmed()))};
    return formula;
}

void paintBoardPage(QPainter &p, const BoardPage &page, const QFont &font, const QPalette &palette)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF fm(font, p.device());
    QColor band = palette.color(QPalette::Highlight);
    band.setAlpha(60);
    for (const QRectF &rect : page.bands)
        p.fillRect(rect, band);
    p.setPen(QPen(palette.color(QPalette::Highlight), std::max(2.0, fm.height() / 9)));
    for (const QRectF &rect : page.rings)
        p.drawRoundedRect(rect, fm.height() / 3, fm.height() / 3);
    p.setPen(QPen(palette.color(QPalette::Text), std::max(1.5, fm.height() / 16)));
    p.drawLines(page.lines);
    QFont strong = font;
    strong.setBold(true);
    for (const BoardPage::Text &text : page.texts) {
        p.setFont(text.strong ? strong : font);
        p.drawText(text.rect, Qt::AlignCenter | Qt::TextDontClip, text.text);
    }
    p.restore();
}

BoardWriter::BoardWriter(const QFont &font, qreal width, QPaintDevice *device)
    : font(font), width(width), device(device)
{
    const Metrics m(font, device);
    line = m.line;
    em = m.em;
}

BoardLayout::BoardLayout(const gauss::SolveRecord &record, const NumberFormat &format,
                         const QFont &font, qreal width)
    : record(record), format(format), pen(font, width)
{
}

QStringList BoardLayout::operations(const gauss::Step &step, const NumberFormat &format)
{
    if (step.freeColumn)
        return {QStringLiteral("x%1 — свободно").arg(step.freeColumn)};
    QStringList lines;
    for (const gauss::RowOp &op : step.ops) {
        if (!changes(op, format))
            continue;
        const QString row = rowName(op.row);
        if (op.kind == gauss::RowOp::Exchange) {
            lines << row + QStringLiteral(" ↔ ") + rowName(op.other);
        } else if (op.kind == gauss::RowOp::Divide || op.kind == gauss::RowOp::Multiply) {
            const QString by = factorText(op, format, false);
            lines << row +
                         (op.kind == gauss::RowOp::Divide ? QStringLiteral(" : ")
                                                          : QStringLiteral(" · ")) +
                         (negative(op)        ? QStringLiteral("(−%1)").arg(by)
                          : by.contains(u'/') ? u'(' + by + u')'
                                              : by);
        } else {
            const QString factor = factorText(op, format, false);
            lines << row + (negative(op) ? QStringLiteral(" + ") : QStringLiteral(" − ")) +
                         (factor == u"1" ? QString() : factor + QStringLiteral("·")) +
                         rowName(op.other);
        }
    }
    return lines.isEmpty() ? QStringList{QStringLiteral("без промяна")} : lines;
}

BoardLayout::Numbers BoardLayout::numbers(int step) const
{
    Numbers rows;
    for (int r = 1; r <= record.rows; ++r) {
        rows.append(QList<NumberFormat::Number>());
        for (int c = 1; c <= record.unknowns + 1; ++c)
            rows.last() << (step == 0
                                ? NumberFormat::ofWorking(NAN, record.system[r][c])
                                : NumberFormat::ofWorking(record.steps[step - 1].single[r][c],
                                                          record.steps[step - 1].exact[r][c]));
    }
    return rows;
}

// The rows a step changed, and its pivot: the row it divided, or else the
// row whose multiples it took; in the column where that row now leads.
BoardWriter::Marks BoardLayout::marks(int step) const
{
    BoardWriter::Marks marks;
    const gauss::RecordStep &made = record.steps[step - 1];
    int eliminatedBy = 0;
    for (const gauss::RowOp &op : made.step.ops) {
        if (op.kind == gauss::RowOp::Divide || op.kind == gauss::RowOp::Multiply)
            marks.pivotRow = op.row;
        if (op.kind == gauss::RowOp::Eliminate)
            eliminatedBy = op.other;
        if (!changes(op, format))
            continue;
        marks.rows << op.row;
        if (op.kind == gauss::RowOp::Exchange)
            marks.rows << op.other;
    }
    if (made.step.freeColumn)
        return marks;
    if (!marks.pivotRow)
        marks.pivotRow = eliminatedBy;
    for (int c = 1; c <= record.unknowns && marks.pivotRow && !marks.pivotColumn; ++c)
        if (made.exact[marks.pivotRow][c] != 0)
            marks.pivotColumn = c;
    return marks;
}

// The entries as the view writes them, each with its exact value and decimal.
BoardWriter::Matrix BoardLayout::shown(const Numbers &m, const BoardWriter::Marks &marks) const
{
    const NumberFormat fractions(NumberFormat::Fractions);
    BoardWriter::Matrix matrix{{}, {}, marks};
    for (const QList<NumberFormat::Number> &row : m) {
        matrix.texts.append(QStringList());
        matrix.tips.append(QStringList());
        for (const NumberFormat::Number &number : row) {
            matrix.texts.last() << format.text(number);
            matrix.tips.last() << QStringLiteral("точно: %1\nдесетично: %2")
                                      .arg(fractions.text(number), number.decimal);
        }
    }
    return matrix;
}

QSizeF BoardWriter::formulaSize(const BoardFormula &formula) const
{
    const Metrics m(font, device);
    QSizeF size(0, line);
    for (const BoardPiece &piece : formula) {
        size.rwidth() += m.width(piece);
        if (!piece.under.isEmpty())
            size.setHeight(m.fractionHeight());
    }
    return size;
}

void BoardWriter::placeFormula(BoardPage &page, const BoardFormula &formula, QPointF left,
                               qreal middle) const
{
    const Metrics m(font, device);
    qreal x = left.x();
    for (const BoardPiece &piece : formula) {
        const qreal w = m.width(piece);
        if (piece.under.isEmpty()) {
            page.texts << BoardPage::Text{QRectF(x, middle - line / 2, w, line), piece.text};
        } else {
            page.texts << BoardPage::Text{QRectF(x, middle - 1.15 * line, w, line), piece.text};
            page.lines << QLineF(x + 0.1 * em, middle, x + w - 0.1 * em, middle);
            page.texts << BoardPage::Text{QRectF(x, middle + 0.15 * line, w, line), piece.under};
        }
        x += w;
    }
}

BoardWriter::Grid BoardWriter::grid(const Texts &m) const
{
    Grid grid;
    const qsizetype columns = m.isEmpty() ? 0 : m[0].size();
    grid.widths.fill(0, columns);
    for (const QStringList &row : m) {
        grid.cells.append(QList<BoardFormula>());
        qreal height = line;
        for (qsizetype c = 0; c < row.size() && c < columns; ++c) {
            grid.cells.last() << boardFormula(row[c]);
            const QSizeF size = formulaSize(grid.cells.last().last());
            grid.widths[c] = std::max(grid.widths[c], size.width());
            height = std::max(height, size.height());
        }
        grid.heights << height;
    }
    const Metrics metrics(font, device);
    qreal w = 2 * padding() + metrics.fm.horizontalAdvance(QStringLiteral("←")) + 0.4 * em;
    for (qsizetype c = 0; c < columns; ++c)
        w += grid.widths[c] + (c == 0 ? 0 : c == columns - 1 ? 1.6 * em : em);
    qreal h = 0.5 * line;
    for (const qreal height : grid.heights)
        h += height;
    grid.size = QSizeF(w, h + 0.4 * line * std::max<qsizetype>(0, grid.heights.size() - 1));
    return grid;
}

QSizeF BoardWriter::matrix(BoardPage &page, const Matrix &m, QPointF at) const
{
    const Grid g = grid(m.texts);
    placeMatrix(page, m, g, at);
    return g.size;
}

void BoardWriter::placeMatrix(BoardPage &page, const Matrix &m, const Grid &grid, QPointF at) const
{
    const qreal top = at.y();
    const qreal bottom = top + grid.size.height();
    const qreal left = at.x();
    const qreal arm = 0.35 * em;
    qreal right = left + padding();
    qreal bar = 0;
    QList<qreal> lefts;
    for (qsizetype c = 0; c < grid.widths.size(); ++c) {
        if (c > 0 && c == grid.widths.size() - 1) {
            bar = right + 0.8 * em;
            right += 1.6 * em;
        } else if (c > 0) {
            right += em;
        }
        lefts << right;
        right += grid.widths[c];
    }
    right += padding();
    qreal y = top + 0.25 * line;
    for (qsizetype r = 0; r < grid.cells.size(); ++r) {
        const qreal height = grid.heights[r];
        const qreal middle = y + height / 2;
        if (m.marks.rows.contains(int(r) + 1)) {
            page.bands << QRectF(left + arm, y - 0.15 * line, right - left - 2 * arm,
                                 height + 0.3 * line);
            page.texts << BoardPage::Text{QRectF(right + 0.4 * em, middle - line / 2,
                                                 grid.size.width() - (right - left) - 0.4 * em,
                                                 line),
                                          QStringLiteral("←")};
        }
        for (qsizetype c = 0; c < grid.cells[r].size(); ++c) {
            const QRectF cell(lefts[c], y, grid.widths[c], height);
            const qreal w = formulaSize(grid.cells[r][c]).width();
            placeFormula(page, grid.cells[r][c], QPointF(lefts[c] + (grid.widths[c] - w) / 2, y),
                         middle);
            if (r < m.tips.size() && c < m.tips[r].size())
                page.entries << BoardPage::Entry{cell, m.tips[r][c]};
            if (m.marks.pivotRow == r + 1 && m.marks.pivotColumn == c + 1) {
                const qreal wider = std::max(0.3 * em, (height - grid.widths[c]) / 2);
                page.rings << cell.adjusted(-wider, -0.1 * line, wider, 0.1 * line);
            }
        }
        y += height + 0.4 * line;
    }
    for (const qreal x : {left, right}) {
        const qreal arm1 = x == left ? arm : -arm;
        page.lines << QLineF(x + arm1, top, x, top) << QLineF(x, top, x, bottom)
                   << QLineF(x, bottom, x + arm1, bottom);
    }
    if (bar > 0)
        page.lines << QLineF(bar, top + 0.1 * line, bar, bottom - 0.1 * line);
}

qreal BoardWriter::lines(BoardPage &page, const QList<BoardFormula> &lines, QPointF at) const
{
    qreal y = at.y();
    for (const BoardFormula &formula : lines) {
        const QSizeF size = formulaSize(formula);
        placeFormula(page, formula, QPointF(at.x(), y), y + size.height() / 2);
        page.size.setWidth(std::max(page.size.width(), at.x() + size.width() + em));
        y += size.height() + 0.2 * line;
    }
    return y;
}

QStringList BoardLayout::spokenRows(const Numbers &m) const
{
    QStringList rows;
    for (qsizetype r = 0; r < m.size(); ++r) {
        QStringList entries;
        for (qsizetype c = 0; c < m[r].size(); ++c)
            entries << (c + 1 < m[r].size() ? QStringLiteral("x%1 коефициент %2").arg(c + 1)
                                            : QStringLiteral("дясна страна %1"))
                           .arg(format.text(m[r][c]));
        rows << QStringLiteral("ред %1: %2").arg(r + 1).arg(entries.join(QStringLiteral(", ")));
    }
    return rows;
}

void BoardWriter::heading(BoardPage &page, const QString &text) const
{
    page.heading = text;
    page.spoken << text;
    QFont strong = font;
    strong.setBold(true);
    const qreal w = QFontMetricsF(strong, device).horizontalAdvance(text);
    page.texts << BoardPage::Text{QRectF(em, 0.5 * line, w, line), text, true};
    page.size = QSizeF(w + 2 * em, 2 * line);
}

BoardPage BoardLayout::page(int index) const
{
    BoardPage page;
    const int last = pages(record) - 1;
    const Numbers system = numbers(0);
    if (index <= 0) {
        pen.heading(page, QStringLiteral("Системата"));
        const QSizeF size =
            pen.matrix(page, shown(system), QPointF(pen.emWidth(), page.size.height()));
        page.size = QSizeF(std::max(page.size.width(), size.width() + 2 * pen.emWidth()),
                           page.size.height() + size.height() + pen.lineHeight());
        page.spoken << spokenRows(system);
    } else if (index < last || (!record.ended && index <= int(record.steps.size()))) {
        stepPage(page, index);
    } else {
        endPage(page);
    }
    return page;
}

void BoardLayout::stepPage(BoardPage &page, int step) const
{
    const gauss::Step &made = record.steps[step - 1].step;
    const QString kind = record.own     ? QStringLiteral("реши сам")
                         : made.forward ? QStringLiteral("прав ход")
                                        : QStringLiteral("обратен ход");
    pen.heading(
        page, QStringLiteral("Стъпка %1 от %2 (%3)").arg(step).arg(record.steps.size()).arg(kind));
    const Numbers after = numbers(step);
    const BoardWriter::Marks marked = marks(step);
    // Where no rows were exchanged, the pivot stood in the same place before.
    BoardWriter::Marks pivotBefore;
    if (std::none_of(made.ops.begin(), made.ops.end(),
                     [](const gauss::RowOp &op) { return op.kind == gauss::RowOp::Exchange; }))
        pivotBefore = {{}, marked.pivotRow, marked.pivotColumn};
    const QStringList ops = operations(made, format);
    page.spoken << ops;
    pen.step(page, shown(numbers(step - 1), pivotBefore), shown(after, marked), ops);
    page.spoken << spokenRows(after);
}

void BoardWriter::step(BoardPage &page, const Matrix &before, const Matrix &after, QStringList ops,
                       bool repeatBefore) const
{
    const Grid was = grid(before.texts);
    const Grid is = grid(after.texts);
    const Metrics m(font, device);
    const bool beside =
        4 * em + was.size.width() + std::max(widest(ops, m.fm) + em, 3 * em) + is.size.width() <=
        width;
    if (!beside)
        ops = onLines(ops, m.fm, width - 5 * em);
    const qreal opsWidth = widest(ops, m.fm);
    const qreal opsHeight = ops.size() * line;
    const qreal arrow = std::max(opsWidth + em, 3 * em);
    const qreal top = page.size.height();
    auto opLines = [&](qreal x, qreal bottom) {
        for (qsizetype i = 0; i < ops.size(); ++i)
            page.texts << BoardPage::Text{
                QRectF(x, bottom - (ops.size() - i) * line, m.fm.horizontalAdvance(ops[i]), line),
                ops[i]};
    };
    if (beside) {
        const qreal middle =
            top + std::max({was.size.height() / 2, is.size.height() / 2, opsHeight + 0.5 * line});
        const qreal from = em + was.size.width() + 0.5 * em;
        placeMatrix(page, before, was, QPointF(em, middle - was.size.height() / 2));
        placeMatrix(page, after, is,
                    QPointF(from + arrow + 0.5 * em, middle - is.size.height() / 2));
        page.lines << QLineF(from, middle, from + arrow, middle)
                   << QLineF(from + arrow - 0.5 * em, middle - 0.3 * em, from + arrow, middle)
                   << QLineF(from + arrow - 0.5 * em, middle + 0.3 * em, from + arrow, middle);
        opLines(from + (arrow - opsWidth) / 2, middle - 0.2 * line);
        page.size = QSizeF(std::max(page.size.width(), from + arrow + is.size.width() + 1.5 * em),
                           middle + std::max(was.size.height(), is.size.height()) / 2 + line);
        return;
    }
    if (repeatBefore)
        placeMatrix(page, before, was, QPointF(em, top));
    const qreal x = 2.5 * em;
    const qreal from = repeatBefore ? top + was.size.height() + 0.3 * line : top;
    const qreal to = from + std::max(opsHeight + 0.6 * line, 2 * line);
    page.lines << QLineF(x, from, x, to) << QLineF(x - 0.3 * em, to - 0.5 * em, x, to)
               << QLineF(x + 0.3 * em, to - 0.5 * em, x, to);
    opLines(x + em, (from + to + opsHeight) / 2);
    placeMatrix(page, after, is, QPointF(em, to + 0.3 * line));
    page.size = QSizeF(std::max({page.size.width(), (repeatBefore ? was.size.width() : 0) + 2 * em,
                                 is.size.width() + 2 * em, x + 2 * em + opsWidth}),
                       to + 0.3 * line + is.size.height() + line);
}

// "x1 = 2 − 3/2·x3": the constant, then each term with its sign, the
// fractions stacked.
static BoardFormula boundValue(const gauss::BoundUnknown &unknown)
{
    BoardFormula formula{{QStringLiteral("x%1 = ").arg(unknown.unknown), QString()}};
    if (unknown.constant != 0 || unknown.terms.empty())
        formula << boardFormula(gauss::fractionText(unknown.constant));
    for (const gauss::Term &term : unknown.terms) {
        const bool first = formula.size() == 1;
        const QString sign = term.coefficient < 0 ? (first ? trueMinus : u' ' + trueMinus + u' ')
                                                  : (first ? QString() : QStringLiteral(" + "));
        if (!sign.isEmpty())
            formula << BoardPiece{sign, QString()};
        const mpq_class size = abs(term.coefficient);
        if (size != 1)
            formula << boardFormula(gauss::fractionText(size))
                    << BoardPiece{QStringLiteral("·"), QString()};
        formula << BoardPiece{QStringLiteral("x%1").arg(term.unknown), QString()};
    }
    return formula;
}

// What the end says under its matrix: the ranks, then the values, the row
// that reads 0 = c, or the general solution. A general solution is exact in
// either view: its coefficients rounded would describe other solutions.
QList<BoardFormula> BoardLayout::verdictLines() const
{
    const gauss::Verdict &verdict = record.verdict;
    const QStringList words = verdictWords(verdict, record.unknowns);
    QList<BoardFormula> lines;
    for (const QString &rank : words.mid(1, 2))
        lines << BoardFormula{{rank, QString()}};
    switch (verdict.kind) {
    case gauss::Verdict::One: // side by side, as many as the width takes
        lines << BoardFormula();
        for (int c = 1; c <= record.unknowns; ++c) {
            BoardFormula value{{QStringLiteral("x%1 = ").arg(c), QString()}};
            value << boardFormula(format.text(NumberFormat::ofAnswer(verdict.x[std::size_t(c)])));
            if (!lines.last().isEmpty()) {
                const BoardFormula gap{{QStringLiteral(";   "), QString()}};
                if (pen.formulaSize(lines.last() + gap + value).width() + 2 * pen.emWidth() >
                    pen.roomWidth())
                    lines << BoardFormula();
                else
                    lines.last() << gap;
            }
            lines.last() << value;
        }
        break;
    case gauss::Verdict::None:
        lines << (BoardFormula{{QStringLiteral("ред %1: 0 = ").arg(verdict.contradiction), {}}}
                  << boardFormula(
                         format.text(NumberFormat::ofWorking(NAN, verdict.contradictionValue))));
        break;
    case gauss::Verdict::Many:
        lines << BoardFormula{{words.value(3), QString()}};
        for (const gauss::BoundUnknown &unknown : verdict.ranks.bound)
            lines << boundValue(unknown);
        for (const QString &more : words.mid(4 + int(verdict.ranks.bound.size())))
            lines << BoardFormula{{more, QString()}};
        break;
    }
    return lines;
}

void BoardLayout::endPage(BoardPage &page) const
{
    const QStringList words = verdictWords(record.verdict, record.unknowns);
    const bool stopped = record.sevenDigits && record.end.result != gauss::SolveResult::Solved &&
                         record.end.result != gauss::SolveResult::Refused;
    pen.heading(page, stopped
                          ? QStringLiteral("Седемте цифри спряха на стъпка %1; точното решение:")
                                .arg(record.end.step)
                          : words.value(0));
    const Numbers last = numbers(int(record.steps.size()));
    const qreal em = pen.emWidth();
    const QSizeF size = pen.matrix(page, shown(last), QPointF(em, page.size.height()));
    page.size.setWidth(std::max(page.size.width(), size.width() + 2 * em));
    const qreal bottom = pen.lines(
        page, verdictLines(), QPointF(em, page.size.height() + size.height() + pen.lineHeight()));
    page.size.setHeight(bottom + pen.lineHeight());
    page.spoken << spokenRows(last) << words.mid(1);
}
