#pragma once

namespace eew {

struct MainState;
struct ClockCheck;

// Keeps the clock's last check and shows it on the main window's clock line.
void apply_clock_check(MainState& state, const ClockCheck& check);

}  // namespace eew
