#ifndef GAUSS_WINDOWDRIVER_H
#define GAUSS_WINDOWDRIVER_H

// Drives the real window the way a user would: controls are found by their
// names, and every message box is answered as it appears, after recording what
// it said and what the grid showed at that moment.

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QSize>
#include <QStringList>
#include <QTimer>
#include <functional>

class QLabel;
class QLineEdit;
class QWidget;

struct SeenMessage {
    QString title;
    QString text;
    QString informative;
    QString description; // what the box tells assistive technology
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QAbstractButton *>::size_type buttons = 0;
    bool applicationModal = false;
    QStringList grid;        // the texts of Text11 .. Text100, row by row
    QStringList values;      // the captions of Label10 .. Label90
    QRect frame;             // where the box stood, in screen coordinates
    bool detailsCut = false; // its lines of detail had less room than they need
    QString detailsTip;      // the whole lines where those shown summarise them
    QString detailsSpoken;   // the same, as told to assistive technology
};

// Each input dialog that opens is answered with text, until the timer goes.
QTimer *answerInputs(QWidget *window, const QString &text);

class MessageAnswerer : public QObject
{
public:
    explicit MessageAnswerer(QWidget *window) : window(window) { qApp->installEventFilter(this); }
    ~MessageAnswerer() override { qApp->removeEventFilter(this); }

    QList<SeenMessage> seen;
    // Called with each message before it is answered.
    std::function<void(const SeenMessage &)> inspect;

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void answer(QMessageBox *box);
    QWidget *window;
    QPointer<QMessageBox> showing; // shown, not yet exposed
};

// Before the application exists: the offscreen platform with screens of these
// sizes side by side, where the tests need room that its default lacks.
void useOffscreenScreens(const QList<QSize> &sizes);

QLineEdit *cellOf(QWidget *window, int row, int column);
QLabel *labelOf(QWidget *window, int number);
QStringList gridTexts(QWidget *window);
QStringList valueTexts(QWidget *window);
// Types the rows of a system into the block of the grid, row r into Text(10r+1)...
void typeSystem(QWidget *window, const QList<QStringList> &rows);
void click(QWidget *window, const char *button);
// The size option for n equations, then the arrange button.
void arrangeFor(QWidget *window, int n);
// rows equations in unknowns unknowns, through the grid's dialog and its key.
void arrangeShape(QWidget *window, int rows, int unknowns);
// The block's texts, rows 1..n, columns 1..n+1.
QList<QStringList> blockTexts(QWidget *window, int n);

#endif
