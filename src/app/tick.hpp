#pragma once

namespace eew {

struct MainState;
class Platform;

// The one-second tick (`Timer1`), the clock of the event display. Shows the
// time of day and the event state, the seconds before the pop-up closes by
// itself and, for the followed event, advances the countdowns, reruns the
// warning output and draws the growing wave fronts on the event map. Ends a
// live event after the noise message and the display time, or after
// `display_time_max` seconds without a report: its slots are logged, the
// table reset and the main map redrawn. During a replay it feeds the
// recorded reports at their recorded pace, at most one a tick, and ends the
// replay the same way, without logging.
void Timer1_Timer(MainState& state, Platform& platform);

}  // namespace eew
