#include "core/model/ExpansionGraphics.h"

#include <algorithm>

namespace tarnwick::model {

static_assert(kDefaultUnitDataWithSwampSize == kDefaultSwampOffset + sizeof(SwampGraphics));

bool addDefaultExpansionGraphics(Document& document, std::span<const std::uint8_t> entry) {
    if (entry.size() < kDefaultUnitDataWithSwampSize) {
        return false;
    }
    std::copy_n(entry.begin() + kDefaultSwampOffset, document.gfxSwamp.size(),
                document.gfxSwamp.begin());
    document.hasExpansionGfx = true;
    return true;
}

void removeExpansionGraphics(Document& document) {
    document.hasExpansionGfx = false;
}

}  // namespace tarnwick::model
