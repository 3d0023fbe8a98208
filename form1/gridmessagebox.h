#ifndef GAUSS_GRIDMESSAGEBOX_H
#define GAUSS_GRIDMESSAGEBOX_H

#include <QMargins>
#include <QMessageBox>
#include <QRect>

// The window's message boxes. A step is there to be studied, so its box opens
// below the rows of the active block, title bar and all, or above them when
// the screen has no room below, and covers them only when it fits nowhere
// else. Lines of the informative text are never wrapped: a long list of them
// is set in columns, as few as let the box stand below the block.
class GridMessageBox : public QMessageBox
{
    Q_OBJECT

public:
    // block: the rows of the active block, in the window's coordinates.
    GridMessageBox(QWidget *window, const QRect &block);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setLinesInColumns();
    void place();
    QMargins frameMargins() const;

    QRect block;
    bool framed = false;
};

#endif
