#include "app/setform.hpp"

#include <cstdio>

#include "app/feed_connection.hpp"
#include "app/main_map.hpp"
#include "app/main_state.hpp"
#include "config/config_file.hpp"
#include "text/number_format.hpp"
#include "text/numeric_value.hpp"
#include "view/platform.hpp"

namespace eew {
namespace {

struct SiteBoxes {
    const std::string& name;
    const std::string& longitude;
    const std::string& latitude;
    const std::string& ampfac;
};

void apply_site(const SiteBoxes& boxes, std::string& name, double& longitude, double& latitude,
                double& ampfac) {
    longitude = numeric_value(boxes.longitude);
    latitude = numeric_value(boxes.latitude);
    ampfac = numeric_value(boxes.ampfac);
    name = boxes.name;
}

std::string area_code_text(int code) {
    char text[8];
    std::snprintf(text, sizeof text, "%03d", code % 1000);
    return text;
}

// The choice is a code of the list or nothing; anything else is no area.
std::optional<int> chosen_area(const std::string& code) {
    if (code.size() != 3 || code.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(code);
}

int selected_option(const SetformView& v) {
    if (v.Option1) return 1;
    if (v.Option2) return 2;
    if (v.Option3) return 3;
    return 0;
}

void apply_boxes(const SetformView& v, Settings& s) {
    // The port is kept as a number: a port that is not one is refused by
    // "start" with its reason, as one out of range is.
    s.localhost_port = integer_item(numeric_value(v.Text2));
    s.pdata_min = numeric_value(v.Text6);
    s.magnitude_min = numeric_value(v.Text7);
    s.dist_min = numeric_value(v.Text1);
    s.disp_event_minutes = numeric_value(v.Text17);
    apply_site({v.Text8, v.Text3, v.Text4, v.Text5}, s.sitename1, s.longitude_site1,
               s.latitude_site1, s.ampfac1);
    apply_site({v.Text9, v.Text10, v.Text11, v.Text12}, s.sitename2, s.longitude_site2,
               s.latitude_site2, s.ampfac2);
    apply_site({v.Text13, v.Text14, v.Text15, v.Text16}, s.sitename3, s.longitude_site3,
               s.latitude_site3, s.ampfac3);
}

}  // namespace

SetformView load_setform(const Settings& s, const SiteAreas& areas,
                         const ForecastAreaTable& table) {
    SetformView v;
    for (const auto& [code, name] : table.areas)
        v.forecast_area_choices.emplace_back(area_code_text(code), name);
    v.forecast_area1 = areas[1] ? area_code_text(*areas[1]) : "";
    v.forecast_area2 = areas[2] ? area_code_text(*areas[2]) : "";
    v.forecast_area3 = areas[3] ? area_code_text(*areas[3]) : "";
    v.Text2 = std::to_string(s.localhost_port);
    v.Text6 = plain_decimal(s.pdata_min);
    v.Text7 = plain_decimal(s.magnitude_min);
    v.Text1 = plain_decimal(s.dist_min);
    v.Text17 = plain_decimal(s.disp_event_minutes);
    v.Text8 = s.sitename1;
    v.Text3 = plain_decimal(s.longitude_site1);
    v.Text4 = plain_decimal(s.latitude_site1);
    v.Text5 = plain_decimal(s.ampfac1);
    v.Text9 = s.sitename2;
    v.Text10 = plain_decimal(s.longitude_site2);
    v.Text11 = plain_decimal(s.latitude_site2);
    v.Text12 = plain_decimal(s.ampfac2);
    v.Text13 = s.sitename3;
    v.Text14 = plain_decimal(s.longitude_site3);
    v.Text15 = plain_decimal(s.latitude_site3);
    v.Text16 = plain_decimal(s.ampfac3);
    v.Option1 = s.select_site == 1;
    v.Option2 = s.select_site == 2;
    v.Option3 = s.select_site == 3;
    v.Check1 = s.lan_flag == 1;
    v.Check2 = s.voice_flag == 1;
    v.Check3 = s.auto_flag == 1;
    return v;
}

std::optional<std::string> set_and_close(MainState& m, Platform& p) {
    const SetformView& v = m.setform_view;
    Settings& s = m.settings;
    apply_boxes(v, s);
    // With no option selected the current site, and so its map choice,
    // stays as it was.
    if (const int option = selected_option(v)) {
        s.select_site = option;
        select_current_site(s, m.site_areas, m.site);
    }
    m.site_areas = {std::nullopt, chosen_area(v.forecast_area1), chosen_area(v.forecast_area2),
                    chosen_area(v.forecast_area3)};
    if (s.select_site >= 1 && s.select_site <= 3)
        m.site.forecast_area = m.site_areas[s.select_site];
    const bool lan_switched = (s.lan_flag == 1) != v.Check1;
    s.lan_flag = v.Check1 ? 1 : 0;
    s.voice_flag = v.Check2 ? 1 : 0;
    s.auto_flag = v.Check3 ? 1 : 0;
    std::optional<std::string> message;
    if (lan_switched) message = rebind_for_lan_mode(m, p);

    // The settings above are in force whether or not the file can be written.
    auto error = write_config(m.paths.file_config, s);
    if (auto areas = write_site_areas(site_areas_path(m.paths), m.site_areas))
        error = error ? *error + "\n" + *areas : *areas;
    if (error) {
        message = (message ? *message + "\n\n" : std::string()) +
                  "The settings are in use but were not saved; they are lost at the next "
                  "start.\n\n" +
                  *error;
    }
    p.close_window(WindowId::setform);
    m.setform_view = SetformView{};
    replot(m, p);
    return message;
}

}  // namespace eew
