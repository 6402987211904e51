#include <gtest/gtest.h>

#include "ScenarioBuilder.h"
#include "core/model/UnitClipboard.h"

using namespace tarnwick;
using namespace tarnwick::model;

namespace {
Document documentWithPattern() {
    Document document;
    const auto bytes = testsupport::patternBytes(UnitDataTable::kSize, 11);
    std::copy(bytes.begin(), bytes.end(), document.unitData.bytes.begin());
    const auto swamp = testsupport::patternBytes(254, 12);
    std::copy(swamp.begin(), swamp.end(), document.gfxSwamp.begin());
    return document;
}
}  // namespace

TEST(UnitClipboard, PasteGivesEveryValueOfTheCopiedUnit) {
    Document document = documentWithPattern();
    const Document before = document;
    UnitClipboard clipboard;
    EXPECT_FALSE(clipboard.isFilled());
    clipboard.copy(document, 10);
    EXPECT_TRUE(clipboard.isFilled());
    clipboard.paste(document, 20);
    for (const FieldDescriptor& field : kUnitDataFields) {
        for (std::size_t part = 0; part < field.parts && field.count > 1; ++part) {
            EXPECT_EQ(document.unitData.get(field, 20, part), before.unitData.get(field, 10, part))
                << field.name;
            EXPECT_EQ(document.unitData.get(field, 21, part), before.unitData.get(field, 21, part));
        }
    }
    EXPECT_EQ(readField(document.gfxSwamp, kSwampGraphicsField, 20),
              readField(before.gfxSwamp, kSwampGraphicsField, 10));
    EXPECT_EQ(document.unitData.get(unitfields::useDefault, 0),
              before.unitData.get(unitfields::useDefault, 0));
}

TEST(UnitClipboard, RightClickActionOnlyWhereTheUnitHasOne) {
    Document document = documentWithPattern();
    const Document before = document;
    UnitClipboard clipboard;
    clipboard.copy(document, 70);
    clipboard.paste(document, 10);
    EXPECT_EQ(document.unitData.get(unitfields::rightClickAction, 10), 0u);
    EXPECT_EQ(document.unitData.get(unitfields::flags, 10),
              before.unitData.get(unitfields::flags, 70));

    // Unit 70 has no right-click action: only bytes of its own elements may change.
    Document other = before;
    clipboard.copy(before, 10);
    clipboard.paste(other, 70);
    EXPECT_EQ(other.unitData.get(unitfields::hitPoints, 70),
              before.unitData.get(unitfields::hitPoints, 10));
    for (std::size_t offset = 0; offset < UnitDataTable::kSize; ++offset) {
        if (other.unitData.bytes[offset] == before.unitData.bytes[offset]) {
            continue;
        }
        bool ownElement = false;
        for (const FieldDescriptor& field : kUnitDataFields) {
            const std::size_t element = field.offset + 70 * field.elementSize();
            ownElement = ownElement || (field.count > 70 && offset >= element &&
                                        offset < element + field.elementSize());
        }
        EXPECT_TRUE(ownElement) << "byte " << offset << " changed";
    }
}
