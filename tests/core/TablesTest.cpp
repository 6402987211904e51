#include <gtest/gtest.h>

#include "ErrorText.h"
#include "core/model/GraphicsEntry.h"
#include "core/model/RestrictionTable.h"
#include "core/model/TypedNumber.h"
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

// The one range rule of every typed or pasted number: the value as the user sees it (a cost
// in gold), refused outside the field's range, never cut to the field's width.
TEST(TypedNumbers, AValueOutsideItsFieldIsRefusedNamingValueLabelAndRange) {
    EXPECT_EQ(checkedStoredValue(unitfields::armor, 255, "Armor"), 255u);
    EXPECT_EQ(checkedStoredValue(unitfields::armor, 0, "Armor"), 0u);
    EXPECT_EQ(testsupport::errorOf([] { checkedStoredValue(unitfields::armor, 300, "Armor"); }),
              "300 does not fit Armor (0 to 255)");
    EXPECT_EQ(testsupport::errorOf([] { checkedStoredValue(unitfields::armor, -1, "Armor"); }),
              "-1 does not fit Armor (0 to 255)");
    // Costs in gold, kept in tens.
    EXPECT_EQ(checkedStoredValue(unitfields::goldCost, 2550, "Gold"), 255u);
    EXPECT_EQ(checkedStoredValue(unitfields::goldCost, 259, "Gold"), 25u);
    EXPECT_EQ(testsupport::errorOf([] { checkedStoredValue(unitfields::goldCost, 2560, "Gold"); }),
              "2560 does not fit Gold (0 to 2550)");
    EXPECT_EQ(testsupport::errorOf(
                  [] { checkedStoredValue(unitfields::hitPoints, 70000, "Hit Points"); }),
              "70000 does not fit Hit Points (0 to 65535)");
    // The one signed field takes 32 bits either way and keeps a negative one in two's
    // complement.
    EXPECT_EQ(checkedStoredValue(unitfields::sightRange, -5, "Sight Range"), 0xFFFFFFFBu);
    EXPECT_EQ(testsupport::errorOf(
                  [] { checkedStoredValue(unitfields::sightRange, 2147483648, "Sight Range"); }),
              "2147483648 does not fit Sight Range (-2147483648 to 2147483647)");
    EXPECT_THROW(checkedStoredValue(unitfields::armor, 256, "Armor"), ValueDoesNotFit);
}

TEST(TypedNumbers, ASpreadsheetsWholeNumberIsTakenAndNoOtherFraction) {
    EXPECT_EQ(parseWrittenInteger("255.0"), 255);
    EXPECT_EQ(parseWrittenInteger(" 255.00 "), 255);
    EXPECT_EQ(parseWrittenInteger("-3.0"), -3);
    EXPECT_EQ(parseWrittenInteger("70000"), 70000);
    for (const char* text : {"255.5", "255.", ".0", "255.0.0", "abc", "1e3"}) {
        EXPECT_EQ(testsupport::errorOf([&] { parseWrittenInteger(text); }),
                  "'" + std::string(text) + "' is not a valid integer value");
    }
}
