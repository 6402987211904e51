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

    void insertNode(unsigned r);
    bool sameString(unsigned p, unsigned q) const {
        return std::memcmp(text_.data() + p, text_.data() + q, kMaxMatch) == 0;
    }
    void replaceNode(unsigned p, unsigned r);
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
    // Where the string after the last full-length match starts, or kNoNode.
    unsigned continuation_ = kNoNode;
    std::array<std::uint8_t, 17> group_{};
    unsigned groupFill_ = 1;
    std::uint8_t mask_ = 1;
    std::vector<std::uint8_t> output_;
    std::size_t consumed_ = 0;
    std::size_t shownPercent_ = 0;
};

void Encoder::insertNode(unsigned r) {
    // The strings in the trees are all different, and a walk for a string that is in a tree
    // ends at it with a full-length match, the first on the way. So when the string after the
    // last full match is in a tree and equals r's (inside runs and long repeats it mostly
    // does), the walk's result is known: that string, which r replaces.
    const unsigned guess = continuation_;
    if (guess != kNoNode && parent_[guess] != kNoNode && sameString(guess, r)) {
        matchLength_ = kMaxMatch;
        matchPosition_ = guess;
        continuation_ = (guess + 1) & kRingMask;
        replaceNode(guess, r);
        return;
    }
    // The new string's bytes 1 to 16 are held in two words for the whole walk.
    const std::uint8_t* key = text_.data() + r;
    std::uint64_t key1;
    std::uint64_t key2;
    std::memcpy(&key1, key + 1, 8);
    std::memcpy(&key2, key + 9, 8);
    unsigned p = kRingSize + 1 + key[0];
    right_[r] = left_[r] = kNoNode;
    unsigned bestLength = 0;
    unsigned bestPosition = 0;
    bool greater = true;
    for (;;) {
        std::uint16_t& link = greater ? right_[p] : left_[p];
        if (link == kNoNode) {
            link = static_cast<std::uint16_t>(r);
            parent_[r] = static_cast<std::uint16_t>(p);
            matchLength_ = bestLength;
            matchPosition_ = bestPosition;
            continuation_ = kNoNode;
            return;
        }
        p = link;
        const std::uint8_t* other = text_.data() + p;
        std::uint64_t word;
        std::memcpy(&word, other + 1, 8);
        unsigned i;
        if (word != key1) {
            i = 1 + static_cast<unsigned>(std::countr_zero(word ^ key1)) / 8;
        } else {
            std::memcpy(&word, other + 9, 8);
            if (word != key2) {
                i = 9 + static_cast<unsigned>(std::countr_zero(word ^ key2)) / 8;
            } else {
                i = key[kMaxMatch - 1] != other[kMaxMatch - 1] ? kMaxMatch - 1 : kMaxMatch;
            }
        }
        if (i > bestLength) {  // the earlier node wins a tie
            bestLength = i;
            bestPosition = p;
            if (i == kMaxMatch) {
                break;
            }
        }
        greater = key[i] > other[i];
    }
    matchLength_ = bestLength;
    matchPosition_ = bestPosition;
    continuation_ = (p + 1) & kRingMask;
    replaceNode(p, r);
}

// r has the same 18 bytes as p: r takes p's place.
void Encoder::replaceNode(unsigned p, unsigned r) {
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

std::vector<std::uint8_t> lzssCompress(std::span<const std::uint8_t> input, Progress& progress) {
    return Encoder(input, progress).run();
}

}  // namespace tarnwick::archive
