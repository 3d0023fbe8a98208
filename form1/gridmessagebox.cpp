#include "gridmessagebox.h"

#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

namespace
{

// The lines read downwards, column after column.
QString columnsOf(const QStringList &lines, int columns)
{
    const int count = int(lines.size());
    const int rows = (count + columns - 1) / columns;
    QString table = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"0\">");
    for (int r = 0; r < rows; ++r) {
        table += QStringLiteral("<tr>");
        for (int c = 0; c < columns; ++c) {
            const int at = c * rows + r;
            table += QStringLiteral("<td style=\"padding-right: 24px; white-space: pre;\">%1</td>")
                         .arg(at < count ? lines[at].toHtmlEscaped() : QString());
        }
        table += QStringLiteral("</tr>");
    }
    return table + QStringLiteral("</table>");
}

QMargins marginsOf(const QWidget *w)
{
    const QRect inner = w->geometry();
    const QRect outer = w->frameGeometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                    outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

QLabel *informativeLabel(const QMessageBox *box)
{
    return box->findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel"));
}

} // namespace

GridMessageBox::GridMessageBox(QWidget *window, const QRect &block)
    : QMessageBox(window), block(block)
{
}

void GridMessageBox::showEvent(QShowEvent *event)
{
    // QMessageBox wraps its informative text to a width of its own choosing,
    // which breaks a row operation in the middle.
    if (QLabel *label = informativeLabel(this))
        label->setWordWrap(false);
    QMessageBox::showEvent(event);
    setLinesInColumns();
    place();
    // The window manager frames the box only after it is shown; the title
    // bar's height is known from then on.
    if (QWindow *handle = windowHandle())
        handle->installEventFilter(this);
}

bool GridMessageBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && !framed &&
        (event->type() == QEvent::Expose || event->type() == QEvent::Move ||
         event->type() == QEvent::Resize) &&
        !ownFrameMargins().isNull()) {
        framed = true;
        place();
    }
    return QMessageBox::eventFilter(watched, event);
}

QMargins GridMessageBox::ownFrameMargins() const
{
    return marginsOf(this);
}

void GridMessageBox::setLinesInColumns()
{
    QLabel *label = informativeLabel(this);
    if (!label || label->textFormat() != Qt::PlainText)
        return;
    const QStringList lines = label->text().split(u'\n');
    const QScreen *screen = parentWidget()->screen();
    if (lines.size() < 2 || !screen)
        return;
    const int below = screen->availableGeometry().bottom() + 1 -
                      parentWidget()->mapToGlobal(block.bottomLeft()).y() - 1;
    const QMargins frame = framed ? ownFrameMargins() : marginsOf(parentWidget());
    auto tallerThanRoom = [&] { return height() + frame.top() + frame.bottom() > below; };
    const QString plain = label->text();
    for (int columns = 2; tallerThanRoom() && columns <= int(lines.size()) / 2; ++columns) {
        label->setTextFormat(Qt::RichText);
        setInformativeText(columnsOf(lines, columns));
        // QMessageBox keeps to a width limit of its own; past it a column
        // would be cut, so the box stays as it was.
        if (label->width() < label->sizeHint().width()) {
            label->setTextFormat(columns == 2 ? Qt::PlainText : Qt::RichText);
            setInformativeText(columns == 2 ? plain : columnsOf(lines, columns - 1));
            break;
        }
    }
}

void GridMessageBox::place()
{
    const QWidget *window = parentWidget();
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QMargins frame = framed ? ownFrameMargins() : marginsOf(window);
    const QSize outer = size().grownBy(frame);
    const int blockTop = window->mapToGlobal(block.topLeft()).y();
    const int blockBottom = window->mapToGlobal(block.bottomLeft()).y() + 1;
    const QRect beside = window->frameGeometry();

    int left = beside.left() + (beside.width() - outer.width()) / 2;
    int top = room.bottom() + 1 - outer.height(); // over the block only when nothing else serves
    if (room.bottom() + 1 - blockBottom >= outer.height())
        top = blockBottom;
    else if (blockTop - room.top() >= outer.height())
        top = blockTop - outer.height();
    left = qBound(room.left(), left, qMax(room.left(), room.right() + 1 - outer.width()));
    top = qMax(top, room.top());
    // The client area is what can be placed exactly; the frame goes around it.
    setGeometry(QRect(QPoint(left + frame.left(), top + frame.top()), size()));
}
