#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include <QFile>
#include <QString>

namespace tarnwick::platform {

// A file's bytes, mapped into memory for as long as the object lives: large archives are read
// only where an entry is looked at. Other programs may keep the file open meanwhile.
class MappedFile {
  public:
    // Throws ReadFailed with the reason when the file cannot be opened or read.
    explicit MappedFile(const QString& path);

    std::span<const std::uint8_t> bytes() const { return bytes_; }

  private:
    std::unique_ptr<QFile> file_;
    std::vector<std::uint8_t> copy_;  // when the file cannot be mapped (an empty file)
    std::span<const std::uint8_t> bytes_;
};

}  // namespace tarnwick::platform
