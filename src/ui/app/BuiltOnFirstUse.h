#pragma once

namespace tarnwick::ui {

// A window the user may never open is built the first time it is asked for, so that a start
// builds only what it shows.
template <typename Window, typename Build>
Window& builtOnFirstUse(Window*& window, Build build) {
    if (window == nullptr) {
        window = build();
    }
    return *window;
}

}  // namespace tarnwick::ui
