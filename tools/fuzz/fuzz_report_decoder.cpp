// Any bytes as an EEW report: decoded values are slices of the text or their
// old values, numbers are finite, magnitudes at most 10, the replay's quick
// look at the send time agrees with the full decoder, and an agency forecast
// is read only from a whole ASCII element of at most 200 areas.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_properties.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    eew::fuzz::report_decoder_holds(bytes);
    return 0;
}
