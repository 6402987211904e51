#include <gtest/gtest.h>

#include "ErrorText.h"
#include "core/exchange/ChangesFile.h"
#include "core/exchange/ChangesMerge.h"
#include "core/exchange/ChangesWriter.h"

using namespace tarnwick;
using namespace tarnwick::exchange;

namespace {

Difference unitChange(std::size_t row, const std::string& field, std::int64_t base,
                      std::int64_t value) {
    return {Table::Units, row, field, base, value};
}

std::string namesOfTwoUnits(Table table, std::size_t row) {
    return table == Table::Units && row == 3 ? "Lancer" : "";
}

}  // namespace

TEST(ChangesMerge, OneSidesChangesAreTakenSameOnesOnceDifferentOnesConflict) {
    const std::vector<Difference> a = {unitChange(3, "hitPoints", 90, 100),
                                       unitChange(3, "armor", 1, 2),
                                       unitChange(7, "armor", 1, 5),
                                       {Table::Upgrades, std::nullopt, "useDefault", 0, 1}};
    const std::vector<Difference> b = {
        unitChange(2, "armor", 1, 4), unitChange(3, "sightRange", 4, 6),
        unitChange(3, "hitPoints", 90, 120), unitChange(7, "armor", 1, 5)};
    const Merge merge = mergeChanges(a, b, Prefer::Neither);
    std::string taken;
    for (const Difference& change : merge.taken) {
        taken += std::to_string(change.row.value_or(999)) + ' ' + change.field + ' ' +
                 std::to_string(*change.after) + '\n';
    }
    // In table order: a row's columns as the record has them, sightRange before hitPoints.
    EXPECT_EQ(taken,
              "2 armor 4\n3 sightRange 6\n3 hitPoints 100\n3 armor 2\n7 armor 5\n"
              "999 useDefault 1\n");
    EXPECT_EQ(conflictLines(merge, Prefer::Neither, namesOfTwoUnits),
              "unit 3 Lancer hitPoints: base 90, A 100, B 120\n");

    const Merge preferB = mergeChanges(a, b, Prefer::B);
    EXPECT_EQ(*preferB.taken[2].after, 120);
    EXPECT_EQ(conflictLines(preferB, Prefer::B, namesOfTwoUnits),
              "unit 3 Lancer hitPoints: base 90, A 100, B 120; settled: B\n");
    EXPECT_EQ(*mergeChanges(a, b, Prefer::A).taken[2].after, 100);
    EXPECT_EQ(conflictLines(mergeChanges(a, a, Prefer::Neither), Prefer::Neither, namesOfTwoUnits),
              "");
}

TEST(ChangesMerge, ManyConflictsListTwentyThenHowManyMore) {
    std::vector<Difference> a;
    std::vector<Difference> b;
    for (std::size_t row = 0; row < 23; ++row) {
        a.push_back({Table::Restrictions, row, "unitsAllowed", std::nullopt, 1});
        b.push_back({Table::Restrictions, row, "unitsAllowed", std::nullopt, 2});
    }
    const std::string lines =
        conflictLines(mergeChanges(a, b, Prefer::Neither), Prefer::Neither, namesOfTwoUnits);
    EXPECT_EQ(lines.substr(0, lines.find('\n')), "player 1 unitsAllowed: A 1, B 2");
    EXPECT_EQ(lines.substr(lines.rfind('\n', lines.size() - 2) + 1), "... and 3 more\n");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 21);
}

TEST(ChangesMerge, AWrittenChangesFileReadsBackAsItsNewValues) {
    const std::vector<Difference> found = {
        {Table::Units, std::nullopt, "useDefault", 0, 1},
        unitChange(3, "hitPoints", 90, 120),
        unitChange(3, "goldCost", 500, 650),
        unitChange(5, "armor", 1, 0),
        {Table::Upgrades, 2, "gold", 1, 7},
        {Table::Restrictions, 0, "unitsAllowed", std::nullopt, 3},
    };
    const std::string json = changesJson(found, namesOfTwoUnits);
    EXPECT_EQ(json,
              "{\n"
              "  \"units\": [\n"
              "    {\"unit\": 3, \"name\": \"Lancer\", \"hitPoints\": 120, \"goldCost\": 650},\n"
              "    {\"unit\": 5, \"armor\": 0}\n"
              "  ],\n"
              "  \"upgrades\": [\n"
              "    {\"upgrade\": 2, \"gold\": 7}\n"
              "  ],\n"
              "  \"restrictions\": [\n"
              "    {\"player\": 1, \"unitsAllowed\": 3}\n"
              "  ],\n"
              "  \"useDefault\": {\"units\": 1}\n"
              "}\n");
    const auto values = jsonChanges(json);
    ASSERT_EQ(values.size(), 6u);
    EXPECT_EQ(values[0].name, "Lancer");
    EXPECT_EQ(values[5].origin, "useDefault.units");
    EXPECT_EQ(changesJson({}, namesOfTwoUnits), "{\n}\n");
    EXPECT_TRUE(jsonChanges(changesJson({}, namesOfTwoUnits)).empty());

    EXPECT_EQ(testsupport::errorOf([] {
                  changesJson({{Table::Restrictions, 0, "unitsAllowed", 3, std::nullopt}},
                              namesOfTwoUnits);
              }),
              "the new file holds no restrictions for player 1 unitsAllowed, and a changes file "
              "cannot take it away");
}
