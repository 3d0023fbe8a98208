#ifndef GAUSS_BOARDWORKING_H
#define GAUSS_BOARDWORKING_H

// A recorded working as the board writes it, part by part, for the handout's
// pages and for the picture its copy carries.

#include "boardpage.h"
#include "working.h"

#include <QImage>

struct BoardPart {
    QString caption; // in bold
    QStringList words;
    BoardPage drawing; // of no size where the part is words alone
};

// The system, each step, the report, the solution and what followed it. A
// step of row operations stands beside the matrix it was made from, or
// under it, as the pen has room; another step's words stand above its matrix.
QList<BoardPart> boardParts(const Working::Record &record, const BoardWriter &pen);

// The parts of a working in a view, measured in font on the screen.
QList<BoardPart> workingParts(const Working &working, NumberFormat::View view, const QFont &font,
                              qreal width);

// One part as one page of the board: its caption as the heading, its words
// one line each, then its drawing.
BoardPage boardPage(const BoardPart &part, const BoardWriter &pen);

// Paper has no desktop colours: black, and the marks in grey.
QPalette paperPalette();

// The working as one picture in black on white, one part under another; a
// null image where it would be too large to carry.
QImage boardPicture(const Working::Record &record);

#endif
