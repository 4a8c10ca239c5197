#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/date_time.hpp"

namespace eew::sim {

// The send time of a report, found as the receiver finds it: the text between
// "send_time>" and the next "</send_time>", in the feed's six-number form.
// Nothing when absent or not a date-time.
std::optional<DateTime> report_send_time(std::string_view report);

// "code/sequence" from the report's data element, "?" for a missing part.
std::string report_label(std::string_view report);

}  // namespace eew::sim
