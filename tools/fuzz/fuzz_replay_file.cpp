// Any bytes as a log file to replay: a result is whole or empty, never lines
// without their pacing, and always within the bounds of a log.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_properties.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    eew::fuzz::replay_file_holds(bytes);
    return 0;
}
