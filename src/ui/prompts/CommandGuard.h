#pragma once

#include <exception>
#include <utility>

#include <QString>

#include "core/model/TypedNumber.h"
#include "ui/prompts/CommandFailed.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// A command's one entry point: a failure the command describes shows its own boxes; a value
// that does not fit its field, a warning naming it; any other error reaches the standard error
// box. Either way the program goes on, as from the event loop.
template <typename Command>
void runGuarded(Prompts& prompts, Command&& command) {
    try {
        std::forward<Command>(command)();
    } catch (const CommandFailed& failure) {
        for (const Message& message : failure.messages()) {
            prompts.show(message);
        }
    } catch (const model::ValueDoesNotFit& refusal) {
        prompts.warning(QString::fromStdString(refusal.what()) + ".");
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
