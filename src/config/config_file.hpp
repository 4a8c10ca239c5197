#pragma once

#include <optional>
#include <string>

#include "config/settings.hpp"

namespace eew {

// "tavi.config": 21 lines, one value each, CR LF, in a fixed order; site names
// in Shift-JIS. Throws DataFileError when the file is missing or holds fewer
// than 21 items; the message names the item ("item 14 of 21 (sitename3)").
// `magnitude_min_defalt` receives a copy of `magnitude_min`.
Settings read_config(const std::string& path);

// Integer items (port, site selection, switches) hold whole numbers: a
// fraction is rounded, NaN gives 0, and a value too large for an int is
// clamped rather than left to overflow.
int integer_item(double value);

// Replaces the file with the 21 values. Numbers are written in plain decimal;
// a site name that the reader would split (a comma, or a leading blank or
// double quote) is written in double quotes so that it reads back whole.
// Returns nothing on success, else a message for the user.
std::optional<std::string> write_config(const std::string& path, const Settings& settings);

}  // namespace eew
