#include "app/report_chain.hpp"

#include "app/main_state.hpp"
#include "app/program_modes.hpp"
#include "feed/agency_forecast_decoder.hpp"
#include "feed/report_decoder.hpp"
#include "quake/distance_intensity.hpp"
#include "quake/travel_times.hpp"

namespace eew {
namespace {

EventFilter event_filter(const MainState& m) {
    const Settings& s = m.settings;
    return {s.pdata_min, s.magnitude_min, s.dist_min, m.lpwave.intensity_min,
            s.magnitude_min_defalt};
}

}  // namespace

MergeOutcome merge_report(MainState& m, std::string_view text, const DateTime& now) {
    MergeOutcome outcome;
    CurrentReport& r = m.report;
    EventTable& t = m.events;
    outcome.dates_valid = parse_report(text, r);
    r.forecast00 = parse_agency_forecast(text);
    if (const int replaced = slot_replaced_by(t, r.code00))
        outcome.evicted = event_slot(t, replaced);
    if (!find_event_slot(t, r.code00)) return outcome;
    outcome.merged = true;
    r.dist00 = epicentral_distance(r.longitude00, r.latitude00, m.site.longitude_site,
                                   m.site.latitude_site);
    r.intensity00 = estimate_intensity(r.mip00, r.depth00, r.dist00, m.site.ampfac);
    store_event_report(t, r, m.feed.received_data00, now);
    if (apply_event_filter(t, r, event_filter(m))) {
        set_event_announced(m, true);
        // Held back by "PopUP" alone: it passes the filter the settings give.
        const EventFilter& f = event_filter(m);
        outcome.held_back = !m.modes.popups_on && r.pdata00 >= f.pdata_min &&
                            r.dist00 <= f.dist_min && r.intensity00 >= f.intensity_min;
    }
    select_event(t);
    update_map_flag(t);
    outcome.followed = t.i_event_selected != 0 && t.i_event_now == t.i_event_selected;
    return outcome;
}

void update_followed_event(MainState& m, CopyForm form, const DateTime& present) {
    FollowedEvent& f = m.followed;
    copy_selected_report(m.report, m.events, m.regions, form, f);
    m.estimates.iintensity = round_intensity(f.intensity);
    evaluate_reference_sites(f, m.refs, m.estimates);
    s_travel_time(m.traveltime_table_s, f, m.lpwave.lpwave_velocity, m.travel);
    s_travel_time_ref(m.traveltime_table_s, f, m.estimates, m.travel);
    update_elapsed_times(f.origintime, present, m.travel);
}

void reset_event_state(MainState& m) {
    reset_event_table(m.events);
    m.webpopup_ind = 0;
    m.area_warned_code.clear();
    m.travel.travel_s_data_flag = 0;
    m.travel.travel_s_data_ref_flag = 0;
    set_event_announced(m, false);
}

}  // namespace eew
