#include <gtest/gtest.h>

#include <algorithm>

#include "ErrorText.h"
#include "ScenarioBuilder.h"
#include "core/files/DocumentFiles.h"
#include "core/files/Scenario.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
using model::Document;
using model::SectionId;

namespace {

Document read(const Bytes& file) {
    return files::readDocument({}, file, "a.pud");
}

std::string failureOf(Document& document, const Bytes& file) {
    return errorOf([&] { files::readScenario(document, file); });
}

std::vector<TestSection> without(std::vector<TestSection> sections, const std::string& tag) {
    std::erase_if(sections, [&](const TestSection& section) { return section.tag == tag; });
    return sections;
}

std::vector<TestSection> with(std::vector<TestSection> sections, const std::string& after,
                              TestSection added) {
    const auto at = std::find_if(sections.begin(), sections.end(),
                                 [&](const TestSection& section) { return section.tag == after; });
    sections.insert(at + 1, std::move(added));
    return sections;
}

}  // namespace

TEST(ScenarioRoundTrip, TypicalScenarioIsWrittenBackByteForByte) {
    for (const bool withSwamp : {false, true}) {
        const Bytes file = chainOf(typicalScenarioSections(withSwamp));
        const Document document = read(file);
        EXPECT_EQ(document.hasExpansionGfx, withSwamp);
        EXPECT_EQ(document.kind, model::DocumentKind::Scenario);
        EXPECT_TRUE(document.isLoaded);
        EXPECT_EQ(files::writeScenario(document), file) << "swamp " << withSwamp;
    }
}

TEST(ScenarioRoundTrip, SwampArrayIsKeptBesideTheTable) {
    const auto sections = typicalScenarioSections(true);
    const Bytes& udta = sections[6].body;
    const Document document = read(chainOf(sections));
    EXPECT_TRUE(
        std::equal(document.unitData.bytes.begin(), document.unitData.bytes.end(), udta.begin()));
    EXPECT_TRUE(
        std::equal(document.gfxSwamp.begin(), document.gfxSwamp.end(), udta.begin() + 5696));
    EXPECT_EQ(document.header(SectionId::UnitData).length, 5950);
}

TEST(ScenarioRoundTrip, SectionsInAnyOrderWithRepeatsAreWrittenInTheFixedOrder) {
    auto sections = typicalScenarioSections();
    const Bytes inOrder = chainOf(sections);
    std::reverse(sections.begin(), sections.end());
    // A repeated section replaces the earlier one; the last occurrence wins.
    sections.insert(sections.begin(), {"UGRD", patternBytes(782, 99)});
    sections.insert(sections.begin(), {"MTXM", patternBytes(100, 98)});

    Document document;
    files::readScenario(document, chainOf(sections));
    const Bytes written = files::writeScenario(document);
    EXPECT_EQ(tagsOf(written), tagsOf(inOrder));
    EXPECT_EQ(written, inOrder);
}

TEST(ScenarioRoundTrip, OptionalSectionsAreWrittenAsTheFlagsSay) {
    auto sections = with(typicalScenarioSections(), "UGRD", {"ALOW", patternBytes(384, 7)});
    sections = with(sections, "ERA ", {"ERAX", Bytes{0x03, 0x00}});
    const Bytes file = chainOf(sections);
    Document document = read(file);
    EXPECT_TRUE(document.hasRestrictions());
    EXPECT_TRUE(document.hasExpansionTerrain());
    // Expansion scenarios carry version 19: their terrain must survive a save.
    EXPECT_EQ(files::writeScenario(document), file);

    document.setHasRestrictions(false);
    document.setHasExpansionTerrain(false);
    EXPECT_EQ(files::writeScenario(document), chainOf(without(without(sections, "ALOW"), "ERAX")));
}

TEST(ScenarioRoundTrip, AddedRestrictionsGoBetweenUpgradesAndSides) {
    Document document = read(chainOf(typicalScenarioSections()));
    document.restrictions = model::RestrictionTable::defaults();
    document.setHasRestrictions(true);
    const Bytes written = files::writeScenario(document);
    const auto tags = tagsOf(written);
    const auto alow = std::find(tags.begin(), tags.end(), "ALOW");
    ASSERT_NE(alow, tags.end());
    EXPECT_EQ(*(alow - 1), "UGRD");
    EXPECT_EQ(*(alow + 1), "SIDE");
    EXPECT_EQ(written.size(), chainOf(typicalScenarioSections()).size() + 392);
}

TEST(ScenarioRoundTrip, SectionsTheFileLackedAreNotWritten) {
    const auto sections = without(without(typicalScenarioSections(), "ERA "), "OILM");
    Document document;
    // What an earlier scenario left must not leak into the next one's file.
    files::readScenario(document, chainOf(typicalScenarioSections()));
    files::readScenario(document, chainOf(sections));
    EXPECT_EQ(files::writeScenario(document), chainOf(sections));
    EXPECT_TRUE(document.blob(SectionId::OilMap).empty());
    // The editors' view keeps the earlier terrain.
    EXPECT_EQ(document.body(SectionId::Era)[0], 0x01);
}

TEST(ScenarioRoundTrip, MissingTablesGetDefaultsThatTellTheGameToUseItsOwn) {
    const Bytes file = chainOf(without(without(typicalScenarioSections(), "UDTA"), "UGRD"));
    Document document;
    document.unitData.bytes.fill(0x55);
    const Document loaded = (files::readScenario(document, file), document);
    EXPECT_EQ(loaded.unitData.get(model::unitfields::useDefault, 0), 1u);
    EXPECT_EQ(loaded.unitData.get(model::unitfields::hitPoints, 0), 0u);
    EXPECT_EQ(loaded.upgrades.get(model::upgradefields::useDefault, 0), 1u);
    const Bytes written = files::writeScenario(loaded);
    const auto tags = tagsOf(written);
    EXPECT_NE(std::find(tags.begin(), tags.end(), "UDTA"), tags.end());
    EXPECT_NE(std::find(tags.begin(), tags.end(), "UGRD"), tags.end());
    EXPECT_EQ(files::writeScenario(read(written)), written);
}

TEST(ScenarioRoundTrip, TheOnlineEditionsSignIsKeptWhereItWasRead) {
    const TestSection sign{"SIGN", Bytes{0x53, 0x01, 0x00, 0xFE}};
    const auto sections = typicalScenarioSections();
    // At the end, as the online edition writes it, and anywhere else a file has it.
    for (const std::string after : {"UNIT", "UGRD", "TYPE"}) {
        const Bytes file = chainOf(with(sections, after, sign));
        const Document document = read(file);
        EXPECT_TRUE(document.holds(SectionId::Signature)) << after;
        EXPECT_EQ(files::writeDocument(document), file) << after;
    }
    // After a section that is no longer written, it stays where that section was.
    const auto withRestrictions =
        with(with(sections, "UGRD", {"ALOW", patternBytes(384, 7)}), "ALOW", sign);
    Document document = read(chainOf(withRestrictions));
    document.setHasRestrictions(false);
    EXPECT_EQ(files::writeScenario(document), chainOf(with(sections, "UGRD", sign)));
    // A scenario without one is written without one, whatever an earlier file held.
    files::readScenario(document, chainOf(sections));
    EXPECT_EQ(files::writeScenario(document), chainOf(sections));
}

TEST(ScenarioRead, SectionsTheFileHeldMoreThanOnceAreNamedAndTheLastIsKept) {
    const auto sections = typicalScenarioSections();
    const Bytes lastUnits = patternBytes(5696, 41);
    auto repeated = with(sections, "UDTA", {"UDTA", lastUnits});
    repeated.push_back({"UNIT", patternBytes(16, 42)});
    repeated.push_back({"UNIT", patternBytes(8, 43)});
    const Document document = read(chainOf(repeated));
    ASSERT_EQ(document.repeatedSections.size(), 2u);
    EXPECT_EQ(files::repeatedSectionNote(document.repeatedSections[0]),
              "the file holds UDTA twice; the last is used and only it is written back");
    EXPECT_EQ(files::repeatedSectionNote(document.repeatedSections[1]),
              "the file holds UNIT 3 times; the last is used and only it is written back");
    auto once = with(without(without(sections, "UDTA"), "UNIT"), "DIM ", {"UDTA", lastUnits});
    once.push_back({"UNIT", patternBytes(8, 43)});
    EXPECT_EQ(files::writeScenario(document), chainOf(once));

    // Neither the next scenario nor a stand-alone file inherits the note.
    EXPECT_TRUE(files::readDocument(document, chainOf(sections), "b.pud").repeatedSections.empty());
    EXPECT_TRUE(files::readDocument(document, Bytes(5694, 0), "b.udt").repeatedSections.empty());
}

TEST(ScenarioRead, UnknownSectionNamesItsTagExactly) {
    Document document;
    const Bytes file = ScenarioBuilder()
                           .section("TYPE", patternBytes(16, 1))
                           .section("AB C", Bytes(4))
                           .section("VER ", Bytes{1, 0})
                           .bytes();
    EXPECT_EQ(failureOf(document, file), "Unknown Section :AB C");
    // A tag with bytes no terminal shows is named escaped, whole, not cut at its first zero.
    const Bytes zeros = ScenarioBuilder()
                            .section("TYPE", patternBytes(16, 1))
                            .section(std::string("\0\x01\\Z", 4), Bytes(4))
                            .bytes();
    EXPECT_EQ(failureOf(document, zeros), "Unknown Section :\\x00\\x01\\x5CZ");
}

TEST(ScenarioRead, DamagedFilesAreRefusedNamingTheSection) {
    const Bytes type = chainOf({{"TYPE", patternBytes(16, 1)}});
    struct Case {
        const char* what;
        Bytes file;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"length with the top bit set",
         ScenarioBuilder().raw(type).sectionClaiming("DESC", -1, {}).bytes(),
         "Section \"DESC\" is damaged: it claims 4294967295 bytes, but 0 are left in the file"},
        {"length past the end",
         ScenarioBuilder().raw(type).sectionClaiming("MTXM", 100, Bytes(10)).bytes(),
         "Section \"MTXM\" is damaged: it claims 100 bytes, but 10 are left in the file"},
        {"image too long", ScenarioBuilder().raw(type).section("VER ", Bytes(4)).bytes(),
         "Section \"VER \" has length 4; it must be 2"},
        {"image too short", ScenarioBuilder().raw(type).section("UGRD", Bytes(780)).bytes(),
         "Section \"UGRD\" has length 780; it must be 782"},
        {"unit data of another size",
         ScenarioBuilder().raw(type).section("UDTA", Bytes(5700)).bytes(),
         "Section \"UDTA\" has length 5700; it must be 5696 or 5950"},
        {"unit data cut short",
         ScenarioBuilder().raw(type).sectionClaiming("UDTA", 5696, Bytes(100)).bytes(),
         "Section \"UDTA\" is damaged: it claims 5696 bytes, but 100 are left in the file"},
    };
    for (const auto& c : cases) {
        Document document = read(chainOf(typicalScenarioSections()));
        const Bytes before = files::writeScenario(document);
        EXPECT_EQ(failureOf(document, c.file), c.message) << c.what;
        EXPECT_EQ(files::writeScenario(document), before) << c.what << ": sections changed";
    }
}

TEST(ScenarioRead, TypeIsKeptAsReadWhateverItsLength) {
    // Only its tag is looked at; scenarios in the wild carry other lengths than 16.
    for (const std::size_t length : {0u, 10u, 16u, 40u}) {
        auto sections = typicalScenarioSections();
        sections[0].body = patternBytes(length, 5);
        const Bytes file = chainOf(sections);
        EXPECT_EQ(files::writeScenario(read(file)), file) << length;
    }
}

TEST(ScenarioRead, ATailShorterThanAHeaderEndsTheChain) {
    const Bytes file = chainOf(typicalScenarioSections());
    for (std::size_t tail = 1; tail < 8; ++tail) {
        const Bytes withTail = ScenarioBuilder().raw(file).raw(Bytes(tail, 0x41)).bytes();
        EXPECT_EQ(files::writeScenario(read(withTail)), file) << tail;
    }
}

TEST(ScenarioRead, ReadingReplacesTheMapBodies) {
    Document document = read(chainOf(typicalScenarioSections()));
    EXPECT_EQ(document.blob(SectionId::Units).size(), 8u);
    document.releaseMapBlobs();
    EXPECT_TRUE(document.blob(SectionId::Units).empty());
    EXPECT_TRUE(document.blob(SectionId::TileMap).empty());
    EXPECT_EQ(document.header(SectionId::Units).length, 0);
}

TEST(ScenarioDetection, OnlyAChainThatStartsWithTypeIsAScenario) {
    EXPECT_TRUE(files::looksLikeScenario(chainOf({{"TYPE", Bytes(16)}})));
    EXPECT_FALSE(files::looksLikeScenario(Bytes{'T', 'Y', 'P'}));
    EXPECT_FALSE(files::looksLikeScenario(chainOf({{"VER ", Bytes(2)}})));
}
