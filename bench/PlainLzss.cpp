#include "PlainLzss.h"

#include <array>
#include <memory>

namespace tarnwick::bench {

namespace {
constexpr unsigned N = 4096;
constexpr unsigned F = 18;
constexpr unsigned NIL = N;
}  // namespace

std::vector<std::uint8_t> plainDecompress(std::span<const std::uint8_t> stream,
                                          std::size_t outputLength) {
    std::vector<std::uint8_t> out(outputLength);
    std::array<std::uint8_t, N> ring{};
    unsigned r = 0;
    std::size_t i = 0;
    std::size_t o = 0;
    unsigned flags = 0;
    // Every byte goes through the ring, as the algorithm is usually written; a stream that
    // ends early just ends the output there.
    while (o < outputLength) {
        flags >>= 1;
        if ((flags & 0x100) == 0) {
            if (i >= stream.size()) {
                break;
            }
            flags = stream[i++] | 0xFF00u;
        }
        if ((flags & 1) != 0) {
            if (i >= stream.size()) {
                break;
            }
            const std::uint8_t byte = stream[i++];
            out[o++] = byte;
            ring[r] = byte;
            r = (r + 1) & (N - 1);
        } else {
            if (stream.size() - i < 2) {
                break;
            }
            const unsigned lo = stream[i++];
            const unsigned hi = stream[i++];
            const unsigned position = lo | ((hi & 0x0F) << 8);
            const unsigned length = (hi >> 4) + 3;
            for (unsigned k = 0; k < length && o < outputLength; ++k) {
                const std::uint8_t byte = ring[(position + k) & (N - 1)];
                out[o++] = byte;
                ring[r] = byte;
                r = (r + 1) & (N - 1);
            }
        }
    }
    out.resize(o);
    return out;
}

namespace {

struct PlainEncoder {
    std::array<std::uint8_t, N> text{};
    std::array<unsigned, N + 1> lson{};
    std::array<unsigned, N + 257> rson{};
    std::array<unsigned, N + 1> dad{};
    unsigned matchPosition = 0;
    unsigned matchLength = 0;

    PlainEncoder() {
        rson.fill(NIL);
        dad.fill(NIL);
    }

    void insert(unsigned r) {
        int cmp = 1;
        unsigned p = N + 1 + text[r];
        rson[r] = lson[r] = NIL;
        matchLength = 0;
        for (;;) {
            if (cmp >= 0) {
                if (rson[p] != NIL) {
                    p = rson[p];
                } else {
                    rson[p] = r;
                    dad[r] = p;
                    return;
                }
            } else {
                if (lson[p] != NIL) {
                    p = lson[p];
                } else {
                    lson[p] = r;
                    dad[r] = p;
                    return;
                }
            }
            unsigned i = 1;
            for (; i < F; ++i) {
                cmp = text[(r + i) % N] - text[(p + i) % N];
                if (cmp != 0) {
                    break;
                }
            }
            if (i > matchLength) {
                matchPosition = p;
                matchLength = i;
                if (i >= F) {
                    break;
                }
            }
        }
        dad[r] = dad[p];
        lson[r] = lson[p];
        rson[r] = rson[p];
        dad[lson[p]] = r;
        dad[rson[p]] = r;
        if (rson[dad[p]] == p) {
            rson[dad[p]] = r;
        } else {
            lson[dad[p]] = r;
        }
        dad[p] = NIL;
    }

    void remove(unsigned p) {
        if (dad[p] == NIL) {
            return;
        }
        unsigned q;
        if (rson[p] == NIL) {
            q = lson[p];
        } else if (lson[p] == NIL) {
            q = rson[p];
        } else {
            q = lson[p];
            if (rson[q] != NIL) {
                do {
                    q = rson[q];
                } while (rson[q] != NIL);
                rson[dad[q]] = lson[q];
                dad[lson[q]] = dad[q];
                lson[q] = lson[p];
                dad[lson[p]] = q;
            }
            rson[q] = rson[p];
            dad[rson[p]] = q;
        }
        dad[q] = dad[p];
        if (rson[dad[p]] == p) {
            rson[dad[p]] = q;
        } else {
            lson[dad[p]] = q;
        }
        dad[p] = NIL;
    }
};

}  // namespace

std::vector<std::uint8_t> plainCompress(std::span<const std::uint8_t> input) {
    auto encoder = std::make_unique<PlainEncoder>();
    PlainEncoder& e = *encoder;
    std::vector<std::uint8_t> out;
    std::array<std::uint8_t, 17> group{};
    unsigned fill = 1;
    unsigned mask = 1;
    unsigned r = 0;
    unsigned s = F;
    std::size_t next = 0;
    unsigned len = 0;
    for (; len < F && next < input.size(); ++len) {
        e.text[r + len] = input[next++];
    }
    if (len == 0) {
        return out;
    }
    for (unsigned i = 1; i <= F; ++i) {
        e.insert((r - i) % N);
    }
    e.insert(r);
    while (len > 0) {
        if (e.matchLength > len) {
            e.matchLength = len;
        }
        if (e.matchLength < 3) {
            e.matchLength = 1;
            group[0] = static_cast<std::uint8_t>(group[0] | mask);
            group[fill++] = e.text[r];
        } else {
            group[fill++] = static_cast<std::uint8_t>(e.matchPosition);
            group[fill++] = static_cast<std::uint8_t>(((e.matchLength - 3) << 4) |
                                                      ((e.matchPosition >> 8) & 0x0F));
        }
        if (mask == 0x80) {
            for (unsigned k = 0; k < fill; ++k) {
                out.push_back(group[k]);
            }
            group[0] = 0;
            fill = 1;
            mask = 1;
        } else {
            mask <<= 1;
        }
        const unsigned last = e.matchLength;
        for (unsigned i = 0; i < last; ++i) {
            e.remove(s);
            if (next < input.size()) {
                e.text[s] = input[next++];
                s = (s + 1) % N;
                r = (r + 1) % N;
                e.insert(r);
            } else {
                s = (s + 1) % N;
                r = (r + 1) % N;
                if (--len > 0) {
                    e.insert(r);
                }
            }
        }
    }
    if (fill > 1) {
        for (unsigned k = 0; k < fill; ++k) {
            out.push_back(group[k]);
        }
    }
    return out;
}

}  // namespace tarnwick::bench
