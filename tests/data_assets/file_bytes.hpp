#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

namespace eew::test {

// The whole file; empty when it cannot be read.
inline std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The unsigned number in `size` bytes at `at`, least significant first. Throws
// std::out_of_range past the end, so a short file fails the test that reads it.
inline std::uint32_t little_endian(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int k = size - 1; k >= 0; --k)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + k));
    return value;
}

}  // namespace eew::test
