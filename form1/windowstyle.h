#ifndef GAUSS_WINDOWSTYLE_H
#define GAUSS_WINDOWSTYLE_H

// The window's exact colours whatever the desktop's theme: plain coloured
// frames, and resting cells that show only their text.

// The desktop's style with the few changes the window's drawing needs. The
// frames are plain coloured areas: the style's group-box panel would shade
// them off their exact colours. A text box whose background is the grid's
// green rests invisible in the grid: no border, no shadow, only its text,
// until it takes the focus. A frame's caption stands clear of the window's edge.
// The indicator of a radio button or check box grows with the window's zoom,
// as its label does.

#include <QColor>
#include <QProxyStyle>

class WindowStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // restingBase: the background that makes a text box merge into its frame.
    explicit WindowStyle(const QColor &restingBase, QObject *parent = nullptr);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                         SubControl subControl, const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;

private:
    QColor restingBase;
};

#endif
