#include "ui/dialogs/ScreenPlacement.h"

#include <QScreen>

namespace tarnwick::ui {

void centreOnScreen(QWidget& window) {
    if (const QScreen* shown = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(shown->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

}  // namespace tarnwick::ui
