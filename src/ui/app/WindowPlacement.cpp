#include "ui/app/WindowPlacement.h"

#include <algorithm>

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace tarnwick::ui {

namespace {

bool belongsTo(const QWidget& window, const QWidget& mainWindow) {
    for (const QWidget* parent = window.parentWidget(); parent != nullptr;
         parent = parent->parentWidget()) {
        if (parent == &mainWindow) {
            return true;
        }
    }
    return false;
}

}  // namespace

WindowPlacement::WindowPlacement(QWidget& mainWindow)
    : QObject(&mainWindow), mainWindow_(mainWindow) {
    qApp->installEventFilter(this);
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event) {
    // Show comes before the window is mapped, so it appears in its place at once.
    if (event->type() != QEvent::Show || event->spontaneous() || !watched->isWidgetType()) {
        return false;
    }
    auto* window = static_cast<QWidget*>(watched);
    const Qt::WindowType type = window->windowType();
    // A moved window has its place: from this filter at an earlier showing, from the user, or
    // kept from the last run.
    if (!window->isWindow() || (type != Qt::Dialog && type != Qt::Tool) ||
        window->testAttribute(Qt::WA_Moved) || !belongsTo(*window, mainWindow_)) {
        return false;
    }
    QRect placed(QPoint(), window->size());
    placed.moveCenter(mainWindow_.geometry().center());
    if (const QScreen* screen = mainWindow_.screen()) {
        // A window larger than a small main window would otherwise start with its title bar
        // off the screen, out of the mouse's reach.
        const QRect area = screen->availableGeometry();
        placed.moveLeft(std::clamp(placed.left(), area.left(),
                                   std::max(area.left(), area.right() + 1 - placed.width())));
        placed.moveTop(std::clamp(placed.top(), area.top(),
                                  std::max(area.top(), area.bottom() + 1 - placed.height())));
    }
    window->move(placed.topLeft());
    return false;
}

}  // namespace tarnwick::ui
