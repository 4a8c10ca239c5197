#pragma once

namespace eew {

struct MainState;
class Platform;

// Redraws the main map: the events of the 24-hour list that lie within the
// last `disp_event_hours` hours, then the site mark; then sets its caption,
// the time window and the count box.
void replot(MainState& state, Platform& platform);

// "mapON": widens the main window to show the main map with its background
// image and, when no event or replay is running, redraws it. A missing image
// leaves the plain background and is reported in the main window's notice.
void map_on(MainState& state, Platform& platform);

// "mapOFF": narrows the main window to its column of controls, hiding the
// main map, and removes the map's background image; drawing on it goes on
// unseen. The window's sizes are in twips, converted at the screen's
// resolution.
void map_off(MainState& state, Platform& platform);

}  // namespace eew
