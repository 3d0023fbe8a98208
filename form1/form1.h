#ifndef GAUSS_FORM1_H
#define GAUSS_FORM1_H

// Form1, the program's only window: start-up, the arrangements, clearing,
// and the procedures that read, solve and show; its controls are Form1Ui's.

// It holds the solver's state (n, a, adet, x, det and the counters). The
// arithmetic lives in the widget-free solver library: the window reads the
// grid (masiv), has the solver build the record of a solve, and plays it,
// writing each matrix back as number texts (stypka) while the presenter holds
// it on screen with a message box until the user dismisses it.

#include "elimination.h"
#include "form1ui.h"
#include "numberformat.h"
#include "parameterplayer.h"
#include "record.h"
#include "solvepresenter.h"
#include "solverstate.h"
#include "windowgrid.h"
#include "working.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class CramerPlayer;
class BoardLink;
class GridCell;
class PracticePanel;
class GridMenu;
class NewExercise;
class WindowZoom;

class Form1 : public QWidget, private Form1Ui
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

    // Read-only view of the solver's variables, for tests and diagnostics.
    const gauss::SolverState &solverState() const { return solver; }

private:
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
    // "Върни системата": the system as last typed, back in the grid.
    void restoreSystem();

    // "Реши сам": the student's own elimination of the system read as a solve
    // reads it, in a panel beside the grid; anything else that changes the
    // grid ends it first.
    void practise();
    void endPractice();
    bool readTypedSystem();
    // A system with a parameter: its analysis, or one of its values worked.
    bool parametric();
    bool solveWithParameter();
    void onBoard(const std::function<void()> &play);
    void showParameterCase();
    WindowGrid windowGrid();
    void showAnswer(const std::vector<mpq_class> &x); // recorded in the working too
    QRect solutionArea() const;

    void copyWorking();
    void setView(NumberFormat::View view);
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
    GridMenu *gridMenu = nullptr;
    BoardLink *board = nullptr;      // "Дъска": the record played, as a class writes it
    NewExercise *exercise = nullptr; // "Нова задача"
    QPointer<PracticePanel> practice;
    CramerPlayer *cramer = nullptr;
    std::unique_ptr<ParameterPlayer> parameter; // a system with a parameter
};

#endif
