#include "quake/event_table.hpp"

#include "app/main_state.hpp"

namespace eew {

void reset_event_table(MainState& m) {
    EventTable& t = m.events;
    t.n_event = 0;
    t.i_event_now = 0;
    t.i_event_selected = 0;
    t.i_event_selected_old = 0;
    t.event_flag = 0;
    t.map_flag = 0;
    m.travel.travel_s_data_flag = 0;
    m.travel.travel_s_data_ref_flag = 0;
    t.last_alarm_class.clear();
    m.main_view.Label19.clear();
    for (int i = 1; i <= EventTable::kSlots; ++i) {
        t.event_code[i].clear();
        t.event_origin_time[i] = DateTime();
        t.event_magnitude[i] = 0;
        t.event_mip[i] = 0;
        t.event_latitude[i] = 0;
        t.event_longitude[i] = 0;
        t.event_intensity[i] = 0;
        t.filter_flag[i] = 0;
        t.event_depth_class[i] = 0;
        t.event_log_text[i].clear();
    }
}

}  // namespace eew
