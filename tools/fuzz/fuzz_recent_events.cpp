// Any bytes as the 24-hour list: it loads within its capacity with nothing
// beyond its count, and saves and loads again unchanged.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_input_file.hpp"
#include "fuzz/fuzz_properties.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    eew::fuzz::recent_events_hold(eew::fuzz::input_file(data, size));
    return 0;
}
