#pragma once

#include "draw/canvas.hpp"
#include "feed/recent_events.hpp"
#include "maps/map_catalogue.hpp"
#include "text/date_time.hpp"

namespace eew {

// The main map's picture: clears it, then draws, in list order so that later
// entries cover earlier ones, a black-rimmed disc of radius 1.4 x magnitude
// (at least 1 px) in the entry's palette colour for every 24-hour entry less
// than `disp_event_hours` hours old in whole minutes (both times truncated to
// the minute), and finally the site mark. An entry whose time cannot be read
// is not drawn.
void draw_main_map(Canvas& main_map, const MapCatalogue& maps, const RecentEvents& recent,
                   double longitude_site, double latitude_site, const DateTime& now,
                   int disp_event_hours);

}  // namespace eew
