#include "core/files/StandaloneFiles.h"

#include <algorithm>

#include "core/Error.h"

namespace tarnwick::files {

namespace {
constexpr std::ptrdiff_t kAfterUseDefault = 2;
}

void readUnitDataFile(model::Document& document, std::span<const std::uint8_t> file) {
    if (file.size() < kUnitDataFileSize) {
        throw Error("Error Reading Data. #3");
    }
    std::copy_n(file.begin(), kUnitDataFileSize,
                document.unitData.bytes.begin() + kAfterUseDefault);
    document.hasExpansionGfx = file.size() >= kUnitDataFileWithSwampSize;
    if (document.hasExpansionGfx) {
        std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(kUnitDataFileSize),
                    document.gfxSwamp.size(), document.gfxSwamp.begin());
    }
}

void readUpgradeFile(model::Document& document, std::span<const std::uint8_t> file) {
    if (file.size() < kUpgradeFileSize) {
        throw Error("Error Reading Data.");
    }
    std::copy_n(file.begin(), kUpgradeFileSize, document.upgrades.bytes.begin() + kAfterUseDefault);
}

std::vector<std::uint8_t> writeUnitDataFile(const model::Document& document) {
    std::vector<std::uint8_t> out(document.hasExpansionGfx ? kUnitDataFileWithSwampSize
                                                           : kUnitDataFileSize);
    const auto swampAt = std::copy(document.unitData.bytes.begin() + kAfterUseDefault,
                                   document.unitData.bytes.end(), out.begin());
    if (document.hasExpansionGfx) {
        std::copy(document.gfxSwamp.begin(), document.gfxSwamp.end(), swampAt);
    }
    return out;
}

std::vector<std::uint8_t> writeUpgradeFile(const model::Document& document) {
    return {document.upgrades.bytes.begin() + kAfterUseDefault, document.upgrades.bytes.end()};
}

}  // namespace tarnwick::files
