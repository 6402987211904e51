// Any bytes as a compressed stream (after a 2-byte output length), and as data to compress:
// the decoder stays inside its input and output, and every stream the encoder writes decodes
// back to its input.
#include <cstddef>
#include <cstdint>

#include "core/Error.h"
#include "core/Progress.h"
#include "core/archive/LzssDecoder.h"
#include "core/archive/LzssEncoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::size_t length = data[0] | (std::size_t{data[1]} << 8);
    const std::span<const std::uint8_t> rest(data + 2, size - 2);
    try {
        if (tarnwick::archive::lzssDecompress(rest, length).size() != length) {
            __builtin_trap();
        }
    } catch (const tarnwick::Error&) {
    }
    tarnwick::NoProgress quiet;
    const auto stream = tarnwick::archive::lzssCompress(rest, quiet);
    const auto back = tarnwick::archive::lzssDecompress(stream, rest.size());
    if (!std::equal(back.begin(), back.end(), rest.begin(), rest.end())) {
        __builtin_trap();
    }
    return 0;
}
