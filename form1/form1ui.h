#ifndef GAUSS_FORM1UI_H
#define GAUSS_FORM1UI_H

// The window's controls, their names, places, fonts and colours and the order
// of the focus; Form1 inherits them and gives them their behaviour.

#include "gridcell.h"
#include "solverstate.h"

#include <QColor>

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class SolutionArea;
class WindowKeys;

class Form1Ui
{
public:
    // The colours of the window, fixed whatever the desktop's theme.
    static QColor gridGreen() { return QColor(0, 192, 0); }
    static QColor optionsYellow() { return QColor(255, 255, 0); }
    static QColor commandsTeal() { return QColor(0, 128, 128); }
    static QColor cellRed() { return QColor(255, 0, 0); }
    static QColor valueBlue() { return QColor(0, 0, 255); }
    static QColor captionBlack() { return QColor(0, 0, 0); }

    // The grid: rows of equations, and their columns with the right-hand side.
    static constexpr int GridRows = gauss::MaxEquations;
    static constexpr int GridColumns = gauss::MaxEquations + 1;
    // Option k chooses a system of k + 1 equations.
    static constexpr int Options = gauss::MaxEquations - gauss::MinEquations + 1;

protected:
    // Builds every control in window; the cells work the grid through grid.
    void setupUi(QWidget *window, const GridCell::Grid &grid);

    WindowKeys *keys = nullptr;

    // Controls indexed by row and column from 1, as the names count them:
    // cell[r][c] is Text(10*r + c), gridLabel[r][c] is Label(10*r + c).
    GridCell *cell[GridRows + 1][GridColumns + 1] = {};
    QLabel *gridLabel[GridRows + 1][GridColumns] = {};
    SolutionArea *solution = nullptr;       // Label1 .. Label9, Label10 .. Label90
    QRadioButton *option[Options + 1] = {}; // Option1 .. Option8

    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QButtonGroup *options = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *Label100 = nullptr;
    QLabel *Label101 = nullptr;
    QListWidget *List1 = nullptr;
    QFrame *Line1 = nullptr;
    QFrame *Line2 = nullptr;

private:
    void createFrames();
    void createOptions();
    void createGrid(const GridCell::Grid &grid);
    void createCommands();
    void createSolutionArea();
    void createExplanation();
    void setFocusOrder();

    QWidget *form = nullptr;
};

#endif
