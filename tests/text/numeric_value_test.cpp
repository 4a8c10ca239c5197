#include "text/numeric_value.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "text/number_format.hpp"

namespace eew {
namespace {

TEST(NumericValue, TakesTheLongestLeadingNumberSkippingBlanksElseZero) {
    const std::pair<std::string, double> cases[] = {
        {"35.5 x", 35.5},
        {"6.5</magnitude>", 6.5},
        {"-2.25e2abc", -225},
        {"+7", 7},
        {".5", 0.5},
        {"12e", 12},  // an exponent without digits is not part of it
        {"3.1.4", 3.1},
        {"  1 2\t3\n.5", 123.5},  // blanks, tabs and line feeds anywhere
        {"\n- 4", -4},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {".", 0},
        {"\r5", 0},  // a carriage return is not skipped
        {"inf", 0},
        {"0x10", 0},
        {"1e400", 0},  // beyond a double: zero rather than infinity
        {std::string(400, '9'), 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(numeric_value(text), value) << text;
}

TEST(IntegerPart, RoundsTowardMinusInfinity) {
    const std::pair<double, long long> cases[] = {{2.7, 2},
                                                  {-2.5, -3},
                                                  {-0.0, 0},
                                                  {std::nan(""), 0},
                                                  {1e300, std::numeric_limits<long long>::max()}};
    for (const auto& [value, whole] : cases)
        EXPECT_EQ(integer_part(value), whole) << value;
}

TEST(NumberFormat, PlainDecimalIsShortAndOneDecimalRoundsTheWayTheValueReads) {
    const std::pair<double, const char*> plain[] = {{0.50, "0.5"},
                                                    {9000, "9000"},
                                                    {-139.75, "-139.75"},
                                                    {-0.0, "0"},
                                                    {1e21, "1000000000000000000000"},
                                                    {0.1, "0.1"}};
    for (const auto& [value, text] : plain)
        EXPECT_EQ(plain_decimal(value), text);
    const std::pair<double, const char*> one[] = {{4.96, "5.0"}, {5.06, "5.1"},  {5.05, "5.1"},
                                                  {0.04, "0.0"}, {-0.04, "0.0"}, {10, "10.0"}};
    for (const auto& [value, text] : one)
        EXPECT_EQ(one_decimal(value), text);
}

}  // namespace
}  // namespace eew
