#include "ScriptedPrompts.h"

#include <QStringList>

namespace tarnwick::testsupport {

namespace {
std::optional<QString> next(std::deque<QString>& script) {
    if (script.empty()) {
        return std::nullopt;
    }
    const QString choice = script.front();
    script.pop_front();
    if (choice.isNull()) {
        return std::nullopt;
    }
    return choice;
}
}  // namespace

ui::Answer ScriptedPrompts::ask(const ui::Message& message, ui::Buttons buttons) {
    shown.push_back({message.icon, message.caption, message.text, buttons, {}});
    if (buttons == ui::Buttons::Ok) {
        return ui::Answer::Ok;
    }
    if (answers.empty()) {
        return ui::Answer::Cancel;
    }
    const ui::Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<qsizetype> ScriptedPrompts::choose(const ui::Message& message,
                                                 const QStringList& named) {
    shown.push_back({message.icon, message.caption, message.text, ui::Buttons::Ok, named});
    const std::optional<QString> pressed = next(choices);
    if (!pressed) {
        return std::nullopt;
    }
    const qsizetype at = named.indexOf(*pressed);
    // A script that presses a button the box does not have is a broken test: it cancels.
    return at >= 0 ? std::optional(at) : std::nullopt;
}

std::optional<QString> ScriptedPrompts::chooseFileToOpen(const ui::FileChoice& choice) {
    openChoosers.push_back(choice);
    return next(filesToOpen);
}

std::optional<QString> ScriptedPrompts::chooseFileToSave(const ui::FileChoice& choice) {
    saveChoosers.push_back(choice);
    return next(filesToSave);
}

QStringList ScriptedPrompts::texts() const {
    QStringList result;
    for (const Shown& message : shown) {
        result << message.text;
    }
    return result;
}

ui::FileChoice ScriptedPrompts::lastOpenChooser() const {
    return openChoosers.empty() ? ui::FileChoice{} : openChoosers.back();
}

ui::FileChoice ScriptedPrompts::lastSaveChooser() const {
    return saveChoosers.empty() ? ui::FileChoice{} : saveChoosers.back();
}

}  // namespace tarnwick::testsupport
