#ifndef GAUSS_GRIDMESSAGEBOX_H
#define GAUSS_GRIDMESSAGEBOX_H

// The window's message boxes: where they stand beside the grid, how their
// lines of detail are set, and their zoom, which is the window's.

#include <QMargins>
#include <QMessageBox>
#include <QRect>

class QLabel;

// A step is there to be studied, so its box never covers a row of the active
// block: it opens below the block, title bar and all, else beside the window,
// else below the block over the desktop's panel, else above the block; only
// where it fits none of these does it cover the block. Lines of detail are
// never wrapped: a long list of them is set in columns, as few as let the box
// stand in the first of those places. Fonts and icon grow with the window.
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
    void zoomIcon();
    QList<QRect> places() const;
    void setLinesInColumns();
    void place();
    QMargins frameMargins() const;

    QRect block;
    qreal zoom = 1;
    bool framed = false;
};

#endif
