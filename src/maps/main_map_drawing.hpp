#pragma once

#include <span>
#include <string>

#include "draw/canvas.hpp"
#include "maps/map_catalogue.hpp"
#include "text/date_time.hpp"

namespace eew {

// One entry of the 24-hour list as the main map needs it; the map does not
// know the list's file.
struct ListedEpicentre {
    std::string time;  // as the list keeps it; unreadable text is not drawn
    double magnitude = 0;
    double latitude = 0;
    double longitude = 0;
    double colour = 0;  // palette index as stored, possibly out of range
};

// The main map's picture: clears it, then draws, in list order so that later
// entries cover earlier ones, a black-rimmed disc of radius 1.4 x magnitude
// (at least 1 px) in the entry's palette colour for every 24-hour entry less
// than `disp_event_hours` hours old in whole minutes (both times truncated to
// the minute), and finally the site mark. An entry whose time cannot be read
// is not drawn.
void draw_main_map(Canvas& main_map, const MapCatalogue& maps,
                   std::span<const ListedEpicentre> listed, double longitude_site,
                   double latitude_site, const DateTime& now, int disp_event_hours);

}  // namespace eew
