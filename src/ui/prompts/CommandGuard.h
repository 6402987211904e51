#pragma once

#include <exception>
#include <utility>

#include <QString>

#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// Runs a command; an error it does not catch itself reaches the standard error box and the
// program goes on, as it would from the event loop.
template <typename Command>
void runGuarded(Prompts& prompts, Command&& command) {
    try {
        std::forward<Command>(command)();
    } catch (const std::exception& error) {
        prompts.standardError(QString::fromStdString(error.what()));
    }
}

// A slot that runs `handler` with the signal's arguments, guarded as above.
template <typename Handler>
auto guardedSlot(Prompts& prompts, Handler handler) {
    return [&prompts, handler](auto... arguments) {
        runGuarded(prompts, [&] { handler(arguments...); });
    };
}

}  // namespace tarnwick::ui
