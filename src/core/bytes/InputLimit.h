#pragma once

#include <cstddef>

namespace tarnwick::bytes {

// The most bytes a reader takes from a file of one kind: what the largest file of that kind can
// hold. A longer input (/dev/zero, a wrong file) is refused before it is read whole.
struct InputLimit {
    std::size_t bytes;
    const char* kind;  // for the message: "longer than any scenario"
};

}  // namespace tarnwick::bytes
