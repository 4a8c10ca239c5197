#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

#include "replay/replay_state.hpp"
#include "text/date_time.hpp"

namespace eew {

// Bounds of a log file to replay. A log holds at most 99 reports of at most
// one datagram each (under 64 KiB), so anything beyond these is not a log,
// and reading stops there instead of filling memory.
constexpr std::size_t kMaxReplayFileBytes = 8 * 1024 * 1024;
constexpr std::size_t kMaxReplayLineBytes = 128 * 1024;

enum class ReplayLoad {
    ok,       // at least one report line to replay
    empty,    // no report line: nothing to do, nothing to tell the user
    invalid,  // not a log file that can be replayed
};

struct ReplayFile {
    ReplayLoad outcome = ReplayLoad::invalid;
    // The report lines in file order, each with its arrival time and line feed.
    std::vector<std::string> lines;
    // Whole seconds from the send time of the first line to that of each line.
    std::vector<long long> offsets;
    // The send time of the first line; empty when a lone line has none.
    DateTime first_send_time;
};

// Splits a log file into its report lines and paces them by their send times.
//
// A line ends at a carriage return, and a CR LF pair is one line end, so a
// line feed alone stays inside the line: each record of a log ("report,
// arrival time, LF, CR, LF") is one line. The last line is dropped: it is the
// empty line that ends every log, or a record cut off without its line end.
//
// Invalid: more than ReplayState::kMaxLines lines (so 100 or more reports), a
// file or line beyond the bounds above, an unreadable stream, or, with two or
// more lines, a line whose send time is missing or not a date-time.
ReplayFile read_replay_file(std::istream& in);

// The same for the file at `path`; a file that cannot be opened is invalid.
ReplayFile load_replay_file(const std::string& path);

}  // namespace eew
