#ifndef GAUSS_ROWNOTATION_H
#define GAUSS_ROWNOTATION_H

// The notation of row operations, "ред 3 = ред 3 − (2) · ред 1": its words and
// signs, and the writing of a step's operations in it.

#include "elimination.h"

#include <QStringList>
#include <QStringView>

namespace RowNotation
{

// Every word and sign of the notation, a blank between each in a line.
constexpr QStringView Row = u"ред"; // followed by the row's number
constexpr QStringView Exchange = u"↔";
constexpr QStringView Becomes = u"=";
constexpr QStringView Divided = u":";
constexpr QStringView Minus = u"−"; // U+2212: the hyphen is a negative number's own sign
constexpr QStringView Times = u"·";
constexpr QStringView Unchanged = u"без промяна";

// One line per row operation of a step, in the order they were made:
// "ред 1 ↔ ред 3", "ред 1 = ред 1 : (2)", "ред 3 = ред 3 − (2) · ред 1".
// Eliminations with a multiplier of exactly zero changed nothing and are left
// out; a step that changed no row at all gives the single line "без промяна".
// Numbers are number texts in the user's format, in brackets.
QStringList lines(const gauss::RowOps &ops);

} // namespace RowNotation

#endif
