#pragma once

#include <QWidget>

namespace tarnwick::ui {

// Puts the window, frame included, in the middle of the screen it is on.
void centreOnScreen(QWidget& window);

}  // namespace tarnwick::ui
