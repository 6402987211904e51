#include <gtest/gtest.h>

#include "ScenarioBuilder.h"
#include "core/Error.h"
#include "core/files/StandaloneFiles.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

TEST(UnitDataFile, RoundTripsWithAndWithoutTheSwampArray) {
    for (const std::size_t size : {std::size_t{5694}, std::size_t{5948}}) {
        const Bytes file = patternBytes(size, 3);
        model::Document document;
        document.unitData.set(model::unitfields::useDefault, 0, 7);
        files::readUnitDataFile(document, file);
        EXPECT_EQ(document.hasExpansionGfx, size == 5948);
        EXPECT_EQ(document.kind, model::DocumentKind::UnitData);
        EXPECT_EQ(document.unitData.get(model::unitfields::useDefault, 0), 7u);
        EXPECT_EQ(files::writeUnitDataFile(document), file);
    }
}

TEST(UnitDataFile, AShortFileIsRefusedAndChangesNothing) {
    model::Document document;
    const auto before = document.unitData.bytes;
    try {
        files::readUnitDataFile(document, patternBytes(5693, 3));
        FAIL() << "a short file was read";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Error Reading Data. #3");
    }
    EXPECT_EQ(document.unitData.bytes, before);
}

TEST(UpgradeFile, KeepsTheUseDefaultWordOutOfTheFile) {
    const Bytes file = patternBytes(780, 4);
    model::Document document;
    document.upgrades.set(model::upgradefields::useDefault, 0, 2);
    files::readUpgradeFile(document, file);
    EXPECT_EQ(document.upgrades.get(model::upgradefields::useDefault, 0), 2u);
    EXPECT_EQ(document.upgrades.bytes[2], file[0]);
    EXPECT_EQ(files::writeUpgradeFile(document), file);
}
