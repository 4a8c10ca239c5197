#pragma once

namespace eew {

struct MainState;
class Platform;

// Redraws the main map from the 24-hour list and refreshes the count box.
void replot(MainState& state, Platform& platform);

// "mapON": shows the main map with its background image and, when no event
// or replay is running, redraws it. A missing image leaves the plain
// background and is reported.
void map_on(MainState& state, Platform& platform);

// "mapOFF": hides the main map and removes its background image; drawing on
// it goes on unseen.
void map_off(MainState& state, Platform& platform);

}  // namespace eew
