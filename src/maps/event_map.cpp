#include "maps/event_map.hpp"

namespace eew {
namespace {

constexpr int kEastern = 1;
constexpr int kWestern = 2;
constexpr int kCountry = 3;

void draw_front(const MapCatalogue& maps, const MapPictures& pictures,
                const DepthColorTable& depth_color_table, const LongPeriodWave& wave,
                const EventMarks& marks, double front_km, int depth_class) {
    double radius = km_scale(maps, marks.index_map) * front_km;
    draw_epicentre_mark(maps, pictures, wave, marks.longitude, marks.latitude, radius,
                        depth_class_colour(depth_color_table, depth_class), marks.index_map, 1);
}

}  // namespace

int choose_event_map(double longitude, double latitude, int map_on1, int map_on2) {
    if (!(longitude > 133 && latitude < 39)) return kCountry;
    if (map_on1 == 1 && map_on2 == 1) return longitude >= 137.5 ? kEastern : kWestern;
    // At most one flag is set here: the map of the site's area, or the whole
    // country when the site lies in neither.
    int index_map = kCountry;
    if (map_on1 != 0) index_map = kEastern;
    if (map_on2 != 0) index_map = kWestern;
    return index_map;
}

const std::string& event_map_image(int index_map, const std::string& file_kanto_map,
                                   const std::string& file_kansai_map,
                                   const std::string& file_japan_map) {
    if (index_map == kEastern) return file_kanto_map;
    if (index_map == kWestern) return file_kansai_map;
    return file_japan_map;
}

void draw_event_marks(const MapCatalogue& maps, const MapPictures& pictures,
                      const DepthColorTable& depth_color_table, const LongPeriodWave& wave,
                      const EventMarks& marks) {
    draw_site_mark(maps, pictures, marks.longitude_site, marks.latitude_site, marks.index_map);
    double radius = 10;
    draw_epicentre_mark(maps, pictures, wave, marks.longitude, marks.latitude, radius,
                        depth_class_colour(depth_color_table, marks.depth_color), marks.index_map,
                        6);
}

void draw_event_map_frame(const MapCatalogue& maps, const MapPictures& pictures,
                          const DepthColorTable& depth_color_table, const LongPeriodWave& wave,
                          const EventMapFrame& frame,
                          const std::function<void()>& draw_station_observations) {
    pictures.event_map.clear();
    draw_event_marks(maps, pictures, depth_color_table, wave, frame.marks);
    if (draw_station_observations) draw_station_observations();
    draw_front(maps, pictures, depth_color_table, wave, frame.marks, frame.s_front_km, 1);
    draw_front(maps, pictures, depth_color_table, wave, frame.marks, frame.p_front_km, 5);
}

}  // namespace eew
