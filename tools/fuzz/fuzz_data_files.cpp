// Any bytes as each data file start-up reads: every reader either returns or
// throws the error that names the file; nothing else may escape.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_input_file.hpp"
#include "fuzz/fuzz_properties.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    eew::fuzz::data_files_hold(eew::fuzz::input_file(data, size));
    return 0;
}
