#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "maps/map_catalogue.hpp"

namespace eew {
namespace {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "RGB(" << c.r << ", " << c.g << ", " << c.b << ")";
}

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;
    std::size_t pixel_offset = 0;
    std::size_t stride = 0;
    bool bottom_up = true;

    Rgb at(int x, int y) const {
        const std::size_t row = static_cast<std::size_t>(bottom_up ? height - 1 - y : y);
        const std::size_t i = pixel_offset + row * stride + 3 * static_cast<std::size_t>(x);
        return {bytes[i + 2], bytes[i + 1], bytes[i]};
    }
};

std::uint32_t little_endian(const std::vector<std::uint8_t>& b, std::size_t at, int size) {
    std::uint32_t v = 0;
    for (int k = size - 1; k >= 0; --k)
        v = v << 8 | b[at + k];
    return v;
}

// Returns nothing unless the file is a whole uncompressed 24-bit Windows bitmap.
std::optional<Bitmap> read_bitmap(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    Bitmap image;
    image.bytes.resize(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(image.bytes.data()),
                 static_cast<std::streamsize>(image.bytes.size())))
        return std::nullopt;
    const auto& b = image.bytes;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
    const auto width = static_cast<std::int32_t>(little_endian(b, 18, 4));
    const auto height = static_cast<std::int32_t>(little_endian(b, 22, 4));
    if (little_endian(b, 14, 4) < 40 || little_endian(b, 26, 2) != 1 ||
        little_endian(b, 28, 2) != 24 || little_endian(b, 30, 4) != 0 || width <= 0 ||
        height == 0 || height == INT32_MIN)
        return std::nullopt;
    image.width = width;
    image.height = std::abs(height);
    image.bottom_up = height > 0;
    image.pixel_offset = little_endian(b, 10, 4);
    image.stride = (3 * static_cast<std::size_t>(width) + 3) / 4 * 4;
    if (image.pixel_offset + image.stride * static_cast<std::size_t>(image.height) > b.size())
        return std::nullopt;
    return image;
}

constexpr Rgb kLand{230, 227, 216};
constexpr Rgb kWater{240, 246, 252};

struct MapFile {
    int map;
    const char* name;
};

constexpr MapFile kMapFiles[] = {
    {1, "kanto_event.bmp"}, {2, "kansai_event.bmp"}, {3, "japan_event.bmp"}, {5, "japan_map.bmp"}};

class MapImages : public ::testing::Test {
  protected:
    void SetUp() override {
        fill_map_catalogue(maps_);
        for (const auto& [m, name] : kMapFiles) {
            auto image = read_bitmap(std::string(EEW_SOURCE_DATA_DIR) + "/" + name);
            ASSERT_TRUE(image) << name << " is not an uncompressed 24-bit bitmap";
            images_.emplace(m, std::move(*image));
        }
    }

    // Pixel (i, j) covers the projected square [i, i+1) x [j, j+1).
    std::pair<int, int> pixel_of(int m, double longitude, double latitude) const {
        const MapPoint p = project(maps_, m, longitude, latitude);
        return {static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y))};
    }

    Rgb colour_at(int m, double longitude, double latitude) const {
        const auto [x, y] = pixel_of(m, longitude, latitude);
        return images_.at(m).at(x, y);
    }

    MapCatalogue maps_;
    std::map<int, Bitmap> images_;
};

TEST_F(MapImages, HaveTheCataloguedSize) {
    for (const auto& [m, name] : kMapFiles) {
        SCOPED_TRACE(name);
        EXPECT_EQ(images_.at(m).width, maps_.map_width[m]);
        EXPECT_EQ(images_.at(m).height, maps_.map_height[m]);
    }
}

TEST_F(MapImages, LandAndWaterLieWhereTheProjectionPutsThem) {
    struct Place {
        int map;
        const char* name;
        double longitude, latitude;
        Rgb colour;
    };
    const Place places[] = {
        {1, "Tokyo", 139.70, 35.69, kLand},
        {1, "Pacific off Boso", 141.5, 34.5, kWater},
        {1, "Sea of Japan off Noto", 137.5, 38.3, kWater},
        {1, "Lake Inawashiro", 140.08, 37.48, kWater},
        {2, "Kyoto", 135.76, 35.05, kLand},
        {2, "Tokyo", 139.70, 35.69, kLand},
        {2, "Lake Biwa", 136.08, 35.25, kWater},
        {2, "Pacific off Kii", 136.5, 33.3, kWater},
        {2, "Sea of Japan off Oki", 134.5, 36.3, kWater},
        {3, "Tokyo", 139.70, 35.69, kLand},
        {3, "Sapporo", 141.35, 43.06, kLand},
        {3, "Korea", 128.5, 36.3, kLand},
        {3, "Pacific", 143.5, 35.5, kWater},
        {3, "Sea of Japan", 135.5, 40.5, kWater},
        {5, "Tokyo", 139.70, 35.69, kLand},
        {5, "Sapporo", 141.35, 43.06, kLand},
        {5, "Korea", 128.5, 36.3, kLand},
        {5, "Pacific", 143.5, 35.5, kWater},
        {5, "Sea of Japan", 135.5, 40.5, kWater},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(testing::Message() << "map " << p.map << ", " << p.name);
        EXPECT_EQ(colour_at(p.map, p.longitude, p.latitude), p.colour);
    }
}

// Whole-degree lines are thinner than a pixel, so each of these lies in one
// pixel column or row; rounding the projection instead of truncating it would
// find them one pixel further right or down.
TEST_F(MapImages, GraticuleLinesFallInThePixelHoldingTheirProjection) {
    const Bitmap& kanto = images_.at(1);
    for (const double meridian : {137.0, 142.0}) {
        SCOPED_TRACE(meridian);
        const auto [x, y] = pixel_of(1, meridian, 38.3);
        EXPECT_NE(kanto.at(x, y), kWater);
        EXPECT_EQ(kanto.at(x - 1, y), kWater);
        EXPECT_EQ(kanto.at(x + 1, y), kWater);
    }
    const Bitmap& japan = images_.at(3);
    for (const double parallel : {40.0, 39.0}) {
        SCOPED_TRACE(parallel);
        const auto [x, y] = pixel_of(3, 135.5, parallel);
        EXPECT_NE(japan.at(x, y), kWater);
        EXPECT_EQ(japan.at(x, y - 1), kWater);
        EXPECT_EQ(japan.at(x, y + 1), kWater);
    }
}

}  // namespace
}  // namespace eew
