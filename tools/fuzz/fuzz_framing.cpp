// Any bytes as a datagram, in both modes: the framed text is the datagram
// without its prefix and last byte, and outside LAN mode no kind of the
// local network is ever found.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "feed/framing.hpp"
#include "fuzz_check.hpp"

using eew::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view datagram(reinterpret_cast<const char*>(data), size);
    for (bool lan : {false, true}) {
        const auto text = eew::frame_message(datagram, lan);
        check(text.has_value() == (size >= 13), "datagrams of 13 bytes or more are framed");
        if (!text) continue;
        check(datagram.substr(lan ? 0 : 2, size - (lan ? 1 : 3)) == *text, "the text is inside");
        const eew::MessageKind kind = eew::message_kind(*text, lan);
        check(lan || (kind != eew::MessageKind::waveform && kind != eew::MessageKind::observation),
              "waveforms and observations only in LAN mode");
    }
    return 0;
}
