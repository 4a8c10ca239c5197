#include "feed_framing.hpp"

#include <gtest/gtest.h>

namespace eew::sim {
namespace {

// The receiver's rule: skip two bytes unless in LAN mode, never take the last byte.
std::string received_text(const std::string& datagram, Framing framing) {
    const std::size_t start = framing == Framing::lan ? 0 : 2;
    return datagram.substr(start, datagram.size() - 1 - start);
}

TEST(Framing, RelayDatagramIsTwoBlanksTheTextAndALineFeed) {
    const std::string d = make_datagram("<?xml a", Framing::relay);
    EXPECT_EQ(d, std::string("  <?xml a\n"));
    EXPECT_EQ(d.size(), 7u + 3u);
}

TEST(Framing, LanDatagramIsTheTextAndALineFeed) {
    const std::string d = make_datagram("<?xml a", Framing::lan);
    EXPECT_EQ(d, std::string("<?xml a\n"));
    EXPECT_EQ(d.size(), 7u + 1u);
}

TEST(Framing, ReceiverGetsBackEveryByteOfTheText) {
    std::string text = "noise\n<?xml\r\n";
    text += '\0';
    text += "\x80\xff end>";
    for (Framing f : {Framing::relay, Framing::lan})
        EXPECT_EQ(received_text(make_datagram(text, f), f), text);
}

TEST(Framing, ShortestAcceptedTextMakesAThirteenByteDatagram) {
    EXPECT_EQ(shortest_accepted_text(Framing::relay), 10u);
    EXPECT_EQ(shortest_accepted_text(Framing::lan), 12u);
    for (Framing f : {Framing::relay, Framing::lan})
        EXPECT_EQ(make_datagram(std::string(shortest_accepted_text(f), 'x'), f).size(), 13u);
}

}  // namespace
}  // namespace eew::sim
