#ifndef GAUSS_DETERMINANTCHECK_H
#define GAUSS_DETERMINANTCHECK_H

// "Провери D = …": a determinant the student computed, typed and checked,
// with the first product, factor or value where it parts from the working.

#include "determinant.h"
#include "numberformat.h"

#include <QRect>
#include <QString>

class QWidget;

namespace DeterminantCheckDialog
{

// What the student typed, read: the products and the value after "=", "−4 −
// 4 + 3 + 2 − 4 + 6 = −1", or the value alone, "−1". False where a part is
// no number.
bool read(const QString &typed, std::vector<mpq_class> &terms, mpq_class &value);

// Asks for the student's D of m and tells whether it is right, and where not.
// From 4 x 4 up the working is the product of a triangular matrix's diagonal.
void ask(QWidget *window, const gauss::Square &m, const NumberFormat &format, const QRect &block);
// Asks for the student's D of a system with a parameter, a polynomial in
// letter, and tells whether it is d, and where not a value that shows it.
void askParametric(QWidget *window, const gauss::RationalFunction &d, QChar letter,
                   const NumberFormat &format);

} // namespace DeterminantCheckDialog

#endif
