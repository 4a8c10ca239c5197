#include "app/presentation.hpp"

#include "app/agency_output.hpp"
#include "app/main_state.hpp"
#include "app/mechanism_panel.hpp"
#include "app/popup_windows.hpp"
#include "app/program_modes.hpp"
#include "app/warning_output.hpp"
#include "maps/event_map.hpp"
#include "text/number_format.hpp"
#include "view/platform.hpp"

namespace eew {
namespace {

void freeze_first_info(const FollowedEvent& f, FirstReport& first) {
    first.origintime_first = f.origintime;
    first.sendtime_first = f.sendtime;
    first.magnitude_first = f.magnitude;
    first.latitude_first = f.latitude;
    first.longitude_first = f.longitude;
    first.depth_first = f.depth;
    first.depth_color_first = f.depth_color;
}

void play_chime(const MainState& m, Platform& p) {
    if (m.settings.voice_flag == 0) return;
    p.play_sound(m.paths.file_sound);
    p.pause_with_events(600);
}

// A window the user has minimised or maximised is left as the user wants it;
// one not created yet counts as normal.
bool popup_in_normal_state(const Platform& p) {
    const WindowState s = p.window_state(WindowId::popupmap);
    return s != WindowState::minimised && s != WindowState::maximised;
}

// The pop-up is in its normal state already, so only its size is set.
void bring_up_popup(MainState& m, Platform& p) {
    set_popup_presented_size(p);
    const FollowedEvent& f = m.followed;
    m.index_map = choose_event_map(f.longitude, f.latitude, m.site.map_on1, m.site.map_on2);
    // An unreadable image leaves the plain background: the alarm must go on,
    // and a message box here would hold the report chain up.
    p.canvas(PictureId::event_map)
        .load_background(event_map_image(m.index_map, m.paths.file_kanto_map,
                                         m.paths.file_kansai_map, m.paths.file_japan_map));
    set_event_announced(m, true);
    if (m.modes.popups_on) p.show_window(WindowId::popupmap);
}

void fill_first_fields(MainState& m) {
    const FirstReport& first = m.first;
    const FollowedEvent& f = m.followed;
    PopupView& v = m.popup_view;
    v.Text5 = first.origintime_first.text();
    v.Text7 = plain_decimal(first.magnitude_first);
    v.Text10 = plain_decimal(first.latitude_first);
    v.Text11 = plain_decimal(first.longitude_first);
    v.Text12 = one_decimal(first.depth_first);
    v.Text13 = f.sequence;
    v.Text14 = plain_decimal(f.pdata);
    v.Text54 = f.region_name;
    v.Text1 = m.site.sitename;
}

// The station legend belongs to the previous event's observations.
void empty_station_legend(PopupView& v) {
    for (std::string* label :
         {&v.Label29, &v.Label30, &v.Label31, &v.Label32, &v.Label33, &v.Label34, &v.Label35})
        label->clear();
}

// The site and the epicentre where the event became followed, at once,
// before the first frame of the one-second tick.
void draw_new_event_marks(MainState& m, Platform& p) {
    const FollowedEvent& f = m.followed;
    const MapPictures pictures{p.canvas(PictureId::main_map), p.canvas(PictureId::event_map),
                               p.canvas(PictureId::waveform_panel)};
    const LongPeriodWave wave = long_period_wave(m);
    EventMarks marks;
    marks.longitude_site = m.site.longitude_site;
    marks.latitude_site = m.site.latitude_site;
    marks.longitude = m.first.longitude_first;
    marks.latitude = m.first.latitude_first;
    marks.depth_color = f.depth_color;
    marks.index_map = m.index_map;
    draw_event_marks(m.maps, pictures, m.display.depth_color_table, wave, marks);
}

}  // namespace

void new_event_presentation(MainState& m, Platform& p) {
    freeze_first_info(m.followed, m.first);
    play_chime(m, p);
    if (popup_in_normal_state(p)) bring_up_popup(m, p);
    fill_first_fields(m);
    empty_station_legend(m.popup_view);
}

LongPeriodWave long_period_wave(const MainState& m) {
    LongPeriodWave wave;
    wave.longEVstop = m.longEVstop;
    wave.magnitude = m.followed.magnitude;
    wave.depth = m.followed.depth;
    wave.lapse = m.travel.lapse;
    wave.lpwave_velocity = m.lpwave.lpwave_velocity;
    wave.index_map = m.index_map;
    return wave;
}

void fill_latest_fields(MainState& m) {
    const FollowedEvent& f = m.followed;
    PopupView& v = m.popup_view;
    v.Text15 = f.origintime.text();
    v.Text16 = plain_decimal(f.magnitude);
    v.Text17 = plain_decimal(f.latitude);
    v.Text18 = plain_decimal(f.longitude);
    v.Text19 = one_decimal(f.depth);
    v.Text20 = f.sequence;
    v.Text21 = plain_decimal(f.pdata);
    v.Text62 = f.region_name;
    show_agency_forecast(m);
}

void present_followed_report(MainState& m, Platform& p, bool new_event) {
    // What follows writes to the pop-up, which exists by now: the new-event
    // presentation either drew on it or found it minimised or maximised.
    if (new_event) new_event_presentation(m, p);
    fill_latest_fields(m);
    warning_output(m, p);
    if (new_event) draw_new_event_marks(m, p);
    show_mechanism_panel(m, p);
}

}  // namespace eew
