#ifndef GAUSS_SOLVEPRESENTER_H
#define GAUSS_SOLVEPRESENTER_H

// The presentation of a solve: every message the user meets on the way, from
// the step boxes to the refusals, the reports and the exact answer's box.

#include "elimination.h"
#include "gridmessagebox.h"
#include "numberformat.h"
#include "numbertext.h"
#include "working.h"

#include <QRect>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

// The flags of a message box, as the platform counts them.
enum class MessageFlags {
    Ok = 0,
    OkExclamation = 48,
};

// The window hands it the driver's events; it shows each as a message and
// records it in the working that the copy and the handout read.
class SolvePresenter
{
public:
    // window: the messages' parent; block: the rows of the active block in
    // the window's coordinates, which the messages keep in sight.
    SolvePresenter(QWidget *window, std::function<QRect()> block, Working &working);

    using Numbers = QList<QList<NumberFormat::Number>>; // a matrix, row by row

    // The view of the numbers in the messages and the working; a step's box
    // open now says its operations again in the new view.
    void setView(NumberFormat::View view);

    // A solve has read this system.
    void read(const Working::Block &system);
    // A step is done; the grid shows its matrix.
    void step(const gauss::Step &step, const Numbers &shown);
    // A step worded already, its operations and matrix in each view (a
    // working with a parameter, whose matrices hold expressions); a title
    // other than a step's own for another method's stages.
    void step(const QString &prompt, const InBothViews<QStringList> &lines,
              const InBothViews<Working::Block> &matrix, const QString &title = QString());
    // Called when a step of the working is recorded, before its box stands.
    std::function<void()> stepRecorded;
    // Singular: details say which case holds.
    void refused(const QStringList &details);
    // The cell at row, column held no number the solve can take.
    void badCell(int row, int column, gauss::Unreadable why);
    // The solution beside the unknowns: their names and values (the true
    // solution; each view words a value as it shows it).
    struct Answer {
        QStringList names;
        QList<NumberFormat::Number> values;
    };
    // A pass could not go on; the value labels show the true solution all the same.
    void stopped(const gauss::SolveEnd &end, const Answer &answer);
    // Solved. table holds what the grid's last column shows for each unknown
    // in the decimal view, and tableAnswers that rounded as the values are.
    // There a box tells where the two answers differ; in the fraction view
    // nothing differs.
    void solved(const Answer &answer, const QStringList &table, const QStringList &tableAnswers);
    // The end of an exact working: the verdict's sentence, then its details.
    // answer: the values beside the unknowns, where there is one solution.
    void verdict(const QStringList &lines, const Answer &answer);
    // The answer into the working, in both views.
    static void record(Working &working, const Answer &answer);

private:
    // details are lines of plain text under the prompt; spoken goes to
    // assistive technology alone, as the box's description, which is the
    // details themselves where nothing else is given.
    void message(const QString &prompt, MessageFlags flags, const QString &title,
                 const QStringList &details = {}, const QString &spoken = QString());

    // A step's box as each view says it.
    struct StepBox {
        QString title;
        QString prompt;
        InBothViews<QStringList> lines;
        InBothViews<QString> spoken;
    };
    GridMessageBox::Message stepMessage(const StepBox &box) const;

    QWidget *window;
    std::function<QRect()> block;
    Working &working;
    NumberFormat format;
    std::optional<StepBox> open; // the step's box on screen now
};

#endif
