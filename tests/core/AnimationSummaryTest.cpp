#include <gtest/gtest.h>

#include <algorithm>

#include "DemoGameData.h"
#include "core/ShortList.h"
#include "core/game/AnimationSummary.h"

using namespace tarnwick;
using namespace tarnwick::game;

namespace {

using Bytes = std::vector<std::uint8_t>;

// The game's entry: a word for each of 105 units, then one for each of 7 animations.
constexpr std::size_t kListAt = 210;
constexpr std::size_t kScriptAt = 224;  // $E0

void putWord(Bytes& entry, std::size_t at, std::size_t value) {
    entry[at] = static_cast<std::uint8_t>(value);
    entry[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint8_t lo(std::size_t value) {
    return static_cast<std::uint8_t>(value);
}
std::uint8_t hi(std::size_t value) {
    return static_cast<std::uint8_t>(value >> 8);
}

// An entry in which every unit shares one animation list whose seven scripts all start at
// kScriptAt, where `script` is placed.
Bytes entryWhereEveryScriptIs(const Bytes& script) {
    Bytes entry(kScriptAt);
    for (std::size_t unit = 0; unit < kAnimatedUnitCount; ++unit) {
        putWord(entry, 2 * unit, kListAt);
    }
    for (std::size_t animation = 0; animation < kAnimationCount; ++animation) {
        putWord(entry, kListAt + 2 * animation, kScriptAt);
    }
    entry.insert(entry.end(), script.begin(), script.end());
    return entry;
}

// The one script every walk of `entry` runs, walked alone; fails the test on failures that
// differ between the two ways of walking.
ScriptWalk walkTheScript(const Bytes& entry) {
    const ScriptWalk walk = walkScript(entry, kScriptAt);
    const auto all = summariseAnimations(entry);
    if (walk.ok()) {
        EXPECT_TRUE(all.failures.empty());
        EXPECT_EQ(all.summary.of(104, kAttackAnimation), walk.counters);
    } else {
        EXPECT_EQ(all.failures.size(), kAnimatedUnitCount * kAnimationCount);
        EXPECT_EQ(all.failures.front(), *walk.failure);
        EXPECT_EQ(all.summary.of(0, 0), ScriptCounters{});
    }
    return walk;
}

ScriptCounters counters(int attacks, int waits, int moves) {
    return {static_cast<std::uint16_t>(attacks), static_cast<std::uint16_t>(waits),
            static_cast<std::uint16_t>(moves)};
}

}  // namespace

TEST(AnimationSummary, AWaitAttackWaitLoopStopsOnReturningToTheFirstInstruction) {
    // A wait of 5, an attack, a wait of 5, a jump back to the start.
    const ScriptWalk walk =
        walkTheScript(entryWhereEveryScriptIs({1, 5, 10, 1, 5, 3, lo(kScriptAt), hi(kScriptAt)}));
    ASSERT_TRUE(walk.ok()) << *walk.failure;
    EXPECT_EQ(walk.counters, counters(1, 10, 0));
}

TEST(AnimationSummary, AJumpIntoTheMiddleOfAnInstructionRunsItsOperandAsAnOpcode) {
    // The wait's operand 10 is an attack when the jump lands on it; the walk then reaches the
    // jump a second time and ends.
    const std::size_t operand = kScriptAt + 1;
    const ScriptWalk walk =
        walkTheScript(entryWhereEveryScriptIs({1, 10, 3, lo(operand), hi(operand)}));
    ASSERT_TRUE(walk.ok()) << *walk.failure;
    EXPECT_EQ(walk.counters, counters(1, 10, 0));

    // Landing on an operand that is no instruction.
    const ScriptWalk invalid =
        walkTheScript(entryWhereEveryScriptIs({1, 0x20, 3, lo(operand), hi(operand)}));
    EXPECT_EQ(invalid.failure, "Invalid instruction! error: IP=$00E1 OpCode=$20");
}

TEST(AnimationSummary, MovesAndWaitsAddTheirFirstOperandAndSkipTheRest) {
    // 5, 13: two bytes; 6, 14: three, the third skipped (0x99 would be an invalid opcode).
    const ScriptWalk moves = walkTheScript(entryWhereEveryScriptIs(
        {5, 3, 6, 4, 0x99, 13, 5, 14, 6, 0x99, 3, lo(kScriptAt), hi(kScriptAt)}));
    ASSERT_TRUE(moves.ok()) << *moves.failure;
    EXPECT_EQ(moves.counters, counters(0, 0, 18));

    // 1, 7, 8, 9, 12 wait; 0, 2, 11, 15 and 4 (with its operand) do nothing.
    const ScriptWalk waits = walkTheScript(entryWhereEveryScriptIs(
        {0, 2, 11, 15, 4, 0x77, 1, 1, 7, 2, 8, 3, 9, 4, 12, 5, 3, lo(kScriptAt), hi(kScriptAt)}));
    ASSERT_TRUE(waits.ok()) << *waits.failure;
    EXPECT_EQ(waits.counters, counters(0, 15, 0));
}

TEST(AnimationSummary, CountersWrapAt16Bits) {
    Bytes script;
    for (int i = 0; i < 258; ++i) {  // 258 x 255 = 65790 = 65536 + 254
        script.insert(script.end(), {1, 255, 5, 255});
    }
    // 65537 attacks: the script runs past offset $FFFF, its jump back is 16-bit again.
    script.insert(script.end(), 65537, 10);
    script.insert(script.end(), {3, lo(kScriptAt), hi(kScriptAt)});
    const ScriptWalk walk = walkTheScript(entryWhereEveryScriptIs(script));
    ASSERT_TRUE(walk.ok()) << *walk.failure;
    EXPECT_EQ(walk.counters, counters(1, 254, 254));
}

TEST(AnimationSummary, AnInvalidOpcodeEndsTheWalkNamingAddressAndOpcode) {
    const ScriptWalk walk = walkTheScript(entryWhereEveryScriptIs({1, 5, 10, 0xAB}));
    EXPECT_EQ(walk.failure, "Invalid instruction! error: IP=$00E3 OpCode=$AB");
    EXPECT_EQ(walkTheScript(entryWhereEveryScriptIs({16})).failure,
              "Invalid instruction! error: IP=$00E0 OpCode=$10");
}

TEST(AnimationSummaryMends, AnInstructionCutShortByTheEndOfTheEntryFails) {
    EXPECT_EQ(walkTheScript(entryWhereEveryScriptIs({10, 1})).failure,
              "Instruction cut short by the end of the entry! error: IP=$00E1 OpCode=$01");
    EXPECT_EQ(walkTheScript(entryWhereEveryScriptIs({3, lo(kScriptAt)})).failure,
              "Instruction cut short by the end of the entry! error: IP=$00E0 OpCode=$03");
    EXPECT_EQ(walkTheScript(entryWhereEveryScriptIs({1, 1, 6, 2})).failure,
              "Instruction cut short by the end of the entry! error: IP=$00E2 OpCode=$06");
}

TEST(AnimationSummaryMends, AJumpTargetOrAFallOutsideTheEntryFails) {
    EXPECT_EQ(walkTheScript(entryWhereEveryScriptIs({10, 3, 0x00, 0x80})).failure,
              "Address outside the entry! error: IP=$8000");
    // The last instruction is complete, but the walk would go on behind it.
    EXPECT_EQ(walkTheScript(entryWhereEveryScriptIs({10, 1, 5})).failure,
              "Address outside the entry! error: IP=$00E3");
    EXPECT_EQ(walkScript(Bytes{}, 0).failure, "Address outside the entry! error: IP=$0000");
}

TEST(AnimationSummaryMends, AScriptStartOutsideTheEntryFails) {
    Bytes entry = entryWhereEveryScriptIs({10, 1, 7, 3, lo(kScriptAt), hi(kScriptAt)});
    putWord(entry, kListAt + 2 * kAttackAnimation, 0x1234);
    const auto result = summariseAnimations(entry);
    ASSERT_EQ(result.failures.size(), kAnimatedUnitCount);
    EXPECT_EQ(result.failures[0], "Address outside the entry! error: IP=$1234");
    EXPECT_EQ(result.summary.of(7, kAttackAnimation), ScriptCounters{});
    EXPECT_EQ(result.summary.of(7, kMovementAnimation), counters(1, 7, 0));
}

TEST(AnimationSummaryMends, AListOffsetOutsideTheEntryFailsEachWalkOfThatUnit) {
    Bytes entry = entryWhereEveryScriptIs({10, 1, 7, 3, lo(kScriptAt), hi(kScriptAt)});
    ASSERT_EQ(entry.size(), 0xE6u);
    putWord(entry, 2 * 5, 0xFFF0);  // unit 5's list lies far behind the entry
    // Unit 6's list begins inside the entry, at the script's "7 3", so its words are $0307
    // (outside), $00E0 (the script) and then words behind the end of the entry.
    putWord(entry, 2 * 6, 0xE2);
    const auto result = summariseAnimations(entry);
    ASSERT_EQ(result.failures.size(), 7u + 6u);
    EXPECT_EQ(result.failures[0], "Address outside the entry! error: IP=$FFF0");
    EXPECT_EQ(result.failures[6], "Address outside the entry! error: IP=$FFFC");
    EXPECT_EQ(result.failures[7], "Address outside the entry! error: IP=$0307");
    EXPECT_EQ(result.failures[8], "Address outside the entry! error: IP=$00E6");
    EXPECT_EQ(result.failures[12], "Address outside the entry! error: IP=$00EE");
    EXPECT_EQ(result.summary.of(5, 0), ScriptCounters{});
    EXPECT_EQ(result.summary.of(6, 0), ScriptCounters{});
    EXPECT_EQ(result.summary.of(6, 1), counters(1, 7, 0));
    EXPECT_EQ(result.summary.of(4, 6), counters(1, 7, 0));
}

TEST(AnimationSummaryMends, AnEntryTooShortForTheUnitOffsetsFailsEveryWalkBeyondIt) {
    // Unit 0's list lies at 2; its first script at 4 waits 9 and jumps back to 4. Its other
    // list words ($0901, $0403) point outside or lie outside; units 5 to 104 have no offset.
    const Bytes shortEntry = {2, 0, 4, 0, 1, 9, 3, 4, 0};
    const auto result = summariseAnimations(shortEntry);
    ASSERT_EQ(result.failures.size(), kAnimatedUnitCount * kAnimationCount - 1);
    EXPECT_EQ(result.summary.of(0, 0), counters(0, 9, 0));
    EXPECT_EQ(result.failures[0], "Address outside the entry! error: IP=$0901");
    EXPECT_EQ(result.failures[1], "Address outside the entry! error: IP=$0403");
    EXPECT_EQ(result.failures[2], "Address outside the entry! error: IP=$0008");
    EXPECT_EQ(result.failures.back(), "Address outside the entry! error: IP=$00D0");

    EXPECT_EQ(summariseAnimations(Bytes{}).failures.size(), kAnimatedUnitCount * kAnimationCount);
}

TEST(AnimationSummaryMends, FailedWalksKeepTheirEarlierCounters) {
    AnimationSummary summary;
    summary.scripts[3][kAttackAnimation] = counters(2, 30, 0);
    summary.scripts[3][kMovementAnimation] = counters(0, 8, 4);

    Bytes entry = entryWhereEveryScriptIs({1, 5, 10, 3, lo(kScriptAt), hi(kScriptAt), 0x42});
    // Unit 3's attack: the invalid opcode at the end.
    const std::size_t ownList = entry.size();
    entry.resize(ownList + 14);
    putWord(entry, 2 * 3, ownList);
    for (std::size_t animation = 0; animation < kAnimationCount; ++animation) {
        putWord(entry, ownList + 2 * animation, kScriptAt);
    }
    putWord(entry, ownList + 2 * kAttackAnimation, kScriptAt + 6);

    const auto failures = updateAnimationSummary(entry, summary);
    EXPECT_EQ(failures,
              std::vector<std::string>{"Invalid instruction! error: IP=$00E6 OpCode=$42"});
    EXPECT_EQ(summary.of(3, kAttackAnimation), counters(2, 30, 0));
    EXPECT_EQ(summary.of(3, kMovementAnimation), counters(1, 5, 0));
    EXPECT_EQ(summary.of(2, kAttackAnimation), counters(1, 5, 0));
}

TEST(AnimationSummaryMends, TheReportShowsTwentyLinesAndCountsTheRest) {
    EXPECT_EQ(shortList({}), "");
    EXPECT_EQ(shortList({"one"}), "one");
    std::vector<std::string> failures(20, "line");
    EXPECT_EQ(shortList(failures).find("more"), std::string::npos);
    failures.push_back("line 20");
    const std::string more = shortList(failures);
    EXPECT_EQ(std::count(more.begin(), more.end(), '\n'), 20);
    EXPECT_EQ(more.substr(more.rfind('\n') + 1), "... and 1 more");

    const std::string empty = shortList(summariseAnimations(Bytes{}).failures);
    EXPECT_EQ(empty.substr(0, empty.find('\n')), "Address outside the entry! error: IP=$0000");
    EXPECT_EQ(empty.substr(empty.rfind('\n') + 1), "... and 715 more");
}

TEST(AnimationSummary, TheDemoScriptsAllWalkAndGiveRealNumbers) {
    const auto result = summariseAnimations(demo::demoAnimations());
    EXPECT_EQ(shortList(result.failures), "");
    // Unit 0: wind-up 4 twice, recover 10; unit 1 strikes twice.
    EXPECT_EQ(result.summary.of(0, kAttackAnimation), counters(1, 18, 0));
    EXPECT_EQ(result.summary.of(1, kAttackAnimation).attackCount, 2);
    // Unit 0 walks on land: steps of 2, waits of 1.
    EXPECT_EQ(result.summary.of(0, kMovementAnimation), counters(0, 4, 8));
    for (std::size_t unit = 0; unit < 58; ++unit) {
        EXPECT_GT(result.summary.of(unit, kAttackAnimation).attackCount, 0) << unit;
        EXPECT_GT(result.summary.of(unit, kMovementAnimation).moveTotal, 0) << unit;
    }
    for (const std::size_t tower : {96u, 97u, 98u, 99u}) {
        const ScriptCounters attack = result.summary.of(tower, kAttackAnimation);
        EXPECT_EQ(attack.attackCount, 0) << tower;
        EXPECT_GT(attack.waitTotal, 0) << tower;
    }
    EXPECT_EQ(result.summary.of(60, kAttackAnimation), counters(0, 50, 0));
}
