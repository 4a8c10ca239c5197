#include "app/tick.hpp"

#include <cstdio>
#include <functional>
#include <string>

#include "app/desktop_notice.hpp"
#include "app/event_logging.hpp"
#include "app/main_map.hpp"
#include "app/main_state.hpp"
#include "app/mechanism_panel.hpp"
#include "app/observed_display.hpp"
#include "app/popup_windows.hpp"
#include "app/presentation.hpp"
#include "app/report_chain.hpp"
#include "app/warning_output.hpp"
#include "maps/event_map.hpp"
#include "quake/travel_times.hpp"
#include "text/number_format.hpp"
#include "view/platform.hpp"

namespace eew {
namespace {

std::string time_of_day(const DateTime& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour(), t.minute(), t.second());
    return text;
}

// The event map at the current `lapse`: site and epicentre, then the S and P
// fronts. Only for the display time and a valid S travel time, which also
// keeps the travel tables within their seconds and depths.
void draw_popup_frame(MainState& m, Platform& p,
                      const std::function<void()>& draw_station_observations) {
    const long long lapse = m.travel.lapse;
    if (lapse < 1 || lapse > m.settings.disp_event_minutes || m.travel.travel_s_data_flag != 1)
        return;
    const FollowedEvent& f = m.followed;
    EventMapFrame frame;
    frame.marks.longitude_site = m.site.longitude_site;
    frame.marks.latitude_site = m.site.latitude_site;
    frame.marks.longitude = f.longitude;
    frame.marks.latitude = f.latitude;
    frame.marks.depth_color = f.depth_color;
    frame.marks.index_map = m.index_map;
    frame.s_front_km = wave_front_distance(m.traveltime_table_s, Wave::s, f.depth_div, lapse);
    frame.p_front_km = wave_front_distance(m.traveltime_table_p, Wave::p, f.depth_div, lapse);
    const MapPictures pictures{p.canvas(PictureId::main_map), p.canvas(PictureId::event_map),
                               p.canvas(PictureId::waveform_panel)};
    draw_event_map_frame(m.maps, pictures, m.display.depth_color_table, long_period_wave(m), frame,
                         draw_station_observations);
}

// The replay draws no station observations: they were never recorded.
void draw_replay_frame(MainState& m, Platform& p) {
    draw_popup_frame(m, p, {});
}

// Back to idle: the buttons, the windows, the table and the main map.
void end_sequence(MainState& m, Platform& p, bool write_logs) {
    close_desktop_notice(m, p);
    m.main_view.Command8.enabled = true;
    m.main_view.Command7.enabled = false;
    close_event_windows(m, p);
    if (write_logs) write_event_logs(m, p);
    reset_event_state(m);
    replot(m, p);
}

bool live_event_shown(const EventTable& t) {
    return (t.event_flag == EventFlag::merged && t.map_flag == 2) ||
           t.event_flag == EventFlag::followed || t.event_flag == EventFlag::winding_down;
}

bool feed_silent_too_long(const MainState& m, const DateTime& now) {
    return seconds_between(m.feed.latest_rev_time, now) > m.display.display_time_max;
}

void live_tick(MainState& m, Platform& p, const DateTime& now) {
    update_elapsed_times(m.followed.origintime, now, m.travel);
    warning_output(m, p);
    // The marks of the last observation packet go between the epicentre and
    // the wave fronts.
    draw_popup_frame(m, p, [&] { draw_station_observations(m, p); });
    const bool shown_long_enough = m.events.event_flag == EventFlag::winding_down &&
                                   m.travel.lapse > m.settings.disp_event_minutes;
    if (shown_long_enough || feed_silent_too_long(m, now)) end_sequence(m, p, true);
}

// Runs the next recorded line through the report chain as if it had just
// arrived, with the elapsed time taken at its recorded send time.
void feed_replay_line(MainState& m, Platform& p, const DateTime& now) {
    ReplayState& r = m.replay;
    ++r.data_num;
    if (r.data_num == r.line_count) m.events.event_flag = EventFlag::replay_fed;
    const std::string& line = r.replay_lines[r.data_num];
    // The slot's log text records what was fed, as it does live.
    m.feed.received_data00 = line;
    // An event pushed out of the table is not logged: replays never are.
    if (!merge_report(m, line, now).followed) return;
    update_followed_event(m, CopyForm::replay, m.report.sendtime00);
    fill_latest_fields(m);
    warning_output(m, p);
    show_mechanism_panel(m, p);
    draw_replay_frame(m, p);
}

void replay_tick(MainState& m, Platform& p, const DateTime& now) {
    ReplayState& r = m.replay;
    const long long played = seconds_between(r.time00, now);
    const int next = r.data_num + 1;
    // The offset is looked up only for a line that exists.
    if (next >= 1 && next <= r.line_count && next <= ReplayState::kMaxLines &&
        played >= r.replay_offsets[next]) {
        feed_replay_line(m, p, now);
        return;
    }
    TravelTimes& t = m.travel;
    ++t.lapse;
    if (m.events.event_flag == EventFlag::replay_fed && t.lapse > m.settings.disp_event_minutes) {
        end_sequence(m, p, false);
        return;
    }
    --t.countdown;
    --t.lpwave_countdown;
    --t.countdown_ref;
    fill_latest_fields(m);
    warning_output(m, p);
    show_mechanism_panel(m, p);
    draw_replay_frame(m, p);
}

}  // namespace

void Timer1_Timer(MainState& m, Platform& p) {
    const DateTime now = p.now();
    EventTable& t = m.events;
    m.main_view.Text1.text = time_of_day(now);
    m.main_view.Text3.text = std::to_string(static_cast<int>(t.event_flag));
    if (t.map_flag > 0)
        m.popup_view.Text65 =
            plain_decimal(m.settings.disp_event_minutes - static_cast<double>(m.travel.lapse));
    if (t.event_flag == EventFlag::idle && t.map_flag == 0) return;

    if (live_event_shown(t)) {
        live_tick(m, p, now);
    } else if (t.event_flag == EventFlag::merged) {
        // The last report moved the selection away from the event on screen
        // (its own report failed the filter) and nothing new is shown yet. The
        // screen is left as it is, but the sequence ends as any other does
        // once no report has come for the idle time.
        if (feed_silent_too_long(m, now)) end_sequence(m, p, true);
    } else if (t.event_flag == EventFlag::ending) {
        // Nothing is followed, but the windows may still show an event the
        // selection moved away from, and the buttons must return to idle.
        end_sequence(m, p, true);
    } else if (is_replay(t.event_flag)) {
        replay_tick(m, p, now);
    }
}

}  // namespace eew
