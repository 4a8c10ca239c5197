#pragma once

#include <array>
#include <optional>
#include <string>

namespace eew {

// The agency's forecast area chosen for each of the three sites (index 1..3;
// 0 unused), nothing for none. Kept in a file of its own beside the
// configuration, whose lines users' files have as they are.
using SiteAreas = std::array<std::optional<int>, 4>;

struct SiteAreasFile {
    SiteAreas areas;
    std::optional<std::string> fault;  // what could not be used, for a notice
};

// Reads the three lines (CR LF or LF), each a three-digit area code or empty.
// A missing file means no area for any site; a line that is not a code gives
// that site none, and the fault names the file and the line.
SiteAreasFile read_site_areas(const std::string& path);

// Replaces the file with the three lines; the reason when it cannot.
std::optional<std::string> write_site_areas(const std::string& path, const SiteAreas& areas);

}  // namespace eew
