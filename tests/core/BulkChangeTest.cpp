#include <gtest/gtest.h>

#include "ErrorText.h"
#include "core/model/BulkChange.h"

namespace tarnwick::model {
namespace {

std::int64_t apply(const std::string& change, std::int64_t value, std::int64_t step = 1) {
    return BulkChange::parse(change).applyTo(value, step);
}

TEST(BulkChange, EachFormChangesTheValueAndRoundsToTheNearestHalvesUp) {
    EXPECT_EQ(apply("25", 7), 25);
    EXPECT_EQ(apply(" +10 ", 7), 17);
    EXPECT_EQ(apply("-5", 7), 2);
    EXPECT_EQ(apply("*1.5", 7), 11);    // 10.5
    EXPECT_EQ(apply("+10%", 45), 50);   // 49.5
    EXPECT_EQ(apply("-10%", 45), 41);   // 40.5
    EXPECT_EQ(apply("*1.3", 7), 9);     // 9.1
    EXPECT_EQ(apply("*0.5", -3), -1);   // -1.5: up, not away from zero
    EXPECT_EQ(apply("*0.25", -7), -2);  // -1.75
    // Exact decimals: 1.1 times 10 is 11, where a binary fraction gives 10.999...
    EXPECT_EQ(apply("*1.1", 10), 11);
    EXPECT_EQ(apply("+12.5%", 8), 9);
    // Large values stay exact within the widest field's range shown in gold.
    EXPECT_EQ(apply("*999999", 42949672950), 42949672950 * 999999);
    EXPECT_EQ(apply("42949672950", 0), 42949672950);
}

// A cost is shown in gold and kept in tens: a change gives the nearest ten; a value set is
// kept as typed, to be stored as typing stores it.
TEST(BulkChange, ACostGoesToTheNearestTen) {
    EXPECT_EQ(apply("-10%", 250, 10), 230);   // 225
    EXPECT_EQ(apply("-10%", 240, 10), 220);   // 216
    EXPECT_EQ(apply("*1.01", 250, 10), 250);  // 252.5
    EXPECT_EQ(apply("+4", 250, 10), 250);
    EXPECT_EQ(apply("+5", 250, 10), 260);
    EXPECT_EQ(apply("*0.5", -30, 10), -10);  // -15
    EXPECT_EQ(apply("255", 250, 10), 255);
}

TEST(BulkChange, RefusesAnythingElseNamingTheText) {
    for (const char* text : {"", "abc", "+", "*", "%", "10%", "*-2", "+1.5", "1.5", "++1", "*1.2.3",
                             "+10%%", "*1234567", "123456789012"}) {
        EXPECT_EQ(testsupport::errorOf([&] { BulkChange::parse(text); }),
                  "'" + std::string(text) + "' is not a value or a change");
    }
}

}  // namespace
}  // namespace tarnwick::model
