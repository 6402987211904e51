#include <gtest/gtest.h>

#include "ErrorText.h"
#include "ScenarioBuilder.h"
#include "core/files/DocumentFiles.h"
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
        EXPECT_EQ(document.unitData.get(model::unitfields::useDefault, 0), 7u);
        EXPECT_EQ(files::writeUnitDataFile(document), file);
    }
}

TEST(UnitDataFile, AShortFileIsRefusedAndChangesNothing) {
    model::Document document;
    const auto before = document.unitData.bytes;
    EXPECT_EQ(errorOf([&] { files::readUnitDataFile(document, patternBytes(5693, 3)); }),
              "Error Reading Data. #3");
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

// What a read makes of the document: its kind, name and load state, and what it keeps.
TEST(ReadDocument, StandAloneFilesKeepTheRestButNotTheRestrictions) {
    model::Document scenario =
        files::readDocument({}, chainOf(typicalScenarioSections()), "/maps/a.pud");
    scenario.setHasRestrictions(true);
    const Bytes units = patternBytes(5694, 3);
    const model::Document unitData = files::readDocument(scenario, units, "/maps/u.udt");
    EXPECT_EQ(unitData.kind, model::DocumentKind::UnitData);
    EXPECT_TRUE(unitData.isLoaded);
    EXPECT_EQ(unitData.fileName, "/maps/u.udt");
    EXPECT_FALSE(unitData.hasRestrictions());  // only a scenario carries them
    EXPECT_EQ(unitData.upgrades.bytes, scenario.upgrades.bytes);
    EXPECT_EQ(files::writeDocument(unitData), units);

    const model::Document upgrades = files::readDocument(unitData, patternBytes(780, 4), "g.ugd");
    EXPECT_EQ(upgrades.kind, model::DocumentKind::UpgradeData);
    EXPECT_EQ(upgrades.unitData.bytes, unitData.unitData.bytes);
    EXPECT_THROW(files::readDocument(upgrades, patternBytes(781, 4), "x"), files::UnknownFileKind);
}
