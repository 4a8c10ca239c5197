#pragma once

namespace eew {

struct MainState;
class Platform;

// Shows a report of the followed event: for a newly followed event the first
// info, the chime, the event map and the pop-up window, then for every report
// the latest info, the warning output and the focal mechanism.
void present_followed_report(MainState& state, Platform& platform, bool new_event);

}  // namespace eew
