#ifndef GAUSS_WORKING_H
#define GAUSS_WORKING_H

#include <QList>
#include <QStringList>

class QMimeData;

// The working of one solve, recorded from the texts the window showed as it
// ran, for the clipboard: as plain text (each matrix as tab-separated lines, so
// that a spreadsheet takes every step as cells) and as HTML (a table per step,
// so that a word processor takes tables).
class Working
{
public:
    using Block = QList<QStringList>; // rows of cell texts, the right-hand side last

    void clear();
    bool isEmpty() const;

    // Starts a new record with the system as read.
    void setSystem(const Block &system);
    void addStep(const QString &prompt, const QStringList &operations, const Block &matrix);
    // A message that ended the solve (a refusal, a bad cell, an overflow), or
    // one that followed its solution; it stands where it was shown.
    void addReport(const QStringList &lines);
    // exact: beside each value, what it rounds ("точно 7/3"), or nothing.
    void setSolution(const QStringList &names, const QStringList &values, const QStringList &exact);

    QString plainText() const;
    QString html() const;
    // Both formats in one, for QClipboard::setMimeData (which takes ownership).
    QMimeData *mimeData() const;

private:
    QStringList solutionLines(const QString &afterName, const QString &exactForm) const;
    struct Step {
        QString prompt;
        QStringList operations;
        Block matrix;
    };
    Block system;
    QList<Step> steps;
    QStringList report;
    QStringList names;
    QStringList values;
    QStringList exactValues;
    QStringList afterSolution;
};

#endif
