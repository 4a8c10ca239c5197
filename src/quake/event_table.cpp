#include "quake/event_table.hpp"

#include <algorithm>
#include <climits>

#include "text/message_display.hpp"
#include "text/numeric_value.hpp"

namespace eew {
namespace {

// Region names are a few dozen bytes; a key as long as a whole datagram is
// damage, and decoding all of it would cost the window milliseconds.
constexpr std::size_t kShownRegionBytes = 200;

void clear_slot(EventTable& t, int i) {
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
    t.event_log_text[i].shrink_to_fit();
    t.event_log_reports[i] = 0;
    t.event_log_latest[i] = 0;
}

// The slot a new code may take over when all are in use, or 0.
int slot_to_replace(const EventTable& t) {
    int oldest = 0;
    for (int i = 1; i <= t.n_event; ++i) {
        if (i == t.i_event_selected || t.filter_flag[i] == 1) continue;
        if (oldest == 0 || t.event_origin_time[i] < t.event_origin_time[oldest]) oldest = i;
    }
    return oldest;
}

}  // namespace

void reset_event_table(EventTable& t) {
    t.n_event = 0;
    t.i_event_now = 0;
    t.i_event_selected = 0;
    t.i_event_selected_old = 0;
    t.event_flag = EventFlag::idle;
    t.map_flag = 0;
    t.last_alarm_class.clear();
    for (int i = 1; i <= EventTable::kSlots; ++i)
        clear_slot(t, i);
}

int slot_replaced_by(const EventTable& t, const std::string& code) {
    if (t.n_event < EventTable::kSlots) return 0;
    for (int i = 1; i <= t.n_event; ++i)
        if (t.event_code[i] == code) return 0;
    return slot_to_replace(t);
}

EventSlot event_slot(const EventTable& t, int i) {
    return {t.event_code[i],      t.event_origin_time[i], t.event_magnitude[i], t.event_latitude[i],
            t.event_longitude[i], t.event_depth_class[i], t.event_log_text[i]};
}

bool find_event_slot(EventTable& t, const std::string& code) {
    for (int i = 1; i <= t.n_event; ++i) {
        if (t.event_code[i] == code) {
            t.i_event_now = i;
            return true;
        }
    }
    if (t.n_event < EventTable::kSlots) {
        t.i_event_now = ++t.n_event;
    } else {
        t.i_event_now = slot_to_replace(t);
        if (t.i_event_now == 0) return false;
        clear_slot(t, t.i_event_now);
    }
    t.event_code[t.i_event_now] = code;
    return true;
}

void store_event_report(EventTable& t, const CurrentReport& r, const std::string& received_data00,
                        const DateTime& now) {
    const int i = t.i_event_now;
    t.event_origin_time[i] = r.origintime00;
    t.event_magnitude[i] = r.magnitude00;
    t.event_mip[i] = r.mip00;
    t.event_latitude[i] = r.latitude00;
    t.event_longitude[i] = r.longitude00;
    // A negative depth (a malformed report) counts as the surface, class 1.
    const long long twenties = integer_part(std::max(r.depth00, 0.0) / 20);
    t.event_depth_class[i] = static_cast<int>(std::min(twenties, 5LL)) + 1;
    t.event_intensity[i] = r.intensity00;
    std::string& log = t.event_log_text[i];
    if (t.event_log_reports[i] == EventTable::kLoggedReports) {
        log.resize(t.event_log_latest[i]);
    } else {
        ++t.event_log_reports[i];
    }
    t.event_log_latest[i] = log.size();
    log += received_data00 + now.text() + "\n" + "\r\n";
}

bool apply_event_filter(EventTable& t, const CurrentReport& r, const EventFilter& f) {
    const bool passes = r.pdata00 >= f.pdata_min && r.magnitude00 >= f.magnitude_min &&
                        r.dist00 <= f.dist_min && r.intensity00 >= f.intensity_min;
    t.filter_flag[t.i_event_now] = passes ? 1 : 0;
    return !passes && r.magnitude00 >= f.magnitude_min_defalt;
}

void select_event(EventTable& t) {
    if (t.n_event == 1) {
        t.i_event_selected = t.filter_flag[1] == 1 ? 1 : 0;
        return;
    }
    t.i_event_selected = 0;
    double best = 0.0;
    for (int i = 1; i <= t.n_event; ++i) {
        if (t.filter_flag[i] == 1 && t.event_intensity[i] > best) {
            best = t.event_intensity[i];
            t.i_event_selected = i;
        }
    }
    if (best > 0) return;
    // Far events all estimate intensity 0 at the site; the largest one is
    // then the one worth following.
    double bestm = 0.0;
    for (int i = 1; i <= t.n_event; ++i) {
        if (t.filter_flag[i] == 1 && t.event_magnitude[i] > bestm) {
            bestm = t.event_magnitude[i];
            t.i_event_selected = i;
        }
    }
}

void update_map_flag(EventTable& t) {
    t.map_flag = t.i_event_selected_old == t.i_event_selected ? 2 : 1;
    t.i_event_selected_old = t.i_event_selected;
}

void copy_selected_report(const CurrentReport& r, const EventTable& t, const RegionTable& regions,
                          CopyForm form, FollowedEvent& f) {
    f.code = r.code00;
    f.sequence = r.sequence00;
    f.origintime = r.origintime00;
    f.sendtime = r.sendtime00;
    f.magnitude = r.magnitude00;
    f.mip = r.mip00;
    f.latitude = r.latitude00;
    f.longitude = r.longitude00;
    f.depth = r.depth00;
    f.pdata = r.pdata00;
    f.azp = r.azp00;
    f.thp = r.thp00;
    f.azt = r.azt00;
    f.tht = r.tht00;
    f.nobs_pol = r.nobs_pol00;
    f.n_pol_err = r.n_pol_err00;
    if (form == CopyForm::live) f.region_name = display_prefix(r.region_name00, kShownRegionBytes);
    f.region_name_en = r.region_name00;
    f.forecast = r.forecast00;
    translate_region(regions, f);
    f.dist = r.dist00;
    f.intensity = r.intensity00;
    // The travel tables have no row below the surface: a negative depth (a
    // malformed report) takes the first row.
    const long long fives = integer_part(std::max(r.depth00, 0.0) / 5);
    f.depth_div = static_cast<int>(std::min(fives, static_cast<long long>(INT_MAX) - 1)) + 1;
    f.depth_color = t.event_depth_class[t.i_event_selected];
}

namespace {

const std::string* table_name(const RegionTable& regions, const std::string& key) {
    const auto& table = regions.region_table;
    for (int row = 1; row <= RegionTable::kCapacity && !table[row][1].empty(); ++row)
        if (table[row][1] == key) return &table[row][2];
    return nullptr;
}

}  // namespace

void translate_region(const RegionTable& regions, FollowedEvent& f) {
    if (const std::string* name = table_name(regions, f.region_name_en)) f.region_name = *name;
    if (f.region_name.empty()) f.region_name = display_prefix(f.region_name_en, kShownRegionBytes);
}

std::string region_display_name(const RegionTable& regions, const std::string& key) {
    const std::string* name = table_name(regions, key);
    return name ? *name : display_prefix(key, kShownRegionBytes);
}

}  // namespace eew
