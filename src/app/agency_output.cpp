#include "app/agency_output.hpp"

#include <cstdio>

#include "app/main_state.hpp"
#include "view/platform.hpp"

namespace eew {
namespace {

const AgencyArea* site_entry(const MainState& m) {
    const auto& forecast = m.followed.forecast;
    if (!forecast || !m.site.forecast_area) return nullptr;
    return area_entry(*forecast, *m.site.forecast_area);
}

std::string area_name(const MainState& m, int code) {
    if (const std::string* name = forecast_area_name(m.forecast_area_table, code)) return *name;
    char text[16];
    std::snprintf(text, sizeof text, "%03d", code);
    return text;
}

std::string clock_text(const DateTime& t, const char* form) {
    char text[32];
    std::snprintf(text, sizeof text, form, t.hour(), t.minute(), t.second());
    return text;
}

// The pop-up speaks in the captions' English, the class in Japanese.
std::string popup_line(const AgencyArea& a) {
    std::string line = "intensity " + intensity_range_japanese(a);
    if (a.arrival_kind == '1') line += ", already arrived";
    if (a.arrival_kind == '9') line += ", no arrival prediction";
    if (a.arrival_kind == '0' && a.arrival)
        line += ", main shaking " + clock_text(*a.arrival, "%02d:%02d:%02d");
    if (a.warning) line += ", WARNING for this area";
    return line;
}

std::string message_line(const AgencyArea& a) {
    std::string line = "震度" + intensity_range_japanese(a);
    if (a.arrival_kind == '1') line += "、既に主要動が到達";
    if (a.arrival_kind == '9') line += "、到達予想なし";
    if (a.arrival_kind == '0' && a.arrival)
        line += "、主要動の到達予想 " + clock_text(*a.arrival, "%d時%02d分%02d秒");
    if (a.warning) line += "、この地域に警報";
    return line;
}

}  // namespace

void show_agency_forecast(MainState& m) {
    PopupView& v = m.popup_view;
    MessageView& msg = m.message_view;
    v.agency_area.clear();
    v.agency_forecast.clear();
    msg.agency_line.clear();
    if (!m.followed.forecast || !m.site.forecast_area) return;
    const std::string name = area_name(m, *m.site.forecast_area);
    v.agency_area = name;
    const AgencyArea* entry = site_entry(m);
    v.agency_forecast = entry ? popup_line(*entry) : "no entry for this area in this report";
    msg.agency_line = "気象庁の予報（" + name + "）：" +
                      (entry ? message_line(*entry) : "この地域の予報はありません");
}

bool sound_area_warning(MainState& m, Platform& p) {
    const AgencyArea* entry = site_entry(m);
    const bool warned = entry && entry->warning;
    std::string& sounded = m.area_warned_code;
    if (!warned) {
        if (sounded == m.followed.code) sounded.clear();
        return false;
    }
    if (sounded == m.followed.code) return false;
    sounded = m.followed.code;
    p.play_sound(m.paths.file_sound_area_warning);
    return true;
}

}  // namespace eew
