#ifndef GAUSS_BOARD_H
#define GAUSS_BOARD_H

// "Дъска": the working of the last solve as a class writes it, page by page,
// in a window of its own beside the program's, with its keys and its zoom.

#include "boardpage.h"
#include "boardworking.h"
#include "numberformat.h"

#include <QWidget>
#include <memory>

class QLabel;
class QPushButton;
class QScrollArea;

class Board : public QWidget
{
    Q_OBJECT

public:
    // No parent: a step's box blocks its own window and those it owns, and
    // the board stays open to input beside it.
    explicit Board(qreal zoom);

    void setRecord(std::shared_ptr<const gauss::SolveRecord> record);
    // A working that no record holds (one with a parameter), part by part.
    void setWorking(std::shared_ptr<const Working> working);
    void setView(NumberFormat::View view);
    // The window's zoom: the board's font grows with it.
    void setZoom(qreal factor);

    // 0 shows the system, 1.. the steps, pages() - 1 the end.
    void showPage(int page);
    int page() const { return shown; }
    int pages() const;
    const BoardPage &current() const { return drawn; }

    // The page's matrix, row by row, to a screen reader.
    void readAloud();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool key(const QKeyEvent *event);
    void relayout();

    std::shared_ptr<const gauss::SolveRecord> record;
    std::shared_ptr<const Working> written;
    QList<BoardPart> writtenParts; // laid out for the page shown, counted for the pages
    NumberFormat format;
    int shown = 0;
    BoardPage drawn;
    QScrollArea *scroll = nullptr;
    QWidget *canvas = nullptr;
    QPushButton *back = nullptr;
    QPushButton *forward = nullptr;
    QLabel *place = nullptr;
};

#endif
