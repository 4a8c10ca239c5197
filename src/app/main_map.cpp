#include "app/main_map.hpp"

#include <string>

#include "app/main_state.hpp"
#include "app/platform.hpp"
#include "maps/canvas.hpp"

namespace eew {

namespace {

std::string minute_text(const DateTime& t) {
    return t.text().substr(0, 16);
}

}  // namespace

// The drawing of the 24-hour events and the site mark joins here with the
// map view; the captions and the count are kept current already.
void replot(MainState& m, Platform& p) {
    const int hours = m.display.disp_event_hours;
    const DateTime now = p.now();
    MainView& v = m.main_view;
    v.map_caption = "last " + std::to_string(hours) + " hours";
    v.map_window_start = minute_text(now.plus_seconds(-3600LL * hours));
    v.map_window_end = minute_text(now);
    v.Text2.text = std::to_string(m.recent.total_event_number);
}

void map_on(MainState& m, Platform& p) {
    m.main_view.map_shown = true;
    if (!p.canvas(PictureId::main_map).load_background(m.paths.file_24h_map)) {
        p.message_box("The map image \"" + m.paths.file_24h_map +
                      "\" could not be read; the map is drawn on a plain background.");
    }
    if (m.events.event_flag == 0) replot(m, p);
    m.main_view.Command5.enabled = false;
    m.main_view.Command6.enabled = true;
}

void map_off(MainState& m, Platform& p) {
    p.canvas(PictureId::main_map).remove_background();
    m.main_view.map_shown = false;
    m.main_view.Command5.enabled = true;
    m.main_view.Command6.enabled = false;
}

}  // namespace eew
