#include "exactwords.h"

#include "numbertext.h"

namespace
{

// Past this many characters a number of the general solution is summarised
// as a hover summarises it, so that a line of it fits a screen.
constexpr int LongestTerm = 40;

// A number of the general solution: a fraction, or its summary in brackets.
QString termText(const mpq_class &value)
{
    const QString text = gauss::fractionText(value);
    if (text.size() <= LongestTerm)
        return text;
    return u'(' + exactWords(value) + u')';
}

// "3 - 2·x2", "-x3", "0": the constant, then each term with its sign.
QString valueOf(const gauss::BoundUnknown &unknown)
{
    QString text = unknown.constant == 0 ? QString() : termText(unknown.constant);
    for (const gauss::Term &term : unknown.terms) {
        const mpq_class size = abs(term.coefficient);
        const QString product = (size == 1 ? QString() : termText(size) + u'·') +
                                QStringLiteral("x%1").arg(term.unknown);
        const bool negative = term.coefficient < 0;
        if (text.isEmpty())
            text = (negative ? QStringLiteral("-") : QString()) + product;
        else
            text += (negative ? QStringLiteral(" - ") : QStringLiteral(" + ")) + product;
    }
    return text.isEmpty() ? QStringLiteral("0") : text;
}

} // namespace

QString exactWords(const mpq_class &value)
{
    const gauss::ExactText exact = gauss::exactText(value);
    switch (exact.kind) {
    case gauss::ExactText::Whole:
        break;
    case gauss::ExactText::LongDecimal:
        return QStringLiteral("число с %1 значещи цифри: %2…")
            .arg(exact.significantDigits)
            .arg(exact.text);
    case gauss::ExactText::LongFraction:
        return QStringLiteral("дроб с %1-цифрен числител и %2-цифрен знаменател: %3…")
            .arg(exact.numeratorDigits)
            .arg(exact.denominatorDigits)
            .arg(exact.text);
    }
    return exact.text;
}

QString roundedWords(const mpq_class &exact)
{
    return QStringLiteral("закръглено: точно ") + exactWords(exact);
}

QStringList singularWords(const gauss::Singular &why)
{
    QStringList lines{
        QStringLiteral("ранг на матрицата на коефициентите: %1").arg(why.coefficientRank),
        QStringLiteral("ранг на разширената матрица: %1").arg(why.augmentedRank)};
    if (!why.solvable())
        return lines << QStringLiteral("няма решение");
    lines << QStringLiteral("безброй решения:");
    for (const int unknown : why.free)
        lines << QStringLiteral("x%1 е произволно число").arg(unknown);
    for (const gauss::BoundUnknown &unknown : why.bound)
        lines << QStringLiteral("x%1 = %2").arg(unknown.unknown).arg(valueOf(unknown));
    return lines;
}
