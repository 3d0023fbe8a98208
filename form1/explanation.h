#ifndef GAUSS_EXPLANATION_H
#define GAUSS_EXPLANATION_H

// The 49 lines of the explanation list beside the grid: the method in brief,
// blanks and all, as the window shows them.

#include <QStringList>

QStringList explanationLines();

#endif
