#include "quake/report_chain.hpp"

#include "app/main_state.hpp"
#include "feed/report_decoder.hpp"
#include "quake/distance_intensity.hpp"
#include "quake/travel_times.hpp"

namespace eew {

MergeOutcome merge_report(MainState& m, std::string_view text, const DateTime& now) {
    MergeOutcome outcome;
    outcome.dates_valid = parse_report(text, m.report);
    if (!find_event_slot(m)) return outcome;
    outcome.merged = true;
    CurrentReport& r = m.report;
    r.dist00 = epicentral_distance(r.longitude00, r.latitude00, m.site.longitude_site,
                                   m.site.latitude_site);
    r.intensity00 = estimate_intensity(r.mip00, r.depth00, r.dist00, m.site.ampfac);
    store_event_report(m, now);
    apply_event_filter(m);
    select_event(m);
    update_map_flag(m);
    const EventTable& t = m.events;
    outcome.followed = t.i_event_selected != 0 && t.i_event_now == t.i_event_selected;
    return outcome;
}

void update_followed_event(MainState& m, CopyForm form, const DateTime& present) {
    copy_selected_report(m, form);
    m.estimates.iintensity = round_intensity(m.followed.intensity);
    evaluate_reference_sites(m);
    s_travel_time(m);
    s_travel_time_ref(m);
    update_elapsed_times(m, present);
}

}  // namespace eew
