#include "parametertext.h"

#include "numbertext.h"

namespace gauss
{

namespace
{

const QString Superscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");

// A recursive descent over the text: sums of products of powers of numbers,
// the letter and bracketed sums. Only numbers divide.
class Reader
{
public:
    Reader(const QString &text, QChar &letter) : t(text), letter(letter) {}

    ParameterError read(Polynomial &value)
    {
        if (!sum(value))
            return failed();
        skipBlanks();
        return i == t.size() ? ParameterError::None : failed();
    }

private:
    const QString t;
    QChar &letter;
    int i = 0;
    ParameterError error = ParameterError::None;

    ParameterError failed() const
    {
        return error == ParameterError::None ? ParameterError::NotExpression : error;
    }
    bool fail(ParameterError why)
    {
        error = why;
        return false;
    }
    void skipBlanks()
    {
        while (i < t.size() && t[i].isSpace())
            ++i;
    }
    QChar peek()
    {
        skipBlanks();
        if (i >= t.size())
            return {};
        const QChar c = t[i];
        if (c == u'\u2212' || c == u'\u2013')
            return u'-';
        if (c == u'·' || c == u'×')
            return u'*';
        return c;
    }
    bool startsFactor()
    {
        const QChar c = peek();
        return c == u'(' || c.isDigit() || c.isLetter();
    }

    bool sum(Polynomial &value)
    {
        QChar sign = peek();
        value = Polynomial();
        for (bool first = true;; first = false) {
            if (sign == u'+' || sign == u'-')
                ++i;
            else if (!first)
                return true;
            Polynomial term;
            if (!product(term))
                return false;
            value = sign == u'-' ? value - term : value + term;
            sign = peek();
        }
    }

    bool product(Polynomial &value)
    {
        if (!power(value))
            return false;
        for (;;) {
            const QChar c = peek();
            Polynomial next;
            if (c == u'/') {
                ++i;
                if (!power(next))
                    return false;
                if (!next.isConstant())
                    return fail(ParameterError::DivisionByExpression);
                if (next.isZero())
                    return false;
                value = value * Polynomial(1 / next.coefficient(0));
                continue;
            }
            if (c == u'*')
                ++i;
            else if (c != u'(' && !c.isLetter())
                return true;
            if (!power(next))
                return false;
            value = value * next;
        }
    }

    bool power(Polynomial &value)
    {
        if (!primary(value))
            return false;
        int exponent = -1;
        if (peek() == u'^') {
            ++i;
            skipBlanks();
            const int from = i;
            while (i < t.size() && t[i].isDigit() && i - from < 3)
                ++i;
            if (i == from)
                return false;
            exponent = t.mid(from, i - from).toInt();
        } else if (i < t.size() && Superscripts.contains(t[i])) {
            exponent = 0;
            for (; i < t.size() && Superscripts.contains(t[i]) && exponent <= MaxParameterPower;
                 ++i)
                exponent = exponent * 10 + int(Superscripts.indexOf(t[i]));
        }
        if (exponent < 0)
            return true;
        if (exponent > MaxParameterPower || value.degree() * exponent > 4 * MaxParameterPower)
            return fail(ParameterError::PowerTooLarge);
        value = value.pow(exponent);
        return true;
    }

    bool primary(Polynomial &value)
    {
        const QChar c = peek();
        if (c == u'-' || c == u'+') { // "a + -2", as numbers read elsewhere
            ++i;
            if (!primary(value))
                return false;
            value = c == u'-' ? -value : value;
            return true;
        }
        if (c == u'(') {
            ++i;
            if (!sum(value) || peek() != u')')
                return false;
            ++i;
            return true;
        }
        if (c.isDigit() || c == u'.' || c == u',') {
            const int from = i;
            while (i < t.size() && (t[i].isDigit() || t[i] == u'.' || t[i] == u','))
                ++i;
            mpq_class number;
            if (!readExact(t.mid(from, i - from), number))
                return false;
            value = Polynomial(number);
            return true;
        }
        if (!isParameterLetter(c))
            return false;
        const QChar latin = parameterLetter(c);
        if (!letter.isNull() && letter != latin)
            return fail(ParameterError::TwoLetters);
        letter = latin;
        ++i;
        // "ab" or "a2" would be a second letter or a misplaced coefficient.
        if (i < t.size() && (t[i].isLetterOrNumber() && !Superscripts.contains(t[i])))
            return t[i].isLetter() && isParameterLetter(t[i]) && parameterLetter(t[i]) != latin
                       ? fail(ParameterError::TwoLetters)
                       : false;
        value = Polynomial::variable();
        return true;
    }
};

int termCount(const Polynomial &poly)
{
    int count = 0;
    for (int k = 0; k <= poly.degree(); ++k)
        count += poly.coefficient(k) != 0;
    return count;
}

} // namespace

QString superscriptText(int power)
{
    QString text;
    for (const QChar digit : QString::number(power))
        text += Superscripts[digit.digitValue()];
    return text;
}

bool isParameterLetter(QChar c)
{
    return QStringLiteral("abckmpqtλ").contains(parameterLetter(c));
}

QChar parameterLetter(QChar c)
{
    static const QString cyrillic = QStringLiteral("аскмрт");
    static const QString latin = QStringLiteral("ackmpt");
    const int at = int(cyrillic.indexOf(c));
    return at < 0 ? c : latin[at];
}

ParameterError readPolynomial(const QString &text, QChar &letter, Polynomial &value)
{
    QChar found = letter;
    const ParameterError error = Reader(text, found).read(value);
    if (error == ParameterError::None)
        letter = found;
    return error;
}

QString polynomialText(const Polynomial &poly, QChar letter,
                       const std::function<QString(const mpq_class &)> &number)
{
    if (poly.isZero())
        return number(0);
    QString text;
    for (int k = poly.degree(); k >= 0; --k) {
        const mpq_class c = poly.coefficient(k);
        if (c == 0)
            continue;
        if (text.isEmpty())
            text = c < 0 ? QStringLiteral("-") : QString();
        else
            text += c < 0 ? QStringLiteral(" - ") : QStringLiteral(" + ");
        const mpq_class size = abs(c);
        if (k == 0 || size != 1) {
            const QString n = number(size);
            text += k > 0 && n.contains(u'/') ? u'(' + n + u')' : n;
        }
        if (k > 0)
            text += letter + (k > 1 ? superscriptText(k) : QString());
    }
    return text;
}

QString rationalText(const RationalFunction &f, QChar letter,
                     const std::function<QString(const mpq_class &)> &number)
{
    const Polynomial num = f.numerator();
    const Polynomial den = f.denominator();
    if (den == Polynomial(1))
        return polynomialText(num, letter, number);
    auto bracketed = [&](const Polynomial &p) {
        const QString text = polynomialText(p, letter, number);
        return termCount(p) > 1 ? u'(' + text + u')' : text;
    };
    const bool bareDenominator =
        termCount(den) == 1 && (den.degree() == 0 || den.coefficient(den.degree()) == 1);
    return bracketed(num) + u'/' +
           (bareDenominator ? polynomialText(den, letter, number)
                            : u'(' + polynomialText(den, letter, number) + u')');
}

} // namespace gauss
