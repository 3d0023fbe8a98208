#include "boardworking.h"

#include "fonts.h"
#include "rownotation.h"
#include "sharedtexts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace
{

// Whether a step's lines are the row operations that made its matrix from
// the one before: it is then drawn as the board draws a step.
bool madeByRows(const Working::Block &before, const Working::Step &step)
{
    const auto width = [](const Working::Block &m) { return m.isEmpty() ? 0 : m[0].size(); };
    if (before.isEmpty() || before.size() != step.matrix.size() ||
        width(before) != width(step.matrix))
        return false;
    return std::all_of(step.operations.begin(), step.operations.end(), [&](const QString &line) {
        for (int c = 1; c < width(before); ++c)
            if (line == texts::freeColumn(c))
                return true;
        return line == RowNotation::Unchanged || boardOperation(line) != line;
    });
}

// The operations over a step's arrow as the board writes them, and the rows
// they changed, marked as the board marks them.
QStringList boardOperations(const QStringList &lines, BoardWriter::Marks &marks)
{
    QStringList ops;
    for (const QString &line : lines) {
        if (changesNothing(line))
            continue;
        const RowNotation::Reading read = RowNotation::read(line);
        ops << boardOperation(line);
        if (read.problem != RowNotation::Reading::None)
            continue;
        marks.rows << read.operation.row;
        if (read.operation.kind == gauss::RowOperation::Exchange)
            marks.rows << read.operation.other;
    }
    return ops.isEmpty() ? QStringList{RowNotation::Unchanged.toString()} : ops;
}

// A text of a value, its words set apart from its number: "точно 7/3".
BoardFormula valueFormula(const QString &text)
{
    const qsizetype space = text.lastIndexOf(u' ');
    if (space < 0)
        return boardFormula(text);
    return BoardFormula{{text.left(space + 1), QString()}} << boardFormula(text.mid(space + 1));
}

BoardPage matrixAlone(const BoardWriter &pen, const BoardWriter::Matrix &m)
{
    BoardPage drawing;
    if (!m.texts.isEmpty())
        drawing.size =
            pen.matrix(drawing, m, QPointF(pen.emWidth(), 0)) + QSizeF(2 * pen.emWidth(), 0);
    return drawing;
}

// Each unknown on a line: its name, its value and, where the value rounds
// it, its exact value, fractions stacked.
BoardPage solution(const Working::Record &record, const BoardWriter &pen)
{
    QList<BoardFormula> lines;
    for (int r = 0; r < record.names.size(); ++r) {
        lines << (BoardFormula{{record.names[r] + u' ', QString()}}
                  << valueFormula(record.values.value(r)));
        if (!record.exactValues.value(r).isEmpty())
            lines.last() << BoardPiece{QStringLiteral("   "), QString()}
                         << valueFormula(record.exactValues[r]);
    }
    BoardPage drawing;
    drawing.size.setHeight(pen.lines(drawing, lines, QPointF(pen.emWidth(), 0)));
    return drawing;
}

} // namespace

QPalette paperPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Highlight, Qt::gray);
    return palette;
}

QList<BoardPart> boardParts(const Working::Record &record, const BoardWriter &pen)
{
    QList<BoardPart> parts;
    if (!record.system.isEmpty())
        parts << BoardPart{Working::systemHeading, {}, matrixAlone(pen, {record.system, {}, {}})};
    const Working::Block *before = &record.system;
    for (const Working::Step &step : record.steps) {
        BoardWriter::Matrix after{step.matrix, {}, {}};
        if (madeByRows(*before, step)) {
            parts << BoardPart{step.prompt, {}, {}};
            const QStringList ops = boardOperations(step.operations, after.marks);
            pen.step(parts.last().drawing, {*before, {}, {}}, after, ops, false);
        } else {
            parts << BoardPart{step.prompt, step.operations, matrixAlone(pen, after)};
        }
        before = &step.matrix;
    }
    if (!record.report.isEmpty())
        parts << BoardPart{QString(), record.report, {}};
    if (!record.names.isEmpty())
        parts << BoardPart{Working::solutionHeading, {}, solution(record, pen)};
    if (!record.afterSolution.isEmpty())
        parts << BoardPart{QString(), record.afterSolution, {}};
    return parts;
}

QList<BoardPart> workingParts(const Working &working, NumberFormat::View view, const QFont &font,
                              qreal width)
{
    Working shown = working;
    shown.setView(view);
    return boardParts(shown.record(), BoardWriter(font, width));
}

BoardPage boardPage(const BoardPart &part, const BoardWriter &pen)
{
    BoardPage page;
    pen.heading(page, part.caption);
    qreal y = page.size.height();
    QList<BoardFormula> lines;
    for (const QString &line : part.words)
        lines << BoardFormula{{line, QString()}};
    if (!lines.isEmpty())
        y = pen.lines(page, lines, QPointF(pen.emWidth(), y)) + pen.lineHeight() / 2;
    page.spoken << part.words;
    const BoardPage &d = part.drawing;
    const QPointF down(0, y);
    for (BoardPage::Text text : d.texts) {
        text.rect.translate(down);
        page.texts << text;
    }
    for (const QLineF &line : d.lines)
        page.lines << line.translated(down);
    for (const QRectF &ring : d.rings)
        page.rings << ring.translated(down);
    for (const QRectF &band : d.bands)
        page.bands << band.translated(down);
    for (BoardPage::Entry entry : d.entries) {
        entry.rect.translate(down);
        page.entries << entry;
    }
    page.spoken << d.spoken;
    for (const BoardPage::Text &text : page.texts)
        page.size.setWidth(std::max(page.size.width(), text.rect.right() + pen.emWidth()));
    page.size =
        QSizeF(std::max(page.size.width(), d.size.width()), y + d.size.height() + pen.lineHeight());
    return page;
}

QImage boardPicture(const Working::Record &record)
{
    // In pixels, so that the picture is the same on every screen.
    constexpr int TextPixels = 16;
    constexpr int Widest = 2400;
    constexpr qint64 Largest = 24'000'000; // pixels: a clipboard of about 100 MB
    QFont font;
    font.setFamilies(fonts::handout());
    font.setPixelSize(TextPixels);
    const BoardWriter pen(font, Widest);
    QList<BoardPage> pages;
    QSizeF size;
    for (const BoardPart &part : boardParts(record, pen)) {
        QList<BoardFormula> lines;
        const QStringList all = QStringList(part.caption) + part.words;
        for (const QString &line : all)
            if (!line.isEmpty())
                lines << BoardFormula{{line, QString()}};
        BoardPage words;
        words.size.setHeight(lines.isEmpty() ? 0
                                             : pen.lines(words, lines, QPointF(pen.emWidth(), 0)));
        if (!part.caption.isEmpty()) { // measured again in bold
            QFont bold = font;
            bold.setBold(true);
            BoardPage::Text &caption = words.texts.first();
            caption.strong = true;
            caption.rect.setWidth(QFontMetricsF(bold).horizontalAdvance(caption.text));
            words.size.setWidth(std::max(words.size.width(), caption.rect.right() + pen.emWidth()));
        }
        for (const BoardPage &page : {words, part.drawing}) {
            pages << page;
            size = QSizeF(std::max(size.width(), page.size.width()),
                          size.height() + page.size.height());
        }
        size.rheight() += pen.lineHeight();
        pages.last().size.rheight() += pen.lineHeight();
    }
    const QSize pixels = (size + QSizeF(pen.emWidth(), 0)).toSize();
    if (qint64(pixels.width()) * pixels.height() > Largest)
        return QImage();
    QImage picture(pixels, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    for (const BoardPage &page : pages) {
        paintBoardPage(painter, page, font, paperPalette());
        painter.translate(0, page.size.height());
    }
    return picture;
}
