#ifndef GAUSS_GRIDMENU_H
#define GAUSS_GRIDMENU_H

// The grid's menu and the window's keys for what is done with the system, the
// working and the view: own working, Cramer, the board, exercises, copy, paste,
// the handout, zoom, fractions or decimals.

#include <QKeySequence>
#include <QObject>
#include <QPoint>
#include <functional>

class QMenu;
class QWidget;
class WindowZoom;

class GridMenu : public QObject
{
    Q_OBJECT

public:
    struct Actions {
        std::function<void()> copy;
        std::function<void()> paste;
        std::function<void()> save;
        std::function<void()> print;
        std::function<void()> switchView;  // between fractions and decimals
        std::function<bool()> fractions;   // whether the fraction view is chosen
        std::function<void()> practise;    // "Реши сам"
        std::function<void()> toTheEnd;    // "Реши докрай": exactly, whatever the system
        std::function<void()> shape;       // "Уравнения и неизвестни…"
        std::function<void()> restore;     // "Върни системата"
        std::function<void()> cramer;      // "Крамер"
        std::function<void()> determinant; // "Детерминанта"
        std::function<void()> checkDeterminant; // "Провери D = …"
        std::function<void()> board;            // "Дъска": the working as a class writes it
        std::function<void()> read;             // the matrix shown, to a screen reader
        std::function<void()> newExercise;      // "Нова задача"
        std::function<void()> worksheet;        // "Работен лист…"
        std::function<void()> copyLatex;        // "Копирай като LaTeX"
        std::function<void()> parameterCase; // "Покажи хода при стойност на параметъра…"
    };

    // A right-click on grid opens the menu; the keys work anywhere in window
    // and in the windows it owns, unless a modal box stands in the way.
    GridMenu(QWidget *window, QWidget *grid, WindowZoom *zoom, const Actions &actions);

    // at: in global coordinates.
    void show(const QPoint &at);
    // The menu's entries, with their keys, at the end of menu: a cell's menu
    // carries them below its edit entries.
    void addTo(QMenu *menu);

    // The key that reads the matrix shown to a screen reader, here and on the board.
    static QKeySequence readKeys();

    // Where "Реши докрай" is found, as a refused system is told.
    static QString toTheEndHint();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window;
    WindowZoom *zoom;
    Actions actions;
};

#endif
