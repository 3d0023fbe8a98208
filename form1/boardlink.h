#ifndef GAUSS_BOARDLINK_H
#define GAUSS_BOARDLINK_H

// What the window tells the board: each solve's record, the step on screen
// and the view; the board built when first opened, and whether it is open kept.

#include "numberformat.h"
#include "record.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <functional>
#include <memory>

class Board;
class Working;
class QWidget;
class WindowZoom;

class BoardLink : public QObject
{
    Q_OBJECT

public:
    // spare: the part of the window, in its own coordinates, that the board
    // may cover where the screen has no room beside the window.
    BoardLink(QWidget *window, WindowZoom *zoom, std::function<QRect()> spare);
    ~BoardLink() override;

    // "Дъска": opens the board, or brings it forward.
    void open();

    // A solve's record, from its system on; the board shows the system.
    void setRecord(const gauss::SolveRecord &record);
    // The window shows step (1 ..) and holds it with its box; the board
    // follows while open.
    void follow(int step);
    void followEnd();
    // A working no record holds (one with a parameter): the board shows it
    // part by part, the system first, and follows step.
    void setWorking(const Working &working, int step);
    void clear();
    void setView(NumberFormat::View view);
    // The matrix the grid shows, row by row, to a screen reader.
    void readAloud() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QRect firstPlace(QSize size) const;

    QWidget *window;
    WindowZoom *zoom;
    std::function<QRect()> spare;
    std::shared_ptr<const gauss::SolveRecord> record;
    std::shared_ptr<const Working> written;
    NumberFormat::View view = NumberFormat::Decimals;
    QPointer<Board> shown;
    bool shownOnce = false;
    int followed = 0; // the page of what the grid shows
};

#endif
