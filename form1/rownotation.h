#ifndef GAUSS_ROWNOTATION_H
#define GAUSS_ROWNOTATION_H

// The notation of row operations, "ред 3 = ред 3 + 2 · ред 1": its words and
// signs, the writing of operations in it, and the reading of a typed one.

#include "algebra.h"
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
// "R3 = R3 + 2*R1", "р1 <-> р3", "р1 / 2", "p2 -> p2 – 2.p1". Rows are read in
// either case, and a Latin p as the Cyrillic р it looks like.
constexpr QStringView ShortRows[] = {u"р", u"r", u"p"};
constexpr QStringView TypedExchange = u"<->";
constexpr QStringView TypedMinus = u"-";
constexpr QStringView Plus = u"+";
constexpr QStringView TypedTimes = u"*";
constexpr QStringView Over = u"/"; // a fraction's bar, and after a row a division
constexpr QStringView Open = u"(";
constexpr QStringView Close = u")";
constexpr QStringView Exchanges[] = {Exchange, TypedExchange, u"<=>"};
constexpr QStringView Becomings[] = {Becomes, u"->", u"→"};
constexpr QStringView Minuses[] = {Minus, TypedMinus, u"–"}; // U+2013, the en dash
constexpr QStringView Products[] = {Times, TypedTimes, u"×"};
constexpr QStringView Divisions[] = {Divided, Over};
// Between a multiplier and its row, as the grid writes "2.x1".
constexpr QStringView Dot = u".";
// Between operations on one line, as a step's box lists them.
constexpr QStringView Separators[] = {u",", u";"};

// One line per row operation of a step, in the order they were made:
// "ред 1 ↔ ред 3", "ред 1 = ред 1 : (2)", "ред 3 = ред 3 − 2 · ред 1".
// Eliminations with a multiplier of exactly zero changed nothing and are left
// out; a step that changed no row at all gives the single line "без промяна".
// Multipliers are written as format writes numbers, in brackets after ":",
// and are zero or not as they are in that view. A multiple of a row is added
// or taken away as its sign says, "+ 2 · ред 1", never "− (-2) · ред 1", and
// a multiplier of 1 is left out: "− ред 1".
QStringList lines(const gauss::RowOps &ops, const NumberFormat &format = NumberFormat());

// An exact operation in the full notation, its factor as an integer or a
// fraction in lowest terms: "ред 2 = ред 2 + 3/2 · ред 1", "ред 1 = ред 1 ·
// (1/2)". It reads back as the same operation.
QString text(const gauss::RowOperation &op);

// An operation of a system with a parameter so: its factors in brackets
// unless a single term, "ред 2 = ред 2 − (a + 2) · ред 1", "ред 1 = ред 1 :
// (a - 1)", "ред 2 = ред 2 − a · ред 1". It reads back as the same operation.
QString text(const gauss::ParameterOperation &op, QChar letter);

// Why a typed operation could not be read.
struct ReadingProblems {
    enum Problem {
        None,
        Empty,           // nothing typed
        NoRow,           // a row was wanted at `part`
        NoSign,          // a sign of the notation ("=", "<->", ":", "*", "-") was wanted
        NotSameRow,      // after "=" stands `part`, not the row being changed
        NoNumber,        // a number was wanted at `part`
        OtherSeparator,  // `part` would be a number with the locale's decimal sign
        ZeroDenominator, // the fraction `part` has 0 below its bar
        Extra,           // the operation is whole, and `part` follows it
        NoExpression,    // `part` holds the parameter, but is no expression in it
    };
};

// A typed operation read, or where and why it could not be.
template <class E> struct BasicReading : ReadingProblems {
    Problem problem = None;
    // The word where reading stopped; empty where the line ended too soon.
    QString part;
    gauss::FieldOperation<E> operation; // when problem is None
};
using Reading = BasicReading<mpq_class>;
using ParameterReading = BasicReading<gauss::RationalFunction>;

// Numbers are integers, decimals in the user's decimal sign or fractions of
// them, brackets optional; "+" adds a multiple of a row, "-" or "−" takes it
// away. Rows are not checked against any system.
Reading read(const QString &typed);
// The same, where a factor may also be an expression in `letter`: "a",
// "2a", "(a + 2)", "a/(a + 2)", "(a - 1)/2"; a letter before a digit is a row.
ParameterReading read(const QString &typed, QChar letter);

// The operations of a line, in order, separated by "," or ";" ("р2 - 2р1,
// р3 - 3р1"); a comma between two digits is a decimal sign. Each is read as
// read() reads it. The line is read whole or not at all: refused, the result
// holds the first operation that cannot be read, alone, and its place (1 …).
template <class E> struct BasicLine {
    QList<BasicReading<E>> readings;
    int count = 0;   // the operations on the line
    int refused = 0; // 0 when every operation is read
};
using Line = BasicLine<mpq_class>;
using ParameterLine = BasicLine<gauss::RationalFunction>;
Line readLine(const QString &typed);
ParameterLine readLine(const QString &typed, QChar letter);

// A number as the reader takes one, "-3/2", "1,5", "(2)", wholly, or as a
// cell of the grid is read ("½", "2E-05").
bool readNumber(const QString &typed, mpq_class &value);

} // namespace RowNotation

#endif
