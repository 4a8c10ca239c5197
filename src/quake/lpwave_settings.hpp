#pragma once

#include <string>

namespace eew {

// The long-period settings of "LPwave.in".
struct LongPeriodSettings {
    double lpwave_velocity = 0;  // km/s
    std::string lpwave_message;  // UTF-8
    double intensity_min = 0;    // notification filter threshold
};

// Three records: a label and the velocity, the message, a label and the
// threshold. Throws DataFileError when the file is missing or ends early.
LongPeriodSettings read_lpwave_settings(const std::string& path);

}  // namespace eew
