#pragma once

#include <optional>
#include <string>

namespace eew {

struct MainState;
class Platform;

// Start-up steps 1 to 17: paths and log folders, the configuration, the data
// tables, the fixed display values, the 24-hour list and reference sites, the
// event-table reset and the initial button states; also the web pop-up's
// pages. Returns nothing on success, else one message for the user naming the
// file and what was missing; the program must then end without starting
// anything. The pages file is optional: what is wrong with it is only a notice.
std::optional<std::string> load_program_state(MainState& state, Platform& platform);

}  // namespace eew
