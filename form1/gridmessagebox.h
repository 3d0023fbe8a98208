#ifndef GAUSS_GRIDMESSAGEBOX_H
#define GAUSS_GRIDMESSAGEBOX_H

// The window's message boxes: where they stand beside the grid, and how
// their lines of detail are set.

#include <QMargins>
#include <QMessageBox>
#include <QRect>

class QLabel;

// A step is there to be studied, so its box opens below the rows of the
// active block, title bar and all, or above them when the screen has no room
// below, and covers them only when it fits nowhere else. Lines of detail are
// never wrapped: a long list of them is set in columns, as few as let the box
// stand below the block.
class GridMessageBox : public QMessageBox
{
    Q_OBJECT

public:
    // block: the rows of the active block, in the window's coordinates.
    GridMessageBox(QWidget *window, const QRect &block);

    // Lines of plain text under the prompt, as the informative text.
    void setDetails(const QStringList &lines);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *detailsLabel() const;
    void setLinesInColumns();
    void place();
    QMargins frameMargins() const;

    QRect block;
    bool framed = false;
};

#endif
