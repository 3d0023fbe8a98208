#include "valuelabel.h"

#include "valuelabelaccessible.h"

#include <QAccessible>
#include <QPainter>

ValueLabel::ValueLabel(int unknown, QWidget *parent) : QLabel(parent), x(unknown)
{
    ValueLabelAccessible::install();
}

void ValueLabel::setValue(const QString &text, const mpq_class &exact)
{
    setText(text);
    exactValue.set(text, exact);
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

void ValueLabel::paintEvent(QPaintEvent *event)
{
    const FittedNumber fit = drawing();
    if (fit.text == text() && fit.font == font()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(fit.font);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), int(alignment()), fit.text);
}

bool ValueLabel::event(QEvent *event)
{
    return numberToolTipEvent(
               this, event, text(), [this] { return drawnText(); }, exactValue) ||
           QLabel::event(event);
}
