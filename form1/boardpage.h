#ifndef GAUSS_BOARDPAGE_H
#define GAUSS_BOARDPAGE_H

// The working written as a class writes it, on the board and on paper alike:
// its matrices, steps and formulas laid out and painted, and the board's pages of a record.

#include "numberformat.h"
#include "record.h"

#include <QFont>
#include <QLineF>
#include <QList>
#include <QPalette>
#include <QRectF>
#include <QStringList>

class QPainter;
class QPaintDevice;

// One piece of a written expression: plain text, or text over under.
struct BoardPiece {
    QString text;
    QString under; // empty: no fraction bar
};
using BoardFormula = QList<BoardPiece>;

// Any text as the board writes it: "-8/17" as a minus before 8 over 17,
// "4/(a + 2)" as 4 over a + 2, anything else as it stands, with a true minus.
BoardFormula boardFormula(const QString &text);

// What one page draws, in the canvas's coordinates, and what it says.
struct BoardPage {
    struct Text {
        QRectF rect;
        QString text;
        bool strong = false;
    };
    struct Entry { // a number of a matrix, and what hovering it tells
        QRectF rect;
        QString tip;
    };
    QList<Text> texts;
    QList<QLineF> lines;
    QList<QRectF> rings; // the pivot
    QList<QRectF> bands; // a row that changed
    QList<Entry> entries;
    QSizeF size;
    QString heading;
    // The page for a screen reader: the heading, the operations, then the
    // matrix it ends on row by row, the unknowns named.
    QStringList spoken;
};

// The page's words as one text for a screen reader, a full stop after each line.
QString spokenText(const BoardPage &page);

// A line of a step's box in the board's short form: "ред 3 = ред 3 − 2 · ред 1"
// as "р3 − 2·р1", "ред 1 = ред 1 : (2)" as "р1 : 2"; any other line as it stands.
QString boardOperation(const QString &line);
// Whether such a line changes no row: a division or multiplication by 1,
// which a step's box lists and the board leaves out.
bool changesNothing(const QString &line);

// Paints a page in font, in palette's Text and Highlight: the board on the
// screen, the handout on paper, the copy's picture.
void paintBoardPage(QPainter &painter, const BoardPage &page, const QFont &font,
                    const QPalette &palette);

// Matrices, steps and lines of formulas laid out as the board writes them,
// measured on device (the screen where none): the board's pages and the handout's.
class BoardWriter
{
public:
    using Texts = QList<QStringList>; // rows of entries, the right-hand side last
    struct Marks {
        QList<int> rows; // changed, from 1
        int pivotRow = 0;
        int pivotColumn = 0;
    };
    struct Matrix {
        Texts texts;
        Texts tips; // what hovering each entry tells; none where empty
        Marks marks;
    };

    // width: the room a page has; a step whose two matrices do not fit side
    // by side in it stands one above the other.
    BoardWriter(const QFont &font, qreal width, QPaintDevice *device = nullptr);

    // The matrix with its top left at at; its size.
    QSizeF matrix(BoardPage &page, const Matrix &m, QPointF at) const;
    // A step below what the page holds, the operations over the arrow from
    // before to after; stacked, where before is not repeated the arrow comes
    // down from the matrix above.
    void step(BoardPage &page, const Matrix &before, const Matrix &after, QStringList ops,
              bool repeatBefore = true) const;
    // Lines of formulas one under the other from at; the bottom of the last.
    qreal lines(BoardPage &page, const QList<BoardFormula> &lines, QPointF at) const;
    QSizeF formulaSize(const BoardFormula &formula) const;
    // A heading in bold at the page's top.
    void heading(BoardPage &page, const QString &text) const;

    qreal lineHeight() const { return line; }
    qreal emWidth() const { return em; }
    qreal roomWidth() const { return width; }

private:
    // A matrix's formulas, its columns' widths and rows' heights, and its size.
    struct Grid {
        QList<QList<BoardFormula>> cells;
        QList<qreal> widths;
        QList<qreal> heights;
        QSizeF size;
    };
    Grid grid(const Texts &m) const;
    void placeMatrix(BoardPage &page, const Matrix &m, const Grid &grid, QPointF at) const;
    void placeFormula(BoardPage &page, const BoardFormula &formula, QPointF left,
                      qreal middle) const;
    qreal padding() const { return 0.6 * em; }

    QFont font;
    qreal width;
    QPaintDevice *device;
    qreal line = 0; // the height of a line of text
    qreal em = 0;
};

// A record's pages: the system, one a step, then the end with its verdict.
class BoardLayout
{
public:
    BoardLayout(const gauss::SolveRecord &record, const NumberFormat &format, const QFont &font,
                qreal width);

    // The system, each step, and the end where the working has one.
    static int pages(const gauss::SolveRecord &record)
    {
        return int(record.steps.size()) + (record.ended ? 2 : 1);
    }
    BoardPage page(int index) const;

    // A step's row operations in the short form of the board: "р2 − 3·р1",
    // "р1 : (−2)", "р1 ↔ р3"; "без промяна" where nothing changed.
    static QStringList operations(const gauss::Step &step, const NumberFormat &format);

private:
    using Numbers = QList<QList<NumberFormat::Number>>;
    Numbers numbers(int step) const; // 0: the system
    BoardWriter::Marks marks(int step) const;
    BoardWriter::Matrix shown(const Numbers &m, const BoardWriter::Marks &marks = {}) const;
    void stepPage(BoardPage &page, int step) const;
    void endPage(BoardPage &page) const;
    QList<BoardFormula> verdictLines() const;
    QStringList spokenRows(const Numbers &m) const;

    const gauss::SolveRecord &record;
    NumberFormat format;
    BoardWriter pen;
};

#endif
