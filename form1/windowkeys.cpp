#include "windowkeys.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

void WindowKeys::watchCommand(QWidget *button)
{
    button->installEventFilter(this);
}

void WindowKeys::watchOption(QRadioButton *option)
{
    options << option;
    option->installEventFilter(this);
}

bool WindowKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return QObject::eventFilter(watched, event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto *button = qobject_cast<QPushButton *>(watched)) {
            button->click();
            return true;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (arrowSelects(watched, key->key()))
            return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// As in any exclusive group. Qt's own move selects only when it starts from
// the selected option, which a screen reader's focus need not be on, and finds
// nothing above or below in a row; here Up goes left and Down right.
bool WindowKeys::arrowSelects(QObject *watched, int key)
{
    const int k = int(options.indexOf(static_cast<QRadioButton *>(watched)));
    if (k < 0)
        return false;
    const int to = key == Qt::Key_Left || key == Qt::Key_Up ? k - 1 : k + 1;
    if (to >= 0 && to < options.size()) {
        options[to]->setChecked(true);
        options[to]->setFocus(Qt::TabFocusReason);
    }
    return true;
}
