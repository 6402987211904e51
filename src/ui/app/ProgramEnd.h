#pragma once

#include <functional>

#include <QWidget>

#include "core/model/Document.h"
#include "ui/app/SaveCommands.h"
#include "ui/plugin/PlugInMode.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// How the program ends: "Exit" and the close box ask whether to save first, plug-in mode's
// save hands the document back to the host first; only their outcome ends the program.
class ProgramEnd {
  public:
    // `showSaved` follows a save made on the way out.
    ProgramEnd(QWidget& window, model::Document& document, Prompts& prompts,
               SaveCommands& saveCommands, PlugInMode& plugInMode, std::function<void()> showSaved);

    // "Exit": asks whether to save first; a failed save throws and the program stays.
    void exit();
    // Plug-in mode's "Save": the program ends only once the host has the document back.
    void saveAndExit();
    // Ends the program: the window closes for real.
    void end();
    // The close box asks the exit question too; true when its answer ends the program.
    bool answerCloseBox();
    bool requested() const { return requested_; }

  private:
    QWidget& window_;
    model::Document& document_;
    Prompts& prompts_;
    SaveCommands& saveCommands_;
    PlugInMode& plugInMode_;
    std::function<void()> showSaved_;
    bool requested_ = false;
    bool answeringCloseBox_ = false;
};

}  // namespace tarnwick::ui
