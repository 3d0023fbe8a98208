#ifndef GAUSS_LATEXWRITER_H
#define GAUSS_LATEXWRITER_H

// The working and the worksheet as LaTeX, as a teacher sets them in a paper:
// augmented matrices joined by arrows with the row operations over them.

#include "exercise.h"
#include "working.h"

#include <QPageSize>
#include <QString>

namespace LatexWriter
{

// A number of a working's text: "7/3" as \frac{7}{3}, "0,5" as 0{,}5,
// "2E-05" as 2\cdot 10^{-5}.
QString number(const QString &text);
// A matrix with its right-hand column ruled off.
QString matrix(const Working::Block &rows);
// The operations of a step's lines over an arrow: \xrightarrow{R_2 - 3R_1};
// lines that are no operation ("без промяна") or change nothing (": (1)")
// are left out.
QString arrow(const QStringList &lines);
// The system, each step and the solution, in an align* that amsmath sets:
// each step beside the matrix before it where every step fits the line, as
// the board shows them, else the arrows down the left of the matrices.
QString working(const Working::Record &record);
// That, onto the clipboard as plain text.
void copy(const Working::Record &record);

// A whole document for pdflatex: each variant's problems, the key and,
// where asked, the worked solutions.
QString worksheet(const gauss::Worksheet &sheet, bool solutions, const QPageSize &paper);

} // namespace LatexWriter

#endif
