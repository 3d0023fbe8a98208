#include "valuelabelaccessible.h"

#include "valuelabel.h"

ValueLabelAccessible::ValueLabelAccessible(ValueLabel *label)
    : QAccessibleWidget(label, QAccessible::StaticText)
{
}

QString ValueLabelAccessible::text(QAccessible::Text t) const
{
    const auto *label = static_cast<const ValueLabel *>(widget());
    if (t == QAccessible::Description)
        return label->exactDescription();
    if (t != QAccessible::Name)
        return QAccessibleWidget::text(t);
    const QString value = label->text();
    return value.isEmpty() ? QString()
                           : QStringLiteral("x%1 = %2").arg(label->unknown()).arg(value);
}

void ValueLabelAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&ValueLabelAccessible::create);
        return true;
    }();
    Q_UNUSED(installed);
}

QAccessibleInterface *ValueLabelAccessible::create(const QString &key, QObject *object)
{
    auto *label = qobject_cast<ValueLabel *>(object);
    return key == QLatin1String("ValueLabel") && label ? new ValueLabelAccessible(label) : nullptr;
}
