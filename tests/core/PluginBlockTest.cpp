#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ErrorText.h"
#include "ScenarioBuilder.h"
#include "core/bytes/LittleEndian.h"
#include "core/files/Scenario.h"
#include "core/plugin/HostBlock.h"
#include "core/plugin/LinkObject.h"
#include "core/plugin/PluginDocument.h"
#include "core/plugin/PluginLinkError.h"
#include "core/plugin/SharedBlock.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
using namespace tarnwick::plugin;
using model::Document;
using model::SectionId;

namespace {

constexpr std::uint16_t kWidth = 3;
constexpr std::uint16_t kHeight = 2;

// A scenario in the writer's order that uses every field of the block: a 3 x 2 map (not square,
// so width and height cannot swap unseen), two placed units, "ERAX" and "ALOW".
std::vector<TestSection> pluginScenarioSections(bool withSwamp) {
    std::uint8_t seed = 40;
    const auto body = [&seed](std::size_t size) { return patternBytes(size, seed++); };
    const std::size_t cells = std::size_t{kWidth} * kHeight;
    return {
        {"TYPE", body(16)},
        {"VER ", Bytes{0x17, 0x00}},
        {"DESC", body(32)},
        {"OWNR", body(16)},
        {"ERA ", Bytes{0x02, 0x00}},
        {"ERAX", Bytes{0x03, 0x00}},
        {"DIM ", Bytes{kWidth, 0x00, kHeight, 0x00}},
        {"UDTA", body(withSwamp ? 5950 : 5696)},
        {"UGRD", body(782)},
        {"ALOW", body(384)},
        {"SIDE", body(16)},
        {"SGLD", body(32)},
        {"SLBR", body(32)},
        {"SOIL", body(32)},
        {"AIPL", body(16)},
        {"MTXM", body(cells * 2)},
        {"SQM ", body(cells * 2)},
        {"OILM", body(cells)},
        {"REGM", body(cells * 2)},
        {"UNIT", body(16)},
    };
}

Bytes blockOf(bool withSwamp, std::uint32_t handle = 0x1234) {
    return blockFromScenario(scenarioFrom(chainOf(pluginScenarioSections(withSwamp))), handle);
}

void poke(Bytes& block, BlockField field, std::uint32_t value) {
    bytes::writeLe(block, blockField(field).offset, blockField(field).size, value);
}

std::uint32_t peek(const Bytes& block, BlockField field) {
    return bytes::readLe(block, blockField(field).offset, blockField(field).size);
}

Bytes slice(const Bytes& bytes, std::size_t offset, std::size_t size) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                 bytes.begin() + static_cast<std::ptrdiff_t>(offset + size));
}

Bytes fieldBytes(const Bytes& block, BlockField field) {
    return slice(block, blockField(field).offset, blockField(field).size);
}

std::string refusalOf(const Bytes& block) {
    return errorOf<PluginLinkError>([&] { LinkObject::fromBlock(block); });
}

}  // namespace

TEST(PluginLinkObject, CopiesEveryFieldAtItsOffset) {
    Bytes block = patternBytes(kBlockSize + 10, 3);
    poke(block, BlockField::MapWidth, 128);
    poke(block, BlockField::MapHeight, 1);
    poke(block, BlockField::UnitCount, 600);
    poke(block, BlockField::UnitDataLength, 5950);
    const LinkObject link = LinkObject::fromBlock(block);
    for (const BlockFieldInfo& info : kBlockLayout) {
        const auto field = link.field(info.id);
        EXPECT_EQ(Bytes(field.begin(), field.end()), fieldBytes(block, info.id)) << info.name;
    }
    EXPECT_EQ(link.hostHandle(), peek(block, BlockField::HostHandle));
    EXPECT_EQ(link.mapWidth(), 128u);
    EXPECT_EQ(link.mapHeight(), 1u);
    EXPECT_EQ(link.usedLayer(BlockField::TileMap).size(), 256u);
    EXPECT_EQ(link.usedLayer(BlockField::OilMap).size(), 128u);
    EXPECT_EQ(link.usedLayer(BlockField::Units).size(), 4800u);
}

TEST(PluginLinkObject, WriteBackTouchesExactlyTheFixedPartAndTheEightTrailerBytes) {
    Bytes host = patternBytes(kBlockSize + 20, 5);
    poke(host, BlockField::MapWidth, 4);
    poke(host, BlockField::MapHeight, 4);
    poke(host, BlockField::UnitCount, 2);
    poke(host, BlockField::UnitDataLength, 5696);
    const LinkObject link = LinkObject::fromBlock(host);

    Bytes other = patternBytes(kBlockSize + 20, 6);
    const Bytes before = other;
    link.writeBack(other);
    for (std::size_t i = 0; i < other.size(); ++i) {
        const bool written = (i >= 4 && i < 7322) || (i >= 126810 && i < 126818);
        ASSERT_EQ(other[i], written ? host[i] : before[i]) << "offset " << i;
    }
}

TEST(PluginDocumentFromBlock, EverySectionWithItsTagAndLength) {
    Bytes block = blockOf(true);
    const LinkObject link = LinkObject::fromBlock(block);
    const Document document = documentFromLink(link);

    EXPECT_EQ(document.kind, model::DocumentKind::Scenario);
    EXPECT_TRUE(document.isLoaded);
    EXPECT_TRUE(document.fileName.empty());
    const std::vector<std::pair<SectionId, std::int32_t>> lengths = {
        {SectionId::Type, 16},          {SectionId::Version, 2},     {SectionId::Description, 32},
        {SectionId::Owners, 16},        {SectionId::Era, 2},         {SectionId::EraExpansion, 2},
        {SectionId::Dimensions, 4},     {SectionId::UnitData, 5950}, {SectionId::Upgrades, 782},
        {SectionId::Restrictions, 384}, {SectionId::Sides, 16},      {SectionId::StartGold, 32},
        {SectionId::StartLumber, 32},   {SectionId::StartOil, 32},   {SectionId::AiPlayers, 16},
        {SectionId::TileMap, 12},       {SectionId::SquareMap, 12},  {SectionId::OilMap, 6},
        {SectionId::RegionMap, 12},     {SectionId::Units, 16},
    };
    for (const auto& [id, length] : lengths) {
        EXPECT_TRUE(document.holds(id)) << model::sectionInfo(id).tag;
        EXPECT_EQ(document.header(id).length, length) << model::sectionInfo(id).tag;
    }
    const auto dim = document.body(SectionId::Dimensions);
    EXPECT_EQ(Bytes(dim.begin(), dim.end()), (Bytes{kWidth, 0, kHeight, 0}));
    const auto tiles = document.body(SectionId::TileMap);
    EXPECT_EQ(Bytes(tiles.begin(), tiles.end()), slice(block, 7322, 12));
    const auto units = document.body(SectionId::Units);
    EXPECT_EQ(Bytes(units.begin(), units.end()), slice(block, 122010, 16));
    EXPECT_TRUE(document.hasExpansionGfx);
    EXPECT_TRUE(
        std::equal(document.gfxSwamp.begin(), document.gfxSwamp.end(), block.begin() + 78 + 5696));

    // The map layers are copies: changing the block afterwards does not reach the document.
    block[7322] ^= 0xFF;
    EXPECT_EQ(document.body(SectionId::TileMap)[0], static_cast<std::uint8_t>(block[7322] ^ 0xFF));
}

TEST(PluginDocumentFromBlock, UnitData5696GivesNoSwampAndSaveLeavesTheAreasLast254Bytes) {
    Bytes block = blockOf(false);
    // Whatever the host keeps in the swamp room of a 5696-byte table must survive.
    const Bytes swampRoom = patternBytes(254, 77);
    std::copy(swampRoom.begin(), swampRoom.end(), block.begin() + 78 + 5696);
    LinkObject link = LinkObject::fromBlock(block);
    Document document = documentFromLink(link);
    EXPECT_FALSE(document.hasExpansionGfx);
    EXPECT_EQ(document.header(SectionId::UnitData).length, 5696);
    EXPECT_EQ(files::writeScenario(document).size(), chainOf(pluginScenarioSections(false)).size());

    document.unitData.set(model::unitfields::hitPoints, 5, 999);
    storeDocumentInLink(document, link);
    link.writeBack(block);
    EXPECT_EQ(peek(block, BlockField::UnitDataLength), 5696u);
    EXPECT_EQ(slice(block, 78 + 5696, 254), swampRoom);
    EXPECT_EQ(bytes::readLe(block, 78 + model::unitfields::hitPoints.offset + 10, 2), 999u);
}

TEST(PluginDocumentFromBlock, EraxPresent0GivesNoEraxSectionAndItsWordGoesBackUnchanged) {
    Bytes block = blockOf(false);
    poke(block, BlockField::EraExpansionPresent, 0);
    poke(block, BlockField::EraExpansion, 0xBEEF);
    LinkObject link = LinkObject::fromBlock(block);
    const Document document = documentFromLink(link);
    EXPECT_FALSE(document.hasExpansionTerrain());
    EXPECT_FALSE(document.holds(SectionId::EraExpansion));
    const Bytes written = files::writeScenario(document);
    EXPECT_EQ(written.size(), chainOf(pluginScenarioSections(false)).size() - 10);
    EXPECT_THROW(bodyOffsetOf(written, "ERAX"), Error);

    Bytes target = block;
    poke(target, BlockField::EraExpansion, 0);
    storeDocumentInLink(document, link);
    link.writeBack(target);
    EXPECT_EQ(peek(target, BlockField::EraExpansion), 0xBEEFu);
    EXPECT_EQ(peek(target, BlockField::EraExpansionPresent), 0u);
}

TEST(PluginDocumentFromBlock, PresentBytesFollowTheDocumentAndKeepOtherValues) {
    Bytes block = blockOf(false);
    poke(block, BlockField::RestrictionsPresent, 0);
    poke(block, BlockField::EraExpansionPresent, 2);  // not 1: no "ERAX"
    poke(block, BlockField::CarriedBytes, 0xA55A);
    LinkObject link = LinkObject::fromBlock(block);
    Document document = documentFromLink(link);
    EXPECT_FALSE(document.hasRestrictions());
    EXPECT_FALSE(document.hasExpansionTerrain());

    // Unchanged flags come back byte for byte; so do the carried bytes.
    Bytes target = block;
    storeDocumentInLink(document, link);
    link.writeBack(target);
    EXPECT_EQ(target, block);

    // "Add Default Restrictions" in plug-in mode: the host learns the scenario has "ALOW".
    document.restrictions = model::RestrictionTable::defaults();
    document.setHasRestrictions(true);
    storeDocumentInLink(document, link);
    link.writeBack(target);
    EXPECT_EQ(peek(target, BlockField::RestrictionsPresent), 1u);
    EXPECT_EQ(fieldBytes(target, BlockField::Restrictions),
              Bytes(document.restrictions.bytes.begin(), document.restrictions.bytes.end()));
    EXPECT_EQ(peek(target, BlockField::EraExpansionPresent), 2u);
    EXPECT_EQ(peek(target, BlockField::CarriedBytes), 0xA55Au);
}

TEST(PluginRoundTrip, ScenarioBlockDocumentEditsBlockScenarioChangesExactlyTheEditedBytes) {
    namespace uf = model::unitfields;
    namespace gf = model::upgradefields;
    for (const bool withSwamp : {false, true}) {
        const Bytes original = chainOf(pluginScenarioSections(withSwamp));
        // The host fills the block from the scenario.
        Bytes block = blockFromScenario(scenarioFrom(original), 0x2A);

        // The editor: open, fill the document, edit, "Save and Exit".
        LinkObject link = LinkObject::fromBlock(block);
        Document document = documentFromLink(link);
        const auto oldHitPoints = document.unitData.get(uf::hitPoints, 7);
        document.unitData.set(uf::hitPoints, 7, oldHitPoints ^ 0xFFFF);
        const auto oldGold = document.upgrades.get(gf::gold, 3);
        document.upgrades.set(gf::gold, 3, oldGold ^ 0xFFFF);
        const auto oldBits = document.restrictions.bytes[12];
        document.restrictions.bytes[12] = static_cast<std::uint8_t>(oldBits ^ 0x10);
        if (withSwamp) {
            document.gfxSwamp[9] ^= 0xFF;
        }
        storeDocumentInLink(document, link);
        document.releaseMapBlobs();
        link.writeBack(block);

        // The host reads the scenario back.
        const Bytes result = files::writeScenario(scenarioFromBlock(block));
        ASSERT_EQ(result.size(), original.size());
        const std::size_t udta = bodyOffsetOf(original, "UDTA");
        const std::size_t ugrd = bodyOffsetOf(original, "UGRD");
        const std::size_t alow = bodyOffsetOf(original, "ALOW");
        std::vector<std::size_t> expected = {
            udta + uf::hitPoints.offset + 7 * 2, udta + uf::hitPoints.offset + 7 * 2 + 1,
            ugrd + gf::gold.offset + 3 * 2, ugrd + gf::gold.offset + 3 * 2 + 1, alow + 12};
        if (withSwamp) {
            expected.push_back(udta + 5696 + 9);
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(differingPositions(original, result), expected) << "swamp " << withSwamp;
    }
}

TEST(PluginRoundTrip, HostBlockCarriesTheScenarioWithoutOptionalSections) {
    auto sections = pluginScenarioSections(false);
    std::erase_if(sections,
                  [](const TestSection& s) { return s.tag == "ERAX" || s.tag == "ALOW"; });
    const Bytes original = chainOf(sections);
    const Bytes block = blockFromScenario(scenarioFrom(original), 0);
    EXPECT_EQ(peek(block, BlockField::EraExpansionPresent), 0u);
    EXPECT_EQ(peek(block, BlockField::RestrictionsPresent), 0u);
    EXPECT_EQ(peek(block, BlockField::UnitCount), 2u);
    EXPECT_EQ(files::writeScenario(scenarioFromBlock(block)), original);
}

TEST(PluginRoundTrip, TheHostKeepsTheSignTheBlockHasNoRoomFor) {
    for (const std::string after : {"UNIT", "UGRD"}) {
        auto sections = pluginScenarioSections(false);
        const auto at = std::find_if(sections.begin(), sections.end(),
                                     [&](const TestSection& s) { return s.tag == after; });
        sections.insert(at + 1, {"SIGN", Bytes{0x0A, 0x0B, 0x0C, 0x0D}});
        const Bytes original = chainOf(sections);
        const Document sent = scenarioFrom(original);
        const Bytes block = blockFromScenario(sent, 0);
        EXPECT_EQ(files::writeScenario(scenarioFromBlock(block, sent)), original) << after;
    }
}

TEST(PluginHostBlock, RefusesScenariosThatDoNotFit) {
    auto large = pluginScenarioSections(false);
    for (auto& section : large) {
        if (section.tag == "DIM ") {
            section.body = {0x81, 0x00, 0x02, 0x00};
        }
    }
    EXPECT_THROW(blockFromScenario(scenarioFrom(chainOf(large)), 1), Error);

    auto crowded = pluginScenarioSections(false);
    for (auto& section : crowded) {
        if (section.tag == "UNIT") {
            section.body = patternBytes(601 * 8, 1);
        }
    }
    EXPECT_THROW(blockFromScenario(scenarioFrom(chainOf(crowded)), 1), Error);
}

TEST(PluginBlockChecks, BlocksWhoseClaimsDoNotFitAreRefusedWithTheReason) {
    const std::string prefix = "Cannot communicate with Marrowby. ";
    const Bytes good = blockOf(false);
    EXPECT_EQ(refusalOf(good), "no failure");

    EXPECT_EQ(refusalOf(slice(good, 0, kBlockSize - 1)),
              prefix + "The shared block holds 126821 bytes; it must hold at least 126822.");

    const auto with = [&good](BlockField field, std::uint32_t value) {
        Bytes block = good;
        poke(block, field, value);
        return block;
    };
    EXPECT_EQ(refusalOf(with(BlockField::MapWidth, 0)),
              prefix + "The map width 0 is outside 1 to 128.");
    EXPECT_EQ(refusalOf(with(BlockField::MapWidth, 129)),
              prefix + "The map width 129 is outside 1 to 128.");
    EXPECT_EQ(refusalOf(with(BlockField::MapHeight, 0)),
              prefix + "The map height 0 is outside 1 to 128.");
    EXPECT_EQ(refusalOf(with(BlockField::UnitCount, 601)),
              prefix + "The unit count 601 is above 600.");
    EXPECT_EQ(refusalOf(with(BlockField::UnitDataLength, 5697)),
              prefix + "The \"UDTA\" length 5697 is neither 5696 nor 5950.");

    // The bounds themselves are fine.
    EXPECT_EQ(refusalOf(with(BlockField::MapWidth, 128)), "no failure");
    EXPECT_EQ(refusalOf(with(BlockField::MapHeight, 1)), "no failure");
    EXPECT_EQ(refusalOf(with(BlockField::UnitCount, 600)), "no failure");
    EXPECT_EQ(refusalOf(with(BlockField::UnitDataLength, 5950)), "no failure");
    // A block larger than the layout (the host's further data) is fine too.
    Bytes larger = good;
    larger.resize(kBlockSize + 4096, 0xEE);
    EXPECT_EQ(refusalOf(larger), "no failure");
}
