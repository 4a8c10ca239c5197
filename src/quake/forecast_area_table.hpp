#pragma once

#include <string>
#include <utility>
#include <vector>

namespace eew {

// The agency's forecast areas: three-digit code and name (UTF-8), in the
// file's order, for choosing a site's area by name and naming it on screen.
struct ForecastAreaTable {
    static constexpr int kCapacity = 300;
    std::vector<std::pair<int, std::string>> areas;
};

// The name of area `code`, or nothing.
const std::string* forecast_area_name(const ForecastAreaTable& table, int code);

// Reads rows of "code,name" (Shift-JIS or UTF-8) until the end of the file or
// the capacity. Throws DataFileError when the file is missing or a code is
// not three digits.
ForecastAreaTable read_forecast_area_table(const std::string& path);

}  // namespace eew
