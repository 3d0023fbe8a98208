#include "gridmenu.h"

#include "zoom.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QShortcut>
#include <QWidget>

namespace
{
const QKeySequence copyKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
const QKeySequence practiseKeys(Qt::CTRL | Qt::Key_R);
const QKeySequence zoomInKeys(Qt::CTRL | Qt::Key_Plus);
const QKeySequence zoomOutKeys(Qt::CTRL | Qt::Key_Minus);
} // namespace

GridMenu::GridMenu(QWidget *window, QWidget *grid, WindowZoom *zoom, const Actions &actions)
    : QObject(window), window(window), zoom(zoom), actions(actions)
{
    auto shortcut = [this](const QKeySequence &keys, const std::function<void()> &action) {
        auto *key = new QShortcut(keys, this->window);
        // Also from the practice panel, a window of its own beside this one.
        key->setContext(Qt::ApplicationShortcut);
        connect(key, &QShortcut::activated, this, action);
    };
    shortcut(copyKeys, actions.copy);
    shortcut(practiseKeys, actions.practise);
    shortcut(QKeySequence::Print, actions.print);
    // Ctrl+= is Ctrl++ without the Shift a plus needs on most keyboards.
    shortcut(zoomInKeys, [zoom] { zoom->zoomIn(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), [zoom] { zoom->zoomIn(); });
    shortcut(zoomOutKeys, [zoom] { zoom->zoomOut(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [zoom] { zoom->reset(); });

    // Right-clicks on the grid's green and on its captions land here; the
    // window sends those on resting cells too.
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this,
            [this, grid](const QPoint &at) { show(grid->mapToGlobal(at)); });
}

void GridMenu::show(const QPoint &at)
{
    QMenu menu(window);
    auto item = [&menu](const QString &text, const std::function<void()> &action,
                        const QKeySequence &keys = {}) {
        QAction *added = menu.addAction(
            text + (keys.isEmpty() ? QString() : u'\t' + keys.toString(QKeySequence::NativeText)));
        connect(added, &QAction::triggered, added, action);
        return added;
    };
    item(QStringLiteral("Реши сам"), actions.practise, practiseKeys);
    menu.addSeparator();
    item(QStringLiteral("Копирай решението"), actions.copy, copyKeys);
    item(QStringLiteral("Постави система"), actions.paste)
        ->setEnabled(!QApplication::clipboard()->text().isEmpty());
    menu.addSeparator();
    item(QStringLiteral("Запази като PDF…"), actions.save);
    item(QStringLiteral("Печат…"), actions.print, QKeySequence::Print);
    menu.addSeparator();
    item(
        QStringLiteral("Увеличи"), [this] { zoom->zoomIn(); }, zoomInKeys)
        ->setEnabled(zoom->canZoomIn());
    item(
        QStringLiteral("Намали"), [this] { zoom->zoomOut(); }, zoomOutKeys)
        ->setEnabled(zoom->percent() > WindowZoom::Steps[0]);
    menu.exec(at);
}
