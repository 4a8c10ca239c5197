#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "config/settings.hpp"

namespace eew {

// The configuration's items in file order, one a line.
inline constexpr std::array<std::string_view, 21> kConfigItems = {
    "localhost_port",  "pdata_min",       "magnitude_min",  "dist_min",  "disp_event_minutes",
    "sitename1",       "longitude_site1", "latitude_site1", "ampfac1",   "sitename2",
    "longitude_site2", "latitude_site2",  "ampfac2",        "sitename3", "longitude_site3",
    "latitude_site3",  "ampfac3",         "select_site",    "lan_flag",  "voice_flag",
    "auto_flag"};

// The line (from 1) of the item called `name`; nothing for a name the
// configuration does not have.
std::optional<int> config_item_line(std::string_view name);

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
