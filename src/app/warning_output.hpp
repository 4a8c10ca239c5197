#pragma once

namespace eew {

struct MainState;
class Platform;

// Shows the followed event's numbers in the pop-up window and, with a valid S
// travel time, announces its intensity class: the class sound once per change
// of class, the warning and long-period sentences in the message window, the
// long-period judgement (`longEVstop`) and the web pop-up. Runs after every
// report of the followed event and every second while it is shown, so the
// sentences follow the countdown. Without a valid travel time only the
// numbers, the headline and the reference site are written.
void warning_output(MainState& state, Platform& platform);

}  // namespace eew
