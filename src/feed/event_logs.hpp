#pragma once

#include <array>
#include <string>
#include <vector>

#include "feed/recent_events.hpp"
#include "quake/event_table.hpp"

namespace eew {

// Where and how ended events are logged.
struct LogSettings {
    std::string logp;   // every event, folder with a trailing separator
    std::string logp2;  // events of magnitude large_m or more, as well
    double large_m = 5.0;
    std::array<int, 7> depth_color_table{};  // palette index per depth class 1..6
};

// "_M" and ten times the magnitude rounded half away from zero, at least two
// digits; "_M00" for a magnitude that is not above 0.
std::string magnitude_tag(double magnitude);

// "yyyymmdd.hhmm" of the origin time, "_", the code's last character and the
// magnitude tag. A last character that could not stand in a file name (a
// separator, a control or reserved character) is written as "_".
std::string log_file_name(const EventSlot& slot);

// A log file's content: the event's log text and one final CR LF.
std::string log_file_content(const EventSlot& slot);

// Lists the event at the end of the 24-hour list and writes its log file to
// `logp`, and also to `logp2` when it is large. A name already taken in
// either folder gets "_2", "_3", ... so that two events never share a file.
// A full list (RecentEvents::kCapacity) leaves the event unlisted, but its log
// is written all the same. Every file is replaced whole through a temporary
// file, and a missing folder is created again. Returns a message per file
// that could not be written.
std::vector<std::string> log_event(const EventSlot& slot, const LogSettings& settings,
                                   RecentEvents& list);

}  // namespace eew
