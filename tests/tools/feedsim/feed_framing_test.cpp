#include "feed_framing.hpp"

#include <gtest/gtest.h>

namespace eew::sim {
namespace {

TEST(Framing, DatagramIsTheRelayPrefixTheWholeTextAndALineFeed) {
    const std::string text("<?xml\0\x80\xff\r\n>", 10);
    EXPECT_EQ(make_datagram(text, Framing::relay), "  " + text + "\n");
    EXPECT_EQ(make_datagram(text, Framing::lan), text + "\n");
}

TEST(Framing, ShortestAcceptedTextMakesAThirteenByteDatagram) {
    for (Framing f : {Framing::relay, Framing::lan}) {
        EXPECT_EQ(make_datagram(std::string(shortest_accepted_text(f), 'x'), f).size(), 13u);
    }
}

}  // namespace
}  // namespace eew::sim
