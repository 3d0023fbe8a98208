#ifndef GAUSS_FORM1_H
#define GAUSS_FORM1_H

// Form1 is the program's only window. It owns every control and, through the
// SolverState it inherits, every variable of the solver (n, a, adet, x, det and
// the counters), so its procedures reach them by name. The arithmetic lives in
// the widget-free solver library, whose one driver (gauss::solve) runs the
// determinant test, both passes and the solution; the window gives it the
// reading of the grid (masiv) and, after every step, writes the matrix back as
// number texts (stypka) and holds it on screen with a message box until the
// user dismisses it. Number texts are ASCII but for the user's decimal
// separator, so what the grid shows is read back the same in every locale.

#include "elimination.h"
#include "solverstate.h"
#include "working.h"

#include <QWidget>

class GridCell;
class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class ValueLabel;

class Form1 : public QWidget, private gauss::SolverState
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

    // Read-only view of the solver's variables, for tests and diagnostics.
    const gauss::SolverState &solverState() const { return *this; }

    // The colours of the window, fixed whatever the desktop's theme.
    static QColor gridGreen() { return QColor(0, 192, 0); }
    static QColor optionsYellow() { return QColor(255, 255, 0); }
    static QColor commandsTeal() { return QColor(0, 128, 128); }
    static QColor cellRed() { return QColor(255, 0, 0); }
    static QColor valueBlue() { return QColor(0, 0, 255); }
    static QColor captionBlack() { return QColor(0, 0, 0); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool cellPlace(const QObject *object, int &row, int &column) const;
    bool enterMovesOn(QObject *watched, int row, int column);
    bool arrowSelectsSize(QObject *watched, int key);
    void createFrames();
    void createOptions();
    void createGrid();
    void createCommands();
    void createSolutionArea();
    void createExplanation();
    void setFocusOrder();
    void createClipboard();

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    void iz4istitext();
    void iz4isticwet();
    void dveuravnenia();
    void triuravnenia();
    void chetiriuravnenia();
    void peturavnenia();
    void chesturavnenia();
    void sedemuravnenia();
    void osemuravnenia();
    void deveturavnenia();
    void arrange(int size);

    bool masiv(qint16 &n);
    void stypka(const gauss::Matrix &m, const gauss::ExactMatrix &exactM);
    void rechenie();

    void showStep(const QString &prompt, const gauss::RowOps &ops);
    void refuseSystem();
    void reportBadCell(int row, int column);
    void reportStop(const QString &cause, int step, const QString &advice);
    void message(const QString &prompt, int flags, const QString &title,
                 const QString &details = QString(), const QString &spoken = QString());
    // The clipboard: a system pasted into the grid, the working copied out.
    bool cellClipboardEvent(int row, int column, QEvent *event);
    bool pasteIntoGrid(int row, int column);
    void copyWorking();
    Working::Block shownBlock(int size) const;
    Working working;

    // Controls indexed by row and column from 1, as the names count them:
    // cell[r][c] is Text(10*r + c), gridLabel[r][c] is Label(10*r + c).
    GridCell *cell[10][11] = {};
    QLabel *gridLabel[10][10] = {};
    QLabel *nameLabel[10] = {};      // Label1 .. Label9
    ValueLabel *valueLabel[10] = {}; // Label10, Label20 .. Label90
    QRadioButton *option[9] = {};    // Option1 .. Option8

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
