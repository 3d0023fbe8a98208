#include "parameterwords.h"

#include "numbertext.h"
#include "parametertext.h"
#include "rownotation.h"

#include <limits>

namespace ParameterWords
{

namespace
{

// An exact number as the view writes it.
std::function<QString(const mpq_class &)> numbers(NumberFormat::View view)
{
    return [in = NumberFormat(view)](const mpq_class &v) {
        return in.text(std::numeric_limits<float>::quiet_NaN(), v);
    };
}

QString polynomial(const gauss::Polynomial &p, QChar letter)
{
    return gauss::polynomialText(p, letter, gauss::fractionText);
}

bool isSum(const QString &text)
{
    return text.indexOf(u' ') > 0 || text.contains(u'/');
}

// A multiplier before a row or an unknown: "2", "(1/2)", "(a + 1)", "a".
QString multiplier(const QString &text)
{
    return isSum(text) ? u'(' + text + u')' : text;
}

// The roots of an irreducible quadratic with integer coefficients p·a² + q·a + r,
// as (u ± v√t)/d in lowest terms.
QString quadraticRoots(const gauss::Polynomial &f, QChar letter)
{
    const mpz_class p = f.coefficient(2).get_num();
    const mpz_class q = f.coefficient(1).get_num();
    const mpz_class r = f.coefficient(0).get_num();
    mpz_class square, rest;
    gauss::squareParts(q * q - 4 * p * r, square, rest);
    mpz_class u = -q, v = square, d = 2 * p;
    mpz_class g;
    mpz_gcd(g.get_mpz_t(), u.get_mpz_t(), v.get_mpz_t());
    mpz_gcd(g.get_mpz_t(), g.get_mpz_t(), d.get_mpz_t());
    u /= g, v /= g, d /= g;
    const QString root = (v == 1 ? QString() : QString::fromStdString(v.get_str())) +
                         QStringLiteral("√") + QString::fromStdString(rest.get_str());
    QString text = u == 0 ? QStringLiteral("±") + root
                          : QString::fromStdString(u.get_str()) + QStringLiteral(" ± ") + root;
    if (d != 1)
        text = (u == 0 ? text : u'(' + text + u')') + u'/' + QString::fromStdString(d.get_str());
    return QStringLiteral("%1 = %2").arg(letter).arg(text);
}

QString notEqual(const gauss::Polynomial &f, QChar letter)
{
    if (f.degree() == 1)
        return QStringLiteral("%1 ≠ %2").arg(letter).arg(gauss::fractionText(f.root()));
    return QStringLiteral("%1 ≠ 0").arg(polynomial(f, letter));
}

// "a ≠ 1, a ≠ 2 и a ≠ -2".
QString joined(const QStringList &parts)
{
    if (parts.size() <= 1)
        return parts.value(0);
    return parts.mid(0, parts.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" и ") +
           parts.last();
}

QString factoredText(const gauss::RationalFunction &d, QChar letter)
{
    if (d.isZero())
        return QStringLiteral("0");
    const gauss::Polynomial num = d.numerator();
    const gauss::Factored f = gauss::factorise(num);
    const mpq_class unit = f.unit / d.denominator().coefficient(0);
    if (f.factors.empty())
        return gauss::fractionText(unit);
    QString text = unit == 1    ? QString()
                   : unit == -1 ? QStringLiteral("-")
                                : gauss::fractionText(unit);
    const bool alone = f.factors.size() == 1 && f.factors[0].multiplicity == 1 && text.isEmpty();
    for (const gauss::Factor &factor : f.factors) {
        const QString p = polynomial(factor.factor, letter);
        text += alone || p == QString(letter) ? p : u'(' + p + u')';
        if (factor.multiplicity > 1)
            text += gauss::superscriptText(factor.multiplicity);
    }
    return text;
}

template <class E, class Text>
QString unknownValue(const typename gauss::FieldSolution<E>::Bound &b, Text text)
{
    QString value = text(b.constant);
    const bool zero = value == QStringLiteral("0");
    QString out = zero ? QString() : value;
    for (const auto &[unknown, coefficient] : b.terms) {
        QString c = text(coefficient);
        const bool negative = !isSum(c) && c.startsWith(u'-');
        if (negative)
            c.remove(0, 1);
        const QString term = (c == QStringLiteral("1") ? QString() : multiplier(c)) +
                             QStringLiteral("x%1").arg(unknown);
        if (out.isEmpty())
            out = negative ? u'-' + term : term;
        else
            out += (negative ? QStringLiteral(" - ") : QStringLiteral(" + ")) + term;
    }
    return out.isEmpty() ? QStringLiteral("0") : out;
}

template <class E, class Text> QString verdict(const gauss::FieldSolution<E> &s, Text text)
{
    const QString ranks = QStringLiteral(" (ранг A = %1, ранг [A|b] = %2)")
                              .arg(s.coefficientRank)
                              .arg(s.augmentedRank);
    if (s.kind == gauss::Verdict::None)
        return QStringLiteral("няма решение (ред %1: 0 = %2)")
                   .arg(s.contradiction)
                   .arg(text(s.contradictionValue)) +
               ranks;
    QStringList values;
    for (const auto &b : s.bound)
        values << QStringLiteral("x%1 = %2").arg(b.unknown).arg(unknownValue<E>(b, text));
    if (s.kind == gauss::Verdict::One)
        return QStringLiteral("единствено решение ") + values.join(QStringLiteral(", ")) + ranks;
    QStringList free;
    for (const int f : s.free)
        free << QStringLiteral("x%1").arg(f);
    values << free.join(QStringLiteral(", ")) + (free.size() == 1
                                                     ? QStringLiteral(" — произволно")
                                                     : QStringLiteral(" — произволни"));
    return QStringLiteral("безброй решения ") + values.join(QStringLiteral(", ")) + ranks;
}

} // namespace

QString expression(const gauss::RationalFunction &f, QChar letter, NumberFormat::View view)
{
    return gauss::rationalText(f, letter, numbers(view));
}

QString condition(const gauss::Polynomial &factor, QChar letter, bool roots)
{
    if (factor.degree() == 1)
        return QStringLiteral("%1 = %2").arg(letter).arg(gauss::fractionText(factor.root()));
    const QString zero = QStringLiteral("%1 = 0").arg(polynomial(factor, letter));
    return factor.degree() == 2 && roots
               ? zero + QStringLiteral(", т.е. ") + quadraticRoots(factor, letter)
               : zero;
}

QString factored(const gauss::RationalFunction &d, QChar letter)
{
    return factoredText(d, letter);
}

QString generalCondition(const gauss::ParameterAnalysis &a)
{
    std::vector<gauss::Polynomial> factors;
    for (const gauss::ParameterCase &c : a.cases)
        factors.push_back(c.factor);
    return generalCondition(factors, a.system.letter);
}

QString generalCondition(const std::vector<gauss::Polynomial> &excluded, QChar letter)
{
    QStringList parts;
    for (const gauss::Polynomial &f : excluded)
        parts << notEqual(f, letter);
    return parts.isEmpty() ? QStringLiteral("при всяко %1").arg(letter)
                           : QStringLiteral("при ") + joined(parts);
}

QString generalVerdict(const gauss::ParameterAnalysis &a, NumberFormat::View view)
{
    return verdict(a.general, [&](const gauss::RationalFunction &f) {
        return expression(f, a.system.letter, view);
    });
}

QString caseVerdict(const gauss::ParameterCase &c, QChar letter, NumberFormat::View view)
{
    if (!c.worked)
        return QStringLiteral("случаят не е изследван: множителят е от степен %1, а програмата "
                              "изследва корените на множители до степен %2")
            .arg(c.factor.degree())
            .arg(gauss::MaxCaseDegree);
    return verdict(c.solution, [&](const gauss::Residue &r) {
        return gauss::polynomialText(r.value(), letter, numbers(view));
    });
}

QString valueAt(const gauss::RationalFunction &f, const gauss::ParameterCase &c, QChar letter,
                NumberFormat::View view)
{
    gauss::Residue r;
    if (!gauss::reduce(f, c.factor, r))
        return QStringLiteral("(неопределено)");
    return gauss::polynomialText(r.value(), letter, numbers(view));
}

QStringList analysis(const gauss::ParameterAnalysis &a, NumberFormat::View view)
{
    const QChar letter = a.system.letter;
    QStringList lines;
    if (a.square)
        lines << QStringLiteral("D = ") + factored(a.determinant, letter);
    lines << generalCondition(a) + QStringLiteral(": ") + generalVerdict(a, view);
    for (const gauss::ParameterCase &c : a.cases)
        lines << QStringLiteral("при ") + condition(c, letter) + QStringLiteral(": ") +
                     caseVerdict(c, letter, view);
    return lines;
}

QStringList generalValues(const gauss::ParameterAnalysis &a, NumberFormat::View view)
{
    QStringList values;
    const auto &s = a.general;
    if (s.kind == gauss::Verdict::None)
        return values;
    for (int u = 1; u <= a.system.unknowns; ++u)
        values << QStringLiteral("произволно");
    for (const auto &b : s.bound)
        values[b.unknown - 1] =
            unknownValue<gauss::RationalFunction>(b, [&](const gauss::RationalFunction &f) {
                return expression(f, a.system.letter, view);
            });
    return values;
}

QStringList stepLines(const gauss::ParametricStep &step, QChar letter, NumberFormat::View view)
{
    if (step.free)
        return {QStringLiteral("в колона %1 няма водещ елемент: x%1 е свободно неизвестно")
                    .arg(step.column)};
    const QString row = RowNotation::Row.toString() + u' ';
    QStringList lines;
    for (const gauss::ParametricOp &op : step.ops) {
        const QString r = row + QString::number(op.row);
        const QString other = row + QString::number(op.other);
        const QString factor = expression(op.factor, letter, view);
        if (op.kind == gauss::RowOp::Exchange)
            lines << QStringLiteral("%1 %2 %3").arg(r, RowNotation::Exchange, other);
        else if (op.kind == gauss::RowOp::Divide)
            lines << QStringLiteral("%1 = %1 : (%2)").arg(r, factor);
        else if (factor.startsWith(u'-') && !isSum(factor))
            lines << QStringLiteral("%1 = %1 + %2%3")
                         .arg(r,
                              factor == QStringLiteral("-1")
                                  ? QString()
                                  : factor.mid(1) + QStringLiteral(" · "),
                              other);
        else
            lines << QStringLiteral("%1 = %1 %2 %3%4")
                         .arg(r, RowNotation::Minus,
                              factor == QStringLiteral("1")
                                  ? QString()
                                  : multiplier(factor) + QStringLiteral(" · "),
                              other);
    }
    if (!step.assumed.empty()) {
        QStringList conditions;
        for (const gauss::Polynomial &f : step.assumed)
            conditions << notEqual(f, letter);
        const auto divide = std::find_if(step.ops.begin(), step.ops.end(), [](const auto &op) {
            return op.kind == gauss::RowOp::Divide;
        });
        lines << QStringLiteral("делим на %1, при %2")
                     .arg(expression(divide->factor, letter, view), joined(conditions));
    }
    return lines;
}

QList<QStringList> matrix(const std::vector<std::vector<gauss::RationalFunction>> &m, QChar letter,
                          NumberFormat::View view)
{
    QList<QStringList> rows;
    for (const auto &row : m) {
        QStringList texts;
        for (const gauss::RationalFunction &e : row)
            texts << expression(e, letter, view);
        rows << texts;
    }
    return rows;
}

} // namespace ParameterWords
