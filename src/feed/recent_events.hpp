#pragma once

#include <array>
#include <optional>
#include <string>

#include "text/date_time.hpp"

namespace eew {

// The 24-hour list: entries 1..total_event_number, oldest first.
struct RecentEvents {
    static constexpr int kCapacity = 500;
    int total_event_number = 0;
    // Origin time of each entry as text, in DateTime::text() form; an entry
    // loaded from the file keeps its text exactly as it was read.
    std::array<std::string, kCapacity + 1> recent_event_time;
    // Columns 1..4: magnitude, latitude, longitude, palette colour index.
    std::array<std::array<double, 5>, kCapacity + 1> recent_event_data{};
};

// "data/24hours.dat": the count on line 1, then per entry its time line and a
// line of four numbers. A missing file is an empty list. Entries beyond the
// capacity are ignored, and a file that ends early keeps the entries read
// completely before its end.
RecentEvents load_recent_events(const std::string& path);

// Drops the entries logged more than 1 440 minutes (minute boundaries,
// seconds ignored) before `now`. The list is oldest first, so the first k
// entries go, k being the number of old ones. An entry whose time cannot be
// read counts as old: it could never be shown again.
void prune_recent_events(RecentEvents& list, const DateTime& now);

// Replaces the file. Returns nothing on success, else a message for the user.
std::optional<std::string> save_recent_events(const std::string& path, const RecentEvents& list);

}  // namespace eew
