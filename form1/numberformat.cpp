#include "numberformat.h"

#include "exacttwin.h"
#include "exactwords.h"
#include "numbertext.h"

#include <QSettings>
#include <cmath>

namespace
{

const QString viewKey = QStringLiteral("view/fractions");
// The program's own settings file whatever the executable is called, so that
// the tests' windows read and keep the program's choice.
const QString settingsName = QStringLiteral("gauss");

} // namespace

NumberFormat::Number NumberFormat::ofWorking(float single, const mpq_class &exact)
{
    return {std::isnan(single) ? gauss::decimalText(exact) : gauss::numberText(single), exact};
}

NumberFormat::Number NumberFormat::ofAnswer(const mpq_class &exact)
{
    return {gauss::decimalText(gauss::roundAnswer(exact)), exact};
}

QString NumberFormat::text(const Number &number) const
{
    return shown == Fractions ? gauss::fractionText(number.exact) : number.decimal;
}

QString NumberFormat::text(float single, const mpq_class &exact) const
{
    return shown == Fractions ? gauss::fractionText(exact) : ofWorking(single, exact).decimal;
}

QString NumberFormat::note(const Number &number) const
{
    if (shown == Fractions)
        return number.decimal == gauss::fractionText(number.exact)
                   ? QString()
                   : QStringLiteral("десетично ") + number.decimal;
    if (gauss::showsExactly(number.decimal, number.exact))
        return QString();
    return QStringLiteral("точно ") + exactWords(number.exact);
}

QString NumberFormat::name() const
{
    return shown == Fractions ? QStringLiteral("Дроби") : QStringLiteral("Десетични числа");
}

NumberFormat::View NumberFormat::saved()
{
    const QSettings settings(settingsName, settingsName);
    return settings.value(viewKey, false).toBool() ? Fractions : Decimals;
}

void NumberFormat::save(View view)
{
    QSettings settings(settingsName, settingsName);
    settings.setValue(viewKey, view == Fractions);
}
