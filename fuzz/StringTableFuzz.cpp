// Any bytes as the string table entry: names are read without leaving the entry.
#include <cstddef>
#include <cstdint>

#include "core/game/StringTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto names = tarnwick::game::readGameNames({data, size});
    for (const auto& strategy : names.strategies) {
        if (strategy.empty()) {
            __builtin_trap();
        }
    }
    return 0;
}
