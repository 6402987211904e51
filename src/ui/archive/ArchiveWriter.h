#pragma once

#include <cstdint>
#include <span>

#include <QString>

#include "core/Progress.h"

namespace tarnwick::ui {

// Writing into the game's archives, for Direct Save: the insertion shows its progress; a
// failure throws CommandFailed with its error box.
class ArchiveWriter {
  public:
    ArchiveWriter(Progress& progress, const QString& gameDirectory)
        : progress_(progress), gameDirectory_(gameDirectory) {}

    // Replaces entry `entry` of the archive `archiveName` (in the game's data folder) by
    // `header` and `data`. The archive is replaced only once the new one is complete: any
    // failure leaves it exactly as it was.
    void insertEntry(std::span<const std::uint8_t> data, std::int64_t entry,
                     const QString& archiveName, std::uint32_t header);

  private:
    Progress& progress_;
    const QString& gameDirectory_;
};

}  // namespace tarnwick::ui
