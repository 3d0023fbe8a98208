#ifndef GAUSS_SOLUTIONAREA_H
#define GAUSS_SOLUTIONAREA_H

// The solution area's names and values, Label1 .. Label9 beside Label10 ..
// Label90: the unknowns' values, or a general solution's expressions.

#include "solvepresenter.h"

class QLabel;
class ValueLabel;

// Owned by its frame, as its labels are.
class SolutionArea : public QObject
{
    Q_OBJECT

public:
    // rows name and value labels in frame, at their places in twips.
    SolutionArea(QWidget *frame, int rows, const QFont &font, const QColor &values);

    QLabel *name(int row) const { return names[std::size_t(row)]; }
    ValueLabel *value(int row) const { return valueLabels[std::size_t(row)]; }

    // x[1..n] beside x1 .. xn, rounded once as every answer is, in format;
    // the labels of rows above n stay as they are. Returns what is shown.
    SolvePresenter::Answer write(const NumberFormat &format, const mpq_class *x, int n);
    // A general solution: the expression of each unknown, x1 first.
    void writeExpressions(const QStringList &values);
    // No names and no values at all.
    void empty();
    void setView(const NumberFormat &format);
    // In the frame's coordinates.
    QRect place() const;

private:
    std::vector<QLabel *> names;
    std::vector<ValueLabel *> valueLabels;
};

#endif
