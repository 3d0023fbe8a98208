#include "zoom.h"

#include "announcer.h"

#include <QEvent>
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
    // Full screen takes whatever size the window manager gives it.
    window->installEventFilter(this);
}

qreal WindowZoom::factorOf(const QWidget *window)
{
    // A window of its own that the zoomed one opened, as the practice panel, follows it.
    for (const QWidget *w = window; w; w = w->parentWidget())
        if (const auto *zoom = w->findChild<WindowZoom *>(QString(), Qt::FindDirectChildrenOnly))
            return zoom->factor();
    return 1;
}

bool WindowZoom::canZoomIn() const
{
    return !full && fitting(Steps[std::size(Steps) - 1]) > percent();
}

QString WindowZoom::largest() const
{
    if (canZoomIn())
        return QString();
    if (full)
        return QStringLiteral(
                   "На цял екран мащабът %1 % е най-големият, който се побира на екрана.")
            .arg(percent());
    const bool lastStep = percent() >= Steps[std::size(Steps) - 1];
    return QStringLiteral("Мащаб %1 % е най-големият%2; F11 показва прозореца на цял екран.")
        .arg(percent())
        .arg(lastStep ? QString() : QStringLiteral(", който се побира на екрана"));
}

bool WindowZoom::canZoomOut() const
{
    return !full && percent() > Steps[0];
}

QString WindowZoom::followsTheScreen()
{
    return QStringLiteral("На цял екран мащабът следва екрана; F11 или Esc връща прозореца.");
}

void WindowZoom::zoomIn()
{
    if (!canZoomIn()) {
        say(largest());
        return;
    }
    for (int next : Steps) {
        if (next > percent()) {
            step(fitting(next));
            return;
        }
    }
}

void WindowZoom::zoomOut()
{
    if (full) {
        say(followsTheScreen());
        return;
    }
    int lower = Steps[0];
    for (int next : Steps)
        if (next < percent())
            lower = next;
    step(lower);
}

void WindowZoom::reset()
{
    if (full)
        say(followsTheScreen());
    else
        step(Steps[0]);
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
    return std::max(best, percent()); // never past the screen, nor smaller for asking more
}

void WindowZoom::step(int to)
{
    if (to != percent()) {
        window->setFixedSize(baseSize * (to / 100.0));
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
        apply(to / 100.0, QPoint());
    }
    say(QStringLiteral("Мащаб %1 %").arg(percent()));
}

void WindowZoom::setFullScreen(bool on)
{
    if (on == full)
        return;
    full = on;
    if (on) {
        windowed = window->geometry();
        windowedZoom = zoom;
        // A window of fixed size is one a window manager may refuse to fill the screen with.
        window->setMinimumSize(0, 0);
        window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        window->showFullScreen();
        if (const QScreen *screen = window->screen())
            fill(screen->geometry().size());
        say(QStringLiteral("На цял екран, мащаб %1 %").arg(percent()));
    } else {
        window->showNormal();
        window->setFixedSize(windowed.size());
        window->setGeometry(windowed);
        apply(windowedZoom, QPoint());
        say(QStringLiteral("Прозорец, мащаб %1 %").arg(percent()));
    }
    emit fullScreenChanged(on);
}

bool WindowZoom::eventFilter(QObject *watched, QEvent *event)
{
    if (full && watched == window && event->type() == QEvent::Resize)
        fill(window->size());
    return QObject::eventFilter(watched, event);
}

// The largest factor whose window fits, centred in what is left over.
void WindowZoom::fill(const QSize &screen)
{
    const qreal f = std::min(qreal(screen.width()) / baseSize.width(),
                             qreal(screen.height()) / baseSize.height());
    const QSize filled = baseSize * f;
    apply(f,
          QPoint((screen.width() - filled.width()) / 2, (screen.height() - filled.height()) / 2));
}

void WindowZoom::apply(qreal f, const QPoint &offset)
{
    auto scaled = [f](const QRect &r) {
        return QRect(qRound(r.x() * f), qRound(r.y() * f), qRound(r.width() * f),
                     qRound(r.height() * f));
    };
    // Only the window's own controls move by the offset; theirs move with them.
    for (auto it = base.cbegin(); it != base.cend(); ++it) {
        QWidget *w = it.key();
        const QPoint shift = w->parentWidget() == window ? offset : QPoint();
        if (f == zoom && w->geometry() == scaled(it->geometry).translated(shift))
            continue;
        w->setGeometry(scaled(it->geometry).translated(shift));
        QFont font = it->font;
        font.setPointSizeF(it->font.pointSizeF() * f);
        w->setFont(font);
    }
    const bool changed = f != zoom;
    zoom = f;
    if (changed && redraw)
        redraw(f);
    if (changed)
        emit factorChanged(f);
}

void WindowZoom::say(const QString &sentence) const
{
    Announcer::announce(window, sentence);
}
