#pragma once

namespace eew {
struct MainState;
}

namespace eew::test {

// A started program's state without files: the site in Tokyo (139.7536 E,
// 35.694 N, factor 1.4), filter 1 P station / M 3.0 / 700 km / intensity 0.5,
// relay mode, port 52101, display time 120 s, travel tables S 4 km/s and P
// 7 km/s at every depth, long-period speed 3 km/s, two regions, no reference
// sites, and the buttons as after start-up.
void configure_for_tests(MainState& state);

}  // namespace eew::test
