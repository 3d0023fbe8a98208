#ifndef GAUSS_ZOOM_H
#define GAUSS_ZOOM_H

// The zoom of the window, for a projector or a small screen: one factor over
// every place, size and font of the window, which grows with them or fills the screen.

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

    // The factor of window's zoom, or of the window that opened it; 1 where
    // neither has one: what it opens, as its message boxes, grows with it.
    static qreal factorOf(const QWidget *window);

    int percent() const { return qRound(zoom * 100); }
    qreal factor() const { return zoom; }

    // Whether a larger step would still fit the screen.
    bool canZoomIn() const;
    // Why the window cannot grow, as a sentence, where it cannot.
    QString largest() const;
    bool canZoomOut() const;
    // Why the steps do nothing in full screen.
    static QString followsTheScreen();
    // Each step is spoken, and so is one that cannot be taken.
    void zoomIn();
    void zoomOut();
    void reset();

    // Full screen scales the window by the largest factor the screen has
    // room for, whatever the steps; leaving it restores the window as it was.
    bool isFullScreen() const { return full; }
    void setFullScreen(bool on);

signals:
    void fullScreenChanged(bool on);
    // Every place, size and font has its new factor.
    void factorChanged(qreal factor);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The largest step up to wanted whose window fits the screen's available area.
    int fitting(int wanted) const;
    void step(int percent);
    void fill(const QSize &screen);
    void apply(qreal factor, const QPoint &offset);
    void say(const QString &sentence) const;

    struct Base {
        QRect geometry;
        QFont font;
    };
    QWidget *window;
    std::function<void(qreal)> redraw;
    QSize baseSize;
    QHash<QWidget *, Base> base;
    qreal zoom = 1;
    bool full = false;
    // The window as it was before full screen.
    QRect windowed;
    qreal windowedZoom = 1;
};

#endif
