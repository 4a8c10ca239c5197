// The data files shipped with the program: read as the program reads them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "config/paths.hpp"
#include "maps/map_catalogue.hpp"
#include "quake/forecast_area_table.hpp"
#include "quake/region_table.hpp"

namespace eew {
namespace {

const Paths kPaths = build_paths(EEW_SHIPPED_PROGRAM_FOLDER);

std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The unsigned number in `size` bytes at `at`, least significant first. Throws
// std::out_of_range past the end, so a short file fails the test that reads it.
std::uint32_t little_endian(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int k = size - 1; k >= 0; --k)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + k));
    return value;
}

// The plain 44-byte header ("fmt " then "data", nothing after the samples), so
// that any player takes them.
TEST(ShippedSounds, AreAudibleMonoSixteenBitPcmShorterThanThreeSeconds) {
    std::vector<std::string> files(kPaths.file_sound_si.begin() + 1, kPaths.file_sound_si.end());
    files.push_back(kPaths.file_sound);
    files.push_back(kPaths.file_sound_area_warning);
    for (const std::string& file : files) {
        const std::string wav = read_bytes(file);
        ASSERT_EQ(wav.substr(0, 4) + wav.substr(8, 8) + wav.substr(36, 4), "RIFFWAVEfmt data");
        // PCM, one channel, 16 bits a sample, and every byte after the header a sample.
        EXPECT_EQ(std::tuple(little_endian(wav, 20, 2), little_endian(wav, 22, 2),
                             little_endian(wav, 34, 2), little_endian(wav, 40, 4)),
                  std::tuple(1u, 1u, 16u, wav.size() - 44))
            << file;
        const double samples = (wav.size() - 44) / 2;
        EXPECT_LT(samples / little_endian(wav, 24, 4), 3.0) << file;
        double sum = 0;
        for (std::size_t i = 44; i + 1 < wav.size(); i += 2)
            sum += std::pow(static_cast<std::int16_t>(little_endian(wav, i, 2)), 2);
        EXPECT_GT(std::sqrt(sum / samples), 1000) << file << " is quieter than -30 dBFS";
    }
}

// Every line of the region table is a row the program reads, its name readable.
TEST(ShippedTables, RegionTableIsReadWhole) {
    const RegionTable table = read_region_table(region_table_path(kPaths));
    int rows = 0;
    for (; rows < RegionTable::kCapacity && !table.region_table[rows + 1][1].empty(); ++rows)
        EXPECT_EQ(table.region_table[rows + 1][2].find("\xEF\xBF\xBD"), std::string::npos) << rows;
    EXPECT_EQ(rows, std::ranges::count(read_bytes(region_table_path(kPaths)), '\n'));
}

// Every forecast area is read, in code order, with a readable name.
TEST(ShippedTables, ForecastAreaTableIsReadWhole) {
    const ForecastAreaTable table = read_forecast_area_table(forecast_area_table_path(kPaths));
    EXPECT_EQ(table.areas.size(), 188u);
    for (std::size_t i = 1; i < table.areas.size(); ++i)
        EXPECT_LT(table.areas[i - 1].first, table.areas[i].first) << i;
    EXPECT_EQ(std::tuple(*forecast_area_name(table, 251), *forecast_area_name(table, 350)),
              std::tuple("福島県浜通り", "東京都２３区"));
}

// The maps are bottom-up 24-bit bitmaps of the catalogued size, rows padded to
// 4 bytes. Whole-degree lines are thinner than a pixel, so each lies in one
// pixel column or row: pixel (i, j) covers [i, i+1) x [j, j+1). Rounding the
// projection instead of truncating it, a wrong scale or an image shifted by a
// pixel finds water there and the line beside it.
TEST(ShippedMaps, GraticuleLinesFallInThePixelHoldingTheirProjection) {
    constexpr std::uint32_t kWater = 0xF0F6FC;  // 0xRRGGBB
    MapCatalogue maps;
    fill_map_catalogue(maps);
    struct Line {
        int map;
        std::string Paths::*file;
        double longitude, latitude, dx, dy;  // dx, dy: across the line
    };
    const Line lines[] = {
        {1, &Paths::file_kanto_map, 137.0, 38.3, 1, 0},
        {2, &Paths::file_kansai_map, 136.0, 33.3, 1, 0},
        {3, &Paths::file_japan_map, 135.5, 40.0, 0, 1},
        {5, &Paths::file_24h_map, 130.0, 40.5, 1, 0},
    };
    for (const Line& l : lines) {
        const std::string bmp = read_bytes(kPaths.*l.file);
        const auto width = static_cast<std::size_t>(maps.map_width[l.map]);
        const auto height = static_cast<std::size_t>(maps.map_height[l.map]);
        const MapPoint p = project(maps, l.map, l.longitude, l.latitude);
        auto colour = [&](int across) {
            const auto x = static_cast<std::size_t>(std::floor(p.x) + across * l.dx);
            const auto row = height - 1 - static_cast<std::size_t>(std::floor(p.y) + across * l.dy);
            return little_endian(
                bmp, little_endian(bmp, 10, 4) + row * ((3 * width + 3) / 4 * 4) + 3 * x, 3);
        };
        EXPECT_EQ(std::tuple(little_endian(bmp, 18, 4), little_endian(bmp, 22, 4)),
                  std::tuple(width, height))
            << kPaths.*l.file;
        EXPECT_EQ(std::tuple(colour(-1), colour(0) == kWater, colour(1)),
                  std::tuple(kWater, false, kWater))
            << kPaths.*l.file;
    }
}

}  // namespace
}  // namespace eew
