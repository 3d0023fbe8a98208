#ifndef GAUSS_HANDOUT_H
#define GAUSS_HANDOUT_H

// The working of a solve as a handout on A4 pages, saved as PDF or printed:
// its layout, the choice of font size and orientation, and the page breaks.

// A page holds whole parts: the heading with the date, the system, each step
// (its prompt, and the matrix before and after with its row operations over
// the arrow, as the board draws them), the reports and the solution.
// Matrices stand within the page's width: at 11 or 10 pt on portrait pages
// where they can, else on landscape pages from 11 down to 8 pt, the largest
// type with which a page holds three steps.

#include "working.h"

#include <QPageLayout>
#include <memory>

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

class Handout
{
public:
    // False where the file cannot be written.
    static bool savePdf(const Working &working, const QString &fileName);
    // On a printer the caller has set up; the handout sets its orientation and
    // margins. False where the printer cannot start or finish.
    static bool print(const Working &working, QPrinter &printer);

    // For the window's menu and keys. Before any solve the working is empty
    // and the handout holds shownSystem, the system as the grid shows it.
    // A file dialog suggests "решение.pdf" in the user's documents folder and
    // asks before it replaces a file; a message says where the file could not
    // be written, or that the printer could not print.
    static void saveWithDialog(QWidget *parent, const Working &working,
                               const Working::Block &shownSystem);
    // The system's print dialog, on A4 paper unless the user picks another.
    static void printWithDialog(QWidget *parent, const Working &working,
                                const Working::Block &shownSystem);

    // What a message says of a file that could not be written.
    static QString notWritten(const QString &fileName);
    // "стр. 2 от 5", at the foot of every page.
    static QString pageNumber(int page, int pages);
};

// A working laid out as the handout lays it, under a title of its own and
// without the date, to be drawn among other pages: a worksheet's solutions.
class HandoutPages
{
public:
    HandoutPages(const Working &working, QPagedPaintDevice *device, const QPageSize &size,
                 int resolution, const QString &title);
    ~HandoutPages();
    HandoutPages(HandoutPages &&) noexcept;

    // To be set on the device before its first page is begun.
    QPageLayout layout() const;
    int count() const;
    // Each page begun anew, numbered from first on, of total pages in all.
    void draw(QPagedPaintDevice &device, QPainter &painter, int first, int total) const;

private:
    struct Laid;
    std::unique_ptr<Laid> laid;
};

#endif
