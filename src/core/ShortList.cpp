#include "core/ShortList.h"

#include <algorithm>

namespace tarnwick {

namespace {

constexpr std::size_t kShortListLines = 20;

}  // namespace

std::string shortList(const std::vector<std::string>& lines) {
    std::string list;
    const std::size_t shown = std::min(lines.size(), kShortListLines);
    for (std::size_t i = 0; i < shown; ++i) {
        list += (i == 0 ? "" : "\n") + lines[i];
    }
    if (lines.size() > shown) {
        list += "\n... and " + std::to_string(lines.size() - shown) + " more";
    }
    return list;
}

}  // namespace tarnwick
