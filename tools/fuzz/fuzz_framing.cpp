// Any bytes as a datagram, in both modes: the framed text is the datagram
// without its prefix and last byte, and outside LAN mode no kind of the
// local network is ever found.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_properties.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    eew::fuzz::framing_holds(bytes);
    return 0;
}
