#pragma once

#include <QMargins>
#include <QSize>
#include <QWidget>

namespace tarnwick::ui {

// The frame the window manager draws about the window of `widget`; none before it is shown.
QMargins windowFrame(const QWidget& widget);

// How large a window may be on the screen of `widget` to lie wholly on it with a frame like the
// one about `widget`'s window: where the window manager leaves room for windows, less that
// frame. Empty without a screen.
QSize roomOnScreen(const QWidget& widget);

}  // namespace tarnwick::ui
