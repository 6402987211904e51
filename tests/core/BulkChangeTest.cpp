#include <gtest/gtest.h>

#include "ErrorText.h"
#include "core/model/BulkChange.h"

namespace tarnwick::model {
namespace {

std::int64_t apply(const std::string& change, std::int64_t value) {
    return BulkChange::parse(change).applyTo(value);
}

TEST(BulkChange, EachFormChangesTheValueAndRoundsDown) {
    EXPECT_EQ(apply("25", 7), 25);
    EXPECT_EQ(apply(" +10 ", 7), 17);
    EXPECT_EQ(apply("-5", 7), 2);
    EXPECT_EQ(apply("*1.5", 7), 10);   // 10.5
    EXPECT_EQ(apply("+10%", 45), 49);  // 49.5
    EXPECT_EQ(apply("-10%", 45), 40);  // 40.5
    EXPECT_EQ(apply("*0.5", -3), -2);  // down, not toward zero
    // Exact decimals: 1.1 times 10 is 11, where a binary fraction gives 10.999...
    EXPECT_EQ(apply("*1.1", 10), 11);
    EXPECT_EQ(apply("+12.5%", 8), 9);
    // Large values stay exact within the widest field's range shown in gold.
    EXPECT_EQ(apply("*999999", 42949672950), 42949672950 * 999999);
    EXPECT_EQ(apply("42949672950", 0), 42949672950);
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
