#include "feed/framing.hpp"

#include <gtest/gtest.h>

namespace eew {
namespace {

TEST(Framing, DatagramsShorterThan13BytesAreIgnored) {
    EXPECT_FALSE(frame_message(std::string(12, 'x'), true));
    EXPECT_FALSE(frame_message(std::string(12, 'x'), false));
    EXPECT_FALSE(frame_message("", false));
}

TEST(Framing, RelayModeSkipsTheTwoBytePrefixAndTheLastByte) {
    EXPECT_EQ(frame_message("PPabcdefghijZ", false), "abcdefghij");   // 13 bytes -> 10
    EXPECT_EQ(frame_message("PPabcdefghijZ", true), "PPabcdefghij");  // LAN: 13 -> 12
}

TEST(Framing, BytesAreKeptAsTheyAre) {
    const std::string datagram("\x01\x02<?xml \x00\x82\xA0\xFF end\n", 17);
    const std::string text = *frame_message(datagram, false);
    EXPECT_EQ(text, std::string("<?xml \x00\x82\xA0\xFF end", 14));
}

TEST(Framing, KindIsFoundInTheFirstTenCharactersFirstMatchWins) {
    EXPECT_EQ(message_kind("<?xml version", false), MessageKind::report);
    EXPECT_EQ(message_kind("noise xml!", false), MessageKind::noise);  // both: noise wins
    EXPECT_EQ(message_kind("xml  noise", false), MessageKind::noise);
    EXPECT_EQ(message_kind("0123456789xml", false), MessageKind::ignored);  // at character 11
    EXPECT_EQ(message_kind("012345678xml", false), MessageKind::ignored);   // straddles 10
    EXPECT_EQ(message_kind("0123456xml", false), MessageKind::report);
    EXPECT_EQ(message_kind("XML NOISE", false), MessageKind::ignored);  // case-sensitive
    EXPECT_EQ(message_kind("", false), MessageKind::ignored);
}

TEST(Framing, WaveformAndObservationKindsExistOnlyInLanMode) {
    EXPECT_EQ(message_kind("wave 12345", false), MessageKind::ignored);
    EXPECT_EQ(message_kind("obs 123456", false), MessageKind::ignored);
    EXPECT_EQ(message_kind("wave 12345", true), MessageKind::waveform);
    EXPECT_EQ(message_kind("obs 123456", true), MessageKind::observation);
    EXPECT_EQ(message_kind("waveobsxml", true), MessageKind::report);  // "xml" comes first
}

}  // namespace
}  // namespace eew
