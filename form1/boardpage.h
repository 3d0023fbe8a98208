#ifndef GAUSS_BOARDPAGE_H
#define GAUSS_BOARDPAGE_H

// The board's pages laid out as a class writes them: each matrix in brackets
// with the bar before the right-hand sides, fractions stacked, a step beside the one before.

#include "numberformat.h"
#include "record.h"

#include <QFont>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QStringList>

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

// A record's pages: the system, one a step, then the end with its verdict.
class BoardLayout
{
public:
    // width: the room the page has; a step whose two matrices do not fit
    // side by side in it stands one above the other.
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
    struct Marks {
        QList<int> rows; // changed, from 1
        int pivotRow = 0;
        int pivotColumn = 0;
    };
    Numbers numbers(int step) const; // 0: the system
    Marks marks(int step) const;
    // A matrix's formulas, its columns' widths and rows' heights, and its size.
    struct Grid {
        QList<QList<BoardFormula>> cells;
        QList<qreal> widths;
        QList<qreal> heights;
        QSizeF size;
    };
    Grid grid(const Numbers &m) const;
    void placeMatrix(BoardPage &page, const Numbers &m, const Grid &grid, const Marks &marks,
                     QPointF at) const;
    qreal padding() const;
    void heading(BoardPage &page, const QString &text) const;
    QSizeF formulaSize(const BoardFormula &formula) const;
    void placeFormula(BoardPage &page, const BoardFormula &formula, QPointF left,
                      qreal middle) const;
    qreal placeLines(BoardPage &page, const QList<BoardFormula> &lines, QPointF at) const;
    void stepPage(BoardPage &page, int step) const;
    void endPage(BoardPage &page) const;
    QList<BoardFormula> verdictLines() const;
    QStringList spokenRows(const Numbers &m) const;

    const gauss::SolveRecord &record;
    NumberFormat format;
    QFont font;
    qreal width;
    qreal line = 0; // the height of a line of text
    qreal em = 0;
};

#endif
