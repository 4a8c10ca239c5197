#pragma once

namespace eew {

struct MainState;
class Platform;

// Opens the web pop-up's page in a browser once the followed event's
// shaking has passed the site, at most once per event-table cycle, when
// "LIVO PopUP" is checked. Runs right after the warning output's long-period
// judgement. `webpopup_ind` is set only when a browser was started; when
// none could be, the next run tries again.
void web_popup(MainState& state, Platform& platform);

}  // namespace eew
