#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tarnwick::testsupport {

using Bytes = std::vector<std::uint8_t>;

// Builds a game archive with the project's own encoder: entries in table order, each stored as
// is or compressed, and empty slots.
class ArchiveBuilder {
  public:
    ArchiveBuilder& stored(const Bytes& data);
    ArchiveBuilder& compressed(const Bytes& data);
    ArchiveBuilder& empty();
    // Puts `data` at slot `slot`, filling the slots before it with empty ones.
    ArchiveBuilder& at(std::size_t slot, const Bytes& data, bool compress);

    Bytes bytes() const;

  private:
    struct Entry {
        std::uint32_t header;
        Bytes payload;
    };
    std::vector<std::optional<Entry>> entries_;
};

// A 4-byte-header entry and a table of given offsets, for hand-made layouts.
Bytes archiveWithTable(const std::vector<std::int32_t>& offsets, const Bytes& body);

}  // namespace tarnwick::testsupport
