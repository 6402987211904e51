#include <gtest/gtest.h>

#include "StringTableBuilder.h"
#include "core/game/StringTable.h"

using namespace tarnwick;
using testsupport::Bytes;
using testsupport::stringTable;

namespace {

std::vector<std::string> numbered(std::size_t count) {
    std::vector<std::string> strings;
    for (std::size_t k = 0; k < count; ++k) {
        strings.push_back("s" + std::to_string(k));
    }
    return strings;
}

}  // namespace

TEST(GameNames, UnitRowsAndTheSharedTownHallName) {
    const auto names = game::readGameNames(stringTable(numbered(120)));
    EXPECT_EQ(names.unitRows[0], "s1");
    EXPECT_EQ(names.unitRows[102], "s103");
    EXPECT_EQ(names.unitRows[103], "Human s104");
    EXPECT_EQ(names.unitRows[104], "Orc s104");
    EXPECT_TRUE(names.strategies.empty());
}

TEST(GameNames, StrategiesFrom160ToTheFirstEmptyString) {
    auto strings = numbered(170);
    strings[165] = "";
    const auto names = game::readGameNames(stringTable(strings));
    EXPECT_EQ(names.strategies, (std::vector<std::string>{"s160", "s161", "s162", "s163", "s164"}));
    const auto all = game::readGameNames(stringTable(numbered(163)));
    EXPECT_EQ(all.strategies, (std::vector<std::string>{"s160", "s161", "s162"}));
}

TEST(GameNames, NothingOutsideTheEntryIsRead) {
    Bytes table = stringTable(numbered(170));
    // String 5 points past the end; the last string loses its terminating zero.
    table[2 + 2 * 5] = 0xFF;
    table[3 + 2 * 5] = 0xFF;
    table.pop_back();
    const auto names = game::readGameNames(table);
    EXPECT_FALSE(names.unitRows[4].has_value());
    EXPECT_EQ(names.unitRows[5], "s6");
    EXPECT_EQ(names.strategies.size(), 9u);
    // A count larger than the table itself.
    const auto cut = game::readGameNames(Bytes{0xFF, 0xFF, 4, 0});
    EXPECT_FALSE(cut.unitRows[0].has_value());
    EXPECT_TRUE(game::readGameNames(Bytes{}).strategies.empty());
}
