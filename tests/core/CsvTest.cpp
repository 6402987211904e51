#include <gtest/gtest.h>

#include "ErrorText.h"
#include "core/exchange/Csv.h"

using namespace tarnwick;
using namespace tarnwick::exchange;

namespace {

std::string failureOf(std::string_view text) {
    return testsupport::errorOf([&] { readCsv(text); });
}

}  // namespace

TEST(Csv, ReadsQuotedFieldsAcrossLinesWithTheLineEachRecordBeginsOn) {
    const auto records = readCsv(
        "\xEF\xBB\xBFunit,name\r\n"
        "1,\"Knight, \"\"the\"\" brave\"\r\n"
        "\n"
        "2,\"two\nlines\"\n"
        "3,\n"
        ",last");
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0].fields, (std::vector<std::string>{"unit", "name"}));
    EXPECT_EQ(records[1].fields[1], "Knight, \"the\" brave");
    EXPECT_EQ(records[2].line, 4u);
    EXPECT_EQ(records[2].fields[1], "two\nlines");
    EXPECT_EQ(records[3].line, 6u);
    EXPECT_EQ(records[3].fields, (std::vector<std::string>{"3", ""}));
    EXPECT_EQ(records[4].fields, (std::vector<std::string>{"", "last"}));

    for (const std::string text : {"plain", "a,b", "say \"hi\"", "two\r\nlines", ""}) {
        const auto back = readCsv("x," + csvField(text) + "\n");
        ASSERT_EQ(back.size(), 1u) << text;
        EXPECT_EQ(back[0].fields[1], text);
    }
}

TEST(Csv, RefusesWhatItCannotReadUnambiguously) {
    EXPECT_EQ(failureOf("a,b\n1,x\"y\n"),
              "line 2: a quote inside a field that does not begin with one");
    EXPECT_EQ(failureOf("a,b\n1,\"x\"y\n"), "line 2: a field must end at a comma or a line break");
    EXPECT_EQ(failureOf("a\n\n\"open\nstill open"), "line 3: a quoted field is never closed");
    EXPECT_EQ(failureOf("a\r1\n"), "line 1: a field must end at a comma or a line break");
}
