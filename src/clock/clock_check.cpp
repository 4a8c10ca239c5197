#include "clock/clock_check.hpp"

#include <cmath>
#include <cstdio>

namespace eew {
namespace {

// Hundredths while small, where they matter; tenths beyond a second.
std::string offset_text(double offset) {
    char text[32];
    std::snprintf(text, sizeof text, std::fabs(offset) < 1 ? "%+.2f s" : "%+.1f s", offset);
    return text;
}

}  // namespace

ClockLine clock_line(const ClockCheck& c) {
    if (c.offset_s && std::fabs(*c.offset_s) > kClockToleranceS)
        return {"clock: " + offset_text(*c.offset_s) + " off", true};
    const std::string offset = c.offset_s ? ", " + offset_text(*c.offset_s) : "";
    switch (c.sync) {
        case TimeSync::synchronised:
            return {"clock: synchronised" + offset, false};
        case TimeSync::not_synchronised:
            return {"clock: not synchronised" + offset, true};
        case TimeSync::unknown:
            break;
    }
    return {"clock: unknown" + offset, false};
}

}  // namespace eew
