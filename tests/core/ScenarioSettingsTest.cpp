#include <gtest/gtest.h>

#include <algorithm>

#include "ErrorText.h"
#include "ScenarioBuilder.h"
#include "core/files/Scenario.h"
#include "core/model/MapProperties.h"
#include "core/model/PlayerSettings.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
using model::Document;
using model::SectionId;

namespace {

Bytes bodyOf(const Document& document, SectionId id) {
    const auto body = document.body(id);
    return {body.begin(), body.end()};
}

}  // namespace

TEST(Description, ThirtyTwoCharactersWithoutNulStayUnlessChanged) {
    const std::string full = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    Document document =
        scenarioFrom(typicalScenarioWith({{"DESC", Bytes(full.begin(), full.end())}}));
    EXPECT_EQ(model::descriptionText(document), full);
    model::storeDescription(document, full);
    EXPECT_EQ(
        errorOf([&] { model::storeDescription(document, "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234!"); }),
        "The description can hold at most 31 characters");
    EXPECT_EQ(bodyOf(document, SectionId::Description), Bytes(full.begin(), full.end()));
}

TEST(Terrain, OnlyVersionSeventeenWithEraxIsHeldToWasteland) {
    for (const auto& [version, withErax, applies] :
         {std::tuple{17, true, true}, std::tuple{17, false, false}, std::tuple{19, true, false},
          std::tuple{23, true, false}}) {
        std::vector<TestSection> sections = {{"VER ", {std::uint8_t(version), 0}}};
        if (withErax) {
            sections.push_back({"ERAX", {0, 0}});
        }
        Document document = scenarioFrom(typicalScenarioWith(sections));
        EXPECT_EQ(model::applyWastelandOnlyRule(document), applies) << version;
        EXPECT_EQ(model::terrainWord(document, SectionId::EraExpansion), applies ? 2 : 0);
        EXPECT_EQ(document.hasExpansionTerrain(), withErax);
    }
}

TEST(StartingResources, EveryBoxIsStoredOrNone) {
    const Bytes file = typicalScenarioWith({});
    Document document = scenarioFrom(file);
    model::ResourceTexts texts;
    for (std::size_t slot = 0; slot < 8; ++slot) {
        texts[slot] = {std::to_string(1000 + slot), " 65535 ", "0"};
    }
    for (const std::string bad : {"", " ", "-1", "12a", "+5", "1e3", "65536", "99999999999"}) {
        texts[7][2] = bad;
        EXPECT_THROW(model::storeStartingResources(document, texts), model::ResourceTextError)
            << bad;
    }
    EXPECT_EQ(files::writeScenario(document), files::writeScenario(scenarioFrom(file)));

    texts[7][2] = "7";
    model::storeStartingResources(document, texts);
    EXPECT_EQ(model::startingAmount(document, model::Resource::Gold, 3), 1003);
    EXPECT_EQ(model::startingAmount(document, model::Resource::Lumber, 0), 65535);
    EXPECT_EQ(model::startingAmount(document, model::Resource::Oil, 7), 7);
    // Slots 8 to 15 stay as read.
    const Document before = scenarioFrom(file);
    for (const SectionId id : model::kResourceSections) {
        const Bytes read = bodyOf(before, id);
        const Bytes stored = bodyOf(document, id);
        EXPECT_TRUE(std::equal(read.begin() + 16, read.end(), stored.begin() + 16));
    }
}
