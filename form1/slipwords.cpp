#include "slipwords.h"

#include "gridcell.h"
#include "numbertext.h"
#include "rownotation.h"

namespace SlipWords
{

namespace
{

QString quoted(const QString &text)
{
    return u'„' + text + u'“';
}

QString made(const gauss::RowOperation &op, const mpq_class &factor, int other)
{
    gauss::RowOperation with = op;
    with.factor = factor;
    with.other = other;
    return quoted(RowNotation::text(with));
}

} // namespace

QString slip(const gauss::Slip &slip, const gauss::RowOperation &op)
{
    const bool one = slip.columns.size() == 1;
    switch (slip.kind) {
    case gauss::Slip::None:
    case gauss::Slip::Unknown:
        break;
    case gauss::Slip::Sign:
        return one ? QStringLiteral("знак: числото е с обратен знак")
                   : QStringLiteral("знак: редът е сметнат като %1")
                         .arg(made(op, -op.factor, op.other));
    case gauss::Slip::RightUnchanged:
        return QStringLiteral("дясната страна е останала както беше, а операцията "
                              "се прилага и на нея");
    case gauss::Slip::RightApart:
        return QStringLiteral("дясната страна е сметната другояче от лявата, "
                              "а коефициентите са верни");
    case gauss::Slip::Multiplier:
        return QStringLiteral("множител: редът е сметнат като %1 вместо %2")
            .arg(made(op, slip.factor, op.other), quoted(RowNotation::text(op)));
    case gauss::Slip::OtherRow:
        return QStringLiteral("операцията е направена с ред %1 вместо с ред %2")
            .arg(slip.other)
            .arg(op.other);
    case gauss::Slip::Part:
        return one ? QStringLiteral("операцията е приложена само на част от реда: "
                                    "тази клетка е останала както беше")
                   : QStringLiteral("операцията е приложена само на част от реда: "
                                    "тези клетки са останали както бяха");
    case gauss::Slip::Arithmetic:
        return QStringLiteral("сметка: грешка в тази клетка");
    }
    return QString();
}

QStringList form(const gauss::ExactSystem &s, const NumberFormat &format)
{
    const gauss::Form f = gauss::formOf(s);
    const auto value = [&](int r, int c) {
        return format.text({gauss::decimalText(s.a[r][c]), s.a[r][c]});
    };
    const QString cell = GridCell::spokenName(f.row, f.column, s.unknowns);
    QStringList lines;
    lines << (f.echelon ? QStringLiteral("Стъпаловиден вид: да.")
                        : QStringLiteral("Стъпаловиден вид: не."));
    lines << (f.reduced ? QStringLiteral("Приведен стъпаловиден вид: да.")
                        : QStringLiteral("Приведен стъпаловиден вид: не."));
    switch (f.why) {
    case gauss::Form::Fine:
        break;
    case gauss::Form::BelowPivot:
        lines << QStringLiteral("Първото нарушение: %1 е %2, а под стъпалото на ред %3 "
                                "трябва 0.")
                     .arg(cell, value(f.row, f.column))
                     .arg(f.pivotRow);
        break;
    case gauss::Form::ZeroRowAbove:
        lines << QStringLiteral("Първото нарушение: ред %1 е от нули, а под него ред %2 не е; "
                                "редовете от нули са последни.")
                     .arg(f.pivotRow)
                     .arg(f.row);
        break;
    case gauss::Form::PivotNotOne:
        lines << QStringLiteral("Първото нарушение: водещият елемент %1 е %2, а трябва 1.")
                     .arg(cell, value(f.row, f.column));
        break;
    case gauss::Form::AbovePivot:
        lines << QStringLiteral("Първото нарушение: %1 е %2, а над водещия елемент на ред %3 "
                                "трябва 0.")
                     .arg(cell, value(f.row, f.column))
                     .arg(f.pivotRow);
        break;
    }
    for (const int r : f.dependent)
        lines << QStringLiteral("Ред %1 е 0 = 0: уравнението зависи от другите.").arg(r);
    for (const int r : f.contradictions)
        lines << QStringLiteral("Ред %1 е 0 = %2: противоречие, системата няма решение.")
                     .arg(r)
                     .arg(value(r, s.unknowns + 1));
    return lines;
}

} // namespace SlipWords
