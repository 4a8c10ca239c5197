#pragma once

#include <array>
#include <string>

#include "text/date_time.hpp"

namespace eew {

// A log file being played back. The replay command loads it and feeds the
// first shown report; the one-second tick feeds the rest at their recorded
// pace. Lines are numbered 1..line_count; index 0 is unused.
struct ReplayState {
    // A log file holds at most this many reports.
    static constexpr int kMaxLines = 100;

    std::array<std::string, kMaxLines + 1> replay_lines;
    // Seconds from the send time of line 1 to that of each line; 0 for line 1.
    std::array<long long, kMaxLines + 1> replay_offsets{};
    int line_count = 0;  // lines to replay
    int data_num = 0;    // the last line fed
    DateTime time00;     // when the first shown report was processed
};

}  // namespace eew
