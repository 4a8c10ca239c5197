#include "app/clock_display.hpp"

#include "app/main_state.hpp"

namespace eew {

void apply_clock_check(MainState& m, const ClockCheck& check) {
    m.clock = check;
    const ClockLine line = clock_line(check);
    m.main_view.clock_line = {line.text, line.warn ? palette_colour(14) : kWhite};
}

}  // namespace eew
