#include "valuelabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace
{

// The caption alone would not tell which unknown it belongs to, and a fixed
// name "x1" would hide the value. An empty label says nothing. The name
// follows the caption, since a label without a fixed name reports each change.
class ValueLabelAccessible : public QAccessibleWidget
{
public:
    explicit ValueLabelAccessible(ValueLabel *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
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
};

} // namespace

QAccessibleInterface *ValueLabel::accessible(const QString &key, QObject *object)
{
    auto *label = qobject_cast<ValueLabel *>(object);
    return key == QLatin1String("ValueLabel") && label ? new ValueLabelAccessible(label) : nullptr;
}

ValueLabel::ValueLabel(int unknown, QWidget *parent) : QLabel(parent), x(unknown) {}

void ValueLabel::setValue(const NumberFormat &format, const NumberFormat::Number &value)
{
    setText(format.text(value));
    exactValue.set(format, value);
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

void ValueLabel::setExpression(const QString &expression)
{
    exactValue.forget();
    setText(expression);
    setToolTip(drawnText() != expression ? expression : QString()); // shortened with "…"
}

void ValueLabel::setView(const NumberFormat &format)
{
    if (exactValue.shows(text()))
        setValue(format, NumberFormat::Number(exactValue.number()));
}

void ValueLabel::paintEvent(QPaintEvent *event)
{
    const FittedNumber &fitted = drawing();
    if (fitted.text == text() && fitted.font == font()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(fitted.font);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), int(alignment()), fitted.text);
}

bool ValueLabel::event(QEvent *event)
{
    return numberToolTipEvent(
               this, event, text(), [this] { return drawnText(); }, exactValue) ||
           QLabel::event(event);
}
