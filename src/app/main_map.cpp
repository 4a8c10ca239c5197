#include "app/main_map.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/main_state.hpp"
#include "draw/canvas.hpp"
#include "maps/main_map_drawing.hpp"
#include "view/notice.hpp"
#include "view/platform.hpp"

namespace eew {

namespace {

// The main window's sizes in twips. The controls stay in a column at the
// left with the map to their right, instead of under a map that fills the
// window, so with the map shown the window is as wide as the column plus the
// map window's 6456 twips; and it is as high as the map with its caption row
// above and its legend below, more than the 7335 twips of a bare map. With
// the map hidden only the column remains: 2760 twips wide, and 7335 twips
// high, since the column of controls would not fit into 3645.
constexpr double kColumnTwips = 2760;
constexpr double kMapWindowTwips = 6456;
constexpr double kMapShownHeightTwips = 8040;
constexpr double kColumnHeightTwips = 7335;

// Columns 1..4 of a list row: magnitude, latitude, longitude, colour.
std::vector<ListedEpicentre> listed_epicentres(const RecentEvents& recent) {
    const int count = std::clamp(recent.total_event_number, 0, RecentEvents::kCapacity);
    std::vector<ListedEpicentre> listed;
    listed.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i) {
        const auto& row = recent.recent_event_data[i];
        listed.push_back({recent.recent_event_time[i], row[1], row[2], row[3], row[4]});
    }
    return listed;
}

std::string minute_text(const DateTime& t) {
    return t.text().substr(0, 16);
}

void set_window_size(MainView& v, const Platform& p, double width_twips, double height_twips) {
    const double tpp = p.twips_per_pixel();
    v.window_width = static_cast<int>(std::lround(width_twips / tpp));
    v.window_height = static_cast<int>(std::lround(height_twips / tpp));
}

}  // namespace

void replot(MainState& m, Platform& p) {
    const int hours = m.display.disp_event_hours;
    const DateTime now = p.now();
    draw_main_map(p.canvas(PictureId::main_map), m.maps, listed_epicentres(m.recent),
                  m.site.longitude_site, m.site.latitude_site, now, hours);
    MainView& v = m.main_view;
    v.map_caption = "last " + std::to_string(hours) + " hours";
    v.map_window_start = minute_text(now.plus_seconds(-3600LL * hours));
    v.map_window_end = minute_text(now);
    v.Text2.text = std::to_string(m.recent.total_event_number);
}

void map_on(MainState& m, Platform& p) {
    m.main_view.map_shown = true;
    set_window_size(m.main_view, p, kColumnTwips + kMapWindowTwips, kMapShownHeightTwips);
    if (!p.canvas(PictureId::main_map).load_background(m.paths.file_24h_map)) {
        post_notice(m.main_view, p.now(),
                    "The map image \"" + m.paths.file_24h_map +
                        "\" could not be read; the map is drawn on a plain background.");
    }
    if (m.events.event_flag == EventFlag::idle) replot(m, p);
    m.main_view.Command5.enabled = false;
    m.main_view.Command6.enabled = true;
}

void map_off(MainState& m, Platform& p) {
    p.canvas(PictureId::main_map).remove_background();
    m.main_view.map_shown = false;
    set_window_size(m.main_view, p, kColumnTwips, kColumnHeightTwips);
    m.main_view.Command5.enabled = true;
    m.main_view.Command6.enabled = false;
}

}  // namespace eew
