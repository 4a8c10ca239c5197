#include "quake/presentation.hpp"

namespace eew {

// The pop-up window, the event map, the warning output and the mechanism
// display plug in here as they are built; until then a followed report is
// shown in the main window's boxes only.
void present_followed_report(MainState&, Platform&, bool) {}

}  // namespace eew
