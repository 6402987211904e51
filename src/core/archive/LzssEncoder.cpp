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
constexpr unsigned kRoots = kRingSize + 1;  // the tree for first byte b hangs at kRoots + b
static_assert(std::endian::native == std::endian::little, "loadOrdered() swaps to big-endian");

// Eight bytes as a number that orders like the bytes themselves.
std::uint64_t loadOrdered(const std::uint8_t* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, 8);
    return __builtin_bswap64(word);
}

// A string of the ring in its tree. child[0] is the smaller side, child[1] the greater, so the
// side a comparison picks is an index rather than a branch. Six bytes a node keep the trees
// and the ring together in the nearest cache.
struct Node {
    std::array<std::uint16_t, 2> child;
    std::uint16_t parent;
};

// The ring, the trees and the group being built.
class Encoder {
  public:
    Encoder(std::span<const std::uint8_t> input, Progress& progress)
        : input_(input), progress_(progress) {
        for (Node& node : nodes_) {
            node.child = {kNoNode, kNoNode};
            node.parent = kNoNode;
        }
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

    // The link from p's parent to p now leads to q.
    void relink(unsigned p, unsigned q) {
        Node& parent = nodes_[nodes_[p].parent];
        parent.child[parent.child[1] == p ? 1 : 0] = static_cast<std::uint16_t>(q);
    }

    // child[0] in the low half, child[1] in the high half.
    std::uint32_t bothLinks(unsigned p) const {
        std::uint32_t links;
        std::memcpy(&links, nodes_[p].child.data(), 4);
        return links;
    }

    void insertNode(unsigned r);
    void takeFullMatch(unsigned p, unsigned r);
    void replaceNode(unsigned p, unsigned r);
    void deleteNode(unsigned p);
    void flushGroup();
    void reportProgress();

    std::span<const std::uint8_t> input_;
    Progress& progress_;
    std::array<std::uint8_t, kRingSize + kMaxMatch - 1> text_{};
    // The ring's nodes, kNoNode (whose parent link takes harmless writes) and the 256 roots.
    std::array<Node, kRoots + 256> nodes_{};
    unsigned matchLength_ = 0;
    unsigned matchPosition_ = 0;
    // Where the string after the last full-length match starts, or kNoNode, and the string
    // after the one that had that match.
    unsigned continuation_ = kNoNode;
    unsigned continuedString_ = kNoNode;
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
    // does), the walk's result is known: that string, which r replaces. When the last match
    // was r - 1's, the guess's first 17 bytes are its last 17, as are r's: only the last byte
    // is new to both.
    const unsigned guess = continuation_;
    if (guess != kNoNode && r == continuedString_ && nodes_[guess].parent != kNoNode &&
        text_[guess + kMaxMatch - 1] == text_[r + kMaxMatch - 1]) {
        takeFullMatch(guess, r);
        return;
    }
    const std::uint8_t* key = text_.data() + r;
    const std::uint64_t head = loadOrdered(key + 1);
    const std::uint64_t tail = loadOrdered(key + 9);
    nodes_[r].child = {kNoNode, kNoNode};
    unsigned bestLength = 0;
    unsigned bestPosition = 0;
    unsigned p = kRoots + key[0];
    unsigned greater = 1;
    // Each step loads everything about p at once (bytes 1 to 16 of its string and both
    // links) and only then chooses a side, so the walk waits for one load per node, not two.
    std::uint32_t links = bothLinks(p);
    for (;;) {
        const unsigned next = (links >> (16 * greater)) & 0xFFFFu;
        if (next == kNoNode) {
            break;
        }
        p = next;
        links = bothLinks(p);
        const std::uint64_t word = loadOrdered(text_.data() + p + 1);
        const std::uint64_t more = loadOrdered(text_.data() + p + 9);
        const std::uint64_t headDiff = word ^ head;
        const std::uint64_t tailDiff = more ^ tail;
        unsigned i;
        if ((headDiff | tailDiff) != 0) {
            const auto zeros = static_cast<unsigned>(
                headDiff != 0 ? std::countl_zero(headDiff) : 64 + std::countl_zero(tailDiff));
            i = 1 + zeros / 8;
            greater = headDiff != 0 ? head > word : tail > more;
        } else {
            const std::uint8_t last = text_[p + kMaxMatch - 1];
            i = key[kMaxMatch - 1] != last ? kMaxMatch - 1 : kMaxMatch;
            greater = key[kMaxMatch - 1] > last;
        }
        // The earlier node wins a tie.
        const bool longer = i > bestLength;
        bestPosition = longer ? p : bestPosition;
        bestLength = longer ? i : bestLength;
        if (i == kMaxMatch) {  // the first full match on the way: p is also the best
            takeFullMatch(p, r);
            return;
        }
    }
    nodes_[p].child[greater] = static_cast<std::uint16_t>(r);
    nodes_[r].parent = static_cast<std::uint16_t>(p);
    matchLength_ = bestLength;
    matchPosition_ = bestPosition;
    continuation_ = kNoNode;
}

// r's match is p, all 18 bytes: r takes p's place, and the string after p may continue it.
void Encoder::takeFullMatch(unsigned p, unsigned r) {
    matchLength_ = kMaxMatch;
    matchPosition_ = p;
    continuation_ = (p + 1) & kRingMask;
    continuedString_ = (r + 1) & kRingMask;
    replaceNode(p, r);
}

// r has the same 18 bytes as p: r takes p's place.
void Encoder::replaceNode(unsigned p, unsigned r) {
    Node& node = nodes_[r];
    node.parent = nodes_[p].parent;
    node.child = nodes_[p].child;
    nodes_[node.child[0]].parent = static_cast<std::uint16_t>(r);
    nodes_[node.child[1]].parent = static_cast<std::uint16_t>(r);
    relink(p, r);
    nodes_[p].parent = kNoNode;
}

void Encoder::deleteNode(unsigned p) {
    if (nodes_[p].parent == kNoNode) {
        return;
    }
    const auto [smaller, greater] = nodes_[p].child;
    unsigned q;
    if (greater == kNoNode) {
        q = smaller;
    } else if (smaller == kNoNode) {
        q = greater;
    } else {
        // The greatest node of the smaller side takes p's place.
        q = smaller;
        if (nodes_[q].child[1] != kNoNode) {
            do {
                q = nodes_[q].child[1];
            } while (nodes_[q].child[1] != kNoNode);
            const unsigned qParent = nodes_[q].parent;
            const unsigned qSmaller = nodes_[q].child[0];
            nodes_[qParent].child[1] = static_cast<std::uint16_t>(qSmaller);
            nodes_[qSmaller].parent = static_cast<std::uint16_t>(qParent);
            nodes_[q].child[0] = smaller;
            nodes_[smaller].parent = static_cast<std::uint16_t>(q);
        }
        nodes_[q].child[1] = greater;
        nodes_[greater].parent = static_cast<std::uint16_t>(q);
    }
    nodes_[q].parent = nodes_[p].parent;
    relink(p, q);
    nodes_[p].parent = kNoNode;
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
