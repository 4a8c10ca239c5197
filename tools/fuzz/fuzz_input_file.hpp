#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace eew::fuzz {

// The readers take a path: each input is written to one file of this
// process's own, under the temporary folder.
inline const std::string& input_file(const std::uint8_t* data, std::size_t size) {
    static const std::string path = [] {
        const char* tmp = std::getenv("TMPDIR");
        return std::string(tmp ? tmp : "/tmp") + "/eew-fuzz-" + std::to_string(getpid());
    }();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

}  // namespace eew::fuzz
