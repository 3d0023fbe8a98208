#ifndef GAUSS_CLIPBOARD_H
#define GAUSS_CLIPBOARD_H

// The clipboard of the grid: a pasted block split and planned into cells, and
// the working of a solve recorded and copied as text and HTML.

#include <QList>
#include <QStringList>

class QMimeData;

// The clipboard of the grid: a pasted block split into rows of entries, and
// the working of one solve, recorded from the texts the window showed as it
// ran, copied as plain text (each matrix as tab-separated lines, so that a
// text editor keeps every step's cells) and as HTML (a table for the system,
// each step and the solution, so that a word processor takes tables, and each
// number with its value, so that a spreadsheet takes numbers whatever its
// decimal sign).
class Clipboard
{
public:
    using Block = QList<QStringList>; // rows of cell texts, the right-hand side last

    // The working's headings, the explanation list's own words.
    static inline const QString systemHeading = QStringLiteral("първоначален вид на системата:");
    static inline const QString solutionHeading = QStringLiteral("решението е:");

    // The clipboard's text split as a spreadsheet, a text editor or a
    // worksheet lays a system out. Rows are lines (\n or \r\n; blank lines at
    // the end dropped). Entries are separated by tabs; in text without a tab,
    // by semicolons; in text without either, by runs of blanks. A lone "|" is
    // dropped, so that "2 1 -1 | 8" reads as four entries. Nothing is read as a
    // number here: the solve reads and reports the cells.
    static Block pasted();
    static Block rows(const QString &text);
    static int entryCount(const Block &rows);
    // The size n of a system laid out as n rows of n + 1 entries, or 0.
    static int systemSize(const Block &rows);

    // What the window does with a block pasted into the cell at row, column:
    // n is the system's size, arranged the size whose block the grid shows (0
    // once cleared).
    struct Paste {
        enum Action {
            LineEdit, // no entry: the line edit pastes the text itself
            Insert,   // one entry, text, inserted into the cell as typed
            Fill,     // cells, from the cell on, after arranging `arrange` if not 0
            Refuse,   // text says why nothing is pasted
        };
        Action action = LineEdit;
        QString text;
        int arrange = 0;
        Block cells; // an empty row, or a row cut short, leaves its cells as they are
    };
    // The block is read as people copy one: the system at the head of the
    // program's own working, a first row or column of captions skipped, decimal
    // signs that are all the other one ("2.5" under a decimal comma) made the
    // user's. No entry of a block lands in a cell outside the system.
    static Paste plan(const Block &rows, int row, int column, int arranged, int n);

    // The working recorded, or before any solve a record of the system given.
    Clipboard orShown(const Block &shownSystem) const;
    // That, onto the clipboard.
    void copy(const Block &shownSystem) const;

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
    const Record &record() const { return r; }

private:
    Block solutionRows() const;
    Record r;
};

#endif
