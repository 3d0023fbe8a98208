#include "gridmenu.h"

#include "zoom.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>
#include <QWidget>
#include <QWindow>

namespace
{
const QKeySequence copyKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
const QKeySequence practiseKeys(Qt::CTRL | Qt::Key_R);
const QKeySequence toTheEndKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_R);
const QKeySequence shapeKeys(Qt::CTRL | Qt::Key_M);
const QKeySequence restoreKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_Backspace);
// Ctrl+K deletes to the end of a line in a cell.
const QKeySequence cramerKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_K);
const QKeySequence determinantKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_D);
const QKeySequence checkDeterminantKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_P);
const QKeySequence parameterCaseKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_A);
const QKeySequence newExerciseKeys(Qt::CTRL | Qt::Key_N);
const QKeySequence zoomInKeys(Qt::CTRL | Qt::Key_Plus);
const QKeySequence zoomOutKeys(Qt::CTRL | Qt::Key_Minus);
const QKeySequence viewKeys(Qt::CTRL | Qt::Key_D);
const QKeySequence fullScreenKeys(Qt::Key_F11);
const QKeySequence boardKeys(Qt::CTRL | Qt::Key_B);
} // namespace

GridMenu::GridMenu(QWidget *window, QWidget *grid, WindowZoom *zoom, const Actions &actions)
    : QObject(window), window(window), zoom(zoom), actions(actions)
{
    auto shortcut = [this](const QKeySequence &keys, const std::function<void()> &action) {
        auto *key = new QShortcut(keys, this->window);
        // Also from the practice panel, a window of its own beside this one.
        key->setContext(Qt::ApplicationShortcut);
        connect(key, &QShortcut::activated, this, action);
        return key;
    };
    shortcut(copyKeys, actions.copy);
    shortcut(practiseKeys, actions.practise);
    shortcut(toTheEndKeys, actions.toTheEnd);
    shortcut(shapeKeys, actions.shape);
    shortcut(restoreKeys, actions.restore);
    shortcut(cramerKeys, actions.cramer);
    shortcut(determinantKeys, actions.determinant);
    shortcut(checkDeterminantKeys, actions.checkDeterminant);
    shortcut(boardKeys, actions.board);
    shortcut(readKeys(), actions.read);
    shortcut(newExerciseKeys, actions.newExercise);
    shortcut(parameterCaseKeys, actions.parameterCase);
    shortcut(QKeySequence::Save, actions.save);
    shortcut(QKeySequence::Print, actions.print);
    // Ctrl+= is Ctrl++ without the Shift a plus needs on most keyboards.
    shortcut(zoomInKeys, [zoom] { zoom->zoomIn(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), [zoom] { zoom->zoomIn(); });
    shortcut(zoomOutKeys, [zoom] { zoom->zoomOut(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [zoom] { zoom->reset(); });
    shortcut(viewKeys, actions.switchView);
    // A step's box is modal, and no shortcut of the window reaches past it;
    // the view is switched while a step is shown, so its key is caught there.
    qApp->installEventFilter(this);
    shortcut(fullScreenKeys, [zoom] { zoom->setFullScreen(!zoom->isFullScreen()); });
    // Esc leaves full screen, and is left to the controls otherwise. In the
    // practice panel Esc ends the practice, and Qt counts a tool window's keys
    // as its parent's too; a key two shortcuts claim does neither, so this one
    // is on only while the window itself has the keys.
    QShortcut *escape =
        shortcut(QKeySequence(Qt::Key_Escape), [zoom] { zoom->setFullScreen(false); });
    auto leaving = [escape, zoom, window] {
        escape->setEnabled(zoom->isFullScreen() && QApplication::activeWindow() == window);
    };
    leaving();
    connect(zoom, &WindowZoom::fullScreenChanged, escape, leaving);
    connect(qApp, &QGuiApplication::focusWindowChanged, escape, leaving);

    // Right-clicks on the grid's green and on its captions land here; the
    // window sends those on resting cells too.
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this,
            [this, grid](const QPoint &at) { show(grid->mapToGlobal(at)); });
}

QKeySequence GridMenu::readKeys()
{
    return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Space);
}

QString GridMenu::toTheEndHint()
{
    return QStringLiteral("„Реши докрай“ (%1) в менюто на таблицата я решава точно, стъпка по "
                          "стъпка.")
        .arg(toTheEndKeys.toString(QKeySequence::NativeText));
}

void GridMenu::show(const QPoint &at)
{
    QMenu menu(window);
    addTo(&menu);
    menu.exec(at);
}

void GridMenu::addTo(QMenu *menu)
{
    // A step that cannot be taken says why.
    menu->setToolTipsVisible(true);
    auto item = [menu](const QString &text, const std::function<void()> &action,
                       const QKeySequence &keys = {}) {
        QAction *added = menu->addAction(
            text + (keys.isEmpty() ? QString() : u'\t' + keys.toString(QKeySequence::NativeText)));
        connect(added, &QAction::triggered, added, action);
        return added;
    };
    item(QStringLiteral("Реши сам"), actions.practise, practiseKeys);
    item(QStringLiteral("Реши докрай"), actions.toTheEnd, toTheEndKeys);
    item(QStringLiteral("Върни системата"), actions.restore, restoreKeys);
    item(QStringLiteral("Уравнения и неизвестни…"), actions.shape, shapeKeys);
    menu->addSeparator();
    item(QStringLiteral("Крамер"), actions.cramer, cramerKeys);
    item(QStringLiteral("Детерминанта"), actions.determinant, determinantKeys);
    item(QStringLiteral("Провери D = …"), actions.checkDeterminant, checkDeterminantKeys);
    item(QStringLiteral("Покажи хода при стойност на параметъра…"), actions.parameterCase,
         parameterCaseKeys);
    menu->addSeparator();
    item(QStringLiteral("Нова задача"), actions.newExercise, newExerciseKeys);
    item(QStringLiteral("Работен лист…"), actions.worksheet);
    item(QStringLiteral("Копирай като LaTeX"), actions.copyLatex);
    menu->addSeparator();
    auto unless = [](QAction *action, bool enabled, const QString &why) {
        action->setEnabled(enabled);
        if (!why.isEmpty())
            action->setToolTip(why);
    };
    item(QStringLiteral("Копирай решението"), actions.copy, copyKeys);
    item(QStringLiteral("Постави система"), actions.paste)
        ->setEnabled(!QApplication::clipboard()->text().isEmpty());
    menu->addSeparator();
    item(QStringLiteral("Запази като PDF…"), actions.save, QKeySequence::Save);
    item(QStringLiteral("Печат…"), actions.print, QKeySequence::Print);
    menu->addSeparator();
    item(QStringLiteral("Дъска"), actions.board, boardKeys);
    item(QStringLiteral("Прочети матрицата"), actions.read, readKeys());
    QAction *fractions = item(QStringLiteral("Дроби"), actions.switchView, viewKeys);
    fractions->setCheckable(true);
    fractions->setChecked(actions.fractions());
    unless(item(
               QStringLiteral("Увеличи"), [this] { zoom->zoomIn(); }, zoomInKeys),
           zoom->canZoomIn(), zoom->largest());
    unless(item(
               QStringLiteral("Намали"), [this] { zoom->zoomOut(); }, zoomOutKeys),
           zoom->canZoomOut(), zoom->isFullScreen() ? WindowZoom::followsTheScreen() : QString());
    QAction *full = item(
        QStringLiteral("На цял екран"), [this] { zoom->setFullScreen(!zoom->isFullScreen()); },
        fullScreenKeys);
    full->setCheckable(true);
    full->setChecked(zoom->isFullScreen());
}

bool GridMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->keyCombination() == viewKeys[0]) {
        const QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->parentWidget() == window) {
            actions.switchView();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
