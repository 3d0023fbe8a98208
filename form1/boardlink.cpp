#include "boardlink.h"

#include "announcer.h"
#include "board.h"
#include "boardworking.h"
#include "gridmessagebox.h"
#include "zoom.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace
{
const QString settingsName = QStringLiteral("gauss");
const QString openKey = QStringLiteral("board/open");
} // namespace

BoardLink::BoardLink(QWidget *window, WindowZoom *zoom, std::function<QRect()> spare)
    : QObject(window), window(window), zoom(zoom), spare(std::move(spare))
{
    window->installEventFilter(this);
    connect(zoom, &WindowZoom::factorChanged, this, [this](qreal factor) {
        if (shown)
            shown->setZoom(factor);
    });
}

BoardLink::~BoardLink()
{
    delete shown;
}

// Beside the window where the screen has room. Else over the window's spare
// part out to the screen's edges, so that the grid and the buttons stay in
// sight (a 1024 × 768 screen); at the screen's right where even that is too small.
QRect BoardLink::firstPlace(QSize size) const
{
    constexpr QSize Smallest(480, 320);
    const QRect screen = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    size = size.boundedTo(screen.size());
    if (frame.right() + size.width() < screen.right())
        return QRect(QPoint(frame.right() + 1, screen.top() + 40), size) & screen;
    // The board's frame as wide as the window's, its title bar below the grid;
    // the window manager may not have told the window's yet.
    const QMargins decoration(
        window->x() - frame.x(),
        std::max(window->y() - frame.y(), window->style()->pixelMetric(QStyle::PM_TitleBarHeight)),
        frame.right() - window->geometry().right(), frame.bottom() - window->geometry().bottom());
    const QRect over = QRect(window->mapToGlobal(spare().topLeft()), screen.bottomRight())
                           .marginsRemoved(decoration);
    if (over.width() >= Smallest.width() && over.height() >= Smallest.height())
        return over;
    return QRect(QPoint(screen.right() + 1 - size.width(), screen.top() + 40), size) & screen;
}

void BoardLink::open()
{
    if (!shown) {
        const bool placed =
            QSettings(settingsName, settingsName).contains(QStringLiteral("board/geometry"));
        shown = new Board(zoom->factor());
        shown->setView(view);
        if (record)
            shown->setRecord(record);
        else if (written)
            shown->setWorking(written);
        GridMessageBox::leaveOpen(shown);
        if (!placed)
            shown->setGeometry(firstPlace(shown->size()));
        // Opened late, it starts where the grid stands, not at the system.
        shown->showPage(std::min(followed, shown->pages() - 1));
    }
    shown->show();
    shown->raise();
    shown->activateWindow();
    QSettings(settingsName, settingsName).setValue(openKey, true);
}

void BoardLink::setRecord(const gauss::SolveRecord &made)
{
    record = std::make_shared<const gauss::SolveRecord>(made);
    written.reset();
    followed = 0;
    if (shown)
        shown->setRecord(record);
}

void BoardLink::follow(int step)
{
    followed = step;
    if (shown && shown->isVisible())
        shown->showPage(step);
}

void BoardLink::followEnd()
{
    followed = record ? BoardLayout::pages(*record) - 1
               : written
                   ? int(workingParts(*written, view, window->font(), QWIDGETSIZE_MAX).size()) - 1
                   : 0;
    if (shown && shown->isVisible())
        shown->showPage(shown->pages() - 1);
}

void BoardLink::setWorking(const Working &working, int step)
{
    written = std::make_shared<const Working>(working);
    record.reset();
    followed = step;
    if (!shown)
        return;
    shown->setWorking(written);
    if (shown->isVisible())
        shown->showPage(std::min(step, shown->pages() - 1));
}

void BoardLink::clear()
{
    record.reset();
    written.reset();
    if (shown)
        shown->setRecord(record);
}

void BoardLink::setView(NumberFormat::View shownView)
{
    view = shownView;
    if (shown)
        shown->setView(view);
}

void BoardLink::readAloud() const
{
    if (written) {
        const QList<BoardPart> parts =
            workingParts(*written, view, window->font(), QWIDGETSIZE_MAX);
        const BoardWriter pen(window->font(), QWIDGETSIZE_MAX);
        if (!parts.isEmpty())
            Announcer::announce(window, spokenText(boardPage(parts.value(followed), pen)));
        return;
    }
    if (!record) {
        Announcer::announce(window, QStringLiteral("Системата още не е решавана."));
        return;
    }
    const BoardLayout layout(*record, NumberFormat(view), window->font(), QWIDGETSIZE_MAX);
    Announcer::announce(window, spokenText(layout.page(followed)));
}

// Open when the program last closed, the board opens with the window; it
// closes with it, and is remembered open.
bool BoardLink::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window && event->type() == QEvent::Show && !shownOnce) {
        shownOnce = true;
        if (QSettings(settingsName, settingsName).value(openKey, false).toBool())
            QTimer::singleShot(0, this, [this] {
                open();
                window->activateWindow();
            });
    } else if (watched == window && event->type() == QEvent::Close && shown && shown->isVisible()) {
        shown->close();
        QSettings(settingsName, settingsName).setValue(openKey, true);
    }
    return QObject::eventFilter(watched, event);
}
