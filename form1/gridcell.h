#ifndef GAUSS_GRIDCELL_H
#define GAUSS_GRIDCELL_H

// A cell of the grid: its keys and menu, which keep to the system the window
// says it is in, and its look: the number drawn whole, smaller or shortened.

#include "numberview.h"

#include <QLineEdit>
#include <functional>

class QMenu;

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
        // A cell of the grid, or nullptr past its edge.
        std::function<GridCell *(int row, int column)> cellAt;
        std::function<QWidget *()> afterLast; // where Enter goes from the system's last cell
        // Fills the grid from the clipboard from this cell on; false leaves the
        // paste to the line edit itself.
        std::function<bool(int row, int column)> paste;
        // Adds the grid's own entries to menu: a cell of the system shows them
        // below its edit entries, and one outside the system them alone.
        std::function<void(QMenu *menu)> gridMenu;
    };

    GridCell(int row, int column, const Grid &grid, QWidget *parent);

    // Whether the cell is one of the system's, which the window decides: Tab,
    // Enter and the arrows visit those alone, and the others, which can still
    // be clicked, are part of the grid's green and open its menu.
    bool inSystem() const { return system; }
    // unknowns: how many the system has, which name its columns to a
    // screen reader.
    void setInSystem(bool inSystem, int unknowns);

    // What a screen reader calls a cell: "ред 2, x3", "ред 2, дясна страна";
    // past the system's columns, or with none (unknowns 0), "ред 2, колона 5".
    static QString spokenName(int row, int column, int unknowns);
    static QString columnName(int column, int unknowns);

    // What the cell draws now, and in which font.
    QString drawnText() const { return drawing().text; }
    QFont drawnFont() const { return drawing().font; }
    bool isShortened() const { return drawnText() != text(); }

    // Shows a number of the working as format writes it; the other view's
    // text is a hover away. Forgotten once the text changes.
    void setNumber(const NumberFormat &format, const NumberFormat::Number &number);
    // The number written, shown again as format writes it; a text the user
    // typed stays as it is.
    void setView(const NumberFormat &format);
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
    GridCell *systemCell(int row, int column) const;
    void pasteHere();
    void openMenu(const QPoint &at);

    int r;
    int c;
    bool system = false;
    Grid grid;
    ExactNote exact;
    mutable NumberFit fit;
};

#endif
