#include "text/message_display.hpp"

#include <gtest/gtest.h>

#include <string>

#include "text/shift_jis.hpp"

namespace eew {
namespace {

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
