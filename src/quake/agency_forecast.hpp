#pragma once

#include <optional>
#include <string>
#include <vector>

#include "text/date_time.hpp"

namespace eew {

// The agency's own forecast for one forecast area, as a report carries it.
// Intensities are class texts ("1" … "4", "5-", "5+", "6-", "6+", "7"), empty
// when unknown; an empty upper bound means "or more".
struct AgencyArea {
    int code = 0;                     // the agency's three-digit area code
    std::string lower;                // from
    std::string upper;                // to
    std::optional<DateTime> arrival;  // of the main shaking, local time
    bool warning = false;             // the area is under the warning
    char arrival_kind = '0';          // '0' not yet, '1' already arrived, '9' no prediction
    bool operator==(const AgencyArea&) const = default;
};

// The agency's forecast carried by a report: whether the telegram includes a
// warning, its maximum predicted intensity and the areas in its order.
struct AgencyForecast {
    static constexpr int kMaxAreas = 200;
    bool warning = false;
    std::string max;  // class text, empty when unknown
    std::vector<AgencyArea> areas;
    bool operator==(const AgencyForecast&) const = default;
};

// The entry of `code`, or nothing when the forecast lists no such area.
const AgencyArea* area_entry(const AgencyForecast& forecast, int code);

// A class text in Japanese: "5-" gives "5弱", "6+" "6強", others as they are.
std::string intensity_class_japanese(const std::string& class_text);

// The intensity range of an entry in Japanese: "4", "5弱〜5強", "6弱以上".
std::string intensity_range_japanese(const AgencyArea& area);

}  // namespace eew
