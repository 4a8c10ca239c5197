#include "maps/map_catalogue.hpp"

namespace eew {
namespace {

struct MapRow {
    int index;
    double width, height, lon_span, lat_span, x_origin, y_origin, lon_origin, lat_origin, km_scale;
};

void fill_row(MapCatalogue& maps, const MapRow& row) {
    const int m = row.index;
    maps.map_width[m] = row.width;
    maps.map_height[m] = row.height;
    maps.map_x_scale[m] = row.width / row.lon_span;
    maps.map_y_scale[m] = row.height / row.lat_span;
    maps.map_x_origin[m] = row.x_origin;
    maps.map_y_origin[m] = row.y_origin;
    maps.map_lon_origin[m] = row.lon_origin;
    maps.map_lat_origin[m] = row.lat_origin;
    maps.map_km_scale[m] = row.km_scale;
}

int known_map(int m) {
    return m < 0 || m > 5 ? 0 : m;
}

}  // namespace

void fill_map_catalogue(MapCatalogue& maps) {
    fill_row(maps, {1, 671, 700, 8.35, 7.0, 0, 357, 135, 36.5, 0.8735});
    fill_row(maps, {2, 671, 700, 8.25, 7.0, 0, 357, 132, 35.5, 0.884});
    fill_row(maps, {3, 671, 700, 19.8, 16.3, 0, 366, 127, 37.5, 0.378});
    fill_row(maps, {5, 425, 457, 20.0, 17.0, 0, 238, 127, 37.5, 0.231});
}

int site_in_eastern_map(double longitude_site, double latitude_site) {
    return longitude_site > 135 && latitude_site < 39 ? 1 : 0;
}

int site_in_western_map(double longitude_site) {
    return longitude_site > 132 && longitude_site < 140.2 ? 1 : 0;
}

MapPoint project(const MapCatalogue& maps, int m, double longitude, double latitude) {
    m = known_map(m);
    return {maps.map_x_origin[m] + maps.map_x_scale[m] * (longitude - maps.map_lon_origin[m]),
            maps.map_y_origin[m] + maps.map_y_scale[m] * (maps.map_lat_origin[m] - latitude)};
}

double km_scale(const MapCatalogue& maps, int m) {
    return maps.map_km_scale[known_map(m)];
}

}  // namespace eew
