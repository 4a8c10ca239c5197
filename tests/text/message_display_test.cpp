#include "text/message_display.hpp"

#include <gtest/gtest.h>

#include <string>

#include "text/shift_jis.hpp"

namespace eew {
namespace {

constexpr std::string_view kCutMark = "\n… (cut: ";

std::string repeat(std::string_view piece, std::size_t times) {
    std::string out;
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

TEST(MessageBoxText, AMessageWithinTheLimitIsShownWhole) {
    const std::string full(kShownMessageBytes, 'x');
    EXPECT_EQ(message_box_text(full), full);
    EXPECT_EQ(message_box_text(*utf8_to_sjis("noise 東京")), "noise 東京");
}

TEST(MessageBoxText, ALongerMessageIsCutAndSaysSo) {
    EXPECT_EQ(message_box_text(std::string(65000, 'W')),
              std::string(4000, 'W') + "\n… (cut: 65,000 bytes received, the first 4,000 shown)");
}

// Whatever the encoding, the cut never splits a character: the shown part
// decodes without a replacement character and is a prefix of the whole.
TEST(MessageBoxText, TheCutFallsBetweenCharacters) {
    const std::string utf8 = "ab" + repeat("東", 2000);                // 3-byte characters
    const std::string sjis = "a" + *utf8_to_sjis(repeat("東", 2000));  // 2-byte characters
    const std::string lead_bytes(5000, '\x81');  // pairs of lead bytes: "＝" in Shift-JIS
    struct Case {
        const char* name;
        std::string bytes;
        std::string whole;
        const char* shown;
    } cases[] = {
        {"utf-8", utf8, utf8, "the first 3,998 shown)"},
        {"shift-jis", sjis, decode_for_display(sjis), "the first 3,999 shown)"},
        {"lead bytes", lead_bytes, decode_for_display(lead_bytes), "the first 4,000 shown)"},
    };
    for (const Case& c : cases) {
        const std::string text = message_box_text(c.bytes);
        const std::size_t mark = text.find(kCutMark);
        ASSERT_NE(mark, std::string::npos) << c.name;
        EXPECT_TRUE(text.ends_with(c.shown)) << c.name << ": " << text.substr(mark);
        EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos) << c.name;
        EXPECT_TRUE(c.whole.starts_with(text.substr(0, mark))) << c.name;
    }
}

}  // namespace
}  // namespace eew
