#pragma once

#include "draw/canvas.hpp"
#include "maps/map_catalogue.hpp"

namespace eew {

// The pictures the marks can land on. The operations pick one by map number
// or target, as the callers name maps rather than pictures.
struct MapPictures {
    Canvas& main_map;
    Canvas& event_map;
    Canvas& waveform_panel;
};

// What the event map's long-period wave circle depends on.
struct LongPeriodWave {
    int longEVstop = 0;          // 1: always draw the circle
    double magnitude = 0;        // of the followed event
    double depth = 0;            // km, of the followed event
    long long lapse = 0;         // whole seconds since the origin time
    double lpwave_velocity = 0;  // km/s
    int index_map = 0;           // the event map, for its km scale
};

// A 7 px square in palette 12 at the site: on the main map when `map` is 5,
// otherwise on the event map.
void draw_site_mark(const MapCatalogue& maps, const MapPictures& pictures, double longitude,
                    double latitude, int map);

// A 9 px square in palette `colour` on the event map, projected with `map`.
void draw_station_mark(const MapCatalogue& maps, const MapPictures& pictures, double longitude,
                       double latitude, int map, int colour);

// A 9 px square in palette `colour` centred on pixel (x, y): on the event map
// when `target` is 1, otherwise on the waveform panel.
void draw_panel_box(const MapPictures& pictures, double x, double y, int target, int colour);

// An epicentre or wave-front circle of `radius` px. A radius <= 0 is set to 1
// in the caller's variable first. Map 5: a disc in palette `colour` with a
// black rim of width 1. Other maps: an outline of `line_width` on the event
// map, followed by the long-period wave circle when `wave` calls for it.
void draw_epicentre_mark(const MapCatalogue& maps, const MapPictures& pictures,
                         const LongPeriodWave& wave, double longitude, double latitude,
                         double& radius, int colour, int map, int line_width);

// The same marks drawn on a given picture at a projected point, for drawings
// that only ever touch one picture.
void site_mark(Canvas& picture, MapPoint at);
void main_map_epicentre(Canvas& main_map, MapPoint at, double& radius, int colour);

}  // namespace eew
