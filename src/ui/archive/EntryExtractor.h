#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// Reads entries of the game's archives for every window. A failure is shown once, in the
// fatal-error box, and the caller gets nothing.
class EntryExtractor {
  public:
    EntryExtractor(Prompts& prompts, const QString& gameDirectory)
        : prompts_(prompts), gameDirectory_(gameDirectory) {}

    // Entry `entry` of `archiveName` (any letter case), unpacked.
    std::optional<std::vector<std::uint8_t>> extractEntry(std::int64_t entry,
                                                          const QString& archiveName);
    // The length of the last result, -1 after a failure.
    std::int32_t entryLength() const { return entryLength_; }

  private:
    Prompts& prompts_;
    const QString& gameDirectory_;
    std::int32_t entryLength_ = -1;
};

}  // namespace tarnwick::ui
