// Draws the two pictures of the window: an augmented matrix on a card
// (image1.jpg, 130 x 83) and a small system of equations with its brace
// (image2.jpg, 94 x 120). Run it again after changing a drawing:
//   build/resources/drawpictures resources/
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace
{

QFont pictureFont(int pixelSize, bool bold = true)
{
    QFont f;
    f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void drawBracket(QPainter &p, int x, int top, int bottom, bool left)
{
    const int hook = left ? 4 : -4;
    p.drawLine(x, top, x, bottom);
    p.drawLine(x, top, x + hook, top);
    p.drawLine(x, bottom, x + hook, bottom);
}

// Each picture is drawn in its own 1x coordinates and scaled, so that the 2x
// copy for high-density screens is the same drawing with twice the pixels.
// The painter starts on a gradient from the top left towards `towards`.
void startPicture(QPainter &p, const QSize &size, int scale, const QPointF &towards,
                  const QColor &from, const QColor &to)
{
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(QPointF(0, 0), towards);
    bg.setColorAt(0, from);
    bg.setColorAt(1, to);
    p.fillRect(QRect(QPoint(0, 0), size), bg);
}

QImage matrixCard(int scale)
{
    const QSize size(130, 83);
    QImage img(size * scale, QImage::Format_RGB32);
    QPainter p(&img);
    startPicture(p, size, scale, QPointF(130, 83), QColor(255, 248, 220), QColor(214, 234, 248));
    p.setPen(QPen(QColor(0, 96, 96), 2));
    p.drawRoundedRect(QRectF(1.5, 1.5, 127, 80), 6, 6);

    // A 3 x 4 augmented matrix already reduced to the unit matrix: the goal of the method.
    const char *cells[3][4] = {{"1", "0", "0", "2"}, {"0", "1", "0", "5"}, {"0", "0", "1", "3"}};
    p.setFont(pictureFont(15));
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            const bool diagonal = r == c;
            p.setPen(c == 3     ? QColor(0, 0, 220)
                     : diagonal ? QColor(220, 0, 0)
                                : QColor(60, 60, 60));
            const QRect box(20 + c * 24 + (c == 3 ? 8 : 0), 10 + r * 22, 22, 20);
            p.drawText(box, Qt::AlignCenter, QString::fromLatin1(cells[r][c]));
        }
    }
    p.setPen(QPen(QColor(30, 30, 30), 2));
    drawBracket(p, 16, 9, 74, true);
    drawBracket(p, 122, 9, 74, false);
    p.setPen(QPen(QColor(30, 30, 30), 1, Qt::DashLine));
    p.drawLine(100, 11, 100, 72);
    return img;
}

QImage equationSystem(int scale)
{
    const QSize size(94, 120);
    QImage img(size * scale, QImage::Format_RGB32);
    QPainter p(&img);
    startPicture(p, size, scale, QPointF(0, 120), QColor(40, 70, 130), QColor(20, 120, 110));

    // The curly brace that joins the equations of a system.
    QPainterPath brace;
    brace.moveTo(16, 14);
    brace.cubicTo(8, 14, 12, 38, 6, 40);
    brace.cubicTo(12, 42, 8, 66, 16, 66);
    p.setPen(QPen(QColor(255, 220, 90), 2.5));
    p.drawPath(brace);

    p.setFont(pictureFont(13));
    p.setPen(Qt::white);
    p.drawText(QRect(18, 12, 76, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("x+y=3"));
    p.drawText(QRect(18, 32, 76, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("x−y=1"));
    p.drawText(QRect(18, 50, 76, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("…"));

    p.setPen(QPen(QColor(255, 220, 90), 2));
    p.drawLine(30, 76, 30, 90);
    p.drawLine(24, 84, 30, 90);
    p.drawLine(36, 84, 30, 90);

    p.setPen(QColor(255, 240, 200));
    p.setFont(pictureFont(14));
    p.drawText(QRect(4, 92, 86, 24), Qt::AlignCenter, QStringLiteral("x=2, y=1"));
    return img;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    bool ok = true;
    for (int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@2x");
        ok = ok && matrixCard(scale).save(out.filePath("image1" + suffix + ".jpg"), "JPEG", 92) &&
             equationSystem(scale).save(out.filePath("image2" + suffix + ".jpg"), "JPEG", 92);
    }
    return ok ? 0 : 1;
}
