#include "windowstyle.h"

#include "zoom.h"

#include <QApplication>
#include <QStyleFactory>
#include <QStyleOption>

namespace
{
// The grid's line stands 120 twips, 8 logical pixels, in from a frame's edge.
constexpr int CaptionShift = 120 / 15;
} // namespace

// A fresh instance of the application's style, since a proxy owns its base.
WindowStyle::WindowStyle(const QColor &restingBase, QObject *parent)
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), restingBase(restingBase)
{
    setParent(parent);
}

void WindowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                QPainter *painter, const QWidget *widget) const
{
    switch (element) {
    case PE_FrameGroupBox:
        return;
    case PE_PanelLineEdit:
    case PE_FrameLineEdit:
        // Drawing nothing lets the frame show through, and with it the edge
        // of a neighbouring cell that the rows' overlap would otherwise cover.
        if (option->palette.color(QPalette::Base) == restingBase &&
            !(option->state & State_HasFocus))
            return;
        break;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

// Some styles draw a group box's caption in the text-entry colour; the frame's
// caption belongs with the other texts drawn on the frame.
int WindowStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                           QStyleHintReturn *returnData) const
{
    if (hint == SH_GroupBox_TextLabelColor && option)
        return int(option->palette.color(QPalette::WindowText).rgba());
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

// Without a drawn frame the caption would touch the window's edge; it starts
// where the grid's line stands, 120 twips in.
QRect WindowStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                  SubControl subControl, const QWidget *widget) const
{
    QRect rect = QProxyStyle::subControlRect(control, option, subControl, widget);
    if (control == CC_GroupBox && subControl == SC_GroupBoxLabel)
        rect.translate(CaptionShift, 0);
    return rect;
}

// The style sizes the indicators by itself, not by the font, so on a projector
// a 13-pixel circle or box would stand beside a label twice its height.
int WindowStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                             const QWidget *widget) const
{
    const int size = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
    case PM_RadioButtonLabelSpacing:
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_CheckBoxLabelSpacing:
        return widget ? qRound(size * WindowZoom::factorOf(widget->window())) : size;
    default:
        return size;
    }
}
