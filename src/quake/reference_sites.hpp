#pragma once

#include <array>
#include <string>

namespace eew {

// The reference sites of "data/ref.dat", entries 1..ref_number.
struct ReferenceSites {
    static constexpr int kCapacity = 50;
    int ref_number = 0;
    std::array<double, kCapacity + 1> longitude_ref{};
    std::array<double, kCapacity + 1> latitude_ref{};
    std::array<double, kCapacity + 1> ampfac_ref{};
    std::array<std::string, kCapacity + 1> sitename_ref;  // UTF-8
};

// A missing file gives no sites. A file that announces more sites than it
// holds keeps the complete ones; sites beyond the capacity are ignored.
ReferenceSites read_reference_sites(const std::string& path);

}  // namespace eew
