#include "gridmessagebox.h"

#include "numbertext.h"
#include "zoom.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
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

// None until the window manager has framed w. Just after it shows a window,
// Qt may report a frame of 0 x 1 pixels, which is none either.
QMargins marginsOf(const QWidget *w)
{
    const QRect inner = w->geometry();
    const QRect outer = w->frameGeometry();
    if (!outer.contains(inner))
        return QMargins();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                    outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

// Where a box of outer size stands in place: centred under the window where
// it can be, as high as the block's top allows.
QPoint standIn(const QRect &place, const QSize &outer, const QRect &window, int blockTop)
{
    const int left = window.left() + (window.width() - outer.width()) / 2;
    return QPoint(
        qBound(place.left(), left, qMax(place.left(), place.right() + 1 - outer.width())),
        qBound(place.top(), blockTop, qMax(place.top(), place.bottom() + 1 - outer.height())));
}

// Each number in line longer than its shortest form, in that form; one that
// already ends in "…" is a summary itself.
QString summarised(QString line)
{
    static const QRegularExpression number(
        QStringLiteral("-?\\d+([.,]\\d+)?([Ee][+-]?\\d+)?(/\\d+([.,]\\d+)?)?"));
    constexpr qsizetype Summary = 12; // shorter, a number reads at a glance
    for (qsizetype at = 0;;) {
        const QRegularExpressionMatch found = number.match(line, at);
        if (!found.hasMatch())
            return line;
        const QString whole = found.captured();
        const bool summary = line.mid(found.capturedEnd(), 1) == QStringLiteral("…");
        const QString shown = whole.size() > Summary && !summary
                                  ? gauss::elideNumberText(whole, 0, [](QChar) { return 1.0; })
                                  : whole;
        line.replace(found.capturedStart(), whole.size(), shown);
        at = found.capturedStart() + shown.size();
    }
}

QPointer<QWidget> besideBoxes;

bool fits(const QSize &outer, const QRect &place)
{
    return outer.width() <= place.width() && outer.height() <= place.height();
}

} // namespace

GridMessageBox::GridMessageBox(QWidget *window, const QRect &block, const QString &title,
                               const QString &prompt)
    : QMessageBox(window), block(block), zoom(WindowZoom::factorOf(window))
{
    setWindowModality(besideBoxes && besideBoxes->isVisible() ? Qt::WindowModal
                                                              : Qt::ApplicationModal);
    setWindowTitle(title);
    setText(prompt);
    setTextFormat(Qt::PlainText);
    if (zoom == 1)
        return;
    QFont zoomed = font();
    if (zoomed.pointSizeF() > 0)
        zoomed.setPointSizeF(zoomed.pointSizeF() * zoom);
    else
        zoomed.setPixelSize(qRound(zoomed.pixelSize() * zoom));
    setFont(zoomed);
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

void GridMessageBox::leaveOpen(QWidget *beside)
{
    besideBoxes = beside;
}

void GridMessageBox::retell(QWidget *window, const Message &message)
{
    auto *box = qobject_cast<GridMessageBox *>(QApplication::activeModalWidget());
    if (!box || box->parentWidget() != window)
        return;
    box->setWindowTitle(message.title);
    box->setText(message.prompt);
    box->setAccessibleDescription(message.spoken.isEmpty() ? message.details.join(u'\n')
                                                           : message.spoken);
    box->setDetails(message.details);
    if (QLabel *label = box->detailsLabel())
        label->setWordWrap(false);
    box->setLinesInColumns();
    box->place();
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

// A line wider than the screen allows has its long numbers summarised, as a
// cell shortens them ("-12…/98…"): wrapped, a number would be cut at the
// box's edge, and its rest would read as another number. The whole lines are
// the label's tooltip and what it tells assistive technology.
void GridMessageBox::setDetails(const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    setInformativeText(lines.join(u'\n'));
    QLabel *label = detailsLabel();
    if (!label)
        return;
    label->setTextFormat(Qt::PlainText); // set in columns only when it must be
    QStringList shown = lines;
    for (QString &line : shown)
        if (!linesFitScreen(label, line))
            line = summarised(line);
    const QString whole = shown == lines ? QString() : lines.join(u'\n');
    label->setToolTip(whole);
    label->setAccessibleDescription(whole);
    if (!whole.isEmpty())
        setInformativeText(shown.join(u'\n'));
}

// QMessageBox draws its icon at the style's one size, on the one child label
// that shows a picture.
void GridMessageBox::zoomIcon()
{
    QStyle::StandardPixmap which;
    switch (icon()) {
    case Information:
        which = QStyle::SP_MessageBoxInformation;
        break;
    case Warning:
        which = QStyle::SP_MessageBoxWarning;
        break;
    case Critical:
        which = QStyle::SP_MessageBoxCritical;
        break;
    case Question:
        which = QStyle::SP_MessageBoxQuestion;
        break;
    default:
        return;
    }
    const int side =
        qRound(style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this) * zoom);
    const QPixmap picture =
        style()->standardIcon(which, nullptr, this).pixmap(QSize(side, side), devicePixelRatioF());
    for (QLabel *label : findChildren<QLabel *>())
        if (!label->pixmap().isNull())
            label->setPixmap(picture);
}

void GridMessageBox::showEvent(QShowEvent *event)
{
    // QMessageBox wraps its informative text to a width of its own choosing,
    // which breaks a row operation in the middle. A line wider than most of
    // the screen (a general solution of nine unknowns) wraps all the same,
    // or the box would run off the screen.
    if (QLabel *label = detailsLabel())
        label->setWordWrap(!linesFitScreen(label, label->text()));
    if (zoom != 1)
        zoomIcon();
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

// The places a box may stand in, in the order tried, in screen coordinates:
// below the block, beside the window, below the block over the desktop's
// panel, above the block.
QList<QRect> GridMessageBox::places() const
{
    const QWidget *window = parentWidget();
    const QScreen *screen = window->screen();
    const QRect room = screen->availableGeometry();
    if (block.isEmpty())
        return {room}; // nothing to keep in sight
    const QRect whole = screen->geometry();
    const QRect frame = window->frameGeometry();
    const int blockTop = window->mapToGlobal(block.topLeft()).y();
    const int blockBottom = window->mapToGlobal(block.bottomLeft()).y() + 1;
    const QRect right(QPoint(frame.right() + 1, room.top()), room.bottomRight());
    const QRect left(room.topLeft(), QPoint(frame.left() - 1, room.bottom()));
    return {QRect(QPoint(room.left(), blockBottom), room.bottomRight()),
            right.width() >= left.width() ? right : left,
            QRect(QPoint(whole.left(), blockBottom), whole.bottomRight()),
            QRect(room.topLeft(), QPoint(room.right(), blockTop - 1))};
}

bool GridMessageBox::linesFitScreen(const QLabel *label, const QString &text) const
{
    const QScreen *screen = parentWidget()->screen();
    if (!screen)
        return true;
    const QFontMetrics metrics(label->font());
    int widest = 0;
    for (const QString &line : text.split(u'\n'))
        widest = qMax(widest, metrics.horizontalAdvance(line));
    return widest <= screen->availableGeometry().width() * 2 / 3;
}

void GridMessageBox::setLinesInColumns()
{
    QLabel *label = detailsLabel();
    if (!label || label->textFormat() != Qt::PlainText || label->wordWrap() ||
        !parentWidget()->screen())
        return;
    const QString plain = label->text();
    const QStringList lines = plain.split(u'\n');
    const int most = int(lines.size()) / 2;
    if (most < 2)
        return;
    const QMargins frame = frameMargins();

    // Sets the lines in so many columns and returns the box's size with its
    // frame; empty when QMessageBox, keeping to a width limit of its own,
    // would cut a column.
    int set = 1;
    auto setIn = [&](int columns) {
        if (columns != set) {
            label->setTextFormat(columns == 1 ? Qt::PlainText : Qt::RichText);
            setInformativeText(columns == 1 ? plain : columnsOf(lines, columns));
            set = columns;
        }
        if (label->width() < label->sizeHint().width())
            return QSize();
        return size().grownBy(frame);
    };
    // The fewest columns that let the box stand in the first place it can;
    // where it can in none, as many as make it lowest.
    int widest = 1;
    for (const QRect &place : places()) {
        for (int columns = 1; columns <= most; ++columns) {
            const QSize outer = setIn(columns);
            if (outer.isEmpty())
                break;
            widest = qMax(widest, columns);
            if (fits(outer, place))
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
    const QMargins frame = frameMargins();
    const QSize outer = size().grownBy(frame);
    const int blockTop = window->mapToGlobal(block.topLeft()).y();
    const QRect room = screen->availableGeometry();
    // Over the block only when nothing else serves: at the foot of the screen.
    QPoint at = standIn(room, outer, window->frameGeometry(), room.bottom());
    for (const QRect &place : places()) {
        if (fits(outer, place)) {
            at = standIn(place, outer, window->frameGeometry(), blockTop);
            break;
        }
    }
    // The client area is what can be placed exactly; the frame goes around it.
    setGeometry(QRect(at + QPoint(frame.left(), frame.top()), size()));
}
