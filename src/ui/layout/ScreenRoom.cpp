#include "ui/layout/ScreenRoom.h"

#include <QScreen>

namespace tarnwick::ui {

QMargins windowFrame(const QWidget& widget) {
    const QWidget& window = *widget.window();
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

QSize roomOnScreen(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    if (screen == nullptr) {
        return {};
    }
    return screen->availableGeometry().marginsRemoved(windowFrame(widget)).size();
}

}  // namespace tarnwick::ui
