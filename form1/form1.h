#ifndef GAUSS_FORM1_H
#define GAUSS_FORM1_H

// Form1, the program's only window: its controls and their places, start-up,
// the arrangements, clearing, and the procedures that read, solve and show.

// It holds the solver's state (n, a, adet, x, det and the counters). The
// arithmetic lives in the widget-free solver library, whose one driver
// (gauss::solve) runs the determinant test, both passes and the solution; the
// window gives it the reading of the grid (masiv) and, after every step,
// writes the matrix back as number texts (stypka), while the presenter holds
// it on screen with a message box until the user dismisses it.

#include "elimination.h"
#include "numberformat.h"
#include "record.h"
#include "solvepresenter.h"
#include "solverstate.h"
#include "working.h"

#include <QPointer>
#include <QWidget>

class GridCell;
class PracticePanel;
class GridMenu;
class NewExercise;
class WindowZoom;
class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class SolutionArea;
class WindowKeys;

class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

    // Read-only view of the solver's variables, for tests and diagnostics.
    const gauss::SolverState &solverState() const { return solver; }

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

private:
    void createFrames();
    void createOptions();
    void createGrid();
    void createCommands();
    void createSolutionArea();
    void createExplanation();
    void setFocusOrder();

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    void iz4istitext();
    void iz4isticwet();
    void dveuravnenia() { arrange(2, 2); }
    void triuravnenia() { arrange(3, 3); }
    void chetiriuravnenia() { arrange(4, 4); }
    void peturavnenia() { arrange(5, 5); }
    void chesturavnenia() { arrange(6, 6); }
    void sedemuravnenia() { arrange(7, 7); }
    void osemuravnenia() { arrange(8, 8); }
    void deveturavnenia() { arrange(9, 9); }
    void arrange(int rows, int unknowns);
    // "Уравнения и неизвестни…": any shape, the numbers typed kept in their places.
    void chooseShape();
    void reshape(int rows, int unknowns);

    bool masiv(qint16 &n);
    void stypka(const gauss::Matrix &m, const gauss::ExactMatrix &exact);
    void rechenie();
    SolvePresenter::Answer writeSolution(const mpq_class *x, int n);
    void solveToTheEnd();
    void play(const gauss::SolveRecord &record);
    void showVerdict(const gauss::Verdict &verdict);
    // "Върни системата": the system as last typed, back in the grid.
    void restoreSystem();

    // "Реши сам": the student's own elimination of the system read as a solve
    // reads it, in a panel beside the grid; anything else that changes the
    // grid ends it first.
    void practise();
    void endPractice();
    QRect solutionArea() const;

    void drawPictures(qreal zoom);
    void copyWorking();
    void setView(NumberFormat::View view);
    SolvePresenter::Numbers workingNumbers(const gauss::Matrix &m,
                                           const gauss::ExactMatrix &exact) const;
    bool pasteIntoGrid(int row, int column);
    QRect activeBlock() const;
    Working::Block shownBlock() const;

    gauss::SolverState solver;
    // The system is the block of n rows of n + 1 cells from Text11, n being
    // solver.n, that the last arrangement made (arrange): the solve reads it,
    // and its cells, which know it (GridCell::inSystem), take Tab, Enter, the
    // arrows, their own menu and a paste. ИЗЧИСТИ keeps n and the system but
    // hides its block, which the grid shows again at the next arrangement; a
    // system pasted into Text11 arranges itself unless its block is shown.
    bool systemShown = false;
    // The grid shows a working's matrix, not what the user typed, which typed
    // keeps: a practice starts from it, and "Върни системата" brings it back.
    bool gridShowsWorking = false;
    struct Typed {
        int rows = 0;
        int unknowns = 0;
        Working::Block texts;
    } typed;
    // How the numbers are shown: the grid, the operations, the solution and
    // the working all follow it.
    NumberFormat format;
    Working working;
    SolvePresenter presenter;
    WindowZoom *zoom = nullptr;
    WindowKeys *keys = nullptr;
    GridMenu *gridMenu = nullptr;
    NewExercise *exercise = nullptr; // "Нова задача"
    QPointer<PracticePanel> practice;

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
};

#endif
