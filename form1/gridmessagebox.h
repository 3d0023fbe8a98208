#ifndef GAUSS_GRIDMESSAGEBOX_H
#define GAUSS_GRIDMESSAGEBOX_H

// Every message box of the program: what it says, as plain text, where it
// stands beside the grid, how its lines of detail are set, and its zoom.

#include <QMargins>
#include <QMessageBox>
#include <QRect>
#include <QStringList>

class QLabel;

// A step is there to be studied, so its box never covers a row of the active
// block: it opens below the block, title bar and all, else beside the window,
// else below the block over the desktop's panel, else above the block; only
// where it fits none of these does it cover the block. Lines of detail are
// not wrapped unless one is wider than most of the screen: a long list of them
// is set in columns, as few as let the box stand in the first of those places. A box with no block
// to keep in sight (a paste refused, a file not written) stands where any box does. Fonts and icon
// grow with the window.
class GridMessageBox : public QMessageBox
{
    Q_OBJECT

public:
    // The title of every box that says something went wrong.
    static inline const QString errorTitle = QStringLiteral("ГРЕШКА:");

    // What a box says. The prompt and the details are plain text, so that a
    // file name is never read as markup. spoken goes to assistive technology
    // alone, as the box's description, which is the details where empty.
    struct Message {
        QString title;
        QString prompt;
        Icon icon = NoIcon;
        QStringList details; // lines under the prompt
        QString spoken;
    };

    // Shows the message with one OK, modal to the whole program, and returns
    // once it is answered. block: the rows the box keeps in sight, in the
    // window's coordinates; where empty, the box stands as any box does.
    static void tell(QWidget *window, const Message &message, const QRect &block = QRect());
    // The box open now over window says message instead, and stands anew:
    // what it shows changed under it. Nothing where no box of window is open.
    static void retell(QWidget *window, const Message &message);
    // Something went wrong: the prompt under errorTitle, with a warning sign.
    static void error(QWidget *window, const QString &prompt, const QRect &block = QRect());
    // A window of the program's own that the boxes leave open to input while
    // it is shown (the board, where a step is studied beside its box): they
    // then block their own window and what it owns alone.
    static void leaveOpen(QWidget *beside);
    // True where the user answers Yes.
    static bool ask(QWidget *window, const QString &title, const QString &question);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    GridMessageBox(QWidget *window, const QRect &block, const QString &title,
                   const QString &prompt);
    // Lines of plain text under the prompt, as the informative text.
    void setDetails(const QStringList &lines);
    QLabel *detailsLabel() const;
    void zoomIcon();
    QList<QRect> places() const;
    bool linesFitScreen(const QLabel *label, const QString &text) const;
    void setLinesInColumns();
    void place();
    QMargins frameMargins() const;

    QRect block;
    qreal zoom = 1;
    bool framed = false;
};

#endif
