#pragma once

#include <string_view>

namespace eew {

struct MainState;
class Platform;

// A waveform packet for the followed event (taken only while the latest
// report belongs to it): decodes it and draws its rows on the waveform panel.
void handle_waveform_packet(MainState& state, Platform& platform, std::string_view text);

// An observation packet for the followed event: decodes it and adds its
// station marks to the current event-map frame.
void handle_observation_packet(MainState& state, Platform& platform, std::string_view text);

// The marks of the last observation packet and their legend on the event map
// (`index_map`), over whatever is drawn: each live frame calls it between the
// epicentre mark and the wave fronts. With no packet yet only the legend shows.
void draw_station_observations(MainState& state, Platform& platform);

}  // namespace eew
