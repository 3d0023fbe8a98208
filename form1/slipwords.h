#ifndef GAUSS_SLIPWORDS_H
#define GAUSS_SLIPWORDS_H

// The tutor's words on a student's working: the slip behind a wrong row, and
// how far the matrix is from its end ("Готово ли е?").

#include "diagnosis.h"
#include "numberformat.h"

#include <QStringList>

namespace SlipWords
{

// What follows the wrong cells' names: "знак: …", "множител: …"; empty where
// no one slip explains the row.
QString slip(const gauss::Slip &slip, const gauss::RowOperation &op);

// Whether the matrix is in row echelon form and in the reduced one, the first
// cell that breaks either and why, then each row of zeros: a dependent
// equation, or 0 = c, a contradiction. Numbers are written as format writes them.
QStringList form(const gauss::ExactSystem &s, const NumberFormat &format);

} // namespace SlipWords

#endif
