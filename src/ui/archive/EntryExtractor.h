#pragma once

#include <cstdint>
#include <vector>

#include <QString>

namespace tarnwick::ui {

// Reads entries of the game's archives for every window. A failure throws CommandFailed with
// the fatal-error box, which the command's guarded entry point shows.
class EntryExtractor {
  public:
    explicit EntryExtractor(const QString& gameDirectory) : gameDirectory_(gameDirectory) {}

    // Entry `entry` of `archiveName` (any letter case), unpacked.
    std::vector<std::uint8_t> extractEntry(std::int64_t entry, const QString& archiveName) const;

  private:
    const QString& gameDirectory_;
};

}  // namespace tarnwick::ui
