// Any bytes as a broker's message, which enters the dispatch unframed: its
// kind as a datagram's text would have it, and the report decoder's ranges.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_properties.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    eew::fuzz::broker_message_holds(text);
    eew::fuzz::report_decoder_holds(text);
    return 0;
}
