#ifndef GAUSS_GRIDCELL_H
#define GAUSS_GRIDCELL_H

// A cell of the grid: its keys, its menu and its look. The keys and the paste
// keep to the arranged system; the number is drawn whole, smaller or shortened.

#include "numberview.h"

#include <QLineEdit>
#include <functional>

// Its text is the number as written, and a second solve, copying and typing
// all see that text. At rest a text too wide for the cell is drawn in a smaller
// font, then shortened from the end with "…", so the cell shows how the number
// begins instead of scrolling to its last digits; the whole text is then its
// tooltip, and so is the exact value of a number the solve wrote, where the
// text has rounded it.
class GridCell : public QLineEdit
{
    Q_OBJECT

public:
    // What a cell needs of the grid around it; the window gives it once.
    struct Grid {
        std::function<GridCell *(int row, int column)> cellAt;
        std::function<int()> size; // the system's n: its cells are the ones moved through
        std::function<QWidget *()> afterLast; // where Enter goes from the system's last cell
        // Fills the grid from the clipboard from this cell on; false leaves the
        // paste to the line edit itself.
        std::function<bool(int row, int column)> paste;
        // Opens the grid's own menu instead of the cell's, for a resting
        // cell: true when it did.
        std::function<bool(int row, int column, const QPoint &at)> restingMenu;
    };

    GridCell(int row, int column, const Grid &grid, QWidget *parent);

    int row() const { return r; }
    int column() const { return c; }
    bool inSystem() const;
    // Tab visits the cells of the system alone; the others can still be clicked.
    void setInSystem(bool inSystem);

    // What the cell draws now, and in which font.
    QString drawnText() const { return drawing().text; }
    QFont drawnFont() const { return drawing().font; }
    bool isShortened() const { return drawnText() != text(); }

    // The exact value of the text just written; forgotten once the text changes.
    void setExactValue(const mpq_class &value) { exact.set(text(), value); }
    void forgetExactValue() { exact.forget(); }
    QString exactDescription() const { return exact.description(text()); }
    // What the cell holds: the exact value the solve wrote, until typed over.
    const mpq_class *exactValue() const { return exact.valueOf(text()); }

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Drawing {
        QString text;
        QFont font;
        QRect place;      // where the text goes, inside the frame and margins
        bool own = false; // false: the line edit draws itself
    };
    Drawing drawing() const;
    void moveTo(GridCell *cell);
    void pasteHere();

    int r;
    int c;
    Grid grid;
    ExactNote exact;
    mutable NumberFit fit;
};

#endif
