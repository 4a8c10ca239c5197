#pragma once

namespace eew {

struct MainState;
class Platform;

// Redraws the pop-up's mechanism panel from the followed event's report
// (`azp`, `thp`, `azt`, `tht`, `nobs_pol`, `n_pol_err`) unless the panel
// shows that mechanism already (`mechanism_shown`). Runs after every
// presented report and, in a replay, every second.
void show_mechanism_panel(MainState& state, Platform& platform);

}  // namespace eew
