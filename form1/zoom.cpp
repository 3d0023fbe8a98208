#include "zoom.h"

#include <QGroupBox>
#include <QScreen>
#include <QWidget>
#include <cmath>

WindowZoom::WindowZoom(QWidget *window, std::function<void(qreal)> redraw)
    : QObject(window), window(window), redraw(std::move(redraw)), baseSize(window->size())
{
    // The window's controls and its frames' controls, each placed by the
    // window; what Qt places inside a control follows that control.
    for (QWidget *w : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (w->isWindow())
            continue;
        base.insert(w, {w->geometry(), w->font()});
        if (qobject_cast<QGroupBox *>(w))
            for (QWidget *inner : w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                base.insert(inner, {inner->geometry(), inner->font()});
    }
}

bool WindowZoom::canZoomIn() const
{
    return fitting(Steps[std::size(Steps) - 1]) > steps;
}

void WindowZoom::zoomIn()
{
    for (int step : Steps) {
        if (step > steps) {
            apply(fitting(step));
            return;
        }
    }
}

void WindowZoom::zoomOut()
{
    int lower = Steps[0];
    for (int step : Steps)
        if (step < steps)
            lower = step;
    apply(lower);
}

void WindowZoom::reset()
{
    apply(Steps[0]);
}

int WindowZoom::fitting(int wanted) const
{
    const QScreen *screen = window->screen();
    if (!screen)
        return wanted;
    const QRect room = screen->availableGeometry();
    const QSize frame = window->frameGeometry().size() - window->size();
    int best = Steps[0];
    for (int step : Steps) {
        const QSize size = baseSize * (step / 100.0) + frame;
        if (step <= wanted && size.width() <= room.width() && size.height() <= room.height())
            best = step;
    }
    return std::max(best, steps); // never past the screen, nor smaller for asking more
}

void WindowZoom::apply(int percent)
{
    if (percent == steps)
        return;
    steps = percent;
    const qreal f = factor();
    auto scaled = [f](const QRect &r) {
        return QRect(qRound(r.x() * f), qRound(r.y() * f), qRound(r.width() * f),
                     qRound(r.height() * f));
    };
    window->setFixedSize(baseSize * f);
    // Grown, it moves back onto the screen where its old place would cut it.
    if (const QScreen *screen = window->screen()) {
        const QRect room = screen->availableGeometry();
        QRect frame = window->frameGeometry();
        frame.moveRight(std::min(frame.right(), room.right()));
        frame.moveBottom(std::min(frame.bottom(), room.bottom()));
        frame.moveLeft(std::max(frame.left(), room.left()));
        frame.moveTop(std::max(frame.top(), room.top()));
        window->move(frame.topLeft());
    }
    for (auto it = base.cbegin(); it != base.cend(); ++it) {
        QWidget *w = it.key();
        w->setGeometry(scaled(it->geometry));
        QFont font = it->font;
        font.setPointSizeF(it->font.pointSizeF() * f);
        w->setFont(font);
    }
    if (redraw)
        redraw(f);
    emit zoomed(steps);
}
