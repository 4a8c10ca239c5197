#include "app/program_modes.hpp"

#include "app/main_state.hpp"

namespace eew {

void set_receiving(MainState& m, bool receiving) {
    m.modes.receiving = receiving;
    m.main_view.Command1.enabled = !receiving;
    m.main_view.Command2.enabled = receiving;
}

void set_popups_on(MainState& m, bool on) {
    m.modes.popups_on = on;
    m.main_view.Check1.checked = on;
}

void set_web_popup_on(MainState& m, bool on) {
    m.modes.web_popup_on = on;
    m.main_view.Check2.checked = on;
}

void set_event_announced(MainState& m, bool announced) {
    m.modes.event_announced = announced;
    m.main_view.Label19 = announced ? "地震発生" : "";
}

void show_tray_state(MainState& m) {
    const char* state = "idle";
    if (m.modes.receiving) state = m.feed.silent ? "feed stale" : "receiving";
    if (m.events.event_flag != EventFlag::idle) state = "event";
    m.main_view.tray_state = state;
}

}  // namespace eew
