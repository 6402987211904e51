#pragma once

namespace tarnwick::fuzz {

// A claim a target makes about every input: one that breaks it stops the fuzzer here, and the
// input is kept.
inline void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace tarnwick::fuzz
