#include "ui/app/ProgramEnd.h"

#include <utility>

#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

ProgramEnd::ProgramEnd(QWidget& window, model::Document& document, Prompts& prompts,
                       SaveCommands& saveCommands, PlugInMode& plugInMode,
                       std::function<void()> showSaved)
    : window_(window),
      document_(document),
      prompts_(prompts),
      saveCommands_(saveCommands),
      plugInMode_(plugInMode),
      showSaved_(std::move(showSaved)) {}

void ProgramEnd::exit() {
    const Message question{MessageIcon::Question, "Save?",
                           "Do you wish to save changes before quitting?"};
    switch (prompts_.ask(question, Buttons::YesNoCancel)) {
        case Answer::Yes: {
            if (plugInMode_.isOn()) {
                saveAndExit();
                return;
            }
            // A failed write throws past the end: the window stays with the edits, as it does
            // when the user keeps a file that another program changed.
            const SaveOutcome outcome = saveCommands_.save();
            if (outcome == SaveOutcome::Kept) {
                return;
            }
            if (outcome == SaveOutcome::Saved) {
                showSaved_();
            }
            end();
            return;
        }
        case Answer::No:
            plugInMode_.closeWithoutSaving();
            document_.releaseMapBlobs();
            end();
            return;
        default:
            return;
    }
}

void ProgramEnd::saveAndExit() {
    // A failure throws past the end: the window stays with the edits.
    plugInMode_.saveAndClose();
    end();
}

void ProgramEnd::end() {
    requested_ = true;
    if (!answeringCloseBox_) {
        window_.close();
    }
}

bool ProgramEnd::answerCloseBox() {
    if (!requested_) {
        answeringCloseBox_ = true;
        runGuarded(prompts_, [this] { exit(); });
        answeringCloseBox_ = false;
    }
    return requested_;
}

}  // namespace tarnwick::ui
