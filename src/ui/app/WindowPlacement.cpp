#include "ui/app/WindowPlacement.h"

#include <algorithm>

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include "ui/layout/ScreenRoom.h"

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
    const QScreen* screen = mainWindow_.screen();
    if (!window->isWindow() || (type != Qt::Window && type != Qt::Dialog && type != Qt::Tool) ||
        !belongsTo(*window, mainWindow_) || screen == nullptr) {
        return false;
    }
    // A window larger than the screen, by its own choice or as the user left it on a larger
    // one, would have parts out of reach; a window that needs more room than the screen has
    // scrolls its contents instead. The window manager's frame, as it is about the main
    // window, is part of what must fit.
    const QSize room = roomOnScreen(mainWindow_);
    if (window->width() > room.width() || window->height() > room.height()) {
        window->resize(window->size().boundedTo(room));
    } else if (!window->testAttribute(Qt::WA_Resized)) {
        // Qt sizes a window that sizes itself to no more than two thirds of the screen; one
        // that asks for more is given what the screen has room for, so that it scrolls only
        // where it must.
        const QSize wanted = window->sizeHint().boundedTo(room).expandedTo(window->size());
        if (wanted != window->size()) {
            window->resize(wanted);
        }
    }
    // A moved window has its place: from this filter at an earlier showing, from the user, or
    // kept from the last run.
    if (window->testAttribute(Qt::WA_Moved)) {
        return false;
    }
    // Until it is mapped, a window's own frame is not known: its place is that of its inside.
    const QMargins frame = windowFrame(mainWindow_);
    QRect placed = window->geometry().marginsAdded(frame);
    // A window of its own keeps the place it was given, only moved onto the screen.
    if (type != Qt::Window) {
        placed.moveCenter(mainWindow_.frameGeometry().center());
    }
    // A window larger than a small main window would otherwise start with its title bar off
    // the screen, out of the mouse's reach.
    const QRect area = screen->availableGeometry();
    placed.moveLeft(std::clamp(placed.left(), area.left(),
                               std::max(area.left(), area.right() + 1 - placed.width())));
    placed.moveTop(std::clamp(placed.top(), area.top(),
                              std::max(area.top(), area.bottom() + 1 - placed.height())));
    if (placed.marginsRemoved(frame) != window->geometry()) {
        window->setGeometry(placed.marginsRemoved(frame));
    }
    return false;
}

}  // namespace tarnwick::ui
