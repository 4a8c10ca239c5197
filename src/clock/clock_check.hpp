#pragma once

#include <optional>
#include <string>

namespace eew {

// Whether the system keeps its clock synchronised to a time server, as far as
// the system says; unknown where nothing says.
enum class TimeSync { synchronised, not_synchronised, unknown };

// The last check of this computer's clock: the system's synchronisation and,
// when a time server is configured and answered, the clock's offset from it
// (positive: the server is ahead, this clock slow).
struct ClockCheck {
    TimeSync sync = TimeSync::unknown;
    std::optional<double> offset_s;
    std::string failure;  // why the server gave no offset, when one was asked
};

// Over this the countdowns are visibly wrong: the agency asks receivers for
// a clock within a second.
inline constexpr double kClockToleranceS = 1.0;

// The main window's line: "clock: synchronised, +0.03 s", "clock: not
// synchronised", "clock: +2.4 s off"; `warn` when the offset is over the
// tolerance or the clock is not synchronised.
struct ClockLine {
    std::string text;
    bool warn = false;
};
ClockLine clock_line(const ClockCheck& check);

}  // namespace eew
