#include <gtest/gtest.h>

#include "ErrorText.h"
#include "ScenarioBuilder.h"
#include "core/files/Scenario.h"
#include "core/files/TableFiles.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
using files::ExportFormat;
using model::Document;
using model::DocumentKind;

namespace {

const std::string kUnknownFormat = "This is an unknown or unsupported format";

std::string refusalOf(Document& target, const Bytes& file) {
    return errorOf([&] { files::importTable(target, file); });
}

Document patterned(DocumentKind kind, bool swamp, std::uint8_t seed) {
    Document document;
    const Bytes units = patternBytes(model::UnitDataTable::kSize, seed);
    std::copy(units.begin(), units.end(), document.unitData.bytes.begin());
    const Bytes upgrades = patternBytes(model::UpgradeTable::kSize, seed + 1);
    std::copy(upgrades.begin(), upgrades.end(), document.upgrades.bytes.begin());
    const Bytes restrictions = patternBytes(model::RestrictionTable::kSize, seed + 2);
    std::copy(restrictions.begin(), restrictions.end(), document.restrictions.bytes.begin());
    const Bytes gfx = patternBytes(254, seed + 3);
    std::copy(gfx.begin(), gfx.end(), document.gfxSwamp.begin());
    document.hasExpansionGfx = swamp;
    document.kind = kind;
    document.isLoaded = true;
    return document;
}

std::string tagOf(const Bytes& file) {
    return {file.begin(), file.begin() + 4};
}

}  // namespace

TEST(TableExport, SizesAndHeaders) {
    for (const bool swamp : {false, true}) {
        const Document document = patterned(DocumentKind::Scenario, swamp, 1);
        const Bytes units = files::exportTable(document, ExportFormat::UnitData);
        EXPECT_EQ(units.size(), swamp ? 5948u : 5694u);
        EXPECT_EQ(units[0], document.unitData.bytes[2]);
        const Bytes section = files::exportTable(document, ExportFormat::UnitSection);
        EXPECT_EQ(section.size(), swamp ? 5958u : 5704u);
        EXPECT_EQ(tagOf(section), "UDTA");
        EXPECT_EQ(section[4] | section[5] << 8, swamp ? 5950 : 5696);
    }
    const Document document = patterned(DocumentKind::Scenario, false, 1);
    EXPECT_EQ(files::exportTable(document, ExportFormat::UpgradeData).size(), 780u);
    const Bytes up = files::exportTable(document, ExportFormat::UpgradeSection);
    EXPECT_EQ(up.size(), 790u);
    EXPECT_EQ(tagOf(up), "UGRD");
    EXPECT_EQ(up[4] | up[5] << 8, 782);
    const Bytes alo = files::exportTable(document, ExportFormat::Restrictions);
    EXPECT_EQ(alo.size(), 392u);
    EXPECT_EQ(tagOf(alo), "ALOW");
    EXPECT_EQ(alo[4] | alo[5] << 8, 384);
}

TEST(TableImport, EveryExportComesBackUnchanged) {
    for (const auto format :
         {ExportFormat::UnitData, ExportFormat::UpgradeData, ExportFormat::UpgradeSection,
          ExportFormat::UnitSection, ExportFormat::Restrictions}) {
        for (const bool swamp : {false, true}) {
            const Document source = patterned(DocumentKind::Scenario, swamp, 5);
            Document target = patterned(DocumentKind::Scenario, !swamp, 50);
            const Document before = target;
            ASSERT_NO_THROW(files::importTable(target, files::exportTable(source, format)));
            switch (format) {
                case ExportFormat::UnitSection:
                    EXPECT_EQ(target.unitData.bytes, source.unitData.bytes);
                    EXPECT_EQ(target.header(model::SectionId::UnitData).length,
                              swamp ? 5950 : 5696);
                    [[fallthrough]];
                case ExportFormat::UnitData:
                    EXPECT_EQ(target.hasExpansionGfx, swamp);
                    EXPECT_TRUE(std::equal(target.unitData.bytes.begin() + 2,
                                           target.unitData.bytes.end(),
                                           source.unitData.bytes.begin() + 2));
                    if (swamp) {
                        EXPECT_EQ(target.gfxSwamp, source.gfxSwamp);
                    }
                    EXPECT_EQ(target.upgrades.bytes, before.upgrades.bytes);
                    break;
                case ExportFormat::UpgradeData:
                case ExportFormat::UpgradeSection:
                    // The file's own useDefault word is not taken.
                    EXPECT_EQ(target.upgrades.bytes[0], before.upgrades.bytes[0]);
                    EXPECT_TRUE(std::equal(target.upgrades.bytes.begin() + 2,
                                           target.upgrades.bytes.end(),
                                           source.upgrades.bytes.begin() + 2));
                    EXPECT_EQ(target.unitData.bytes, before.unitData.bytes);
                    break;
                case ExportFormat::Restrictions:
                    EXPECT_EQ(target.restrictions.bytes, source.restrictions.bytes);
                    EXPECT_TRUE(target.hasRestrictions());
                    break;
            }
        }
    }
}

TEST(TableImport, SectionLengthDecidesTheSwampArray) {
    const Document source = patterned(DocumentKind::Scenario, true, 5);
    Bytes file = files::exportTable(source, ExportFormat::UnitSection);
    file[4] = 0x40;  // 5696: the bytes after the table are not taken
    file[5] = 0x16;
    Document target = patterned(DocumentKind::Scenario, true, 9);
    const auto swampBefore = target.gfxSwamp;
    ASSERT_NO_THROW(files::importTable(target, file));
    EXPECT_FALSE(target.hasExpansionGfx);
    EXPECT_EQ(target.gfxSwamp, swampBefore);
    EXPECT_EQ(target.header(model::SectionId::UnitData).length, 5696);
}

TEST(TableImport, MarkedUnitData) {
    Bytes file = {'U', 'D', 'T', 'A', 'D', 'a', 't', 'a', 'F', 'i', 'l', 'e'};
    file.resize(61, 0);
    const Bytes values = patternBytes(5694, 3);
    file.insert(file.end(), values.begin(), values.end());
    for (const auto kind :
         {DocumentKind::Scenario, DocumentKind::UnitData, DocumentKind::UpgradeData}) {
        Document target = patterned(kind, true, 9);
        ASSERT_NO_THROW(files::importTable(target, file));
        EXPECT_TRUE(std::equal(values.begin(), values.end(), target.unitData.bytes.begin() + 2));
        EXPECT_TRUE(target.hasExpansionGfx);  // kept: no swamp array follows
    }
    const Bytes swamp = patternBytes(254, 4);
    file.insert(file.end(), swamp.begin(), swamp.end());
    Document target = patterned(DocumentKind::Scenario, false, 9);
    ASSERT_NO_THROW(files::importTable(target, file));
    EXPECT_TRUE(target.hasExpansionGfx);
    EXPECT_TRUE(std::equal(swamp.begin(), swamp.end(), target.gfxSwamp.begin()));
}

TEST(TableImport, RefusalsChangeNothing) {
    const Document source = patterned(DocumentKind::Scenario, false, 5);
    struct Case {
        Bytes file;
        DocumentKind kind;
        std::string message;
    };
    const std::vector<Case> cases = {
        {files::exportTable(source, ExportFormat::UnitSection), DocumentKind::UpgradeData,
         "Cannot import UDTA data into a UGRD!"},
        {files::exportTable(source, ExportFormat::UnitData), DocumentKind::UpgradeData,
         "ERROR! Can Not import UDTA data into a UGRD!"},
        {files::exportTable(source, ExportFormat::UpgradeSection), DocumentKind::UnitData,
         "ERROR! Can Not import a UGRD into a UDTA!"},
        {files::exportTable(source, ExportFormat::UpgradeData), DocumentKind::UnitData,
         "ERROR! Can Not import a UGRD into a UDTA!"},
        {files::exportTable(source, ExportFormat::Restrictions), DocumentKind::UnitData,
         "ERROR! Can Not import restrictions into a UDTA!"},
        {files::exportTable(source, ExportFormat::Restrictions), DocumentKind::UpgradeData,
         "ERROR! Can Not import restrictions into a UDTA!"},
        {patternBytes(781, 1), DocumentKind::Scenario, kUnknownFormat},
        {Bytes{}, DocumentKind::Scenario, kUnknownFormat},
        // Files shorter than their tag promises.
        {Bytes{'U', 'D', 'T', 'A', 0x40, 0x16, 0, 0, 1, 2}, DocumentKind::Scenario, kUnknownFormat},
        {Bytes{'U', 'D', 'T', 'A', 0x3E, 0x17, 0, 0, 1, 2}, DocumentKind::Scenario, kUnknownFormat},
        {Bytes{'U', 'G', 'R', 'D', 0x0E, 0x03, 0, 0, 1}, DocumentKind::Scenario, kUnknownFormat},
        {Bytes{'A', 'L', 'O', 'W', 0x80, 0x01, 0, 0}, DocumentKind::Scenario, kUnknownFormat},
        {Bytes{'U', 'D', 'T', 'A', 'D', 'a', 't', 'a', 'F', 'i', 'l', 'e', 0},
         DocumentKind::Scenario, kUnknownFormat},
    };
    for (const auto& c : cases) {
        Document target = patterned(c.kind, false, 9);
        const Document before = target;
        EXPECT_EQ(refusalOf(target, c.file), c.message);
        EXPECT_EQ(target.unitData.bytes, before.unitData.bytes) << c.message;
        EXPECT_EQ(target.upgrades.bytes, before.upgrades.bytes);
        EXPECT_EQ(target.restrictions.bytes, before.restrictions.bytes);
        EXPECT_EQ(target.hasRestrictions(), before.hasRestrictions());
    }
}

TEST(TableImport, ImportedScenarioSavesAndOpensAgain) {
    Document scenario = scenarioFrom(chainOf(typicalScenarioSections()));
    const Document source = patterned(DocumentKind::UnitData, true, 7);
    ASSERT_NO_THROW(
        files::importTable(scenario, files::exportTable(source, ExportFormat::UnitData)));
    ASSERT_NO_THROW(
        files::importTable(scenario, files::exportTable(source, ExportFormat::Restrictions)));
    const Bytes written = files::writeScenario(scenario);
    const Document again = scenarioFrom(written);
    EXPECT_TRUE(again.hasExpansionGfx);
    EXPECT_TRUE(again.hasRestrictions());
    EXPECT_EQ(again.restrictions.bytes, source.restrictions.bytes);
    EXPECT_EQ(files::writeScenario(again), written);
}
