#ifndef GAUSS_WORKING_H
#define GAUSS_WORKING_H

// The working of a solve: the record of what the window showed as it ran, which
// the copy and the handout read, and its export as plain text and HTML.

#include "numberformat.h"

#include <QList>
#include <QStringList>

class QMimeData;

// Recorded from the texts the window showed, copied as plain text (each
// matrix as tab-separated lines, so that a text editor keeps every step's
// cells) and as HTML (a table for the system, each step and the solution, so
// that a word processor takes tables, and each number with its value, so that
// a spreadsheet takes numbers whatever its decimal sign).
class Working
{
public:
    using Block = QList<QStringList>; // rows of cell texts, the right-hand side last

    // The working's headings, the explanation list's own words.
    static inline const QString systemHeading = QStringLiteral("първоначален вид на системата:");
    static inline const QString solutionHeading = QStringLiteral("решението е:");

    // The working recorded, or before any solve a record of the system given.
    Working orShown(const Block &shownSystem) const;
    // That, onto the clipboard, with a picture of it as the board writes it.
    void copy(const Block &shownSystem) const;

    void clear();
    bool isEmpty() const;

    // The working is recorded in both views of its numbers; the record, its
    // texts and its copy are those of the view set here. Clearing keeps it.
    void setView(NumberFormat::View view) { shown = view; }

    // Starts a new record with the system as read.
    void setSystem(const Block &system);
    void addStep(const QString &prompt, const InBothViews<QStringList> &operations,
                 const InBothViews<Block> &matrix);
    // The same texts in both views.
    void addStep(const QString &prompt, const QStringList &operations, const Block &matrix)
    {
        addStep(prompt, {operations, operations}, {matrix, matrix});
    }
    // A message that ended the solve (a refusal, a bad cell, an overflow), or
    // one that followed its solution; it stands where it was shown.
    void addReport(const QStringList &lines);
    // A report of one view alone.
    void addReport(NumberFormat::View view, const QStringList &lines);
    // exact: beside each value, what it rounds ("точно 7/3"), or nothing.
    void setSolution(const QStringList &names, const InBothViews<QStringList> &values,
                     const InBothViews<QStringList> &exact);
    void setSolution(const QStringList &names, const QStringList &values, const QStringList &exact)
    {
        setSolution(names, {values, values}, {exact, exact});
    }

    QString plainText() const;
    QString html() const;
    // Both formats in one, for QClipboard::setMimeData (which takes ownership).
    QMimeData *mimeData() const;

    // What was recorded, in the order it was shown, for other forms of the working.
    struct Step {
        QString prompt;
        QStringList operations;
        Block matrix;
    };
    struct Record {
        Block system;
        QList<Step> steps;
        QStringList report; // what ended the solve, before any solution
        QStringList names;  // "x1=" ...
        QStringList values;
        QStringList exactValues;   // "точно 7/3", or empty where the value is exact
        QStringList afterSolution; // a message that followed the solution
    };
    const Record &record() const { return records[shown]; }

private:
    Block solutionRows() const;
    InBothViews<Record> records;
    NumberFormat::View shown = NumberFormat::Decimals;
};

#endif
