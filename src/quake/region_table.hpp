#pragma once

#include <array>
#include <string>

namespace eew {

// Region names: column 1 the key as it arrives in reports (raw bytes, matched
// byte for byte), column 2 the name to display (UTF-8). The first row whose
// column 1 is empty ends every lookup.
struct RegionTable {
    static constexpr int kCapacity = 270;
    std::array<std::array<std::string, 3>, kCapacity + 1> region_table;
};

// Reads pairs of text fields until the end of the file; rows beyond the
// capacity are ignored. Throws DataFileError when the file is missing, holds
// no row, or its last row has no display name.
RegionTable read_region_table(const std::string& path);

}  // namespace eew
