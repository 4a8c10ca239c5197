#include "text/numeric_value.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "text/number_format.hpp"

namespace eew {
namespace {

TEST(NumericValue, TakesTheLongestLeadingNumberSkippingBlanksElseZero) {
    // clang-format off
    const std::pair<std::string, double> cases[] = {
        {"6.5</magnitude>", 6.5}, {"-2.25e2abc", -225}, {".5", 0.5}, {"3.1.4", 3.1},
        {"12e", 12},  // an exponent without digits is not part of it
        {"  1 2\t3\n.5", 123.5},  // blanks, tabs and line feeds anywhere
        {"", 0}, {"-", 0}, {"\r5", 0}, {"inf", 0}, {"0x10", 0},
        {"1e400", 0},  // beyond a double: zero rather than infinity
    };
    // clang-format on
    for (const auto& [text, value] : cases)
        EXPECT_EQ(numeric_value(text), value) << text;
}

TEST(NumberFormat, IntegerPartFloorsPlainDecimalIsShortOneDecimalRoundsAsTheValueReads) {
    EXPECT_EQ(std::tuple(integer_part(2.7), integer_part(-2.5), integer_part(std::nan(""))),
              std::tuple(2, -3, 0));
    EXPECT_EQ(std::tuple(plain_decimal(0.5), plain_decimal(9000), plain_decimal(-0.0)),
              std::tuple("0.5", "9000", "0"));
    EXPECT_EQ(std::tuple(one_decimal(4.96), one_decimal(5.05), one_decimal(-0.04)),
              std::tuple("5.0", "5.1", "0.0"));
    // Carries through every digit; values far past a fixed buffer keep all of theirs.
    EXPECT_EQ(std::tuple(one_decimal(-99.96), one_decimal(0.95)), std::tuple("-100.0", "1.0"));
    for (double huge : {1e61, -std::numeric_limits<double>::max()})
        EXPECT_EQ(one_decimal(huge), plain_decimal(huge) + ".0");
}

}  // namespace
}  // namespace eew
