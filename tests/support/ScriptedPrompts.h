#pragma once

#include <deque>
#include <optional>
#include <vector>

#include <QStringList>

#include "ui/prompts/Prompts.h"

namespace tarnwick::testsupport {

// Answers boxes and choosers from a script and records every message shown, in order.
// A question or chooser the script does not answer is cancelled.
class ScriptedPrompts : public ui::Prompts {
  public:
    struct Shown {
        ui::MessageIcon icon;
        QString caption;
        QString text;
        ui::Buttons buttons;  // Ok for a choice among named buttons
        QStringList choices;  // a choice's named buttons; Cancel is always offered besides
    };

    std::vector<Shown> shown;
    std::deque<ui::Answer> answers;
    // The named buttons to press in the choices asked, in order; a null QString cancels.
    std::deque<QString> choices;
    // A null QString cancels that chooser.
    std::deque<QString> filesToOpen;
    std::deque<QString> filesToSave;
    std::vector<ui::FileChoice> openChoosers;
    std::vector<ui::FileChoice> saveChoosers;

    ui::Answer ask(const ui::Message& message, ui::Buttons buttons) override;
    std::optional<qsizetype> choose(const ui::Message& message,
                                    const QStringList& choices) override;
    std::optional<QString> chooseFileToOpen(const ui::FileChoice& choice) override;
    std::optional<QString> chooseFileToSave(const ui::FileChoice& choice) override;

    // The texts shown, in order.
    QStringList texts() const;
    // The last chooser of its kind, or an empty one when none was shown: a test that expected
    // one then fails instead of reading past the end.
    ui::FileChoice lastOpenChooser() const;
    ui::FileChoice lastSaveChooser() const;
};

}  // namespace tarnwick::testsupport
