#include "text/numeric_value.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "text/number_format.hpp"

namespace eew {
namespace {

TEST(NumericValue, TakesTheLongestLeadingNumberAndIgnoresTheRest) {
    EXPECT_DOUBLE_EQ(numeric_value("35.5 x"), 35.5);
    EXPECT_DOUBLE_EQ(numeric_value("6.5</magnitude>"), 6.5);
    EXPECT_DOUBLE_EQ(numeric_value("-2.25e2abc"), -225);
    EXPECT_DOUBLE_EQ(numeric_value("+7"), 7);
    EXPECT_DOUBLE_EQ(numeric_value(".5"), 0.5);
    EXPECT_DOUBLE_EQ(numeric_value("12e"), 12);  // an exponent without digits is not part of it
    EXPECT_DOUBLE_EQ(numeric_value("3.1.4"), 3.1);
}

TEST(NumericValue, SkipsBlanksTabsAndLineFeedsAnywhere) {
    EXPECT_DOUBLE_EQ(numeric_value("  1 2\t3\n.5"), 123.5);
    EXPECT_DOUBLE_EQ(numeric_value("\n- 4"), -4);
}

TEST(NumericValue, TextThatDoesNotBeginWithANumberGivesZero) {
    EXPECT_EQ(numeric_value(""), 0);
    EXPECT_EQ(numeric_value("abc"), 0);
    EXPECT_EQ(numeric_value("-"), 0);
    EXPECT_EQ(numeric_value("."), 0);
    EXPECT_EQ(numeric_value("\r5"), 0);  // a carriage return is not skipped
    EXPECT_EQ(numeric_value("inf"), 0);
    EXPECT_EQ(numeric_value("0x10"), 0);
}

TEST(NumericValue, NumbersBeyondADoubleGiveZeroRatherThanInfinity) {
    EXPECT_EQ(numeric_value("1e400"), 0);
    EXPECT_EQ(numeric_value(std::string(400, '9')), 0);
}

TEST(IntegerPart, RoundsTowardMinusInfinity) {
    EXPECT_EQ(integer_part(2.7), 2);
    EXPECT_EQ(integer_part(-2.5), -3);
    EXPECT_EQ(integer_part(-0.0), 0);
    EXPECT_EQ(integer_part(std::nan("")), 0);
    EXPECT_EQ(integer_part(1e300), std::numeric_limits<long long>::max());
}

TEST(NumberFormat, PlainDecimalHasNoSuperfluousDigits) {
    EXPECT_EQ(plain_decimal(0.50), "0.5");
    EXPECT_EQ(plain_decimal(9000), "9000");
    EXPECT_EQ(plain_decimal(-139.75), "-139.75");
    EXPECT_EQ(plain_decimal(-0.0), "0");
    EXPECT_EQ(plain_decimal(1e21), "1000000000000000000000");
    EXPECT_EQ(plain_decimal(0.1), "0.1");
}

TEST(NumberFormat, OneDecimalRoundsTheWayTheValueReads) {
    EXPECT_EQ(one_decimal(4.96), "5.0");
    EXPECT_EQ(one_decimal(5.06), "5.1");
    EXPECT_EQ(one_decimal(5.05), "5.1");
    EXPECT_EQ(one_decimal(0.04), "0.0");
    EXPECT_EQ(one_decimal(-0.04), "0.0");
    EXPECT_EQ(one_decimal(10), "10.0");
}

}  // namespace
}  // namespace eew
