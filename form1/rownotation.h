#ifndef GAUSS_ROWNOTATION_H
#define GAUSS_ROWNOTATION_H

// The notation of row operations, "ред 3 = ред 3 − (2) · ред 1": its words and
// signs, the writing of operations in it, and the reading of a typed one.

#include "elimination.h"
#include "numberformat.h"
#include "practice.h"

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
// What the reader also takes, as typed on any keyboard: "р2 = р2 - 3/2 р1",
// "R3 = R3 + 2*R1", "р1 <-> р3", "р1 : 2". Rows are read in either case.
constexpr QStringView ShortRows[] = {u"р", u"r"};
constexpr QStringView TypedExchange = u"<->";
constexpr QStringView TypedMinus = u"-";
constexpr QStringView Plus = u"+";
constexpr QStringView TypedTimes = u"*";
constexpr QStringView Over = u"/"; // a fraction's bar
constexpr QStringView Open = u"(";
constexpr QStringView Close = u")";

// One line per row operation of a step, in the order they were made:
// "ред 1 ↔ ред 3", "ред 1 = ред 1 : (2)", "ред 3 = ред 3 − (2) · ред 1".
// Eliminations with a multiplier of exactly zero changed nothing and are left
// out; a step that changed no row at all gives the single line "без промяна".
// Multipliers are written in brackets as format writes numbers, and are zero
// or not as they are in that view.
QStringList lines(const gauss::RowOps &ops, const NumberFormat &format = NumberFormat());

// An exact operation in the full notation, its factor as an integer or a
// fraction in lowest terms: "ред 2 = ред 2 − (-3/2) · ред 1", "ред 1 = ред 1 ·
// (1/2)". It reads back as the same operation.
QString text(const gauss::RowOperation &op);

// A typed operation read, or where and why it could not be.
struct Reading {
    enum Problem {
        None,
        Empty,           // nothing typed
        NoRow,           // a row was wanted at `part`
        NoSign,          // a sign of the notation ("=", "↔", ":", "·", "−") was wanted
        NotSameRow,      // after "=" stands `part`, not the row being changed
        NoNumber,        // a number was wanted at `part`
        OtherSeparator,  // `part` would be a number with the locale's decimal sign
        ZeroDenominator, // the fraction `part` has 0 below its bar
        Extra,           // the operation is whole, and `part` follows it
    };
    Problem problem = None;
    // The word where reading stopped; empty where the line ended too soon.
    QString part;
    gauss::RowOperation operation; // when problem is None
};

// Numbers are integers, decimals in the user's decimal sign or fractions of
// them, brackets optional; "+" adds a multiple of a row, "-" or "−" takes it
// away. Rows are not checked against any system.
Reading read(const QString &typed);

// A number as the reader takes one, "-3/2", "1,5", "(2)", wholly.
bool readNumber(const QString &typed, mpq_class &value);

} // namespace RowNotation

#endif
