// The text layer: numbers, fields, dates, encodings and the message box.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "text/date_time.hpp"
#include "text/field_reader.hpp"
#include "text/message_display.hpp"
#include "text/number_format.hpp"
#include "text/numeric_value.hpp"
#include "text/shift_jis.hpp"

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

TEST(FieldReader, ReadsTextNumberAndLineFieldsAndNotPastTheEnd) {
    FieldReader in("f",
                   "  Tokyo Station ,\"Osaka, Kita\" , 135.5\r\n\"two\r\nlines\"\r\n"
                   "1 2,4.5abc  -6\r\n\r\n\r\n7\r\n2024/04/01 09:00:00\r\nlast  ");
    for (const char* text : {"Tokyo Station ", "Osaka, Kita"})
        EXPECT_EQ(in.text("t"), text);
    EXPECT_EQ(in.number("n"), 135.5);
    EXPECT_EQ(in.text("t"), "two\r\nlines");  // a quoted text runs to the next quote
    for (double number : {1.0, 2.0, 4.5, -6.0, 7.0})
        EXPECT_EQ(in.number("n"), number);
    EXPECT_EQ(in.line("l"), "2024/04/01 09:00:00");
    EXPECT_EQ(in.text("t"), "last  ");
    EXPECT_TRUE(in.at_end());
    // Reading past the end, blanks and line ends included, or a missing file is an error.
    FieldReader short_one("f", "1\r\n  \r\n");
    short_one.number("1");
    EXPECT_THROW(short_one.number("2"), DataFileError);
    EXPECT_THROW(FieldReader::open("/nonexistent/ref.dat"), DataFileError);
}

DateTime at(int y, int mo, int d, int h, int mi, long long s) {
    return *DateTime::from_fields(y, mo, d, h, mi, s);
}

TEST(DateTime, FeedTextDropsTheFractionCarriesSixtyAndDifferencesCountBoundariesCrossed) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"2024,4,1,9,0,12.5", "2024/04/01 09:00:12"}, {"2024,4,1,9,0", ""}, {"x,4,1,9,0,0", ""},
        {"2024,12,31,23,59,61", "2025/01/01 00:00:01"}, {"2024,2,30,9,0,0", ""},
        {" 2024, 04, 01, 09, 05, 03", "2024/04/01 09:05:03"}, {"2024,4,1,9,0,1e300", ""},
    };
    // clang-format on
    for (const auto& [text, expected] : cases) {
        const auto t = DateTime::from_feed_text(text);
        EXPECT_EQ(t ? t->text() : "", expected) << text;
    }
    EXPECT_EQ(DateTime::from_text("  2031/1/2 3:04:05 "), at(2031, 1, 2, 3, 4, 5));
    // Differences count the boundaries crossed; leap years know the centuries.
    const DateTime a = at(2024, 4, 1, 9, 0, 59), b = at(2024, 4, 1, 9, 1, 0);
    EXPECT_EQ(std::pair(seconds_between(a, b), minutes_between(a, b)), std::pair(1LL, 1LL));
    EXPECT_EQ(minutes_between(at(2024, 4, 1, 9, 0, 0), a), 0);
    EXPECT_EQ(seconds_between(at(2023, 12, 31, 23, 59, 50), at(2024, 1, 1, 0, 0, 10)), 20);
    EXPECT_FALSE(DateTime::from_fields(1900, 2, 29, 0, 0, 0));
    EXPECT_EQ(at(2000, 3, 1, 0, 0, -1).text(), "2000/02/29 23:59:59");
}

TEST(ShiftJis, SiteNamesAndTheBackslashRoundTripInvalidInputGivesNothing) {
    for (const std::string name : {"東京都千代田区", "ｶﾀｶﾅ", "①髙﨑"})
        EXPECT_EQ(sjis_to_utf8(utf8_to_sjis(name).value_or("")), name);
    // Code page 932 keeps 0x5C as "\", which paths written on Windows rely on.
    EXPECT_EQ(utf8_to_sjis("a\\b"), "a\\b");
    EXPECT_FALSE(sjis_to_utf8("\x81"));  // a lead byte without its trail byte
    EXPECT_FALSE(utf8_to_sjis("😀"));     // not in code page 932
}

// UTF-8 when valid, else Shift-JIS; text that is neither keeps its readable
// characters, and each byte that cannot be read becomes U+FFFD.
TEST(ShiftJis, DisplayTextIsUtf8ShiftJisOrTheReadablePartOfNeither) {
    const std::string r = "\xEF\xBF\xBD";
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"茨城県南部", "茨城県南部"}, {"\x93\x8c\x8b\x9e", "東京"}, {"ok\x81", "ok" + r},
        {"\x9F\x40\xFF", "檗" + r},  // 9F is the last lead byte of the first range
        {"\xE0\x40\xFF", "漾" + r},  // E0 the first of the second
        {"M6.5 \x80\xA0\xFD ok", "M6.5 " + r + r + r + " ok"},
        {"\x81\x20x", r + " x"},  // a lead byte with a bad trail byte keeps the trail
    };
    // clang-format on
    for (const auto& [bytes, shown] : cases)
        EXPECT_EQ(decode_for_display(bytes), shown) << testing::PrintToString(bytes);
}

TEST(ShiftJis, Utf8ValidationRejectsOverlongSurrogateAndCutForms) {
    EXPECT_TRUE(is_valid_utf8("abc東京"));
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "\xE6\x9D"})
        EXPECT_FALSE(is_valid_utf8(bad)) << testing::PrintToString(std::string(bad));
}

// A message within the limit is shown whole, a longer one is cut and says so;
// whatever the encoding, the cut never splits a character.
TEST(MessageBoxText, ALongMessageIsCutBetweenCharactersAndSaysSo) {
    std::string utf8 = "ab", sjis = "a";
    for (int i = 0; i < 2000; ++i)
        utf8 += "東", sjis += "\x93\x8c";
    const std::string full(kShownMessageBytes, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {full, full},
        {std::string(65000, 'W'),
         std::string(4000, 'W') + "\n… (cut: 65,000 bytes received, the first 4,000 shown)"},
        {utf8, utf8.substr(0, 3998) + "\n… (cut: 6,002 bytes received, the first 3,998 shown)"},
        {sjis, decode_for_display(sjis.substr(0, 3999)) +
                   "\n… (cut: 4,001 bytes received, the first 3,999 shown)"},
        // Pairs of lead bytes ("＝" in Shift-JIS): the cut keeps the pairs whole.
        {std::string(5000, '\x81'), decode_for_display(std::string(4000, '\x81')) +
                                        "\n… (cut: 5,000 bytes received, the first 4,000 shown)"},
    };
    for (const auto& [bytes, shown] : cases)
        EXPECT_EQ(message_box_text(bytes), shown);
}

}  // namespace
}  // namespace eew
