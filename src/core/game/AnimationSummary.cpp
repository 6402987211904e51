#include "core/game/AnimationSummary.h"

#include <cstdio>

namespace tarnwick::game {

namespace {

constexpr std::size_t kWordSize = 2;

std::string hex(std::size_t value, int digits) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*zX", digits, value);
    return text;
}

std::string invalidInstruction(std::size_t address, std::uint8_t opcode) {
    return "Invalid instruction! error: IP=$" + hex(address, 4) + " OpCode=$" + hex(opcode, 2);
}

std::string cutShort(std::size_t address, std::uint8_t opcode) {
    return "Instruction cut short by the end of the entry! error: IP=$" + hex(address, 4) +
           " OpCode=$" + hex(opcode, 2);
}

std::string outsideEntry(std::size_t address) {
    return "Address outside the entry! error: IP=$" + hex(address, 4);
}

// Length in bytes of each opcode's instruction; 0 marks an invalid opcode.
constexpr std::array<std::uint8_t, 256> kLengths = [] {
    std::array<std::uint8_t, 256> lengths{};
    for (const int opcode : {0, 2, 10, 11, 15}) {
        lengths[static_cast<std::size_t>(opcode)] = 1;
    }
    for (const int opcode : {1, 4, 5, 7, 8, 9, 12, 13}) {
        lengths[static_cast<std::size_t>(opcode)] = 2;
    }
    for (const int opcode : {3, 6, 14}) {
        lengths[static_cast<std::size_t>(opcode)] = 3;
    }
    return lengths;
}();

// Walks scripts of one entry; the addresses reached are marked with the number of the walk, so
// no walk has to clear the marks of the one before.
class ScriptWalker {
  public:
    explicit ScriptWalker(std::span<const std::uint8_t> entry)
        : entry_(entry), reachedIn_(entry.size(), 0) {}

    ScriptWalk walk(std::size_t start) {
        ++walkNumber_;
        ScriptWalk result;
        ScriptCounters& counters = result.counters;
        std::size_t address = start;
        while (true) {
            if (address >= entry_.size()) {
                result.failure = outsideEntry(address);
                return result;
            }
            reachedIn_[address] = walkNumber_;
            const std::uint8_t opcode = entry_[address];
            const std::size_t length = kLengths[opcode];
            if (length == 0) {
                result.failure = invalidInstruction(address, opcode);
                return result;
            }
            if (length > entry_.size() - address) {
                result.failure = cutShort(address, opcode);
                return result;
            }
            const std::uint8_t operand = length > 1 ? entry_[address + 1] : 0;
            std::size_t next = address + length;
            switch (opcode) {
                case 1:
                case 7:
                case 8:
                case 9:
                case 12:
                    counters.waitTotal = static_cast<std::uint16_t>(counters.waitTotal + operand);
                    break;
                case 3:
                    next = operand | std::size_t{entry_[address + 2]} << 8;
                    break;
                case 5:
                case 6:
                case 13:
                case 14:
                    counters.moveTotal = static_cast<std::uint16_t>(counters.moveTotal + operand);
                    break;
                case 10:
                    counters.attackCount = static_cast<std::uint16_t>(counters.attackCount + 1);
                    break;
                default:
                    break;
            }
            if (next < entry_.size() && reachedIn_[next] == walkNumber_) {
                return result;
            }
            address = next;
        }
    }

    // The 16-bit word at `address`, or nothing when it does not lie wholly inside the entry.
    std::optional<std::size_t> word(std::size_t address) const {
        if (address >= entry_.size() || kWordSize > entry_.size() - address) {
            return std::nullopt;
        }
        return entry_[address] | std::size_t{entry_[address + 1]} << 8;
    }

  private:
    std::span<const std::uint8_t> entry_;
    std::vector<std::uint32_t> reachedIn_;
    std::uint32_t walkNumber_ = 0;
};

}  // namespace

ScriptWalk walkScript(std::span<const std::uint8_t> entry, std::size_t start) {
    return ScriptWalker(entry).walk(start);
}

std::vector<std::string> updateAnimationSummary(std::span<const std::uint8_t> entry,
                                                AnimationSummary& summary) {
    ScriptWalker walker(entry);
    std::vector<std::string> failures;
    for (std::size_t unit = 0; unit < kAnimatedUnitCount; ++unit) {
        const std::size_t listSlot = kWordSize * unit;
        const std::optional<std::size_t> list = walker.word(listSlot);
        for (std::size_t animation = 0; animation < kAnimationCount; ++animation) {
            if (!list) {
                failures.push_back(outsideEntry(listSlot));
                continue;
            }
            const std::size_t scriptSlot = *list + kWordSize * animation;
            const std::optional<std::size_t> start = walker.word(scriptSlot);
            if (!start) {
                failures.push_back(outsideEntry(scriptSlot));
                continue;
            }
            ScriptWalk walk = walker.walk(*start);
            if (walk.failure) {
                failures.push_back(std::move(*walk.failure));
            } else {
                summary.scripts[unit][animation] = walk.counters;
            }
        }
    }
    return failures;
}

SummaryWithFailures summariseAnimations(std::span<const std::uint8_t> entry) {
    SummaryWithFailures result;
    result.failures = updateAnimationSummary(entry, result.summary);
    return result;
}

}  // namespace tarnwick::game
