#include "controls.h"

#include "fonts.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace controls
{

namespace
{

// Relative luminance and contrast ratio as the web's accessibility guidelines
// define them; QColor has lightness, not these.
qreal luminance(const QColor &colour)
{
    auto linear = [](qreal c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}
qreal contrast(const QColor &a, const QColor &b)
{
    const qreal one = luminance(a), other = luminance(b);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

} // namespace

QFont windowFont(const QString &face, qreal points, bool italic)
{
    QFont font;
    font.setFamilies(fonts::window(face));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(true);
    font.setItalic(italic);
    return font;
}

QFont sansSerif(qreal points, bool italic)
{
    return windowFont(QStringLiteral("MS Sans Serif"), points, italic);
}

QColor entryBackground(const QColor &text)
{
    constexpr qreal Readable = 3;
    const QColor desktop = QApplication::palette().color(QPalette::Base);
    return contrast(text, desktop) >= Readable ? desktop : QColor(Qt::white);
}

void setRole(QWidget *w, QPalette::ColorRole role, const QColor &colour)
{
    QPalette pal = w->palette();
    pal.setColor(role, colour);
    w->setPalette(pal);
}

void setLabelBackground(QLabel *label, const QColor &colour)
{
    label->setAutoFillBackground(true);
    setRole(label, QPalette::Window, colour);
}

QGroupBox *colouredFrame(QWidget *parent, const char *name, const QRect &place,
                         const QColor &colour, const QColor &caption)
{
    auto *box = new QGroupBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(place);
    box->setAutoFillBackground(true);
    setRole(box, QPalette::Window, colour);
    // Texts drawn on the fixed colours keep the colour they have on a light
    // desktop; a dark theme's light text would vanish on them.
    setRole(box, QPalette::WindowText, caption);
    return box;
}

QFrame *verticalLine(QWidget *parent, const char *name, int x, int top, int bottom)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Plain);
    line->setAccessibleName(QStringLiteral("разделителна линия"));
    line->setGeometry(px(x) - 1, px(top), 3, px(bottom) - px(top) + 1);
    return line;
}

QPushButton *commandButton(QWidget *parent, const char *name, const QString &caption,
                           const QRect &place)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    button->setAutoDefault(false);
    button->setAccessibleName(caption);
    return button;
}

QLabel *picture(QWidget *parent, const char *name, const QRect &place,
                const QString &accessibleName)
{
    auto *image = new QLabel(parent);
    image->setObjectName(QLatin1String(name));
    image->setAccessibleName(accessibleName);
    image->setGeometry(place);
    image->setScaledContents(true);
    return image;
}

// Twice the pixels keep a picture sharp where the window is zoomed or the
// screen dense enough to blow the 1x picture up.
void drawPicture(QLabel *image, qreal zoom)
{
    const bool dense = zoom * image->devicePixelRatioF() > 1;
    const QString file =
        QStringLiteral(":/images/%1%2.jpg").arg(image->objectName().toLower(), dense ? "@2x" : "");
    image->setPixmap(QPixmap(file));
}

} // namespace controls
