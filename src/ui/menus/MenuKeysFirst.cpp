#include "ui/menus/MenuKeysFirst.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace tarnwick::ui {

MenuKeysFirst::MenuKeysFirst(QObject* owner, QList<QAction*> items)
    : QObject(owner), items_(std::move(items)) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool MenuKeysFirst::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride || qobject_cast<QLineEdit*>(watched) == nullptr) {
        return false;
    }
    // A modal window reaches only the items it was given.
    const QWidget* modal = QApplication::activeModalWidget();
    const QKeySequence typed(static_cast<QKeyEvent*>(event)->keyCombination());
    const bool menuKey = std::ranges::any_of(items_, [&](QAction* item) {
        return item->shortcuts().contains(typed) &&
               (modal == nullptr || modal->actions().contains(item));
    });
    if (!menuKey) {
        return false;
    }
    // Not taken by the box: the shortcut goes to the menu item.
    event->ignore();
    return true;
}

}  // namespace tarnwick::ui
