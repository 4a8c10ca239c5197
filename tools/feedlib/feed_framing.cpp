#include "feedlib/feed_framing.hpp"

namespace eew::feedlib {
namespace {

constexpr std::size_t kShortestDatagram = 13;

}  // namespace

std::string make_datagram(std::string_view text, Framing framing) {
    std::string datagram;
    if (framing == Framing::relay) datagram += kRelayPrefix;
    datagram += text;
    datagram += kTrailer;
    return datagram;
}

std::size_t shortest_accepted_text(Framing framing) {
    const std::size_t overhead = (framing == Framing::relay ? kRelayPrefix.size() : 0) + 1;
    return kShortestDatagram - overhead;
}

}  // namespace eew::feedlib
