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

} // namespace

GridMessageBox::GridMessageBox(QWidget *window, const QRect &block, const QString &title,
                               const QString &prompt)
    : QMessageBox(window), block(block)
{
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(title);
    setText(prompt);
    setTextFormat(Qt::PlainText);
}

void GridMessageBox::tell(QWidget *window, const Message &message, const QRect &block)
{
    GridMessageBox box(window, block, message.title, message.prompt);
    box.setAccessibleDescription(message.spoken.isEmpty() ? message.details.join(u'\n')
                                                          : message.spoken);
    box.setDetails(message.details);
    box.setIcon(message.icon);
    box.setStandardButtons(Ok);
    box.setDefaultButton(Ok);
    box.exec();
}

void GridMessageBox::error(QWidget *window, const QString &prompt, const QRect &block)
{
    tell(window, Message{errorTitle, prompt, Warning, {}, {}}, block);
}

bool GridMessageBox::ask(QWidget *window, const QString &title, const QString &question)
{
    GridMessageBox box(window, QRect(), title, question);
    box.setIcon(Question);
    box.setStandardButtons(Yes | No);
    return box.exec() == Yes;
}

// QMessageBox offers no access to the label of its informative text; it is
// the one child label that shows that text.
QLabel *GridMessageBox::detailsLabel() const
{
    if (informativeText().isEmpty())
        return nullptr;
    for (QLabel *label : findChildren<QLabel *>())
        if (label->text() == informativeText())
            return label;
    return nullptr;
}

void GridMessageBox::setDetails(const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    setInformativeText(lines.join(u'\n'));
    if (QLabel *label = detailsLabel())
        label->setTextFormat(Qt::PlainText); // set in columns only when it must be
}

void GridMessageBox::showEvent(QShowEvent *event)
{
    // QMessageBox wraps its informative text to a width of its own choosing,
    // which breaks a row operation in the middle.
    if (QLabel *label = detailsLabel())
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
        !marginsOf(this).isNull()) {
        framed = true;
        place();
    }
    return QMessageBox::eventFilter(watched, event);
}

// Until the box is framed its own margins are unknown; the window's, framed by
// the same window manager, stand in for them.
QMargins GridMessageBox::frameMargins() const
{
    return marginsOf(framed ? static_cast<const QWidget *>(this) : parentWidget());
}

void GridMessageBox::setLinesInColumns()
{
    QLabel *label = detailsLabel();
    const QScreen *screen = parentWidget()->screen();
    if (!label || label->textFormat() != Qt::PlainText || !screen)
        return;
    const QString plain = label->text();
    const QStringList lines = plain.split(u'\n');
    const int most = int(lines.size()) / 2;
    if (most < 2)
        return;
    const QRect room = screen->availableGeometry();
    const QMargins frame = frameMargins();
    // With no block, the whole screen is room below.
    const int below = block.isEmpty()
                          ? room.height()
                          : room.bottom() - parentWidget()->mapToGlobal(block.bottomLeft()).y();
    const int above =
        block.isEmpty() ? 0 : parentWidget()->mapToGlobal(block.topLeft()).y() - room.top();

    // Sets the lines in so many columns and returns the box's height with its
    // frame; 0 when QMessageBox, keeping to a width limit of its own, would
    // cut a column.
    auto setIn = [&](int columns) {
        label->setTextFormat(columns == 1 ? Qt::PlainText : Qt::RichText);
        setInformativeText(columns == 1 ? plain : columnsOf(lines, columns));
        if (label->width() < label->sizeHint().width())
            return 0;
        return height() + frame.top() + frame.bottom();
    };
    // The fewest columns that let the box stand below the block, else above
    // it; when neither can be, as many as make it lowest.
    int widest = 1;
    for (int space : {below, above}) {
        for (int columns = 1; columns <= most; ++columns) {
            const int tall = columns == 1 && space == below
                                 ? height() + frame.top() + frame.bottom()
                                 : setIn(columns);
            if (tall == 0)
                break;
            widest = columns;
            if (tall <= space)
                return;
        }
    }
    setIn(widest);
}

void GridMessageBox::place()
{
    const QWidget *window = parentWidget();
    const QScreen *screen = window->screen();
    if (!screen || block.isEmpty())
        return;
    const QRect room = screen->availableGeometry();
    const QMargins frame = frameMargins();
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
