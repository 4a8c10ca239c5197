#pragma once

namespace eew {

struct MainState;
class Platform;

// The agency's own forecast for the site's area beside the program's
// estimate: the pop-up's and the message window's agency lines, from the
// followed event's latest report. Empty when the site has no area or the
// report carries no forecast; when the forecast lists no entry for the area,
// they say so.
void show_agency_forecast(MainState& state);

// Plays the area alarm when the followed event's forecast puts the site's
// area under the warning for the first time; again only after the area left
// the warning and came back under it. Returns whether it played, so that a
// class voice waits for it.
bool sound_area_warning(MainState& state, Platform& platform);

}  // namespace eew
