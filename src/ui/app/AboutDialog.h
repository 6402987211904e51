#pragma once

#include <random>

#include <QDialog>

#include "platform/SoundOutput.h"
#include "ui/archive/EntryExtractor.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// "About...": the program's name, credits and pictures, and "Comedy Relief :)", which plays a
// random sound of the game's.
class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    // `generator` draws the sounds; tests seed it.
    AboutDialog(const EntryExtractor& extractor, Prompts& prompts, platform::SoundOutput& sound,
                std::mt19937 generator, QWidget* parent = nullptr);

  private:
    // A sound that cannot be read shows the reader's box and plays nothing.
    void playRandomSound();

    const EntryExtractor& extractor_;
    Prompts& prompts_;
    platform::SoundOutput& sound_;
    std::mt19937 generator_;
};

}  // namespace tarnwick::ui
