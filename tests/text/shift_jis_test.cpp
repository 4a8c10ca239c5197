#include "text/shift_jis.hpp"

#include <gtest/gtest.h>

namespace eew {
namespace {

TEST(ShiftJis, JapaneseSiteNamesRoundTrip) {
    for (const std::string name : {"東京都千代田区", "大阪", "仙台市青葉区", "ｶﾀｶﾅ", "①髙﨑"}) {
        auto sjis = utf8_to_sjis(name);
        ASSERT_TRUE(sjis) << name;
        EXPECT_NE(*sjis, name);
        EXPECT_EQ(sjis_to_utf8(*sjis), name);
    }
}

TEST(ShiftJis, BackslashStaysABackslash) {
    // Code page 932 keeps 0x5C as "\", which paths and texts written on
    // Windows rely on.
    EXPECT_EQ(sjis_to_utf8("a\\b"), "a\\b");
    EXPECT_EQ(utf8_to_sjis("a\\b"), "a\\b");
}

TEST(ShiftJis, InvalidInputGivesNothing) {
    EXPECT_FALSE(sjis_to_utf8("\x81"));      // a lead byte without its trail byte
    EXPECT_FALSE(utf8_to_sjis("\xE6\x9D"));  // truncated UTF-8
    EXPECT_FALSE(utf8_to_sjis("😀"));         // not in code page 932
}

TEST(ShiftJis, DisplayTakesUtf8WhenValidElseShiftJis) {
    EXPECT_EQ(decode_for_display("茨城県南部"), "茨城県南部");
    EXPECT_EQ(decode_for_display(*utf8_to_sjis("茨城県南部")), "茨城県南部");
    EXPECT_EQ(decode_for_display("ibaraki"), "ibaraki");
    // Bytes that are neither keep their readable part.
    EXPECT_EQ(decode_for_display("ok\x81"), "ok\xEF\xBF\xBD");
}

TEST(ShiftJis, Utf8ValidationRejectsOverlongAndSurrogateForms) {
    EXPECT_TRUE(is_valid_utf8("abc東京"));
    EXPECT_FALSE(is_valid_utf8("\xC0\xAF"));
    EXPECT_FALSE(is_valid_utf8("\xED\xA0\x80"));
    EXPECT_FALSE(is_valid_utf8("\xF4\x90\x80\x80"));
    EXPECT_FALSE(is_valid_utf8("\x80"));
}

}  // namespace
}  // namespace eew
