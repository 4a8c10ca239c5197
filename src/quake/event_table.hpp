#pragma once

#include <array>
#include <string>

#include "text/date_time.hpp"

namespace eew {

// The quakes reported since the last reset, five slots numbered 1..5 (0 means
// no slot), and the choice of the followed one.
struct EventTable {
    static constexpr int kSlots = 5;
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

    int n_event = 0;
    int i_event_now = 0;
    int i_event_selected = 0;
    int i_event_selected_old = 0;
    // 0 after a reset; 1 when the last report changed the followed event; 2
    // when it stayed the same.
    int map_flag = 0;
    // 0 idle, 1 a report was merged, 2 it belongs to the followed event, 3 and
    // 4 a noise message ended the event, 11 a replay runs, 12 it fed its last line.
    int event_flag = 0;
    std::string last_alarm_class;
};

struct MainState;

// Empties the table and the current-event state: every slot, the selection,
// the event state, the travel-time flags, the announced class and the event
// indicator.
void reset_event_table(MainState& state);

}  // namespace eew
