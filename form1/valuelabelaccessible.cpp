#include "valuelabelaccessible.h"

#include <QLabel>

namespace
{
const char unknownProperty[] = "gaussUnknown";
}

ValueLabelAccessible::ValueLabelAccessible(QLabel *label, int unknown)
    : QAccessibleWidget(label, QAccessible::StaticText), unknown(unknown)
{
}

QString ValueLabelAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name)
        return QAccessibleWidget::text(t);
    const QString value = static_cast<const QLabel *>(widget())->text();
    return value.isEmpty() ? QString() : QStringLiteral("x%1 = %2").arg(unknown).arg(value);
}

void ValueLabelAccessible::attach(QLabel *label, int unknown)
{
    static const bool installed = [] {
        QAccessible::installFactory(&ValueLabelAccessible::create);
        return true;
    }();
    Q_UNUSED(installed);
    label->setProperty(unknownProperty, unknown);
}

QAccessibleInterface *ValueLabelAccessible::create(const QString &key, QObject *object)
{
    auto *label = qobject_cast<QLabel *>(object);
    if (key != QLatin1String("QLabel") || !label)
        return nullptr;
    const QVariant unknown = label->property(unknownProperty);
    return unknown.isValid() ? new ValueLabelAccessible(label, unknown.toInt()) : nullptr;
}
