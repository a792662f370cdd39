// SPDX-License-Identifier: GPL-3.0-or-later
#include "selectorkeys.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>

SelectorKeys::SelectorKeys(QWidget* window)
    : QObject(window)
    , window(window)
{
}

bool SelectorKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    auto* selector = qobject_cast<QComboBox*>(watched);
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<int>(modifiers) | key->key());
        for (const QAction* action : window->findChildren<QAction*>())
            if (action->isEnabled() && action->shortcuts().contains(pressed))
                return true;
    } else if (selector && modifiers & (Qt::AltModifier | Qt::MetaModifier)
        && !(modifiers & Qt::ControlModifier) && !key->text().isEmpty()
        && key->text().at(0).isPrint()) {
        return true;
    } else if (selector && !(modifiers & ~Qt::KeypadModifier)) {
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            selector->showPopup();
            return true;
        default:
            break;
        }
    }
    return false;
}
