#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "quake/region_table.hpp"
#include "quake/report_fields.hpp"
#include "text/date_time.hpp"

namespace eew {

// Where the sequence of reports stands. The numbers are what the main
// window's state box shows.
enum class EventFlag : int {
    idle = 0,
    merged = 1,        // the last report was merged into the table
    followed = 2,      // it belongs to the followed event
    winding_down = 3,  // a noise message came while an event was shown: it counts down and ends
    ending = 4,        // a noise message came while nothing was shown: it ends at the next tick
    replaying = 11,    // a replay runs
    replay_fed = 12,   // the replay has fed its last line
};

inline bool is_replay(EventFlag f) {
    return f == EventFlag::replaying || f == EventFlag::replay_fed;
}
// A live sequence of reports is under way (merged, followed or winding down).
inline bool is_live(EventFlag f) {
    return f != EventFlag::idle && !is_replay(f);
}

// The quakes reported since the last reset, five slots numbered 1..5 (0 means
// no slot), and the choice of the followed one.
struct EventTable {
    static constexpr int kSlots = 5;
    // A log of more reports than this cannot be replayed; past it the latest
    // report takes the place of the one before it.
    static constexpr int kLoggedReports = 99;
    template <typename T>
    using PerSlot = std::array<T, kSlots + 1>;

    PerSlot<std::string> event_code;
    PerSlot<DateTime> event_origin_time;
    PerSlot<double> event_magnitude{};
    PerSlot<double> event_mip{};
    PerSlot<double> event_latitude{};
    PerSlot<double> event_longitude{};
    PerSlot<double> event_intensity{};
    PerSlot<int> filter_flag{};
    PerSlot<int> event_depth_class{};
    PerSlot<std::string> event_log_text;
    // Reports recorded in event_log_text, and where the latest one begins.
    PerSlot<int> event_log_reports{};
    PerSlot<std::size_t> event_log_latest{};

    int n_event = 0;
    int i_event_now = 0;
    int i_event_selected = 0;
    int i_event_selected_old = 0;
    // 0 after a reset; 1 when the last report changed the followed event; 2
    // when it stayed the same.
    int map_flag = 0;
    EventFlag event_flag = EventFlag::idle;
    std::string last_alarm_class;
};

// What the log of one event is made of: the slot's values when it ended.
struct EventSlot {
    std::string event_code;
    DateTime event_origin_time;
    double event_magnitude = 0;
    double event_latitude = 0;
    double event_longitude = 0;
    int event_depth_class = 0;
    std::string event_log_text;
};

// The notification filter's thresholds: a report passes when it has at least
// `pdata_min` P-wave stations, magnitude `magnitude_min`, estimated intensity
// `intensity_min` and lies at most `dist_min` km away. `magnitude_min_defalt`
// is the configured minimum magnitude, which `magnitude_min` leaves while
// pop-ups are switched off.
struct EventFilter {
    double pdata_min = 0;
    double magnitude_min = 0;
    double dist_min = 0;
    double intensity_min = 0;
    double magnitude_min_defalt = 0;
};

// Empties every slot and zeroes the counters, the selection, map_flag,
// event_flag and the announced class.
void reset_event_table(EventTable& table);

// Sets `i_event_now` to the slot of `code00`, taking the next free slot for a
// new code. When all five are in use, a new code takes over the slot of the
// earliest-origin event (lowest slot on a tie) that is neither followed nor
// passing the filter, emptied first. Without such a slot the report is
// dropped: `i_event_now` becomes 0 and the result is false, and the caller
// must not run the rest of the chain for it.
bool find_event_slot(EventTable& table, const std::string& code00);

// The slot find_event_slot would empty to make room for `code00`, or 0 when
// the code has a slot, a free one is left, or the report would be dropped.
int slot_replaced_by(const EventTable& table, const std::string& code00);

// The contents of slot `i` (1..n_event).
EventSlot event_slot(const EventTable& table, int i);

// Stores the report in slot `i_event_now` and appends its raw text
// (`received_data00`), received at `now`, to the slot's log text: the text,
// the time, LF, CR LF. The log keeps the first kLoggedReports - 1 reports and
// the latest one, so that it stays replayable and its memory bounded however
// long one code keeps reporting.
void store_event_report(EventTable& table, const CurrentReport& report,
                        const std::string& received_data00, const DateTime& now);

// Sets `filter_flag` of slot `i_event_now`. Returns true when the report is
// held back although it reaches the configured minimum magnitude: the event
// indicator must then light, so that switching pop-ups on can still show it.
bool apply_event_filter(EventTable& table, const CurrentReport& report, const EventFilter& filter);

// Chooses the followed event among the passing slots: the highest estimated
// intensity, or the largest magnitude when none is positive; lowest slot on ties.
// A lone event is followed whenever it passes.
void select_event(EventTable& table);

// `map_flag` 1 when the followed slot changed with this report, else 2.
void update_map_flag(EventTable& table);

// Live reports always show the received region key until it is translated; a
// replay keeps the name shown before unless it is empty.
enum class CopyForm { live, replay };

// Copies the report just decoded into the followed event's fields, with the
// depth class of the followed slot and the travel tables' depth index.
void copy_selected_report(const CurrentReport& report, const EventTable& table,
                          const RegionTable& regions, CopyForm form, FollowedEvent& followed);

// Shows the display name of `region_name_en` when the region table holds it;
// otherwise keeps `region_name`, or shows the key as received when that is empty.
void translate_region(const RegionTable& regions, FollowedEvent& followed);

// The display name of a region key as received, or the key itself.
std::string region_display_name(const RegionTable& regions, const std::string& key);

}  // namespace eew
