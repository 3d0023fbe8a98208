#ifndef GAUSS_PASTEPLAN_H
#define GAUSS_PASTEPLAN_H

// A block pasted into the grid: the clipboard's text split into rows of
// entries, and the plan of what the window does with it.

#include "working.h"

// What the window does with a block pasted into the cell at row, column.
class PastePlan
{
public:
    using Block = Working::Block;

    // The clipboard's text split as a spreadsheet, a text editor or a
    // worksheet lays a system out. Rows are lines (\n or \r\n; blank lines at
    // the end dropped). Entries are separated by tabs; in text without a tab,
    // by semicolons; in text without either, by runs of blanks, or under a
    // decimal point by commas ("2,1,-1,8"). A lone "|" is dropped, so that
    // "2 1 -1 | 8" reads as four entries. A row in brackets, "[2 1 -1 8]",
    // "(2, 1, -1, 8)" or a matrix's "[[2,1,-1,8],[...]]", is its entries.
    // Equations, "2x + y − z = 8" or "2x1 + x2 − x3 = 8", one a line, are
    // their coefficients in the order of their unknowns (x y z t u v w, or x1
    // … x9), 0 for a missing one, and the right-hand side. Nothing is read
    // as a number here but to tell what a text is: the solve reads and
    // reports the cells. A text that cannot be read whole is refused.
    struct Text {
        Block rows;
        QString refusal; // why the text is not pasted at all
        QString assumed; // what the reading took for granted, to be said
        bool equations = false;
    };
    static Text pasted();
    static Text rows(const QString &text);

    // m equations in n unknowns; no system where rows is 0.
    struct Shape {
        int rows = 0;
        int unknowns = 0;
        bool operator==(const Shape &o) const { return rows == o.rows && unknowns == o.unknowns; }
    };

    // The block is read as people copy one: the system at the head of the
    // program's own working, a first row or column of captions skipped, decimal
    // signs that are all the other one ("2.5" under a decimal comma) made the
    // user's. A block of m even rows of k entries pasted into the top left
    // cell arranges m equations in k - 1 unknowns; otherwise no entry lands in
    // a cell outside the system. shown is the system's shape, arranged the
    // shape whose block the grid shows (none once cleared).
    static PastePlan plan(const Text &pasted, int row, int column, Shape arranged, Shape shown);

    enum Action {
        LineEdit, // no entry: the line edit pastes the text itself
        Insert,   // one entry, text, inserted into the cell as typed
        Fill,     // cells, from the cell on, after arranging `arrange` if it is a shape
        Refuse,   // text says why nothing is pasted
    };
    // For Fill, what a screen reader is told once the cells are filled in
    // the system of that shape.
    QString told(Shape system) const;

    Action action = LineEdit;
    QString text;
    QString assumed; // for Fill: what the text's reading took for granted
    Shape arrange;
    Block cells; // an empty row, or a row cut short, leaves its cells as they are
};

#endif
