#pragma once

namespace eew {

struct MainState;

// Each sets its mode and the main window's control that shows it: the check
// box, the event indicator or the two buttons of the feed.
void set_receiving(MainState& m, bool receiving);
void set_popups_on(MainState& m, bool on);
void set_web_popup_on(MainState& m, bool on);
void set_event_announced(MainState& m, bool announced);

// Writes the tray icon's state from the program's: an event before a stale
// feed before reception.
void show_tray_state(MainState& state);

}  // namespace eew
