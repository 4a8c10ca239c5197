// Any bytes as each data file start-up reads: every reader either returns or
// throws the error that names the file; nothing else may escape.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "app/config_file.hpp"
#include "fuzz_check.hpp"
#include "fuzz_input_file.hpp"
#include "quake/lpwave_settings.hpp"
#include "quake/reference_sites.hpp"
#include "quake/region_table.hpp"
#include "quake/travel_table.hpp"
#include "text/field_reader.hpp"

using eew::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = eew::fuzz::input_file(data, size);
    const std::function<void()> readers[] = {
        [&] { eew::read_config(path); }, [&] { eew::read_lpwave_settings(path); },
        [&] { eew::read_region_table(path); }, [&] { eew::read_travel_table(path); },
        [&] {
            const int n = eew::read_reference_sites(path).ref_number;
            check(n >= 0 && n <= eew::ReferenceSites::kCapacity, "reference sites counted");
        }};
    for (const auto& read : readers) {
        try {
            read();
        } catch (const eew::DataFileError& e) {
            check(std::string(e.what()).find(path) != std::string::npos, "errors name the file");
        }
    }
    return 0;
}
