#include "parametertour.h"

#include "parameterwords.h"

#include <algorithm>

namespace
{

gauss::ParameterSystem generalSystem(const gauss::ParametricSystem &typed)
{
    gauss::ParameterSystem s;
    s.rows = typed.rows;
    s.unknowns = typed.unknowns;
    for (int r = 1; r <= typed.rows; ++r)
        for (int c = 1; c <= typed.unknowns + 1; ++c)
            s.a[r][c] = gauss::RationalFunction(typed.a[std::size_t(r - 1)][std::size_t(c - 1)]);
    return s;
}

bool contains(const std::vector<gauss::Polynomial> &list, const gauss::Polynomial &f)
{
    return std::find(list.begin(), list.end(), f) != list.end();
}

} // namespace

ParameterTour::ParameterTour(const gauss::ParameterAnalysis &analysis)
    : analysis(analysis), working(generalSystem(analysis.system))
{
}

QStringList ParameterTour::apply(const gauss::ParameterOperation &op)
{
    working.apply(op);
    assumed.push_back(gauss::assumptions(op));
    std::stable_sort(assumed.back().begin(), assumed.back().end(), gauss::caseBefore);
    QStringList warnings;
    using Op = gauss::ParameterOperation;
    const QString what = op.kind == Op::Divide ? QStringLiteral("делите на нула")
                         : op.kind == Op::Multiply
                             ? QStringLiteral("умножавате по нула")
                             : QStringLiteral("множителят е 0 или не е определен");
    for (const gauss::Polynomial &f : assumed.back()) {
        const QString where = ParameterWords::condition(f, letter(), false);
        warnings << QStringLiteral("при %1 %2: разгледайте %1 отделно").arg(where, what);
    }
    return warnings;
}

bool ParameterTour::takeBack()
{
    if (!working.takeBack())
        return false;
    assumed.pop_back();
    return true;
}

std::vector<gauss::Polynomial> ParameterTour::cases() const
{
    std::vector<gauss::Polynomial> all;
    for (const gauss::ParameterCase &c : analysis.cases)
        all.push_back(c.factor);
    for (const auto &factors : assumed)
        for (const gauss::Polynomial &f : factors)
            if (!contains(all, f))
                all.push_back(f);
    std::stable_sort(all.begin(), all.end(), gauss::caseBefore);
    return all;
}

std::optional<gauss::Polynomial> ParameterTour::nextCase() const
{
    for (const gauss::Polynomial &f : cases())
        if (f.degree() == 1 && !isWorked(f))
            return f;
    return std::nullopt;
}

gauss::ExactSystem ParameterTour::system(const gauss::Polynomial &factor) const
{
    gauss::ExactMatrix a;
    gauss::substitute(analysis.system, factor.root(), a);
    return gauss::exactSystem(a, analysis.system.rows, analysis.system.unknowns);
}

void ParameterTour::worked(const gauss::Polynomial &factor, const InBothViews<QString> &verdict)
{
    forget(factor);
    done.emplace_back(factor, verdict);
}

void ParameterTour::forget(const gauss::Polynomial &factor)
{
    done.erase(
        std::remove_if(done.begin(), done.end(), [&](const auto &d) { return d.first == factor; }),
        done.end());
}

bool ParameterTour::isWorked(const gauss::Polynomial &factor) const
{
    return std::any_of(done.begin(), done.end(), [&](const auto &d) { return d.first == factor; });
}

const gauss::ParameterCase *ParameterTour::caseOf(const gauss::Polynomial &factor) const
{
    for (const gauss::ParameterCase &c : analysis.cases)
        if (c.factor == factor)
            return &c;
    return nullptr;
}

QStringList ParameterTour::verdict(NumberFormat::View view) const
{
    const std::vector<gauss::Polynomial> all = cases();
    QStringList lines{ParameterWords::generalCondition(all, letter()) + QStringLiteral(": ") +
                      ParameterWords::generalVerdict(analysis, view)};
    for (const gauss::Polynomial &f : all) {
        // A case worked to its end has the verdict the analysis gives it, in
        // the same words as the general case's; a value only the student's
        // divisions made a case keeps the words of his own end.
        QString words;
        const gauss::ParameterCase *c = caseOf(f);
        for (const auto &[factor, verdict] : done)
            if (factor == f)
                words = c ? ParameterWords::caseVerdict(*c, letter(), view) : verdict[view];
        if (words.isEmpty() && f.degree() > 1)
            words = c ? ParameterWords::caseVerdict(*c, letter(), view) +
                            QStringLiteral(" (по анализа на програмата)")
                      : QStringLiteral("както в общия случай (по анализа на програмата)");
        if (words.isEmpty())
            words = QStringLiteral("още не е разгледано");
        lines << QStringLiteral("при ") + ParameterWords::condition(f, letter()) +
                     QStringLiteral(": ") + words;
    }
    return lines;
}

QStringList ParameterTour::generalValues(NumberFormat::View view) const
{
    return ParameterWords::generalValues(analysis, view);
}

QString ParameterTour::left() const
{
    QStringList values;
    for (const gauss::Polynomial &f : cases())
        if (f.degree() == 1 && !isWorked(f))
            values << ParameterWords::condition(f, letter());
    return values.isEmpty()
               ? QString()
               : QStringLiteral("Остава да разгледате: %1.").arg(values.join(QStringLiteral(", ")));
}
