#ifndef GAUSS_PRACTICEPANEL_H
#define GAUSS_PRACTICEPANEL_H

// The panel of a student's own elimination ("Реши сам"): the operation line, the
// operations applied, back, hint, the student's own arithmetic and the end.

#include "diagnosis.h"
#include "numberformat.h"
#include "parametertour.h"
#include "practice.h"
#include "rownotation.h"
#include "windowgrid.h"
#include "working.h"

#include <QFont>
#include <QPalette>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class GridCell;
class WindowZoom;
class QStyle;
class QCheckBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;

// A tool window below the system's rows, beside the solution, so that neither
// is covered; not modal, so the grid stays in reach. The grid shows the exact
// matrix after every operation and takes no typing but the student's own row.
// Every change is recorded in the working, which the copy and the handout read.
class PracticePanel : public QWidget
{
    Q_OBJECT

public:
    // What the panel needs of the program's window.
    using Grid = WindowGrid;

    // system: the system as read; typed: its cells' texts as the user typed them.
    PracticePanel(QWidget *window, const Grid &grid, const gauss::ExactSystem &system,
                  const Working::Block &typed, Working &working);
    // A system with a parameter: the general case worked over its rational
    // functions first, then each case that remains as a numeric system.
    PracticePanel(QWidget *window, const Grid &grid, const gauss::ParameterAnalysis &analysis,
                  const Working::Block &typed, Working &working);

    // The window shows its numbers in another view now: the panel's own
    // texts, the old values of the row computed and the working follow it.
    void viewChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void start();
    void build();
    QLayout *buildButtons();
    void place();
    // Grows with the window's zoom, as the step boxes do, and stands in place.
    void follow();

    // The working under way: the general one of a system with a parameter,
    // or a numeric one.
    template <class F> auto onTrack(F f);
    template <class F> auto onTrack(F f) const;
    int rows() const;
    int unknowns() const;

    void submit();
    void submitGeneral();
    template <class E> bool refuses(const RowNotation::BasicLine<E> &line);
    template <class P> void acceptIn(P &p, const typename P::Operation &op, const QString &note);
    // The line's operations still to apply, in order, one row at a time when
    // the student computes it.
    void applyPending();
    // note: what the student's own row adds, on lines of its own.
    void accept(const gauss::RowOperation &op, const QString &note = QString());
    void back();
    void hint();
    template <class S, class Op> QString pivotWords(const S &s, const Op &op) const;
    void backSubstitute();
    void ready();
    QStringList readyWords() const;
    // "Провери D = …" of the system worked: as typed, or at the case's value.
    void checkDeterminant();
    void say(const QString &sentence);
    // A sentence with numbers in it, written again in a new view.
    void tell(const std::function<QString()> &sentence);
    // Says why when a row is open or, unless ended is false, the working has ended.
    bool busy(bool ended = true);

    void showMatrix();
    void showValue(int row, int column, const mpq_class &value);
    // A value as the window's view writes it, or as in writes it.
    QString textOf(const mpq_class &value) const { return textOf(value, grid.format()); }
    static QString textOf(const mpq_class &value, const NumberFormat &in);
    QString textOf(const gauss::RationalFunction &value) const
    {
        return textOf(value, grid.format());
    }
    QString textOf(const gauss::RationalFunction &value, const NumberFormat &in) const;
    QString opText(const gauss::RowOperation &op) const;
    QString opText(const gauss::ParameterOperation &op) const;
    template <class S> QString rowText(const S &s, int row) const;
    void record();
    void showAnswer();
    struct Step;
    template <class P>
    QList<Step> stepsOf(const P &p, const QString &title, const QList<QStringList> &notes) const;
    QString caseTitle() const; // "(РЕШИ САМ) при a = 2, стъпка:%1"
    // The next case begun as a numeric system, the working so far kept.
    void nextCase();
    // Where the case worked is at its end, its verdict kept for the tour's.
    void caseEnded();
    QString caseVerdict(const NumberFormat &in) const;
    QStringList values(const NumberFormat &in) const;
    // What the end says, or nothing before it; into report, its lines
    // without the answer, which the record has beside the unknowns.
    QString endWords(const NumberFormat &in, QStringList *report = nullptr) const;
    QString endWords() const { return endWords(grid.format()); }

    void openRow(const gauss::RowOperation &op);
    void cellEntered(GridCell *cell);
    void checkRow();
    QString wrongWords(const QStringList &wrong, const gauss::TypedRow &typed) const;
    void markRight(GridCell *cell, int column);
    void showOld(GridCell *cell, int column);
    void showRight();
    void closeRow();
    void mark(GridCell *cell, const QColor &colour);

    QWidget *window;
    Grid grid;
    gauss::Practice practice;
    // With a parameter: the general working and the cases, and whether the
    // general one is under way; the case being worked.
    std::unique_ptr<ParameterTour> tour;
    bool general = false;
    std::optional<gauss::Polynomial> atCase;
    QList<QStringList> generalNotes;
    // Each case worked, as the record keeps it: its steps' operations, notes
    // and matrices in both views.
    struct Step {
        QString title;
        QStringList lines;
        InBothViews<Working::Block> matrix;
    };
    QList<Step> casesWorked;
    Working::Block typed;
    Working &working;
    int methodCount = 0;
    int hintLevel = 0; // how much F1 has given away of the next operation
    int hintsUsed = 0;
    QFont baseFont; // the window's own, at 100 %
    qreal shownZoom = 1;
    bool finished = false;

    // The operation whose row the student is computing, and what it gives.
    std::optional<gauss::RowOperation> open;
    gauss::ExactSystem right;
    QList<QPalette> restingPalettes;
    QList<gauss::RowOperation> pending;
    QList<std::function<QString()>> applied; // what the line's operations did so far
    // For the record handed in: each operation's slips and how they were
    // mended, one list an operation; those of the row being computed.
    QList<QStringList> notes;
    QStringList slips;
    QList<QLabel *> rightMarks;
    std::function<QString()> telling; // what the status says now

    QLineEdit *operation = nullptr;
    QLabel *status = nullptr;
    QListWidget *list = nullptr;
    QCheckBox *own = nullptr;
    QPushButton *checkButton = nullptr;
    QPushButton *showButton = nullptr;
    QPushButton *backButton = nullptr; // back-substitution, at the echelon form
    QPushButton *caseButton = nullptr; // the next case of a system with a parameter
};

#endif
