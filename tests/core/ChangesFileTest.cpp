#include <gtest/gtest.h>

#include "ErrorText.h"
#include "core/exchange/Changes.h"
#include "core/exchange/ChangesFile.h"
#include "core/exchange/Json.h"
#include "core/model/TypedNumber.h"

using namespace tarnwick;
using namespace tarnwick::exchange;
using namespace std::string_literals;

namespace {

std::vector<WrittenValue> read(std::string_view text, std::string_view name = "changes") {
    return readChanges({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, name);
}

std::string failureOf(std::string_view text, std::string_view name = "changes") {
    return testsupport::errorOf([&] { read(text, name); });
}

// The file's values checked, units by id only.
std::vector<Change> checked(std::string_view text) {
    return checkChanges(read(text),
                        [](const std::string& unit) { return model::parseTypedInteger64(unit); });
}

std::string problemsOf(std::string_view text) {
    return testsupport::errorOf([&] { checked(text); });
}

// `text` as a spreadsheet or editor saves it in UTF-16, little-endian unless told otherwise.
std::string utf16(std::string_view text, std::string_view mark, bool bigEndian = false) {
    std::string wide(mark);
    for (const char c : text) {
        wide += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return wide;
}

}  // namespace

TEST(ChangesFile, JsonRowsGiveTheirValuesAsWrittenWithTheirPaths) {
    const auto values = read(
        "\xEF\xBB\xBF {\"upgrades\": [{\"name\": [1], \"upgrade\": 7, \"gold\": -0}],\n"
        " \"units\": [{\"unit\": \"Foot\\u00e9 \\ud83d\\ude00\\\" Fu\xC3\x9F \xE4\xB8\xAD\", "
        "\"armor\": 1.5}]}");
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].table, Table::Upgrades);
    EXPECT_EQ(values[0].row, "7");
    EXPECT_EQ(values[0].value, "-0");
    EXPECT_EQ(values[0].origin, "upgrades[0].gold");
    EXPECT_EQ(values[1].row, "Foot\xC3\xA9 \xF0\x9F\x98\x80\" Fu\xC3\x9F \xE4\xB8\xAD");
    EXPECT_EQ(values[1].field, "armor");
    EXPECT_EQ(values[1].value, "1.5");
}

TEST(ChangesFile, AKeyNamedTwiceIsRefusedWithItsPathNotTakenLastWins) {
    EXPECT_EQ(failureOf("{\"units\": [\n{\"unit\": 3, \"armor\": 1,\n\"armor\": 2}]}"),
              "line 3: units[0] names \"armor\" twice (first on line 2)");
    EXPECT_EQ(failureOf("{\"units\": [{\"unit\": 1}, {\"unit\": 3, \"unit\": 4, \"armor\": 1}]}"),
              "line 1: units[1] names \"unit\" twice (first on line 1)");
    EXPECT_EQ(failureOf("{\"units\": [{\"unit\": 3, \"armor\": 1}],\n\"units\": []}"),
              "line 2: the top level names \"units\" twice (first on line 1)");
    // As the CSV header does: a column named twice would give one cell twice or drop one.
    EXPECT_EQ(failureOf("unit,armor,name,armor\n3,1,,2\n"),
              "line 1: the header names \"armor\" twice");
    EXPECT_EQ(failureOf("unit,armor,unit\n3,1,4\n"), "line 1: the header names \"unit\" twice");
}

TEST(ChangesFile, JsonIsReadStrictly) {
    for (const auto& [text, message] : std::vector<std::pair<std::string, std::string>>{
             {"{\"units\": []} []", "line 1: there is more after the end of the value"},
             {"{\"units\": [{\"unit\": 01}]}", "line 1: a ',' or '}' is missing"},
             {"{\"units\": [{\"unit\": \"a\tb\"}]}",
              "line 1: a control byte inside quotes must be written as an escape"},
             {"{\"units\": [{\"unit\": \"\\ud800x\"}]}",
              "line 1: a unicode escape holds a lone surrogate"},
             {"{\"units\": [{\"unit\": \"\\uD800\\u0041\"}]}",
              "line 1: a unicode escape holds a lone surrogate"},
             {"{\"units\": [{\"unit\": \"\\udc00\"}]}",
              "line 1: a unicode escape holds a lone surrogate"},
             {"{\"units\": [{\"unit\": 1,}]}", "line 1: a key in quotes is missing"},
             {"{\"units\": [{\"unit\": 1.}]}", "line 1: a number needs a digit after its point"},
             {"{\"units\":\n\"open}", "line 2: a text in quotes is never closed"},
             {"{\"units\": [{\"unit\": 1, \"armor\": true}]}",
              "units[0].armor: a number is needed"},
             {"{\"units\": [{\"unit\": 1, \"armor\": \"2\"}]}",
              "units[0].armor: a number is needed, not a text"},
             {"{\"units\": [[1]]}", "units[0]: a row needs its \"unit\""},
             {"{\"units\": " + std::string(40, '[') + std::string(40, ']') + "}",
              "line 1: the values are nested too deeply"},
         }) {
        EXPECT_EQ(failureOf(text), message) << text;
    }
}

TEST(ChangesFile, AJsonFileIsReportedAsJsonWhateverItHolds) {
    const std::string topLevel = "line 1: the top level must be an object";
    const std::string json = "{\"units\": [{\"unit\": 3, \"armor\": 1}]}";
    EXPECT_EQ(failureOf("unit,armor\n3,1\n", "CHANGES.Json"), topLevel);
    EXPECT_EQ(failureOf("\n\n", "changes.json"), "line 3: the top level must be an object");
    EXPECT_EQ(failureOf(" [{\"units\": []}]"), topLevel);
    EXPECT_EQ(read("unit,armor\n3,1\n", "json").size(), 1u);  // a name, not an extension

    const std::string wide = topLevel + " (this file is UTF-16; save it as UTF-8)";
    EXPECT_EQ(failureOf(utf16(json, "\xFF\xFE")), wide);
    EXPECT_EQ(failureOf(utf16(json, "")), wide);
    EXPECT_EQ(failureOf(utf16(json, "\xFE\xFF", true)), wide);
    EXPECT_EQ(failureOf(utf16("unit,armor\n", "\xFF\xFE"), "a.json"), wide);
    EXPECT_EQ(failureOf(utf16("unit,armor\n", "")),
              "line 1: this file is UTF-16; save it as UTF-8");
    // A file that merely begins with a zero byte is no UTF-16.
    EXPECT_EQ(
        failureOf("\x18\0\0\0,x\n"s),
        "line 1: the first column must be unit, upgrade or player, not \"\\x18\\x00\\x00\\x00\"");
}

TEST(ChangesFile, WhatTheFileWroteIsShownEscapedNotCutAtAZeroByte) {
    EXPECT_EQ(failureOf("unit,a\0b\n"s), "line 1: units have no field \"a\\x00b\"");
    EXPECT_EQ(failureOf("\x01,armor\n"),
              "line 1: the first column must be unit, upgrade or player, not "
              "\"\\x01\"");
    EXPECT_EQ(failureOf("{\"\\u0000\": []}"),
              "\"\\x00\" is no table (units, upgrades or restrictions)");
    EXPECT_EQ(problemsOf("unit,armor\n3\0,1\n1,2\x7F\n"s),
              "line 2, armor: '3\\x00' is not a valid integer value\n"
              "line 3, armor: '2\\x7F' is not a valid integer value");
    EXPECT_EQ(problemsOf("{\"units\": [{\"unit\": 1, \"a\\u0000\\\\\": 1}]}"),
              "units[0].a\\x00\\x5C: units have no field \"a\\x00\\x5C\"");
}

TEST(ChangesFile, ManyBadRowsGiveTwentyProblemsAndHowManyMore) {
    std::string rows = "upgrade,gold\n";
    for (int row = 0; row < 25; ++row) {
        rows += std::to_string(1000 + row) + ",1\n";
    }
    const std::string problems = problemsOf(rows);
    EXPECT_EQ(std::count(problems.begin(), problems.end(), '\n'), 20) << problems;
    EXPECT_EQ(problems.substr(problems.rfind('\n', problems.rfind('\n') - 1) + 1),
              "line 21, gold: there is no upgrade 1019 (0 to 51)\n... and 5 more");
}

TEST(ChangesFile, AWholeNumberWithAFractionOfZerosIsThatNumber) {
    const auto csv = checked("upgrade,gold,oil\n1.0,60.0, 7.00 \n-0.0,-0.00,\n");
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_EQ(csv[0].row, 1u);
    EXPECT_EQ(csv[0].value, 60);
    EXPECT_EQ(csv[1].value, 7);
    EXPECT_EQ(csv[2].row, 0u);
    EXPECT_EQ(csv[2].value, 0);
    const auto json = checked("{\"units\": [{\"unit\": 3.0, \"hitPoints\": 60.00}]}");
    ASSERT_EQ(json.size(), 1u);
    EXPECT_EQ(json[0].row, 3u);
    EXPECT_EQ(json[0].value, 60);
    // The same number twice is a value given twice, however it is written.
    EXPECT_EQ(problemsOf("upgrade,gold\n1,5\n1.00,6\n"),
              "line 3, gold: the value is given before, at line 2, gold");

    EXPECT_EQ(problemsOf("upgrade,gold\n1,60.5\n2,60.\n3,.0\n4,1.0.0\n"),
              "line 2, gold: '60.5' is not a valid integer value\n"
              "line 3, gold: '60.' is not a valid integer value\n"
              "line 4, gold: '.0' is not a valid integer value\n"
              "line 5, gold: '1.0.0' is not a valid integer value");
    EXPECT_EQ(problemsOf("{\"units\": [{\"unit\": 3.5, \"armor\": 1}, {\"unit\": 4, \"armor\": "
                         "1e-1}, {\"unit\": 5, \"armor\": 15e-1}, {\"unit\": 6, \"armor\": "
                         "1e99}]}"),
              "units[0].armor: '3.5' is not a valid integer value\n"
              "units[1].armor: '1e-1' is not a valid integer value\n"
              "units[2].armor: '15e-1' is not a valid integer value\n"
              "units[3].armor: '1e99' is not a valid integer value");
    // A whole number with an exponent is that number.
    const auto exponents = checked(
        "{\"units\": [{\"unit\": 1E2, \"armor\": 77e0, \"magic\": "
        "1.5E+1, \"hitPoints\": 300e-2, \"sightRange\": -0.02e2}]}");
    ASSERT_EQ(exponents.size(), 4u);
    EXPECT_EQ(exponents[0].row, 100u);
    EXPECT_EQ(exponents[0].value, 77);
    EXPECT_EQ(exponents[1].value, 15);
    EXPECT_EQ(exponents[2].value, 3);
    EXPECT_EQ(exponents[3].value, -2);
}

TEST(ChangesFile, ASemicolonHeaderReadsAsACommaOne) {
    const std::string comma = "unit,name,armor,hitPoints\n3,\"a;b\",1,\n4,x,2,60\n";
    const std::string semicolon = "\xEF\xBB\xBF\r\nunit;name;armor;hitPoints\r\n3;a;b;1;\r\n";
    const auto byComma = read(comma);
    ASSERT_EQ(byComma.size(), 3u);
    EXPECT_EQ(byComma[0].name, "a;b");
    const auto bySemicolon = read("unit;name;armor;hitPoints\n3;\"a,b\";1;\n4;x;2;60\n");
    ASSERT_EQ(bySemicolon.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(bySemicolon[i].row, byComma[i].row);
        EXPECT_EQ(bySemicolon[i].field, byComma[i].field);
        EXPECT_EQ(bySemicolon[i].value, byComma[i].value);
        EXPECT_EQ(bySemicolon[i].origin, byComma[i].origin);
    }
    EXPECT_EQ(bySemicolon[0].name, "a,b");
    // The header decides: a comma in a ';' file is a value's, a decimal comma refused as such.
    EXPECT_EQ(problemsOf("unit;armor\n3;1,5\n"),
              "line 2, armor: '1,5' is not a valid integer value");
    EXPECT_EQ(failureOf(semicolon), "line 3: 5 fields where the header has 4");
    EXPECT_EQ(failureOf("\n\nunit armor\n3 1\n"),
              "line 3: no ',' or ';' between the columns of the header");
}

TEST(ChangesFile, AUnitsNameMustBeTheNameOfItsIdWhereNamesAreKnown) {
    const auto names = [](std::size_t row) { return row == 3 ? "Lancer Two" : ""; };
    const auto check = [&](std::string_view text) {
        return testsupport::errorOf([&] {
            checkChanges(
                read(text),
                [](const std::string& unit) { return model::parseTypedInteger64(unit); }, names);
        });
    };
    EXPECT_EQ(check("unit,name,armor,magic\n3,lancer_two,1,\n3,,,2\n4,Anything,3,\n"),
              "no failure");
    EXPECT_EQ(check("{\"units\": [{\"unit\": 3, \"name\": \"Lancer\", \"armor\": 1, \"magic\": 2}, "
                    "{\"unit\": 3, \"name\": \"Lancer Two\", \"hitPoints\": 3}]}"),
              "units[0].armor: unit 3 is Lancer Two, not \"Lancer\"");
    // Upgrades' names stay labels; without the game's names a unit's are too.
    EXPECT_EQ(check("upgrade,name,gold\n3,Nonsense,1\n"), "no failure");
    EXPECT_EQ(problemsOf("unit,name,armor\n3,Lancer,1\n"), "no failure");
}

TEST(ChangesFile, TheUseDefaultWordsAreValuesOfNoRow) {
    const auto words = checked("{\"useDefault\": {\"upgrades\": 258, \"units\": 1}}");
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].table, Table::Upgrades);
    EXPECT_EQ(words[0].column, nullptr);
    EXPECT_EQ(words[0].value, 258);
    EXPECT_EQ(words[1].table, Table::Units);
    EXPECT_EQ(words[1].origin, "useDefault.units");
    EXPECT_EQ(problemsOf("{\"useDefault\": {\"units\": 65536, \"restrictions\": 1}}"),
              "useDefault.units: 65536 does not fit useDefault (0 to 65535)\n"
              "useDefault.restrictions: restrictions have no useDefault word");
    EXPECT_EQ(problemsOf("{\"useDefault\": {\"units\": 1},\n\"units\": [{\"unit\": 1, "
                         "\"useDefault\": 1}]}"),
              "units[0].useDefault: units have no field \"useDefault\"");
    EXPECT_EQ(failureOf("{\"useDefault\": [1]}"),
              "useDefault: an object of words by table is needed");

    model::Document unitData;
    unitData.kind = model::DocumentKind::UnitData;
    EXPECT_EQ(testsupport::errorOf([&] { applyChanges(unitData, words, "u.udt"); }),
              "\"u.udt\" stores no useDefault word (only a scenario does), which "
              "useDefault.upgrades changes");
}
