#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "data_assets/file_bytes.hpp"
#include "maps/map_catalogue.hpp"

namespace eew {
namespace {

using test::little_endian;

constexpr std::uint32_t kLand = 0xE6E3D8, kWater = 0xF0F6FC;  // 0xRRGGBB

const MapCatalogue& catalogue() {
    static const MapCatalogue maps = [] {
        MapCatalogue c;
        fill_map_catalogue(c);
        return c;
    }();
    return maps;
}

// The shipped maps are bottom-up 24-bit bitmaps, their rows padded to 4 bytes.
const std::string& map_image(int m) {
    static const char* const names[] = {
        "", "kanto_event.bmp", "kansai_event.bmp", "japan_event.bmp", "", "japan_map.bmp"};
    static std::array<std::string, 6> images;
    if (images[m].empty())
        images[m] = test::read_bytes(std::string(EEW_SOURCE_DATA_DIR) + "/" + names[m]);
    return images[m];
}

std::size_t row_bytes(const std::string& bmp) {
    return (3 * little_endian(bmp, 18, 4) + 3) / 4 * 4;
}

// The colour of the pixel holding the projection of a point, or of the one
// `dx`, `dy` pixels from it; pixel (i, j) covers [i, i+1) x [j, j+1).
std::uint32_t colour_at(int m, double longitude, double latitude, int dx = 0, int dy = 0) {
    const MapPoint p = project(catalogue(), m, longitude, latitude);
    const std::string& bmp = map_image(m);
    const auto x = static_cast<std::size_t>(std::floor(p.x) + dx);
    const auto row = little_endian(bmp, 22, 4) - 1 - static_cast<std::size_t>(std::floor(p.y) + dy);
    return little_endian(bmp, little_endian(bmp, 10, 4) + row * row_bytes(bmp) + 3 * x, 3);
}

TEST(MapImages, AreWholeTwentyFourBitBitmapsOfTheCataloguedSize) {
    for (int m : {1, 2, 3, 5}) {
        SCOPED_TRACE(m);
        const std::string& bmp = map_image(m);
        ASSERT_EQ(bmp.substr(0, 2), "BM");
        // Bits a pixel, compression, width and height.
        EXPECT_EQ(std::tuple(little_endian(bmp, 28, 2), little_endian(bmp, 30, 4),
                             little_endian(bmp, 18, 4), little_endian(bmp, 22, 4)),
                  std::tuple(24u, 0u, catalogue().map_width[m], catalogue().map_height[m]));
        EXPECT_EQ(bmp.size(),
                  little_endian(bmp, 10, 4) + row_bytes(bmp) * little_endian(bmp, 22, 4));
    }
}

TEST(MapImages, LandAndWaterLieWhereTheProjectionPutsThem) {
    struct Place {
        int map;
        double longitude, latitude;
        std::uint32_t colour;
    };
    for (const Place& p : {Place{1, 139.70, 35.69, kLand},    // Tokyo
                           Place{1, 141.5, 34.5, kWater},     // Pacific off Boso
                           Place{2, 135.76, 35.05, kLand},    // Kyoto
                           Place{2, 136.08, 35.25, kWater},   // Lake Biwa
                           Place{3, 141.35, 43.06, kLand},    // Sapporo
                           Place{3, 135.5, 40.5, kWater},     // Sea of Japan
                           Place{5, 128.5, 36.3, kLand},      // Korea
                           Place{5, 143.5, 35.5, kWater}}) {  // Pacific
        EXPECT_EQ(colour_at(p.map, p.longitude, p.latitude), p.colour)
            << "map " << p.map << " at " << p.longitude << ", " << p.latitude;
    }
}

// Whole-degree lines are thinner than a pixel, so each lies in one pixel column
// or row; rounding the projection instead of truncating it, or an image shifted
// by a pixel, finds water there and the line beside it.
TEST(MapImages, GraticuleLinesFallInThePixelHoldingTheirProjection) {
    struct Line {
        int map;
        double longitude, latitude;
        int dx, dy;  // across the line
    };
    for (const Line& l : {Line{1, 137.0, 38.3, 1, 0}, Line{2, 136.0, 33.3, 1, 0},
                          Line{3, 135.5, 40.0, 0, 1}, Line{5, 130.0, 40.5, 1, 0}}) {
        SCOPED_TRACE(testing::Message() << "map " << l.map);
        EXPECT_NE(colour_at(l.map, l.longitude, l.latitude), kWater);
        EXPECT_EQ(colour_at(l.map, l.longitude, l.latitude, -l.dx, -l.dy), kWater);
        EXPECT_EQ(colour_at(l.map, l.longitude, l.latitude, l.dx, l.dy), kWater);
    }
}

}  // namespace
}  // namespace eew
