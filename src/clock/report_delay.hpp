#pragma once

#include <optional>
#include <string>

#include "text/date_time.hpp"

namespace eew {

// How late a report came: the whole seconds from its send time to its
// arrival, on this clock corrected by its measured offset when there is one.
// "received 0 s after issue"; a send time ahead of the corrected clock is said
// as such, not as a negative delay. `late` past a second: the warning's lead
// time is shorter by that much.
struct ReportDelay {
    std::string text;
    bool late = false;
};
ReportDelay report_delay(const DateTime& sent, const DateTime& arrived,
                         std::optional<double> clock_offset_s);

}  // namespace eew
