#include "core/game/StringTable.h"

#include <algorithm>

#include "core/bytes/LittleEndian.h"

namespace tarnwick::game {

namespace {

constexpr std::size_t kFirstStrategy = 160;
constexpr std::size_t kSharedNameString = 104;

class StringTable {
  public:
    explicit StringTable(std::span<const std::uint8_t> entry)
        : entry_(entry), count_(entry.size() >= 2 ? bytes::readLe(entry, 0, 2) : 0) {}

    std::size_t count() const { return count_; }

    // String k, when its offset and its terminating zero lie inside the entry.
    std::optional<std::string> at(std::size_t k) const {
        const std::size_t slot = 2 + 2 * k;
        if (k >= count_ || slot + 2 > entry_.size()) {
            return std::nullopt;
        }
        const std::size_t offset = bytes::readLe(entry_, slot, 2);
        if (offset >= entry_.size()) {
            return std::nullopt;
        }
        const auto begin = entry_.begin() + static_cast<std::ptrdiff_t>(offset);
        const auto end = std::find(begin, entry_.end(), std::uint8_t{0});
        if (end == entry_.end()) {
            return std::nullopt;
        }
        return std::string(begin, end);
    }

  private:
    std::span<const std::uint8_t> entry_;
    std::size_t count_;
};

}  // namespace

GameNames readGameNames(std::span<const std::uint8_t> entry) {
    const StringTable table(entry);
    GameNames names;
    for (std::size_t row = 0; row + 1 < kSharedNameString; ++row) {
        names.unitRows[row] = table.at(row + 1);
    }
    if (const auto shared = table.at(kSharedNameString)) {
        names.unitRows[103] = "Human " + *shared;
        names.unitRows[104] = "Orc " + *shared;
    }
    for (std::size_t k = kFirstStrategy; k < table.count(); ++k) {
        const auto strategy = table.at(k);
        if (!strategy || strategy->empty()) {
            break;
        }
        names.strategies.push_back(*strategy);
    }
    return names;
}

}  // namespace tarnwick::game
