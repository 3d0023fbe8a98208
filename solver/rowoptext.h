#ifndef GAUSS_ROWOPTEXT_H
#define GAUSS_ROWOPTEXT_H

#include "elimination.h"

#include <QStringList>

namespace gauss
{

// One Bulgarian line per row operation of a step, in the order they were made:
// "ред 1 ↔ ред 3", "ред 1 = ред 1 : (2)", "ред 3 = ред 3 − (2) · ред 1".
// Eliminations with a multiplier of exactly zero changed nothing and are left
// out; a step that changed no row at all gives the single line "без промяна".
// Numbers are number texts in the user's format.
QStringList rowOpLines(const RowOps &ops);

} // namespace gauss

#endif
