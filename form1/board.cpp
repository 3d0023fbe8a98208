#include "board.h"

#include "announcer.h"
#include "boardworking.h"
#include "fonts.h"
#include "gridmenu.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStyle>
#include <QToolTip>
#include <QVBoxLayout>

namespace
{

// A line of 20 pixels and more at 100 %: read on a projector from the back of a room.
constexpr int BoardPixels = 22;

// The page drawn in the desktop's own colours, so that a dark desktop keeps
// it legible; its marks in the colour of a selection, and each also by shape.
class Canvas : public QWidget
{
public:
    Canvas(QWidget *parent, const BoardPage &page) : QWidget(parent), page(page)
    {
        setObjectName(QStringLiteral("boardCanvas"));
        setFocusPolicy(Qt::StrongFocus);
        setBackgroundRole(QPalette::Base);
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        paintBoardPage(p, page, font(), palette());
    }

    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip)
            return QWidget::event(event);
        const auto *help = static_cast<QHelpEvent *>(event);
        for (const BoardPage::Entry &entry : page.entries)
            if (entry.rect.contains(help->pos())) {
                QToolTip::showText(help->globalPos(), entry.tip, this, entry.rect.toRect());
                return true;
            }
        QToolTip::hideText();
        event->ignore();
        return true;
    }

private:
    const BoardPage &page;
};

const QString settingsName = QStringLiteral("gauss");
const QString geometryKey = QStringLiteral("board/geometry");

} // namespace

Board::Board(qreal zoom)
{
    setObjectName(QStringLiteral("Board"));
    setWindowTitle(QStringLiteral("Дъска"));
    setAccessibleName(QStringLiteral("Дъска"));
    scroll = new QScrollArea(this);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setBackgroundRole(QPalette::Base);
    canvas = new Canvas(scroll, drawn);
    scroll->setWidget(canvas);
    scroll->setWidgetResizable(true); // the page fills the view, and scrolls where larger
    back = new QPushButton(QStringLiteral("◀ Назад"), this);
    back->setObjectName(QStringLiteral("boardBack"));
    forward = new QPushButton(QStringLiteral("Напред ▶"), this);
    forward->setObjectName(QStringLiteral("boardForward"));
    place = new QLabel(this);
    place->setObjectName(QStringLiteral("boardPlace"));
    place->setAlignment(Qt::AlignCenter);
    connect(back, &QPushButton::clicked, this, [this] { showPage(shown - 1); });
    connect(forward, &QPushButton::clicked, this, [this] { showPage(shown + 1); });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(place, 1);
    buttons->addWidget(forward);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    for (QWidget *w : {static_cast<QWidget *>(this), canvas, static_cast<QWidget *>(back),
                       static_cast<QWidget *>(forward)})
        w->installEventFilter(this);
    const QSettings settings(settingsName, settingsName);
    if (!restoreGeometry(settings.value(geometryKey).toByteArray()))
        resize(900, 600);
    setZoom(zoom);
    canvas->setFocus(Qt::OtherFocusReason);
}

void Board::setRecord(std::shared_ptr<const gauss::SolveRecord> made)
{
    record = std::move(made);
    written.reset();
    shown = 0;
    relayout();
}

void Board::setWorking(std::shared_ptr<const Working> working)
{
    written = std::move(working);
    record.reset();
    shown = 0;
    relayout();
}

void Board::setView(NumberFormat::View view)
{
    format = NumberFormat(view);
    relayout();
}

void Board::setZoom(qreal factor)
{
    QFont board;
    board.setFamilies(fonts::handout());
    board.setPixelSize(qRound(BoardPixels * factor));
    canvas->setFont(board);
    QFont controls = font();
    controls.setPixelSize(qRound(16 * factor));
    for (QWidget *w : {static_cast<QWidget *>(back), static_cast<QWidget *>(forward),
                       static_cast<QWidget *>(place)})
        w->setFont(controls);
    relayout();
}

int Board::pages() const
{
    if (written)
        return std::max(1, int(writtenParts.size()));
    return record ? BoardLayout::pages(*record) : 1;
}

void Board::showPage(int page)
{
    shown = std::clamp(page, 0, pages() - 1);
    relayout();
    scroll->horizontalScrollBar()->setValue(0);
    scroll->verticalScrollBar()->setValue(0);
}

void Board::relayout()
{
    // Room for the vertical scroll bar, so that a long page never scrolls sideways for it.
    const qreal room = scroll->width() - 2 * scroll->frameWidth() -
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (written) {
        const BoardWriter pen(canvas->font(), room);
        writtenParts = workingParts(*written, format.view(), canvas->font(), room);
        drawn = writtenParts.isEmpty() ? BoardPage() : boardPage(writtenParts.value(shown), pen);
    } else if (record) {
        drawn = BoardLayout(*record, format, canvas->font(), room).page(shown);
    } else {
        drawn = BoardPage();
        drawn.heading = QStringLiteral("Тук стои решението на системата, стъпка по стъпка.");
        drawn.spoken << drawn.heading;
        const QFontMetricsF fm(canvas->font());
        const QSizeF size(fm.horizontalAdvance(drawn.heading), fm.height());
        drawn.texts << BoardPage::Text{QRectF(QPointF(fm.height(), fm.height()), size),
                                       drawn.heading};
        drawn.size = size + QSizeF(2 * fm.height(), 3 * fm.height());
    }
    canvas->setMinimumSize(drawn.size.toSize() + QSize(1, 1));
    canvas->setAccessibleName(QStringLiteral("дъска: ") + drawn.heading);
    canvas->setAccessibleDescription(drawn.spoken.join(u'\n'));
    const int last = pages() - 1;
    const int steps = record ? int(record->steps.size()) : 0;
    place->setText(written      ? QStringLiteral("%1 от %2").arg(shown + 1).arg(last + 1)
                   : !record    ? QString()
                   : shown == 0 ? QStringLiteral("системата")
                   : shown == last && record->ended
                       ? QStringLiteral("краят")
                       : QStringLiteral("стъпка %1 от %2").arg(shown).arg(steps));
    back->setEnabled(shown > 0);
    forward->setEnabled(shown < last);
    canvas->update();
}

void Board::readAloud()
{
    Announcer::announce(this, spokenText(drawn));
}

bool Board::key(const QKeyEvent *event)
{
    const int last = pages() - 1;
    if (event->modifiers() == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_PageUp:
            showPage(shown - 1);
            return true;
        case Qt::Key_Right:
        case Qt::Key_PageDown:
            showPage(shown + 1);
            return true;
        case Qt::Key_Home:
            showPage(0);
            return true;
        case Qt::Key_End:
            showPage(last);
            return true;
        case Qt::Key_F11:
            isFullScreen() ? showNormal() : showFullScreen();
            return true;
        case Qt::Key_Escape:
            if (!isFullScreen())
                return false;
            showNormal();
            return true;
        default:
            break;
        }
    }
    if (event->keyCombination() == GridMenu::readKeys()[0]) {
        readAloud();
        return true;
    }
    return false;
}

// The board's keys before the window's shortcuts, which F11, Esc and the
// reading are too, and before the scroll area, which would scroll by the
// arrows and pages.
bool Board::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *pressed = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::ShortcutOverride &&
        (pressed->key() == Qt::Key_F11 || pressed->keyCombination() == GridMenu::readKeys()[0] ||
         (pressed->key() == Qt::Key_Escape && isFullScreen()))) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress && key(pressed))
        return true;
    return QWidget::eventFilter(watched, event);
}

void Board::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void Board::closeEvent(QCloseEvent *event)
{
    if (isFullScreen())
        showNormal();
    QSettings settings(settingsName, settingsName);
    settings.setValue(geometryKey, saveGeometry());
    settings.setValue(QStringLiteral("board/open"), false);
    QWidget::closeEvent(event);
}
