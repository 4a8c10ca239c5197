#include "maps/main_map_drawing.hpp"

#include <cmath>

#include "maps/map_marks.hpp"

namespace eew {
namespace {

constexpr int kMainMap = 5;

// The stored colour is a number read from a file; anything that is not a
// palette index is drawn black rather than converted out of range.
int stored_palette_index(double value) {
    if (!(value >= 0 && value <= 15)) return 0;
    return static_cast<int>(std::lround(value));
}

}  // namespace

void draw_main_map(Canvas& main_map, const MapCatalogue& maps,
                   std::span<const ListedEpicentre> listed, double longitude_site,
                   double latitude_site, const DateTime& now, int disp_event_hours) {
    main_map.clear();
    const long long window = -60LL * disp_event_hours;
    for (const ListedEpicentre& e : listed) {
        const auto time = DateTime::from_text(e.time);
        if (!time || minutes_between(now, *time) <= window) continue;
        double radius = 1.4 * e.magnitude;
        main_map_epicentre(main_map, project(maps, kMainMap, e.longitude, e.latitude), radius,
                           stored_palette_index(e.colour));
    }
    site_mark(main_map, project(maps, kMainMap, longitude_site, latitude_site));
}

}  // namespace eew
