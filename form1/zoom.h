#ifndef GAUSS_ZOOM_H
#define GAUSS_ZOOM_H

// The zoom of the window, for a projector or a small screen: one factor over
// every place, size and font of the window, which grows with them.

#include <QFont>
#include <QHash>
#include <QObject>
#include <QRect>
#include <QSize>
#include <functional>

class QWidget;

class WindowZoom : public QObject
{
    Q_OBJECT

public:
    // The steps, in percent; the session starts at the first.
    static constexpr int Steps[] = {100, 125, 150, 175, 200};

    // Takes the window as it stands, every control placed, as 100 %.
    // redraw is called after each zoom with the factor, for what does not
    // scale by itself (pictures).
    WindowZoom(QWidget *window, std::function<void(qreal)> redraw);

    int percent() const { return steps; }
    qreal factor() const { return steps / 100.0; }

    // Whether a larger step would still fit the screen.
    bool canZoomIn() const;
    void zoomIn();
    void zoomOut();
    void reset();

signals:
    // After a zoom, with the percent it came to.
    void zoomed(int percent);

private:
    // The largest step up to wanted whose window fits the screen's available area.
    int fitting(int wanted) const;
    void apply(int percent);

    struct Base {
        QRect geometry;
        QFont font;
    };
    QWidget *window;
    std::function<void(qreal)> redraw;
    QSize baseSize;
    QHash<QWidget *, Base> base;
    int steps = 100;
};

#endif
