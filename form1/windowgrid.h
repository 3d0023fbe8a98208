#ifndef GAUSS_WINDOWGRID_H
#define GAUSS_WINDOWGRID_H

// What the window hands a panel or player that works in its grid: the cells,
// the places to keep in sight, the view, the solution area, zoom and style.

#include "numberformat.h"
#include "record.h"

#include <QRect>
#include <QStringList>
#include <functional>
#include <gmpxx.h>
#include <vector>

class GridCell;
class QStyle;
class WindowZoom;

struct WindowGrid {
    std::function<GridCell *(int row, int column)> cellAt;
    // In the window's coordinates: the system's rows, and the solution area,
    // which messages and panels keep in sight.
    std::function<QRect()> block;
    std::function<QRect()> solutionArea;
    // The view the window shows its numbers in, fractions or decimals.
    std::function<NumberFormat()> format;
    // Shows x[1..n] beside the unknowns and records it in the working; empty clears them.
    std::function<void(const std::vector<mpq_class> &x)> showSolution;
    // A working under way, for the board to follow; may be empty.
    std::function<void(const gauss::SolveRecord &)> showWorking;
    // One no record holds, with a parameter: the board follows the window's
    // working as it stands, at its end; and the general values beside the
    // unknowns, none clearing them. Either may be empty.
    std::function<void()> followWorking;
    std::function<void(const QStringList &values)> showExpressions;
    // The window's zoom, which a panel follows, and the style its options grow with.
    WindowZoom *zoom = nullptr;
    QStyle *style = nullptr;
};

#endif
