#include "fakes/configured_state.hpp"

#include "app/main_state.hpp"

namespace eew::test {

void configure_for_tests(MainState& m) {
    Settings& s = m.settings;
    s.localhost_port = 52101;
    s.pdata_min = 1;
    s.magnitude_min = 3.0;
    s.magnitude_min_defalt = 3.0;
    s.dist_min = 700;
    s.disp_event_minutes = 120;
    s.sitename1 = "東京";
    s.longitude_site1 = 139.7536;
    s.latitude_site1 = 35.694;
    s.ampfac1 = 1.4;
    s.select_site = 1;
    s.voice_flag = 1;
    select_current_site(s, m.site);

    for (int i = 1; i <= TravelTable::kRows; ++i) {
        for (int t = 1; t <= TravelTable::kSeconds; ++t) {
            m.traveltime_table_s.set(i, t, 4.0 * t);
            m.traveltime_table_p.set(i, t, 7.0 * t);
        }
    }
    m.lpwave = {3.0, "長周期地震動に注意", 0.5};
    m.regions.region_table[1] = {"", "chiba_northwest", "千葉県北西部"};
    m.regions.region_table[2] = {"", "off_miyagi", "宮城県沖"};
    m.display.disp_event_hours = 24;
    m.display.display_time_max = 120;
    m.display.large_m = 5.0;
    m.display.depth_color_table = {0, 12, 14, 10, 2, 9, 1};
    fill_map_catalogue(m.maps);
    m.main_view.Command2.enabled = false;
    m.main_view.Command6.enabled = false;
    m.main_view.Command7.enabled = false;
}

}  // namespace eew::test
