#include "app/warning_output.hpp"

#include <string>

#include "app/agency_output.hpp"
#include "app/main_state.hpp"
#include "app/program_modes.hpp"
#include "app/web_popup_output.hpp"
#include "quake/warning_rules.hpp"
#include "text/number_format.hpp"
#include "text/numeric_value.hpp"
#include "view/platform.hpp"

namespace eew {
namespace {

void show_numbers(const MainState& m, PopupView& v) {
    const FollowedEvent& f = m.followed;
    v.Text6 = one_decimal(f.magnitude);
    v.Text66 = one_decimal(f.mip);
    v.Text64 = plain_decimal(f.depth);
    v.Text8 = std::to_string(m.travel.lapse);
    v.Text25 = std::to_string(integer_part(f.dist));
    v.Text27 = one_decimal(f.intensity);
    const int i = m.estimates.iintensity;
    v.Label37 = i >= 1 ? std::to_string(i) : std::string();
}

// The class sound plays once per change of class. A class that falls away
// (below 0.1) is forgotten without a sound, so that its return sounds again.
// After the area alarm, the class voice waits for it to end.
void sound_class_change(MainState& m, Platform& p, const IntensityClass& c, bool after_alarm) {
    std::string& last = m.events.last_alarm_class;
    if (c.text == last) return;
    if (c.sound != 0 && after_alarm) p.play_sound_next(m.paths.file_sound_si[c.sound]);
    if (c.sound != 0 && !after_alarm) p.play_sound(m.paths.file_sound_si[c.sound]);
    last = c.text;
}

void announce_class(MainState& m, Platform& p, bool after_alarm) {
    PopupView& v = m.popup_view;
    MessageView& msg = m.message_view;
    v.Text26 = std::to_string(m.travel.countdown);
    if (m.modes.popups_on) {
        p.restore_window(WindowId::message);
        p.show_window(WindowId::message);
    }

    const double displayed = as_shown_to_one_decimal(m.followed.intensity);
    const IntensityClass c = intensity_class(displayed);
    if (!c.text.empty()) msg.Label5 = c.lpwave_line ? m.lpwave.lpwave_message : std::string();
    sound_class_change(m, p, c, after_alarm);

    if (auto s = warning_sentence(displayed, m.travel.countdown, v.Text1, c.text)) msg.Label3 = *s;

    // The followed event's own depth and distance: the report just decoded
    // may be of another quake, and the tick reruns this between reports.
    const FollowedEvent& f = m.followed;
    m.longEVstop = long_period_rule(f.magnitude, f.depth, f.dist, f.mip);
    web_popup(m, p);
    if (auto s = long_period_sentence(m.longEVstop, m.travel.lpwave_countdown)) msg.Label4 = *s;
}

void show_reference_site(const MainState& m, PopupView& v) {
    const ReferenceBlock b = reference_block(m.refs, m.estimates, m.travel);
    v.Text2 = b.name;
    v.Text3 = b.distance;
    v.Text63 = b.intensity;
    v.Text4 = b.countdown;
}

}  // namespace

void warning_output(MainState& m, Platform& p) {
    show_numbers(m, m.popup_view);
    const bool alarmed = sound_area_warning(m, p);
    if (m.travel.travel_s_data_flag == 1) {
        announce_class(m, p, alarmed);
    } else {
        m.popup_view.Text26.clear();
    }
    m.message_view.Label2 = headline(one_decimal(m.followed.magnitude), m.followed.region_name);
    show_reference_site(m, m.popup_view);
}

}  // namespace eew
