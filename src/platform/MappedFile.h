#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include <QString>

#include "core/bytes/InputLimit.h"

namespace tarnwick::platform {

// A file's bytes, mapped into memory for as long as the object lives: large archives are read
// only where an entry is looked at. Other programs may keep the file open meanwhile.
class MappedFile {
  public:
    // `path` taken as bytes (see FileNames). Throws ReadFailed with the reason when the file
    // cannot be opened or read, or is longer than `limit`.
    MappedFile(const QString& path, bytes::InputLimit limit);

    std::span<const std::uint8_t> bytes() const { return bytes_; }

  private:
    struct Mapping {
        void* address;
        std::size_t length;
        ~Mapping();
    };
    std::unique_ptr<Mapping> mapping_;
    std::vector<std::uint8_t> copy_;  // when the file cannot be mapped (empty, or no regular file)
    std::span<const std::uint8_t> bytes_;
};

}  // namespace tarnwick::platform
