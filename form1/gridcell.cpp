#include "gridcell.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionFrame>

GridCell::GridCell(int row, int column, const Grid &grid, QWidget *parent)
    : QLineEdit(parent), r(row), c(column), grid(grid)
{
    setAccessibleName(spokenName(row, column, 0));
    // Typed over, the number is the user's own, even if typed back as it was.
    connect(this, &QLineEdit::textEdited, this, &GridCell::forgetExactValue);
}

void GridCell::setNumber(const NumberFormat &format, const NumberFormat::Number &number)
{
    // A line edit lays its text out anew on every setText(), which for a long
    // fraction costs more than the step that left it as it was.
    if (const QString shown = format.text(number); shown != text())
        setText(shown);
    exact.set(format, number);
}

void GridCell::setView(const NumberFormat &format)
{
    if (exact.shows(text()))
        setNumber(format, NumberFormat::Number(exact.number()));
}

void GridCell::setInSystem(bool inSystem, int unknowns)
{
    system = inSystem;
    setFocusPolicy(inSystem ? Qt::StrongFocus : Qt::ClickFocus);
    setAccessibleName(spokenName(r, c, inSystem ? unknowns : 0));
}

QString GridCell::columnName(int column, int unknowns)
{
    if (column <= unknowns)
        return QStringLiteral("x%1").arg(column);
    if (column == unknowns + 1 && unknowns > 0)
        return QStringLiteral("дясна страна");
    return QStringLiteral("колона %1").arg(column);
}

QString GridCell::spokenName(int row, int column, int unknowns)
{
    return QStringLiteral("ред %1, %2").arg(row).arg(columnName(column, unknowns));
}

GridCell *GridCell::systemCell(int row, int column) const
{
    GridCell *cell = grid.cellAt(row, column);
    return cell && cell->inSystem() ? cell : nullptr;
}

// The text drawn as it fits between the frame and the margins; the line edit
// draws itself where it fits as it is, or where it has the focus.
GridCell::Drawing GridCell::drawing() const
{
    Drawing d;
    d.text = text();
    d.font = font();
    if (hasFocus() || d.text.isEmpty())
        return d;
    QStyleOptionFrame option;
    initStyleOption(&option);
    // The text's place as QLineEdit computes it: its contents less the text
    // margins and two pixels a side; it scrolls once text and cursor need more.
    d.place = style()
                  ->subElementRect(QStyle::SE_LineEditContents, &option, this)
                  .marginsRemoved(textMargins())
                  .adjusted(2, 0, -2, 0);
    const FittedNumber &fitted = fit(d.text, d.font, d.place.width() - 1);
    d.own = fitted.text != d.text || fitted.font != d.font;
    d.text = fitted.text;
    d.font = fitted.font;
    return d;
}

void GridCell::paintEvent(QPaintEvent *event)
{
    const Drawing d = drawing();
    if (!d.own) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setFont(d.font);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(d.place, int(alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter,
                     d.text);
}

bool GridCell::event(QEvent *event)
{
    // The paste keys belong to the cell, whatever the window's shortcuts.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)) {
        event->accept();
        return true;
    }
    return numberToolTipEvent(
               this, event, text(), [this] { return drawnText(); }, exact) ||
           QLineEdit::event(event);
}

// Up and Down step through the system's rows, as in a spreadsheet; a one-line
// text box has no use for them. Enter goes on like Tab, and from the last cell
// to the solve button, which one more Enter presses: the system can be typed
// and solved without leaving the keys. Left and Right keep moving the cursor.
void GridCell::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteHere();
        return;
    }
    // The menu's keys open it at the cursor, where a right-click would.
    if (event->keyCombination() == QKeyCombination(Qt::Key_Menu) ||
        event->keyCombination() == QKeyCombination(Qt::ShiftModifier, Qt::Key_F10)) {
        openMenu(mapToGlobal(cursorRect().bottomLeft()));
        return;
    }
    if ((event->modifiers() & ~Qt::KeypadModifier) || !inSystem()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
        if (GridCell *above = systemCell(r - 1, c))
            moveTo(above);
        return;
    case Qt::Key_Down:
        if (GridCell *below = systemCell(r + 1, c))
            moveTo(below);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (GridCell *next = systemCell(r, c + 1))
            next->setFocus(Qt::TabFocusReason);
        else if (GridCell *nextRow = systemCell(r + 1, 1))
            nextRow->setFocus(Qt::TabFocusReason);
        else
            grid.afterLast()->setFocus(Qt::TabFocusReason);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

// The cell entered selects its text, as Tab does, so that typing replaces it.
void GridCell::moveTo(GridCell *cell)
{
    cell->setFocus(Qt::OtherFocusReason);
    cell->selectAll();
}

void GridCell::contextMenuEvent(QContextMenuEvent *event)
{
    openMenu(event->globalPos());
}

// The line edit's own menu, but its paste takes a whole system as the keys do,
// and below it the grid's, where a student looks for what is done with the
// system. A cell outside the system is part of the grid's green, and opens the
// grid's menu alone.
void GridCell::openMenu(const QPoint &at)
{
    if (!inSystem()) {
        QMenu menu(this);
        if (grid.gridMenu)
            grid.gridMenu(&menu);
        menu.exec(at);
        return;
    }
    QMenu *menu = createStandardContextMenu();
    // The standard menu names its paste action by QLineEdit's own translated
    // text, its shortcut after a tab; nothing else in the public API tells it.
    const QString paste = QLineEdit::tr("&Paste");
    for (QAction *action : menu->actions()) {
        if (action->text().section(u'\t', 0, 0) != paste)
            continue;
        auto *own = new QAction(action->icon(), action->text(), menu);
        own->setEnabled(action->isEnabled());
        connect(own, &QAction::triggered, this, &GridCell::pasteHere);
        menu->insertAction(action, own);
        menu->removeAction(action);
    }
    if (grid.gridMenu) {
        menu->addSeparator();
        grid.gridMenu(menu);
    }
    menu->exec(at);
    delete menu;
}

void GridCell::pasteHere()
{
    if (!grid.paste || !grid.paste(r, c))
        paste();
}
