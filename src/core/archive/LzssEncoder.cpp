#include "core/archive/LzssEncoder.h"

#include <array>
#include <bit>
#include <cstring>

namespace tarnwick::archive {

namespace {

constexpr unsigned kRingSize = 4096;
constexpr unsigned kRingMask = kRingSize - 1;
constexpr unsigned kMaxMatch = 18;
constexpr unsigned kMinMatch = 3;
constexpr std::uint16_t kNoNode = kRingSize;
static_assert(std::endian::native == std::endian::little, "compare() reads words little-endian");

// The ring, the trees and the group being built.
class Encoder {
public:
    Encoder(std::span<const std::uint8_t> input, Progress& progress)
        : input_(input), progress_(progress) {
        right_.fill(kNoNode);  // also the 256 roots at kRingSize + 1 + byte
        parent_.fill(kNoNode);
    }

    std::vector<std::uint8_t> run();

private:
    // The ring is followed by a copy of its first 17 bytes, so that an 18-byte string starting
    // anywhere can be compared without wrapping; every write below 17 updates the copy.
    void store(unsigned position, std::uint8_t byte) {
        text_[position] = byte;
        if (position < kMaxMatch - 1) {
            text_[kRingSize + position] = byte;
        }
    }

    // Length of the common start of the strings at a and b from their second byte on (at
    // most 18), and the sign of the first difference.
    unsigned compare(unsigned a, unsigned b, int& sign) const {
        const std::uint8_t* x = text_.data() + a;
        const std::uint8_t* y = text_.data() + b;
        unsigned i = 1;
        while (i + 8 <= kMaxMatch) {
            std::uint64_t wx;
            std::uint64_t wy;
            std::memcpy(&wx, x + i, 8);
            std::memcpy(&wy, y + i, 8);
            if (wx != wy) {
                i += static_cast<unsigned>(std::countr_zero(wx ^ wy)) / 8;
                sign = x[i] < y[i] ? -1 : 1;
                return i;
            }
            i += 8;
        }
        for (; i < kMaxMatch; ++i) {
            if (x[i] != y[i]) {
                sign = x[i] < y[i] ? -1 : 1;
                return i;
            }
        }
        return i;
    }

    void insertNode(unsigned r);
    void deleteNode(unsigned p);
    void flushGroup();
    void reportProgress();

    std::span<const std::uint8_t> input_;
    Progress& progress_;
    std::array<std::uint8_t, kRingSize + kMaxMatch - 1> text_{};
    std::array<std::uint16_t, kRingSize + 1> left_{};
    std::array<std::uint16_t, kRingSize + 257> right_{};
    std::array<std::uint16_t, kRingSize + 1> parent_{};
    unsigned matchLength_ = 0;
    unsigned matchPosition_ = 0;
    std::array<std::uint8_t, 17> group_{};
    unsigned groupFill_ = 1;
    std::uint8_t mask_ = 1;
    std::vector<std::uint8_t> output_;
    std::size_t consumed_ = 0;
    std::size_t shownPercent_ = 0;
};

void Encoder::insertNode(unsigned r) {
    int sign = 1;
    unsigned p = kRingSize + 1 + text_[r];
    right_[r] = left_[r] = kNoNode;
    matchLength_ = 0;
    for (;;) {
        if (sign >= 0) {
            if (right_[p] == kNoNode) {
                right_[p] = static_cast<std::uint16_t>(r);
                parent_[r] = static_cast<std::uint16_t>(p);
                return;
            }
            p = right_[p];
        } else {
            if (left_[p] == kNoNode) {
                left_[p] = static_cast<std::uint16_t>(r);
                parent_[r] = static_cast<std::uint16_t>(p);
                return;
            }
            p = left_[p];
        }
        const unsigned i = compare(r, p, sign);
        if (i > matchLength_) {
            matchPosition_ = p;
            matchLength_ = i;
            if (i >= kMaxMatch) {
                break;
            }
        }
    }
    // r has the same 18 bytes as p: r takes p's place.
    parent_[r] = parent_[p];
    left_[r] = left_[p];
    right_[r] = right_[p];
    parent_[left_[p]] = static_cast<std::uint16_t>(r);
    parent_[right_[p]] = static_cast<std::uint16_t>(r);
    if (right_[parent_[p]] == p) {
        right_[parent_[p]] = static_cast<std::uint16_t>(r);
    } else {
        left_[parent_[p]] = static_cast<std::uint16_t>(r);
    }
    parent_[p] = kNoNode;
}

void Encoder::deleteNode(unsigned p) {
    if (parent_[p] == kNoNode) {
        return;
    }
    unsigned q;
    if (right_[p] == kNoNode) {
        q = left_[p];
    } else if (left_[p] == kNoNode) {
        q = right_[p];
    } else {
        q = left_[p];
        if (right_[q] != kNoNode) {
            do {
                q = right_[q];
            } while (right_[q] != kNoNode);
            right_[parent_[q]] = left_[q];
            parent_[left_[q]] = parent_[q];
            left_[q] = left_[p];
            parent_[left_[p]] = static_cast<std::uint16_t>(q);
        }
        right_[q] = right_[p];
        parent_[right_[p]] = static_cast<std::uint16_t>(q);
    }
    parent_[q] = parent_[p];
    if (right_[parent_[p]] == p) {
        right_[parent_[p]] = static_cast<std::uint16_t>(q);
    } else {
        left_[parent_[p]] = static_cast<std::uint16_t>(q);
    }
    parent_[p] = kNoNode;
}

void Encoder::flushGroup() {
    output_.insert(output_.end(), group_.begin(), group_.begin() + groupFill_);
    group_[0] = 0;
    groupFill_ = 1;
    mask_ = 1;
}

void Encoder::reportProgress() {
    // Below 100 bytes one hundredth of the size is 0: the bar stays at 0.
    const std::size_t hundredth = input_.size() / 100;
    const std::size_t percent = hundredth == 0 ? 0 : consumed_ / hundredth;
    if (percent != shownPercent_) {
        shownPercent_ = percent;
        progress_.advance(static_cast<long long>(percent));
    }
}

std::vector<std::uint8_t> Encoder::run() {
    progress_.start("Compressing...", 100);
    output_.reserve(input_.size() / 2 + 64);
    unsigned r = 0;
    unsigned s = kMaxMatch;
    std::size_t next = 0;
    unsigned lookahead = 0;
    while (lookahead < kMaxMatch && next < input_.size()) {
        store(r + lookahead++, input_[next++]);
    }
    if (lookahead == 0) {
        progress_.finish();
        return output_;
    }
    for (unsigned i = 1; i <= kMaxMatch; ++i) {
        insertNode((r - i) & kRingMask);
    }
    insertNode(r);

    while (lookahead > 0) {
        if (matchLength_ > lookahead) {
            matchLength_ = lookahead;
        }
        if (matchLength_ < kMinMatch) {
            matchLength_ = 1;
            group_[0] |= mask_;
            group_[groupFill_++] = text_[r];
        } else {
            group_[groupFill_++] = static_cast<std::uint8_t>(matchPosition_);
            group_[groupFill_++] = static_cast<std::uint8_t>(((matchLength_ - kMinMatch) << 4) |
                                                             ((matchPosition_ >> 8) & 0x0F));
        }
        consumed_ += matchLength_;
        if (mask_ == 0x80) {
            flushGroup();
            reportProgress();
        } else {
            mask_ = static_cast<std::uint8_t>(mask_ << 1);
        }
        const unsigned steps = matchLength_;
        for (unsigned i = 0; i < steps; ++i) {
            deleteNode(s);
            if (next < input_.size()) {
                store(s, input_[next++]);
                s = (s + 1) & kRingMask;
                r = (r + 1) & kRingMask;
                insertNode(r);
            } else {
                s = (s + 1) & kRingMask;
                r = (r + 1) & kRingMask;
                if (--lookahead > 0) {
                    insertNode(r);
                }
            }
        }
    }
    if (groupFill_ > 1) {
        flushGroup();
    }
    progress_.finish();
    return std::move(output_);
}

}  // namespace

std::vector<std::uint8_t> LzssCompress(std::span<const std::uint8_t> input, Progress& progress) {
    return Encoder(input, progress).run();
}

}  // namespace tarnwick::archive
