#include "clock/report_delay.hpp"

#include <cmath>

namespace eew {

ReportDelay report_delay(const DateTime& sent, const DateTime& arrived,
                         std::optional<double> clock_offset_s) {
    const long long correction = clock_offset_s ? std::llround(*clock_offset_s) : 0;
    const long long seconds = seconds_between(sent, arrived) + correction;
    if (seconds < 0) return {"sent " + std::to_string(-seconds) + " s ahead of this clock", true};
    return {"received " + std::to_string(seconds) + " s after issue", seconds > 1};
}

}  // namespace eew
