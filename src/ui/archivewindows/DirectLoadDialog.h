#pragma once

#include <cstdint>
#include <vector>

#include <QDialog>
#include <QListWidget>

#include "ui/archive/EntryExtractor.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// "Direct Load": picks a slot of the game's main archive and reads its entry. Opening what was
// read is the main window's work, through the same path as a file.
class DirectLoadDialog : public QDialog {
    Q_OBJECT

  public:
    DirectLoadDialog(const EntryExtractor& extractor, Prompts& prompts, QWidget* parent = nullptr);

    // The entry read by the "Extract" that closed the dialog with OK.
    std::vector<std::uint8_t> takeEntry() { return std::move(entry_); }

  private:
    // Does nothing while no row is selected; otherwise closes the dialog, with OK when the
    // entry could be read.
    void extract();

    const EntryExtractor& extractor_;
    Prompts& prompts_;
    QListWidget* slots_ = nullptr;
    std::vector<std::uint8_t> entry_;
};

}  // namespace tarnwick::ui
