#include "gridcell.h"

#include "numbertext.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QToolTip>

namespace
{

// Below this a cell's figures are hard to read; only a number that cannot be
// shortened further into the cell is drawn smaller.
constexpr qreal SmallestPoints = 9;
constexpr qreal PointStep = 0.5;
constexpr qreal LastResortPoints = 6;

// The same letters, narrower: a shortened number keeps more of its digits.
QFont narrowed(QFont font, qreal points)
{
    font.setFamilies(
        {QStringLiteral("Liberation Sans Narrow"), QStringLiteral("DejaVu Sans Condensed")});
    font.setPointSizeF(points);
    return font;
}

} // namespace

GridCell::GridCell(QWidget *parent) : QLineEdit(parent) {}

// QLineEdit scrolls a text wider than the cell to its end, and the tail it
// shows reads as another number. So the whole text is tried in smaller sizes
// down to 9 pt and in the narrow face, then shortened; only the shortest form
// of a number, which 9 pt cannot hold in the cell, is drawn smaller still.
GridCell::Drawing GridCell::drawing() const
{
    Drawing d;
    d.text = text();
    d.font = font();
    if (hasFocus() || d.text.isEmpty())
        return d;
    QStyleOptionFrame option;
    initStyleOption(&option);
    // The text's place as QLineEdit computes it: its contents less the text
    // margins and two pixels a side; it scrolls once text and cursor need more.
    d.place = style()
                  ->subElementRect(QStyle::SE_LineEditContents, &option, this)
                  .marginsRemoved(textMargins())
                  .adjusted(2, 0, -2, 0);
    const int room = d.place.width() - 1;
    auto fits = [room](const QFont &font, const QString &text) {
        return QFontMetrics(font).horizontalAdvance(text) <= room;
    };
    if (fits(d.font, d.text))
        return d;

    d.own = true;
    QList<QFont> smaller;
    for (qreal points = font().pointSizeF() - PointStep; points >= SmallestPoints;
         points -= PointStep) {
        smaller << font();
        smaller.last().setPointSizeF(points);
    }
    smaller << narrowed(font(), SmallestPoints);
    for (const QFont &f : smaller) {
        if (fits(f, d.text)) {
            d.font = f;
            return d;
        }
    }
    QFont smallest = font();
    smallest.setPointSizeF(SmallestPoints);
    QList<QFont> shortening{smallest, narrowed(font(), SmallestPoints)};
    for (qreal points = SmallestPoints - PointStep; points >= LastResortPoints; points -= PointStep)
        shortening << narrowed(font(), points);
    for (const QFont &f : shortening) {
        const QFontMetrics metrics(f);
        const QString shown = gauss::elideNumberText(
            d.text, room, [&metrics](const QString &t) { return metrics.horizontalAdvance(t); });
        if (fits(f, shown)) {
            d.text = shown;
            d.font = f;
            return d;
        }
    }
    // Not a number, or too long for any size: a line edit's own way then.
    d.text = text();
    d.font = font();
    d.own = false;
    return d;
}

void GridCell::paintEvent(QPaintEvent *event)
{
    const Drawing d = drawing();
    if (!d.own) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setFont(d.font);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(d.place, int(alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter,
                     d.text);
}

bool GridCell::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        if (isShortened())
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLineEdit::event(event);
}
