#include "maps/main_map.hpp"

#include <string>

#include "app/main_state.hpp"
#include "app/platform.hpp"
#include "maps/canvas.hpp"

namespace eew {

// The drawing of the 24-hour events, the site mark and the window labels
// joins here with the map view; the count box is kept current already.
void replot(MainState& m, Platform&) {
    m.main_view.Text2.text = std::to_string(m.recent.total_event_number);
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
