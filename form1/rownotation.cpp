#include "rownotation.h"

#include "numbertext.h"
#include "parametertext.h"

#include <QLocale>
#include <algorithm>
#include <climits>
#include <cmath>
#include <initializer_list>

namespace RowNotation
{

namespace
{

QString line(std::initializer_list<QStringView> parts)
{
    QString text;
    for (const QStringView part : parts) {
        if (!text.isEmpty())
            text += u' ';
        text += part;
    }
    return text;
}

QString row(int number)
{
    return line({Row, QString::number(number)});
}

QString factor(const gauss::RowOp &op, const NumberFormat &format)
{
    return u'(' + format.text(op.factor, op.exact) + u')';
}

bool changesNothing(const gauss::RowOp &op, const NumberFormat &format)
{
    if (format.view() == NumberFormat::Fractions || std::isnan(op.factor))
        return op.exact == 0;
    return op.factor == 0;
}

QString factor(const mpq_class &value)
{
    return u'(' + gauss::fractionText(value) + u')';
}

// "+ 3 · ред 1", "− 3/2 · ред 1", "− ред 1": a multiple of a row taken away,
// its multiplier's sign pulled out as a board writes it, so that adding reads
// as adding, and a multiplier of 1 left out.
QString multiple(const QString &multiplier, int other)
{
    const bool adding = multiplier.startsWith(TypedMinus);
    const QStringView magnitude = QStringView(multiplier).mid(adding ? TypedMinus.size() : 0);
    if (magnitude == u"1")
        return line({adding ? Plus : Minus, row(other)});
    return line({adding ? Plus : Minus, magnitude, Times, row(other)});
}

// "2 ·", "(-2) ·", "3/2 ·": the changed row's own factor before it.
QString ownMultiple(const mpq_class &own)
{
    const QString text = gauss::fractionText(own);
    return line({own < 0 ? u'(' + text + u')' : text, Times});
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int romanValue(QChar c)
{
    return c == u'X' ? 10 : (c == u'V' ? 5 : 1);
}

QString romanText(int number)
{
    static const char *const units[] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"};
    return QString(number / 10, u'X') + QLatin1String(units[number % 10]);
}

// Walks a typed operation from left to right, blanks anywhere between its parts.
class Scanner
{
public:
    explicit Scanner(const QString &text, QChar letter = QChar()) : text(text), letter(letter) {}

    bool atEnd()
    {
        blanks();
        return at >= text.size();
    }

    // Takes the first of symbols that the text goes on with.
    template <class Symbols> bool take(const Symbols &symbols)
    {
        blanks();
        for (const QStringView symbol : symbols) {
            if (QStringView(text).mid(at).startsWith(symbol, Qt::CaseInsensitive)) {
                at += symbol.size();
                return true;
            }
        }
        return false;
    }
    bool take(std::initializer_list<QStringView> symbols) { return take<>(symbols); }

    // "ред 2", "р2", "R2"; a number beyond any system's rows is still a row.
    bool row(int &number)
    {
        const qsizetype start = here();
        if (!take({Row}) && !take(ShortRows))
            return roman(number);
        blanks();
        const QString digits = run(isDigit);
        if (digits.isEmpty()) {
            at = start;
            return false;
        }
        bool small = false;
        number = digits.toInt(&small);
        if (!small)
            number = INT_MAX;
        return true;
    }

    // "II", "IX": an equation's number as some textbooks write it, in capitals.
    bool roman(int &number)
    {
        const qsizetype start = here();
        const QString letters = run([](QChar c) { return c == u'I' || c == u'V' || c == u'X'; });
        if (letters.isEmpty() || (at < text.size() && text[at].isLetter())) {
            at = start;
            return false;
        }
        number = 0;
        for (qsizetype i = 0; i < letters.size(); ++i) {
            const int value = romanValue(letters[i]);
            number += i + 1 < letters.size() && value < romanValue(letters[i + 1]) ? -value : value;
        }
        // Only the usual writing of the number: "IIII" or "IIX" is no row.
        if (number < 1 || romanText(number) != letters) {
            at = start;
            return false;
        }
        return true;
    }

    // The characters from here on that belong to a decimal number; a separator
    // belongs when a digit follows it, so that "2.р1" is 2 and then a dot.
    QString decimal()
    {
        blanks();
        const QString point = QLocale().decimalPoint();
        const qsizetype start = at;
        for (; at < text.size(); ++at) {
            const QChar c = text[at];
            const bool separator = c == u'.' || c == u',' || point == c;
            if (!isDigit(c) && !(separator && at + 1 < text.size() && isDigit(text[at + 1])))
                break;
        }
        return text.mid(start, at - start);
    }

    // The word from here to the next blank.
    QString word()
    {
        blanks();
        qsizetype end = at;
        while (end < text.size() && !text[end].isSpace())
            ++end;
        return text.mid(at, end - at);
    }

    // A factor in the parameter from here, "2a", "-(a + 2)", "a/(a + 2)": a
    // sign, then brackets and runs of digits, the letter and its powers, a
    // fraction's bar between them; nothing where no letter is in it, or
    // where the parameter's letter stands before a digit, as a row's does.
    QString expression()
    {
        const qsizetype start = here();
        if (letter.isNull())
            return QString();
        if (at < text.size() && (text[at] == u'-' || text[at] == u'+' || text[at] == QChar(0x2212)))
            ++at;
        bool lettered = false;
        while (at < text.size()) {
            const qsizetype from = at;
            if (text[at] == u'(') {
                int depth = 0;
                for (; at < text.size(); ++at) {
                    depth += text[at] == u'(' ? 1 : (text[at] == u')' ? -1 : 0);
                    lettered = lettered || isLetter(at);
                    if (depth == 0)
                        break;
                }
                at = std::min(at + 1, text.size());
            }
            while (at < text.size() && (isDigit(text[at]) || isPower(text[at]) || isLetter(at) ||
                                        ((text[at] == u'.' || text[at] == u',') &&
                                         at + 1 < text.size() && isDigit(text[at + 1])))) {
                lettered = lettered || isLetter(at);
                ++at;
            }
            if (at < text.size() && text[at] == u'/' && at > from)
                ++at;
            else if (at == from)
                break;
        }
        if (!lettered) {
            at = start;
            return QString();
        }
        return text.mid(start, at - start).trimmed();
    }

    qsizetype here()
    {
        blanks();
        return at;
    }
    QString from(qsizetype start) const { return text.mid(start, at - start).trimmed(); }
    void back(qsizetype to) { at = to; }

private:
    bool isLetter(qsizetype i) const
    {
        if (gauss::parameterLetter(text[i]) != letter)
            return false;
        const bool last = i + 1 >= text.size();
        return last || (!isDigit(text[i + 1]) && !text[i + 1].isLetter());
    }
    static bool isPower(QChar c)
    {
        return c == u'^' || c == QChar(0x00B2) || c == QChar(0x00B3) || c == QChar(0x00B9) ||
               (c >= QChar(0x2070) && c <= QChar(0x2079));
    }

    void blanks()
    {
        while (at < text.size() && text[at].isSpace())
            ++at;
    }
    template <class Belongs> QString run(const Belongs &belongs)
    {
        const qsizetype start = at;
        while (at < text.size() && belongs(text[at]))
            ++at;
        return text.mid(start, at - start);
    }

    const QString &text;
    const QChar letter;
    qsizetype at = 0;
};

using Problem = Reading::Problem;

bool negativeSign(Scanner &s)
{
    if (s.take(Minuses))
        return true;
    s.take({Plus});
    return false;
}

// A decimal in the user's sign, or the reason it is none.
Problem decimalValue(const QString &digits, mpq_class &value)
{
    if (gauss::readExact(digits, value))
        return Problem::None;
    return !digits.isEmpty() && gauss::whyUnreadable(digits) == gauss::Unreadable::OtherSeparator
               ? Problem::OtherSeparator
               : Problem::NoNumber;
}

// "(-3/2)", "1,5", "-2": a sign, a bracket, a sign, a decimal, a fraction's
// bar and a decimal, a bracket, each but the first decimal optional. absent:
// not a single character of a number stands here.
Problem number(Scanner &s, mpq_class &value, bool &absent)
{
    const qsizetype start = s.here();
    const bool negativeOutside = negativeSign(s);
    const bool bracket = s.take({Open});
    const bool negative = negativeSign(s) != negativeOutside;
    const QString numerator = s.decimal();
    absent = s.here() == start;
    if (absent)
        return Problem::NoNumber;
    if (const Problem problem = decimalValue(numerator, value); problem != Problem::None)
        return problem;
    if (s.take({Over})) {
        mpq_class denominator;
        if (const Problem problem = decimalValue(s.decimal(), denominator);
            problem != Problem::None)
            return problem;
        if (denominator == 0)
            return Problem::ZeroDenominator;
        value /= denominator;
    }
    if (bracket && !s.take({Close}))
        return Problem::NoNumber;
    if (negative)
        value = -value;
    return Problem::None;
}

// "(a/(a + 2))": the bracket opened first closes last.
bool enclosed(const QString &text)
{
    int depth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        depth += text[i] == u'(' ? 1 : (text[i] == u')' ? -1 : 0);
        if (depth == 0)
            return i == text.size() - 1 && i > 0;
    }
    return false;
}

// "4/(a + 2)": where the bar has an expression after it, each side read as
// a polynomial, for the cells' reader takes no division by an expression.
bool readExpression(const QString &typed, QChar letter, gauss::RationalFunction &value)
{
    if (const QString inner = typed.trimmed(); enclosed(inner))
        return readExpression(inner.mid(1, inner.size() - 2), letter, value);
    int depth = 0;
    for (qsizetype i = typed.size() - 1; i > 0; --i) {
        depth += typed[i] == u')' ? 1 : (typed[i] == u'(' ? -1 : 0);
        mpq_class number;
        if (depth != 0 || typed[i] != u'/' || gauss::readExact(typed.mid(i + 1).trimmed(), number))
            continue;
        gauss::RationalFunction numerator, denominator;
        if (!readExpression(typed.left(i), letter, numerator) ||
            !readExpression(typed.mid(i + 1), letter, denominator) || denominator.isZero())
            return false;
        value = numerator / denominator;
        return true;
    }
    QChar used = letter;
    gauss::Polynomial poly;
    if (gauss::readPolynomial(typed, used, poly) != gauss::ParameterError::None)
        return false;
    value = gauss::RationalFunction(poly);
    return true;
}

Problem number(Scanner &s, gauss::RationalFunction &value, bool &absent, QChar letter)
{
    const QString typed = s.expression();
    if (typed.isEmpty()) {
        mpq_class constant;
        const Problem problem = number(s, constant, absent);
        if (problem == Problem::None)
            value = gauss::RationalFunction(constant);
        return problem;
    }
    absent = false;
    return readExpression(typed, letter, value) ? Problem::None : Problem::NoExpression;
}
Problem number(Scanner &s, mpq_class &value, bool &absent, QChar)
{
    return number(s, value, absent);
}

// What follows "ред 2 =" or the short "р2": ": 2", "· 2", "− 3/2 · ред 1".
template <class E>
Problem rightHandSide(Scanner &s, gauss::FieldOperation<E> &op, QString &part, QChar letter)
{
    using RowOperation = gauss::FieldOperation<E>;
    const bool divide = s.take(Divisions);
    const bool eliminate = !divide && !s.take(Products);
    const bool adding = eliminate && s.take({Plus});
    if (eliminate && !adding && !s.take(Minuses)) {
        part = s.word();
        return Problem::NoSign;
    }
    op.kind = divide ? RowOperation::Divide
                     : (eliminate ? RowOperation::Eliminate : RowOperation::Multiply);
    part = s.word();
    bool absent = false;
    op.factor = E(mpq_class(1)); // "р2 = р2 - р1"
    const qsizetype start = s.here();
    const Problem problem = number(s, op.factor, absent, letter);
    if (problem == Problem::NoExpression)
        part = s.from(start); // the expression whole, "(a + b)"
    if (problem != Problem::None && !(absent && eliminate))
        return problem;
    if (!eliminate)
        return Problem::None;
    if (adding)
        op.factor = -op.factor;
    if (!s.take(Products))
        s.take({Dot});
    part = s.word();
    return s.row(op.other) ? Problem::None : Problem::NoRow;
}

// A number before the changed row, "2" or "(-1/2) ·", where one stands.
template <class E> Problem ownFactor(Scanner &s, E &own, bool &typed, QChar letter)
{
    const qsizetype start = s.here();
    bool absent = false;
    E value;
    if (const Problem problem = number(s, value, absent, letter); problem != Problem::None) {
        if (absent)
            s.back(start);
        return absent ? Problem::None : problem;
    }
    if (!s.take(Products))
        s.take({Dot});
    own = value;
    typed = true;
    return Problem::None;
}

// Where an operation of a line ends: at a separator, but for a comma between
// two digits, which is a decimal sign.
bool endsOperation(const QString &typed, qsizetype at)
{
    if (!std::any_of(std::begin(Separators), std::end(Separators),
                     [&](QStringView separator) { return separator == typed[at]; }))
        return false;
    return typed[at] != u',' || at == 0 || at + 1 == typed.size() || !isDigit(typed[at - 1]) ||
           !isDigit(typed[at + 1]);
}

} // namespace

QStringList lines(const gauss::RowOps &ops, const NumberFormat &format)
{
    QStringList lines;
    for (const gauss::RowOp &op : ops) {
        switch (op.kind) {
        case gauss::RowOp::Exchange:
            lines << line({row(op.row), Exchange, row(op.other)});
            break;
        case gauss::RowOp::Divide:
            lines << line({row(op.row), Becomes, row(op.row), Divided, factor(op, format)});
            break;
        case gauss::RowOp::Multiply:
            lines << line({row(op.row), Becomes, row(op.row), Times, factor(op, format)});
            break;
        case gauss::RowOp::Eliminate:
            if (changesNothing(op, format))
                break;
            lines << line({row(op.row), Becomes, row(op.row),
                           multiple(format.text(op.factor, op.exact), op.other)});
            break;
        }
    }
    if (lines.isEmpty())
        lines << Unchanged.toString();
    return lines;
}

QString text(const gauss::RowOperation &op)
{
    switch (op.kind) {
    case gauss::RowOperation::Exchange:
        return line({row(op.row), Exchange, row(op.other)});
    case gauss::RowOperation::Divide:
        return line({row(op.row), Becomes, row(op.row), Divided, factor(op.factor)});
    case gauss::RowOperation::Multiply:
        return line({row(op.row), Becomes, row(op.row), Times, factor(op.factor)});
    case gauss::RowOperation::Eliminate:
        break;
    case gauss::RowOperation::Combine:
        return line({row(op.row), Becomes, ownMultiple(op.own), row(op.row),
                     multiple(gauss::fractionText(op.factor), op.other)});
    }
    return line(
        {row(op.row), Becomes, row(op.row), multiple(gauss::fractionText(op.factor), op.other)});
}

namespace
{

QString expressionText(const gauss::RationalFunction &f, QChar letter)
{
    return gauss::rationalText(f, letter,
                               [](const mpq_class &q) { return gauss::fractionText(q); });
}

// Whether a blank stands outside every bracket: a sum, "a + 2", not "a/(a + 2)".
bool isSum(const QString &text)
{
    int depth = 0;
    for (const QChar c : text) {
        depth += c == u'(' ? 1 : (c == u')' ? -1 : 0);
        if (depth == 0 && c == u' ')
            return true;
    }
    return false;
}

// A single term stands bare, "2a", "a/(a + 2)"; a sum in brackets, "(a + 2)".
QString term(const gauss::RationalFunction &f, QChar letter)
{
    const QString text = expressionText(f, letter);
    return isSum(text) ? u'(' + text + u')' : text;
}

} // namespace

QString text(const gauss::ParameterOperation &op, QChar letter)
{
    using Op = gauss::ParameterOperation;
    const auto multipleOf = [&](const gauss::RationalFunction &f, int other) {
        const QString negated = expressionText(-f, letter);
        if (!negated.startsWith(TypedMinus) && !isSum(negated))
            return multiple(u'-' + negated, other); // "+ a · ред 1"
        return multiple(term(f, letter), other);
    };
    switch (op.kind) {
    case Op::Exchange:
        return line({row(op.row), Exchange, row(op.other)});
    case Op::Divide:
        return line({row(op.row), Becomes, row(op.row), Divided,
                     u'(' + expressionText(op.factor, letter) + u')'});
    case Op::Multiply:
        return line({row(op.row), Becomes, row(op.row), Times,
                     u'(' + expressionText(op.factor, letter) + u')'});
    case Op::Eliminate:
        break;
    case Op::Combine:
        return line({row(op.row), Becomes, term(op.own, letter), Times, row(op.row),
                     multipleOf(op.factor, op.other)});
    }
    return line({row(op.row), Becomes, row(op.row), multipleOf(op.factor, op.other)});
}

// "ред 2 = ред 2 − 3/2 · ред 1" and its short forms; a form that names the
// changed row once ("р1 : 2", "р2 - 3р1") means the same as the form with "=".
template <class E> BasicReading<E> readIn(const QString &typed, QChar letter)
{
    Scanner s(typed, letter);
    BasicReading<E> reading;
    gauss::FieldOperation<E> &op = reading.operation;
    auto stop = [&reading](Problem problem, const QString &part) {
        reading.problem = problem;
        reading.part = part;
        return reading;
    };
    if (s.atEnd())
        return stop(Problem::Empty, QString());
    // "2р2 + 3р1 → р2": the changed row's own factor before it.
    E own(mpq_class(1));
    bool ownTyped = false;
    if (const Problem problem = ownFactor(s, own, ownTyped, letter); problem != Problem::None)
        return stop(problem, s.word());
    if (!s.row(op.row))
        return stop(Problem::NoRow, s.word());
    QString part;
    if (!ownTyped && s.take(Exchanges)) {
        op.kind = gauss::RowOperations::Exchange;
        part = s.word();
        if (!s.row(op.other))
            return stop(Problem::NoRow, part);
    } else {
        if (!ownTyped && s.take(Becomings)) {
            const qsizetype start = s.here();
            int same = 0;
            if (const Problem problem = ownFactor(s, own, ownTyped, letter);
                problem != Problem::None)
                return stop(problem, s.word());
            part = s.word();
            if (!s.row(same))
                return stop(Problem::NoRow, part);
            if (same != op.row)
                return stop(Problem::NotSameRow, s.from(start));
        }
        if (const Problem problem = rightHandSide(s, op, part, letter); problem != Problem::None)
            return stop(problem, part);
        if (ownTyped && op.kind != gauss::RowOperations::Eliminate)
            return stop(Problem::NoSign, part);
        if (own != E(mpq_class(1))) {
            op.kind = gauss::RowOperations::Combine;
            op.own = own;
        }
        // "р2 − 3р1 → р2": the changed row named after the operation.
        if (const qsizetype start = s.here(); s.take(Becomings)) {
            int target = 0;
            part = s.word();
            if (!s.row(target))
                return stop(Problem::NoRow, part);
            if (target != op.row)
                return stop(Problem::NotSameRow, s.from(start));
        }
    }
    if (!s.atEnd())
        return stop(Problem::Extra, s.word());
    return reading;
}

template <class E> BasicLine<E> readLineIn(const QString &typed, QChar letter)
{
    BasicLine<E> line;
    qsizetype from = 0;
    for (qsizetype at = 0; at <= typed.size(); ++at) {
        if (at < typed.size() && !endsOperation(typed, at))
            continue;
        const QString part = typed.mid(from, at - from);
        from = at + 1;
        // A separator at the end, or a doubled one, parts nothing.
        if (part.trimmed().isEmpty() && (line.count > 0 || at < typed.size()))
            continue;
        ++line.count;
        const BasicReading<E> reading = readIn<E>(part, letter);
        if (line.refused == 0 && reading.problem != Problem::None) {
            line.refused = line.count;
            line.readings = {reading};
        } else if (line.refused == 0) {
            line.readings << reading;
        }
    }
    return line;
}

Reading read(const QString &typed)
{
    return readIn<mpq_class>(typed, QChar());
}

ParameterReading read(const QString &typed, QChar letter)
{
    return readIn<gauss::RationalFunction>(typed, letter);
}

Line readLine(const QString &typed)
{
    return readLineIn<mpq_class>(typed, QChar());
}

ParameterLine readLine(const QString &typed, QChar letter)
{
    return readLineIn<gauss::RationalFunction>(typed, letter);
}

bool readNumber(const QString &typed, mpq_class &value)
{
    if (gauss::readExact(typed, value))
        return true;
    Scanner s(typed);
    bool absent = false;
    return number(s, value, absent) == Problem::None && s.atEnd();
}

} // namespace RowNotation
