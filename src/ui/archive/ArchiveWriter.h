#pragma once

#include <cstdint>

#include <QString>

#include "core/Progress.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// Writing into the game's archives, for Direct Save: each operation shows its progress and
// reports its own failure in an error box.
class ArchiveWriter {
  public:
    ArchiveWriter(Prompts& prompts, Progress& progress, const QString& gameDirectory)
        : prompts_(prompts), progress_(progress), gameDirectory_(gameDirectory) {}

    // Writes the bare compressed stream of `input` to `output`; false after a reported failure.
    bool compressFile(const QString& input, const QString& output);

    // Replaces entry `entry` of the archive `archiveName` (in the game's data folder) by the
    // bytes of `source` behind `header`. The archive is replaced only once the new one is
    // complete: any failure leaves it exactly as it was.
    bool insertEntry(const QString& source, std::int64_t entry, const QString& archiveName,
                     std::uint32_t header);

  private:
    Prompts& prompts_;
    Progress& progress_;
    const QString& gameDirectory_;
};

}  // namespace tarnwick::ui
