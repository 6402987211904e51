#include "ui/history/UndoKeysFirst.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace tarnwick::ui {

UndoKeysFirst::UndoKeysFirst(QObject* owner) : QObject(owner) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool UndoKeysFirst::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride || qobject_cast<QLineEdit*>(watched) == nullptr ||
        QApplication::activeModalWidget() != nullptr) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeyCombination typed = key->keyCombination();
    const bool historyKey =
        key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
        typed == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
        typed == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
    if (!historyKey) {
        return false;
    }
    // Not taken by the box: the shortcut goes to the menu item.
    event->ignore();
    return true;
}

}  // namespace tarnwick::ui
