#ifndef GAUSS_CRAMERPLAYER_H
#define GAUSS_CRAMERPLAYER_H

// Cramer's rule and the determinant as a class works them: each matrix shown
// in the grid, its marked column or row, and each box that says the working.

#include "determinant.h"
#include "gridmessagebox.h"
#include "numberformat.h"
#include "solverstate.h"
#include "windowgrid.h"
#include "working.h"

#include <QColor>
#include <QObject>
#include <QPalette>
#include <functional>
#include <optional>
#include <vector>

class GridCell;
class QWidget;

// The grid shows each determinant's matrix, without the right-hand sides, and
// a box holds each stage until it is answered; afterwards the grid shows the
// system again. Everything said is recorded in the working, in both views.
class CramerPlayer : public QObject
{
    Q_OBJECT

public:
    struct Grid : WindowGrid {
        std::function<void()> toTheEnd; // "Реши докрай"
        // Reads the grid into the solver's state, as a solve does; false when
        // a cell held no number, which has been told.
        std::function<bool()> read;
    };

    // solver: where read leaves the system. Owned by window.
    CramerPlayer(QWidget *window, const Grid &grid, const gauss::SolverState &solver,
                 Working &working);

    // Cramer's rule on the system read.
    void cramer();
    // Its coefficient matrix's determinant; from 3 x 3 up the user picks the rule.
    void determinant();
    // "Провери D = …": the student's determinant of the system read, checked.
    void checkDeterminant();
    // The numbers are shown in another view now: a box open says it again.
    void setView(NumberFormat::View view);

    // A value as the view writes it, a negative one with the minus sign of
    // print; as a factor of a product, a negative one in brackets, "(−1)".
    static QString valueText(const NumberFormat &format, const mpq_class &value);
    static QString factorText(const NumberFormat &format, const mpq_class &value);
    // The lines of a working by the diagonals, "D = 2 · 3 − 1 · 4", "= 6 − 4", "= 2".
    static QStringList diagonalLines(const gauss::DeterminantWorking &w, const QString &name,
                                     const NumberFormat &format);

private:
    struct Box {
        QString title;
        QString prompt;
        InBothViews<QStringList> lines;
    };
    // The grid's marks: a column (the right-hand sides, an expansion's line)
    // or a row and a column left out of a minor.
    struct Marks {
        int row = 0;
        int column = 0;
        QColor colour;
        QString spoken;
    };
    using Words = std::function<QStringList(const NumberFormat &)>;

    bool square(int rows, int unknowns, const QString &title, const QString &what);
    bool readSquare(const QString &title, const QString &what);
    void play(const gauss::DeterminantWorking &w, const QString &name, const QString &title,
              const Marks &marks);
    void playElimination(const gauss::DeterminantWorking &w, const QString &name,
                         const QString &title, const Marks &marks);
    void playExpansion(const gauss::DeterminantWorking &w, const QString &name,
                       const QString &title);
    void cramerEnd(const gauss::CramerWorking &w);
    void show(const QString &title, const QString &prompt, const Words &words,
              const gauss::Square &matrix, const Marks &marks);
    struct Open {
        Box box;
        gauss::Square matrix;
        Marks marks;
    };
    GridMessageBox::Message message(const Open &shown) const;
    void keepSystem(int n);
    void restoreSystem();
    bool chooseRule(int n, int &choice);

    QWidget *window;
    Grid grid;
    const gauss::SolverState &solver;
    Working &working;
    NumberFormat format;
    std::optional<Open> open; // the box on screen now
    struct Kept {
        QString text;
        std::optional<mpq_class> exact;
        QPalette palette;
    };
    QList<QList<Kept>> kept; // the system's cells before the working was shown
};

#endif
