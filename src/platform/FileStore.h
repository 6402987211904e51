#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include <QString>

#include "core/Error.h"

namespace tarnwick::platform {

// The whole file; throws tarnwick::Error with a readable reason when it cannot be read.
std::vector<std::uint8_t> readWholeFile(const QString& path);

// A save that failed, and at which step: the target could not be created, or not written.
class SaveFailed : public Error {
  public:
    enum class Step { Create, Write };
    SaveFailed(Step failedStep, const std::string& message) : Error(message), step(failedStep) {}
    Step step;
};

// Replaces the file only once every byte is written (a sibling temporary file renamed over the
// target): on failure the old file is untouched. Throws SaveFailed with the reason.
void saveWholeFile(const QString& path, std::span<const std::uint8_t> data);

}  // namespace tarnwick::platform
