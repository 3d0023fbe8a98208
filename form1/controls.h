#ifndef GAUSS_CONTROLS_H
#define GAUSS_CONTROLS_H

// How the window makes its controls: places in twips, its fonts, colour
// roles, the coloured frames, lines, command buttons and pictures.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace controls
{

// Every place and size of the window is given in twips, 15 to a logical pixel.
constexpr int px(int twips)
{
    return twips / 15;
}
inline QRect twips(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// The faces the window was drawn with are rarely installed; their stand-ins
// are metric-compatible or at least carry Cyrillic glyphs.
QFont windowFont(const QString &face, qreal points, bool italic = false);
QFont sansSerif(qreal points, bool italic = false);

// Text entry backgrounds of the desktop, the "window background" of the grid,
// as long as text in the cells' colour reads on it. A dark desktop's would
// leave the numbers at less than 3:1, so there the block takes white, the
// background the window was drawn for.
QColor entryBackground(const QColor &text);

void setRole(QWidget *w, QPalette::ColorRole role, const QColor &colour);
void setLabelBackground(QLabel *label, const QColor &colour);

// A frame of one fixed colour whose captions keep caption.
QGroupBox *colouredFrame(QWidget *parent, const char *name, const QRect &place,
                         const QColor &colour, const QColor &caption);
// A vertical line at x from top to bottom (twips), one pixel wide, centred in
// a frame three pixels wide so that it stays visible whatever the style.
QFrame *verticalLine(QWidget *parent, const char *name, int x, int top, int bottom);
// Not auto-default, so that Enter in a cell moves on instead of pressing it.
QPushButton *commandButton(QWidget *parent, const char *name, const QString &caption,
                           const QRect &place);
QLabel *picture(QWidget *parent, const char *name, const QRect &place,
                const QString &accessibleName);
// The picture named after image (":/images/image1.jpg"), as sharp as zoom
// and the screen need.
void drawPicture(QLabel *image, qreal zoom);

} // namespace controls

#endif
