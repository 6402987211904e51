#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/model/Document.h"

namespace tarnwick::files {

// One header of a section chain and where its body would start.
struct ChainHeader {
    std::string tag;           // the four characters as stored
    std::uint32_t length = 0;  // as stored: unsigned, so that no message shows it negative
};

// Walks a section chain header by header, never reading outside the file.
class SectionChainReader {
  public:
    explicit SectionChainReader(std::span<const std::uint8_t> file) : file_(file) {}

    // The next header, or nothing when fewer than 8 bytes are left: the chain has ended.
    std::optional<ChainHeader> nextHeader();
    // The body of the header just read; refuses a length that runs past the end.
    std::span<const std::uint8_t> takeBody();

  private:
    std::span<const std::uint8_t> file_;
    std::size_t position_ = 0;
    std::optional<ChainHeader> pending_;
};

// Appends one section, header then body, as the writer lays it out.
void appendSection(std::vector<std::uint8_t>& out, const model::SectionHeader& header,
                   std::span<const std::uint8_t> body);

}  // namespace tarnwick::files
