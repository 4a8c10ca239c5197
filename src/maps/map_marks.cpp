#include "maps/map_marks.hpp"

namespace eew {
namespace {

constexpr int kMainMap = 5;
constexpr int kSitePalette = 12;

void filled_square(Canvas& picture, double x, double y, double half, Colour colour) {
    picture.square(static_cast<float>(x - half), static_cast<float>(y - half),
                   static_cast<float>(x + half), static_cast<float>(y + half), colour, 1, true);
}

void radius_at_least_one(double& radius) {
    if (radius <= 0) radius = 1;
}

bool shows_long_period_wave(const LongPeriodWave& wave) {
    return wave.longEVstop == 1 || (wave.magnitude >= 6.0 && wave.depth <= 30);
}

void event_map_epicentre(const MapCatalogue& maps, Canvas& event_map, const LongPeriodWave& wave,
                         MapPoint at, double radius, int colour, int line_width) {
    const auto x = static_cast<float>(at.x);
    const auto y = static_cast<float>(at.y);
    event_map.circle(x, y, static_cast<float>(radius), Colour::palette(colour), line_width);
    if (!shows_long_period_wave(wave)) return;
    const double reach =
        static_cast<double>(wave.lapse) * km_scale(maps, wave.index_map) * wave.lpwave_velocity;
    // Before the origin time (or with no speed) the wave has not left the
    // epicentre: there is no circle to show.
    if (reach <= 0) return;
    event_map.circle(x, y, static_cast<float>(reach), Colour::rgb(0, 192, 0), 3);
}

}  // namespace

void site_mark(Canvas& picture, MapPoint at) {
    filled_square(picture, at.x, at.y, 3, Colour::palette(kSitePalette));
}

void main_map_epicentre(Canvas& main_map, MapPoint at, double& radius, int colour) {
    radius_at_least_one(radius);
    main_map.filled_circle(static_cast<float>(at.x), static_cast<float>(at.y),
                           static_cast<float>(radius), Colour::palette(colour), Colour::palette(0),
                           1);
}

void draw_site_mark(const MapCatalogue& maps, const MapPictures& pictures, double longitude,
                    double latitude, int map) {
    Canvas& picture = map == kMainMap ? pictures.main_map : pictures.event_map;
    site_mark(picture, project(maps, map, longitude, latitude));
}

void draw_station_mark(const MapCatalogue& maps, const MapPictures& pictures, double longitude,
                       double latitude, int map, int colour) {
    const MapPoint at = project(maps, map, longitude, latitude);
    filled_square(pictures.event_map, at.x, at.y, 4, Colour::palette(colour));
}

void draw_panel_box(const MapPictures& pictures, double x, double y, int target, int colour) {
    Canvas& picture = target == 1 ? pictures.event_map : pictures.waveform_panel;
    filled_square(picture, x, y, 4, Colour::palette(colour));
}

void draw_epicentre_mark(const MapCatalogue& maps, const MapPictures& pictures,
                         const LongPeriodWave& wave, double longitude, double latitude,
                         double& radius, int colour, int map, int line_width) {
    radius_at_least_one(radius);
    const MapPoint at = project(maps, map, longitude, latitude);
    if (map == kMainMap) {
        main_map_epicentre(pictures.main_map, at, radius, colour);
    } else {
        event_map_epicentre(maps, pictures.event_map, wave, at, radius, colour, line_width);
    }
}

}  // namespace eew
