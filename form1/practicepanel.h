#ifndef GAUSS_PRACTICEPANEL_H
#define GAUSS_PRACTICEPANEL_H

// The panel of a student's own elimination ("Реши сам"): the operation line, the
// operations applied, back, hint, the student's own arithmetic and the end.

#include "numberformat.h"
#include "practice.h"
#include "working.h"

#include <QFont>
#include <QPalette>
#include <QWidget>
#include <functional>
#include <optional>

class GridCell;
class QCheckBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;

// A tool window below the system's rows, beside the solution, so that neither
// is covered; not modal, so the grid stays in reach. The grid shows the exact
// matrix after every operation and takes no typing but the student's own row.
// Every change is recorded in the working, which the copy and the handout read.
class PracticePanel : public QWidget
{
    Q_OBJECT

public:
    // What the panel needs of the program's window.
    struct Grid {
        std::function<GridCell *(int row, int column)> cellAt;
        // In the window's coordinates: the system's rows, and the solution
        // area, which the panel keeps in sight.
        std::function<QRect()> block;
        std::function<QRect()> solutionArea;
        // Shows x[1..n] beside the unknowns and records it; empty clears them.
        std::function<void(const std::vector<mpq_class> &x)> showSolution;
        // The view the window shows its numbers in, fractions or decimals.
        std::function<NumberFormat()> format;
    };

    // system: the system as read; typed: its cells' texts as the user typed them.
    PracticePanel(QWidget *window, const Grid &grid, const gauss::ExactSystem &system,
                  const Working::Block &typed, Working &working);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    QLayout *buildButtons();
    void place();
    // Grows with the window's zoom, as the step boxes do, and stands in place.
    void follow();

    void submit();
    // The line's operations still to apply, in order, one row at a time when
    // the student computes it.
    void applyPending();
    // note: what the student's own row adds, on lines of its own.
    void accept(const gauss::RowOperation &op, const QString &note = QString());
    void back();
    void hint();
    void say(const QString &sentence);
    bool busy(); // says why when a row is open or the working has ended

    void showMatrix();
    void showValue(int row, int column, const mpq_class &value);
    // A value as the window's view writes it.
    QString textOf(const mpq_class &value) const;
    QString rowText(const gauss::ExactSystem &s, int row) const;
    void record();
    QString endWords(QStringList *report) const;

    void openRow(const gauss::RowOperation &op);
    void cellEntered(GridCell *cell);
    void checkRow();
    void showRight();
    void closeRow();
    void mark(GridCell *cell, const QColor &colour);

    QWidget *window;
    Grid grid;
    gauss::Practice practice;
    Working::Block typed;
    Working &working;
    int methodCount = 0;
    QFont baseFont; // the window's own, at 100 %
    qreal shownZoom = 1;
    bool finished = false;

    // The operation whose row the student is computing, and what it gives.
    std::optional<gauss::RowOperation> open;
    gauss::ExactSystem right;
    QList<QPalette> restingPalettes;
    QList<gauss::RowOperation> pending;
    QString applied; // what the line's operations did so far, as said

    QLineEdit *operation = nullptr;
    QLabel *status = nullptr;
    QListWidget *list = nullptr;
    QCheckBox *own = nullptr;
    QPushButton *checkButton = nullptr;
    QPushButton *showButton = nullptr;
};

#endif
