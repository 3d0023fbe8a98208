#include "exactwords.h"

#include "numbertext.h"
#include "record.h"

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

// A coefficient before an unknown, in the grid's own notation: "3x3", "x4",
// a fraction in brackets, "(3/2)x3", so that it never reads as 3/(2x3).
QString product(const mpq_class &size, int unknown)
{
    const QString name = QStringLiteral("x%1").arg(unknown);
    if (size == 1)
        return name;
    const QString factor = termText(size);
    return (size.get_den() == 1 || factor.startsWith(u'(') ? factor : u'(' + factor + u')') + name;
}

// "2 - 3x3 + x4", "-x3", "0": the constant, then each term with its sign.
QString valueOf(const gauss::BoundUnknown &unknown)
{
    QString text = unknown.constant == 0 ? QString() : termText(unknown.constant);
    for (const gauss::Term &term : unknown.terms) {
        const QString written = product(abs(term.coefficient), term.unknown);
        const bool negative = term.coefficient < 0;
        if (text.isEmpty())
            text = (negative ? QStringLiteral("-") : QString()) + written;
        else
            text += (negative ? QStringLiteral(" - ") : QStringLiteral(" + ")) + written;
    }
    return text.isEmpty() ? QStringLiteral("0") : text;
}

QStringList ranks(const gauss::Singular &why)
{
    return {QStringLiteral("ранг на матрицата на коефициентите: %1").arg(why.coefficientRank),
            QStringLiteral("ранг на разширената матрица: %1").arg(why.augmentedRank)};
}

// "x3, x4 — произволни", then one bound unknown a line.
QStringList generalSolution(const gauss::Singular &why)
{
    QStringList names;
    for (const int unknown : why.free)
        names << QStringLiteral("x%1").arg(unknown);
    QStringList lines{names.join(QStringLiteral(", ")) + (names.size() == 1
                                                              ? QStringLiteral(" — произволно")
                                                              : QStringLiteral(" — произволни"))};
    for (const gauss::BoundUnknown &unknown : why.bound)
        lines << QStringLiteral("x%1 = %2").arg(unknown.unknown).arg(valueOf(unknown));
    return lines;
}

// One solution of the homogeneous system for each free unknown: it 1, the
// other free ones 0.
QStringList fundamentalSystem(const gauss::Singular &why, int unknowns)
{
    QStringList lines{QStringLiteral("фундаментална система решения:")};
    for (std::size_t f = 0; f < why.free.size(); ++f) {
        std::vector<mpq_class> x(std::size_t(unknowns) + 1, 0);
        x[std::size_t(why.free[f])] = 1;
        for (const gauss::BoundUnknown &unknown : why.bound)
            for (const gauss::Term &term : unknown.terms)
                if (term.unknown == why.free[f])
                    x[std::size_t(unknown.unknown)] = term.coefficient;
        QStringList entries;
        for (int c = 1; c <= unknowns; ++c)
            entries << termText(x[std::size_t(c)]);
        lines << QStringLiteral("e%1 = (%2)").arg(f + 1).arg(entries.join(QStringLiteral("; ")));
    }
    return lines;
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
    QStringList lines = ranks(why);
    if (!why.solvable())
        return lines << QStringLiteral("няма решение");
    return lines << QStringLiteral("безброй решения:") << generalSolution(why);
}

QStringList verdictWords(const gauss::Verdict &verdict, int unknowns)
{
    switch (verdict.kind) {
    case gauss::Verdict::One:
        return QStringList{QStringLiteral("Системата има единствено решение.")}
               << ranks(verdict.ranks);
    case gauss::Verdict::None:
        return QStringList{QStringLiteral("Системата няма решение.")}
               << ranks(verdict.ranks)
               << QStringLiteral("ред %1 гласи 0 = %2")
                      .arg(verdict.contradiction)
                      .arg(termText(verdict.contradictionValue));
    case gauss::Verdict::Many:
        break;
    }
    QStringList lines{QStringLiteral("Системата има безброй решения.")};
    lines << ranks(verdict.ranks) << generalSolution(verdict.ranks);
    if (verdict.homogeneous)
        lines << fundamentalSystem(verdict.ranks, unknowns);
    return lines;
}

QStringList valueWords(const gauss::Singular &why, int unknowns)
{
    QStringList values;
    for (int c = 1; c <= unknowns; ++c)
        values << QStringLiteral("произволно");
    for (const gauss::BoundUnknown &unknown : why.bound)
        values[unknown.unknown - 1] = valueOf(unknown);
    return values;
}
