#include "core/archive/LzssDecoder.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/Error.h"

namespace tarnwick::archive {

namespace {

constexpr std::size_t kRingMask = 4095;
constexpr std::size_t kMaxReference = 18;
// A whole group read without checks needs its flag byte and eight references at most, and
// literals are fetched 8 bytes at a time, which may read up to 7 bytes beyond the last.
constexpr std::size_t kGroupInput = 1 + 8 * 2 + 7;
// Copies go in 8-byte steps and may write up to 7 bytes past an item's end (later items
// overwrite them), so a group runs unchecked only this far from the output's end.
constexpr std::size_t kGroupOutput = 8 * kMaxReference + 8;

void copy8(std::uint8_t* to, const std::uint8_t* from) {
    std::memcpy(to, from, 8);
}

void put8(std::uint8_t* to, std::uint64_t word) {
    std::memcpy(to, &word, 8);
}

// Copies a reference of `length` bytes from `distance` back, where `distance <= o`, possibly
// writing a few bytes past its end as described above.
void copyReference(std::uint8_t* out, std::size_t distance, std::size_t length) {
    if (distance >= 8) {
        // Most references: two steps, and a third only for the longest.
        copy8(out, out - distance);
        copy8(out + 8, out + 8 - distance);
        if (length > 16) {
            copy8(out + 16, out + 16 - distance);
        }
        return;
    }
    // The source overlaps the target: the bytes behind repeat with period `distance`. Runs
    // (1) and 2- or 4-byte patterns fill a word that is written as it is, without reading back
    // what was just written.
    std::uint64_t pattern = 0;
    if (distance == 1) {
        pattern = out[-1] * 0x0101010101010101u;
    } else if (distance == 2 || distance == 4) {
        std::uint32_t unit = 0;
        std::memcpy(&unit, out - distance, distance);
        pattern = unit * (distance == 2 ? 0x0001000100010001u : 0x0000000100000001u);
    } else {
        // After 8 bytes done one at a time, the rest is copied from a multiple of the period
        // that is at least 8 back.
        const std::uint8_t* from = out - distance;
        for (std::size_t k = 0; k < 8; ++k) {
            out[k] = from[k];
        }
        const std::size_t period = distance * ((8 + distance - 1) / distance);
        for (std::size_t k = 8; k < length; k += 8) {
            copy8(out + k, out + k - period);
        }
        return;
    }
    for (std::size_t k = 0; k < length; k += 8) {
        put8(out + k, pattern);
    }
}

// One reference where the output has room for all of it: a copy from the output itself, or
// zeros for ring positions not yet written.
void expandReference(std::uint8_t* out, std::size_t o, std::size_t distance,
                     std::size_t length) {
    if (distance <= o) {
        copyReference(out + o, distance, length);
        return;
    }
    for (std::size_t k = 0; k < length; ++k, ++o) {
        out[o] = o >= distance ? out[o - distance] : 0;
    }
}

std::size_t distanceOf(std::size_t o, unsigned lo, unsigned hi) {
    const std::size_t position = lo | ((hi & 0x0Fu) << 8);
    return ((o - position - 1) & kRingMask) + 1;
}

}  // namespace

// The ring is never kept: ring position q holds the latest output byte whose index is q
// modulo 4096, or zero while nothing has been written there, so a reference is a copy from
// the output itself at a distance of 1 to 4096. While both buffers have room for a whole
// group, it is decoded without checks; the tail goes item by item, checking each read.
std::vector<std::uint8_t> lzssDecompress(std::span<const std::uint8_t> stream,
                                         std::size_t outputLength) {
    const auto fail = [] { throw Error("The compressed data ends before its declared length"); };
    // A two-byte reference gives at most 18 bytes, so no stream unpacks to more than nine bytes
    // a byte: a declared length beyond that is refused before anything is allocated for it.
    constexpr std::size_t kMostOutputPerInputByte = 9;
    if (outputLength / kMostOutputPerInputByte > stream.size()) {
        fail();
    }
    std::vector<std::uint8_t> output(outputLength);
    std::uint8_t* const out = output.data();
    const std::uint8_t* const in = stream.data();
    const std::size_t inSize = stream.size();
    std::size_t o = 0;
    std::size_t i = 0;
    unsigned flags = 0;

    while (o < outputLength) {
        flags >>= 1;
        if ((flags & 0x100) == 0) {
            if (inSize - i >= kGroupInput && outputLength - o >= kGroupOutput) {
                // Each run of literals is one 8-byte fetch; the flag bits left are zero above
                // the group's end, so a run never counts past it.
                unsigned group = in[i++];
                unsigned left = 8;
                for (;;) {
                    const auto run = static_cast<unsigned>(std::countr_one(group));
                    copy8(out + o, in + i);
                    o += run;
                    i += run;
                    left -= run;
                    if (left == 0) {
                        break;
                    }
                    const unsigned lo = in[i];
                    const unsigned hi = in[i + 1];
                    i += 2;
                    const std::size_t length = (hi >> 4) + 3;
                    expandReference(out, o, distanceOf(o, lo, hi), length);
                    o += length;
                    group >>= run + 1;
                    if (--left == 0) {
                        break;
                    }
                }
                continue;
            }
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
        const std::size_t length = std::min<std::size_t>((hi >> 4) + 3, outputLength - o);
        const std::size_t distance = distanceOf(o, lo, hi);
        if (distance <= o && distance >= length) {
            std::memcpy(out + o, out + o - distance, length);
            o += length;
        } else {
            // Overlapping, or reaching ring positions not yet written (they read as zero).
            for (std::size_t k = 0; k < length; ++k, ++o) {
                out[o] = o >= distance ? out[o - distance] : 0;
            }
        }
    }
    return output;
}

}  // namespace tarnwick::archive
