#include "core/archive/LzssDecoder.h"

#include <algorithm>
#include <cstring>

#include "core/Error.h"

namespace tarnwick::archive {

namespace {
constexpr std::size_t kRingMask = 4095;
}

// The ring is never kept: ring position q holds the latest output byte whose index is q
// modulo 4096, or zero while nothing has been written there, so a reference is a copy from
// the output itself at a distance of 1 to 4096.
std::vector<std::uint8_t> lzssDecompress(std::span<const std::uint8_t> stream,
                                         std::size_t outputLength) {
    std::vector<std::uint8_t> output(outputLength);
    std::uint8_t* const out = output.data();
    const std::uint8_t* const in = stream.data();
    const std::size_t inSize = stream.size();
    std::size_t o = 0;
    std::size_t i = 0;
    unsigned flags = 0;
    const auto fail = [] { throw Error("The compressed data ends before its declared length"); };

    while (o < outputLength) {
        flags >>= 1;
        if ((flags & 0x100) == 0) {
            if (i >= inSize) {
                fail();
            }
            flags = in[i++] | 0xFF00u;
        }
        if ((flags & 1) != 0) {
            if (i >= inSize) {
                fail();
            }
            out[o++] = in[i++];
            continue;
        }
        if (inSize - i < 2) {
            fail();
        }
        const unsigned lo = in[i];
        const unsigned hi = in[i + 1];
        i += 2;
        const std::size_t position = lo | ((hi & 0x0Fu) << 8);
        const std::size_t length = std::min<std::size_t>((hi >> 4) + 3, outputLength - o);
        const std::size_t distance = ((o - position - 1) & kRingMask) + 1;
        if (distance > o) {
            // Part of the copy reaches ring positions not yet written: they read as zero.
            for (std::size_t k = 0; k < length; ++k, ++o) {
                out[o] = o >= distance ? out[o - distance] : 0;
            }
        } else if (distance >= length) {
            std::memcpy(out + o, out + o - distance, length);
            o += length;
        } else {
            // An overlapping copy repeats the pattern just behind.
            for (std::size_t k = 0; k < length; ++k, ++o) {
                out[o] = out[o - distance];
            }
        }
    }
    return output;
}

}  // namespace tarnwick::archive
