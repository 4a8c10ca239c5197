#include "feed/framing.hpp"

#include <gtest/gtest.h>

namespace eew {
namespace {

TEST(Framing, RelayModeSkipsTheTwoBytePrefixAndTheLastByteShorterThan13BytesIsIgnored) {
    EXPECT_EQ(frame_message("PPabcdefghijZ", false), "abcdefghij");   // 13 bytes -> 10
    EXPECT_EQ(frame_message("PPabcdefghijZ", true), "PPabcdefghij");  // LAN: 13 -> 12
    EXPECT_EQ(frame_message(std::string("PP\0\x82\xFF end\nxyzZ", 13), false),
              std::string("\0\x82\xFF end\nxyz", 10));  // bytes kept as they are
    EXPECT_FALSE(frame_message(std::string(12, 'x'), true));
}

TEST(Framing, KindIsFoundInTheFirstTenCharactersFirstMatchWinsWaveAndObsOnlyOnTheLan) {
    using enum MessageKind;
    // clang-format off
    const std::tuple<const char*, bool, MessageKind> cases[] = {
        {"noise xml!", false, noise}, {"xml  noise", false, noise}, {"0123456xml", false, report},
        {"012345678xml", false, ignored}, {"waveobsxml", true, report},  // straddles 10; xml first
        {"wave 12345", false, ignored}, {"obs 123456", false, ignored},
        {"wave 12345", true, waveform}, {"obs 123456", true, observation},
    };
    // clang-format on
    for (const auto& [text, lan, kind] : cases)
        EXPECT_EQ(message_kind(text, lan), kind) << text << lan;
}

}  // namespace
}  // namespace eew
