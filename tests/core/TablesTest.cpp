#include <gtest/gtest.h>

#include "core/model/GraphicsEntry.h"
#include "core/model/RestrictionTable.h"
#include "core/model/UnitDataTable.h"
#include "core/model/UnitRowNames.h"
#include "core/model/UseDefaultWord.h"

using namespace tarnwick;
using namespace tarnwick::model;

TEST(UnitDataTable, AccessIsLittleEndianAndTruncatesToTheFieldWidth) {
    UnitDataTable table;
    table.set(unitfields::hitPoints, 3, 0x12345);
    EXPECT_EQ(table.get(unitfields::hitPoints, 3), 0x2345u);
    EXPECT_EQ(table.bytes[1678 + 6], 0x45);
    EXPECT_EQ(table.bytes[1678 + 7], 0x23);

    table.set(unitfields::goldCost, 0, 256);
    EXPECT_EQ(table.get(unitfields::goldCost, 0), 0u);

    // Width then height, per unit.
    table.set(unitfields::boxSize, 2, 31, 0);
    table.set(unitfields::boxSize, 2, 47, 1);
    EXPECT_EQ(table.bytes[2888 + 8], 31);
    EXPECT_EQ(table.bytes[2888 + 10], 47);

    table.set(unitfields::sightRange, 109, static_cast<std::uint32_t>(-5));
    EXPECT_EQ(displayValue(unitfields::sightRange, table.get(unitfields::sightRange, 109)), -5);
    EXPECT_EQ(displayValue(unitfields::hitPoints, 0xFFFF), 65535);
}

TEST(UnitDataTable, ElementsOutsideAnArrayAreRefused) {
    UnitDataTable table;
    EXPECT_NO_THROW(table.set(unitfields::rightClickAction, 57, 1));
    EXPECT_THROW(table.set(unitfields::rightClickAction, 58, 1), Error);
    EXPECT_THROW(table.get(unitfields::hitPoints, 110), Error);
    EXPECT_NO_THROW(table.get(unitfields::gfxGeneral, 126));
    EXPECT_THROW(table.get(unitfields::tileSize, 0, 2), Error);
}

TEST(UnitRows, RowsWithoutGameNamesHaveFixedNames) {
    EXPECT_EQ(fixedUnitRowName(0), "");
    EXPECT_EQ(fixedUnitRowName(104), "");
    EXPECT_EQ(fixedUnitRowName(105), "-Corpse-");
    EXPECT_EQ(fixedUnitRowName(109), "-Destroyed site 4-");
    EXPECT_EQ(fixedUnitRowName(110), "Group 1");
    EXPECT_EQ(fixedUnitRowName(126), "Group 17");
}

// The count-down of the toggle is the main window's test (useDefaultTogglesCountDown).
TEST(UseDefaultWord, TheUnitCheckIsExactlyOneTheUpgradeCheckAnyLowByte) {
    EXPECT_TRUE(unitUseDefaultChecked(1));
    EXPECT_FALSE(unitUseDefaultChecked(2));
    EXPECT_TRUE(upgradeUseDefaultChecked(2));
    EXPECT_FALSE(upgradeUseDefaultChecked(0x0100));
}

TEST(GraphicsEntry, EncodesArchiveEntryAndFlags) {
    const GraphicsEntry entry = GraphicsEntry::decode(0x8000 | 0x4000 | 3042);
    EXPECT_TRUE(entry.repeat);
    EXPECT_TRUE(entry.flag1);
    EXPECT_FALSE(entry.flag2);
    EXPECT_EQ(entry.archive(), 3);
    EXPECT_EQ(entry.entry(), 42);
    EXPECT_EQ(entry.archiveName(), "REZDAT.WAR");
    EXPECT_EQ(entry.encode(), 0x8000 | 0x4000 | 3042);

    EXPECT_FALSE(GraphicsEntry::decode(999).hasGraphics());
    EXPECT_TRUE(GraphicsEntry::decode(6999).hasGraphics());
    EXPECT_FALSE(GraphicsEntry::decode(7000).hasGraphics());
    EXPECT_EQ(GraphicsEntry::decode(7000).archiveName(), "");
    EXPECT_EQ(GraphicsEntry::at(1, 2).encode(), 1002);
}

TEST(RestrictionTable, DefaultsAllowEverythingAndStartWithNoSpell) {
    const RestrictionTable table = RestrictionTable::defaults();
    for (std::size_t slot = 0; slot < kPlayerSlotCount; ++slot) {
        EXPECT_EQ(readField(table.bytes, restrictionfields::unitsAllowed, slot), 0xFFFFFFFFu);
        EXPECT_EQ(readField(table.bytes, restrictionfields::spellsAllowed, slot), 0xFFFFFFFFu);
        EXPECT_EQ(readField(table.bytes, restrictionfields::upgradesAllowed, slot), 0xFFFFFFFFu);
        EXPECT_EQ(readField(table.bytes, restrictionfields::spellsAtStart, slot), 0u);
        EXPECT_EQ(readField(table.bytes, restrictionfields::spellsOther, slot), 0u);
        EXPECT_EQ(readField(table.bytes, restrictionfields::upgradesOther, slot), 0u);
    }
}

TEST(RestrictionTable, SettingABitTouchesOnlyThatBit) {
    RestrictionTable table;
    table.setBit(restrictionfields::unitsAllowed, 7, 31, true);
    RestrictionTable expected;
    expected.bytes[7 * 4 + 3] = 0x80;
    EXPECT_EQ(table.bytes, expected.bytes);
    EXPECT_TRUE(table.bit(restrictionfields::unitsAllowed, 7, 31));

    table = RestrictionTable::defaults();
    table.setBit(restrictionfields::spellsAllowed, 0, 4, false);
    expected = RestrictionTable::defaults();
    expected.bytes[128] = 0xEF;
    EXPECT_EQ(table.bytes, expected.bytes);
    EXPECT_THROW(table.setBit(restrictionfields::spellsAllowed, 0, 32, true), Error);
}
