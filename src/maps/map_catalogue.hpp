#pragma once

#include <array>

namespace eew {

// Geometry of the map pictures, indexed by map number: 1 eastern regional
// event map, 2 western regional, 3 whole country, 5 main map. Entries 0 and 4
// stay empty.
struct MapCatalogue {
    std::array<double, 6> map_x_origin{};
    std::array<double, 6> map_y_origin{};
    std::array<double, 6> map_lon_origin{};
    std::array<double, 6> map_lat_origin{};
    std::array<double, 6> map_x_scale{};   // pixels per degree of longitude
    std::array<double, 6> map_y_scale{};   // pixels per degree of latitude
    std::array<double, 6> map_km_scale{};  // pixels per km, a stored constant
    std::array<double, 6> map_width{};
    std::array<double, 6> map_height{};
};

void fill_map_catalogue(MapCatalogue& maps);

// Whether a site lies in the eastern (map_on1) or western (map_on2) regional
// event map's area: 1 or 0.
int site_in_eastern_map(double longitude_site, double latitude_site);
int site_in_western_map(double longitude_site);

struct MapPoint {
    double x = 0;
    double y = 0;
};

// Pixel position of a geographic point on map `m`; not clipped. A map number
// outside 0..5 reads the empty entry 0.
MapPoint project(const MapCatalogue& maps, int m, double longitude, double latitude);

// Pixels per km on map `m`; 0 for a map number outside 0..5.
double km_scale(const MapCatalogue& maps, int m);

}  // namespace eew
