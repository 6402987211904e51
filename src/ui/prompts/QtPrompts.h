#pragma once

#include <QMessageBox>
#include <QWidget>

#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// The real boxes and choosers.
class QtPrompts : public Prompts {
  public:
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    Answer ask(const Message& message, Buttons buttons) override;
    std::optional<qsizetype> choose(const Message& message, const QStringList& choices) override;
    std::optional<QString> chooseFileToOpen(const FileChoice& choice) override;
    std::optional<QString> chooseFileToSave(const FileChoice& choice) override;

  private:
    QWidget* parent_ = nullptr;
};

// "Executables(*.exe)|*.exe" as Qt writes a filter list: "Executables(*.exe) (*.exe *.EXE)".
// Patterns are offered in both letter cases, as the game's files are upper case.
QStringList qtFilterList(const QString& filter);

// How wide `window` must be to show its caption whole in the title bar.
int widthForCaption(const QWidget& window);

// Makes the box wide enough to show its caption whole in the title bar.
void widenForCaption(QMessageBox& box);

}  // namespace tarnwick::ui
