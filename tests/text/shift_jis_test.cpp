#include "text/shift_jis.hpp"

#include <gtest/gtest.h>

namespace eew {
namespace {

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

}  // namespace
}  // namespace eew
