#include "gridcell.h"

#include <QPainter>
#include <QStyleOptionFrame>

GridCell::GridCell(QWidget *parent) : QLineEdit(parent)
{
    // Typed over, the number is the user's own, even if typed back as it was.
    connect(this, &QLineEdit::textEdited, this, &GridCell::forgetExactValue);
}

// The text drawn as it fits between the frame and the margins; the line edit
// draws itself where it fits as it is, or where it has the focus.
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
    const FittedNumber fit = fitNumber(d.text, d.font, d.place.width() - 1);
    d.own = fit.text != d.text || fit.font != d.font;
    d.text = fit.text;
    d.font = fit.font;
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
    return numberToolTipEvent(
               this, event, text(), [this] { return drawnText(); }, exact) ||
           QLineEdit::event(event);
}
