#pragma once

namespace eew {

struct MainState;
class Platform;

// Presents a report of the followed event; the one place where the pop-up
// window, the warning output and the mechanism diagram join the report chain.
// For a newly followed event it freezes the first info (the "_first" fields)
// and, when `voice_flag` is set, plays the chime and waits 0.6 s with other
// events running, so that the chime is under way before a class sound
// replaces it. Nothing else is shown yet beyond the main window's boxes.
void present_followed_report(MainState& state, Platform& platform, bool new_event);

}  // namespace eew
