#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <QString>

#include "core/Error.h"

namespace tarnwick::platform {

// The whole file; throws tarnwick::Error with a readable reason when it cannot be read.
std::vector<std::uint8_t> readWholeFile(const QString& path);

// A save that failed, at which step (the target could not be created, or not written), and the
// system's reason ("No space left on device") for boxes that show it after their own text.
class SaveFailed : public Error {
  public:
    enum class Step { Create, Write };
    SaveFailed(Step failedStep, const std::string& message, std::string systemReason)
        : Error(message), step(failedStep), reason(std::move(systemReason)) {}
    Step step;
    std::string reason;
};

// Replaces the file only once every byte is written and synced (a sibling temporary file renamed
// over the target, see SiblingTempFile): on failure the old file is untouched and the temporary
// file gone. An existing file keeps its permissions; a symbolic link stays one, and the file it
// names is replaced. Throws SaveFailed with the reason.
void saveWholeFile(const QString& path, std::span<const std::uint8_t> data);

}  // namespace tarnwick::platform
