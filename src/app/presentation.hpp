#pragma once

#include "maps/map_marks.hpp"

namespace eew {

struct MainState;
class Platform;

// Prepares the pop-up window for a newly followed event: freezes the first
// info (the "_first" fields); when `voice_flag` is set plays the chime and
// waits 0.6 s with other events running, so that the chime is under way
// before a class sound replaces it; then, unless the user has minimised or
// maximised the pop-up (which keeps its size, map and the indicator as they
// are), gives it its presented size, chooses and loads the event map
// (`index_map`), lights the event indicator and shows the window if "PopUP"
// is ticked. Fills the first-info column, the site name and empties the
// station legend.
void new_event_presentation(MainState& state, Platform& platform);

// What the event map's long-period wave circle needs of the followed event.
LongPeriodWave long_period_wave(const MainState& state);

// The "latest info" column of the pop-up from the followed event's report.
void fill_latest_fields(MainState& state);

// Presents a report of the followed event, where the pop-up window, the
// warning output and the mechanism diagram join the report chain. For a
// newly followed event: new_event_presentation, the latest info, and the
// site and epicentre marks on the freshly loaded event map; for a further
// report of the same event: the latest info.
void present_followed_report(MainState& state, Platform& platform, bool new_event);

}  // namespace eew
