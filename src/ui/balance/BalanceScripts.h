#pragma once

#include "core/game/AnimationSummary.h"
#include "ui/archive/EntryExtractor.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// The game's animation scripts as the balance windows use them: entry 278 of MAINDAT.WAR,
// condensed into attack and walking counters that live for the whole run.
class BalanceScripts {
  public:
    BalanceScripts(const EntryExtractor& extractor, Prompts& prompts)
        : extractor_(extractor), prompts_(prompts) {}

    // Reads the entry again. The walks that failed are reported in one box and keep what an
    // earlier reading found. Throws CommandFailed, with the reader's box, when the entry cannot
    // be read.
    void read();

    const game::AnimationSummary& summary() const { return walked_.summary; }
    // The summary and the walks of the last reading that failed.
    const game::SummaryWithFailures& walked() const { return walked_; }

  private:
    const EntryExtractor& extractor_;
    Prompts& prompts_;
    game::SummaryWithFailures walked_;
};

}  // namespace tarnwick::ui
