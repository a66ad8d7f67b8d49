// Whole-number floor, digit counters and loosely typed counters.

#include <gtest/gtest.h>

#include "engine/rules/values.h"

namespace blokko {
namespace {

TEST(IntTest, GivesTheGreatestWholeNumberNotAbove)
{
    EXPECT_EQ(Int(-3.7f), -4);
    EXPECT_EQ(Int(-0.3f), -1);
    EXPECT_EQ(Int(-4.0f), -4);
    EXPECT_EQ(Int(20.0f), 20);
    EXPECT_EQ(Int(19.9999962f), 19);
    EXPECT_EQ(Int(292.5f), 292);
}

TEST(LooseValueTest, EmptyCountsAsZeroAndAsTheEmptyText)
{
    const LooseValue empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.numeric(), 0);
    EXPECT_EQ(empty.joined(), "");
}

TEST(LooseValueTest, DigitTextCountsByItsNumericValue)
{
    EXPECT_EQ(LooseValue::text("000120").numeric(), 120);
    EXPECT_EQ(LooseValue::text("000120").joined(), "000120");
    EXPECT_EQ(LooseValue::number(125).numeric(), 125);
    EXPECT_EQ(LooseValue::number(125).joined(), "125");
    EXPECT_EQ(numericValue(""), 0);
    EXPECT_EQ(numericValue("0000"), 0);
    EXPECT_EQ(numericValue("9999"), 9999);
}

} // namespace
} // namespace blokko
