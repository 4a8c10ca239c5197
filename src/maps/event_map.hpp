#pragma once

#include <functional>
#include <string>

#include "draw/colour.hpp"
#include "maps/map_catalogue.hpp"
#include "maps/map_marks.hpp"

namespace eew {

// The event map for an epicentre: a regional map (1 eastern, 2 western) when
// the event lies east of 133 E and south of 39 N and the site lies in that
// map's area, otherwise the whole country (3). map_on1 and map_on2 are the
// site-area flags.
int choose_event_map(double longitude, double latitude, int map_on1, int map_on2);

// The background image of event map `index_map`: 1 eastern, 2 western, any
// other number the whole country.
const std::string& event_map_image(int index_map, const std::string& file_kanto_map,
                                   const std::string& file_kansai_map,
                                   const std::string& file_japan_map);

// The followed event as the event map shows it.
struct EventMarks {
    double longitude_site = 0;
    double latitude_site = 0;
    double longitude = 0;  // epicentre
    double latitude = 0;
    int depth_color = 0;  // depth class of the followed event
    int index_map = 0;
};

// The site mark and the epicentre mark (radius 10, width 6, in the depth
// class's colour), as drawn at once when an event becomes followed and at the
// start of every frame.
void draw_event_marks(const MapCatalogue& maps, const MapPictures& pictures,
                      const DepthColorTable& depth_color_table, const LongPeriodWave& wave,
                      const EventMarks& marks);

// One frame of the event map, `lapse` seconds after the origin.
struct EventMapFrame {
    EventMarks marks;
    double s_front_km = 0;  // distances the S and P fronts have reached
    double p_front_km = 0;
};

// Clears the event map and draws the frame: site and epicentre marks, then
// `draw_station_observations` (the marks of the last station-observation
// packet; pass an empty function when there are none to show, as in a
// replay), then the S front (depth colour 1) and the P front (depth colour 5).
void draw_event_map_frame(const MapCatalogue& maps, const MapPictures& pictures,
                          const DepthColorTable& depth_color_table, const LongPeriodWave& wave,
                          const EventMapFrame& frame,
                          const std::function<void()>& draw_station_observations);

}  // namespace eew
