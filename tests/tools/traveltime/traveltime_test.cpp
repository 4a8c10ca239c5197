// The travel-table generator: velocity models, first arrivals and fronts, and
// the shipped tables it made.

#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "quake/travel_table.hpp"
#include "traveltime/front_table.hpp"
#include "traveltime/ray_fan.hpp"
#include "traveltime/velocity_model.hpp"

namespace eew::traveltime {
namespace {

const std::string kModels = EEW_SOURCE_DIR "/tools/traveltime/models/";

TEST(VelocityModel, ErrorsNameTheFileAndTheLineAtFault) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"0 6 3.5\n10 6 x\n", "m, line 2: expected three numbers: depth, Vp, Vs"},
        {"5 6 3.5\n10 6 3.5\n", "m, line 1: the first depth must be 0"},
        {"0 6 3.5\n10 6 3.5\n9 6 3.5\n", "m, line 3: depths must not decrease"},
        {"0 6 3.5\n10 6 3.5\n10 7 4\n10 8 4.5\n", "m, line 4: a depth may be given at most twice"},
        {"0 6 3.5\n10 6 6.5\n", "m, line 2: velocities must be positive with Vs below Vp"},
    };
    // clang-format on
    for (const auto& [text, error] : cases) {
        try {
            parse_velocity_model(text, "m");
            ADD_FAILURE() << "accepted " << text;
        } catch (const ModelError& e) {
            EXPECT_EQ(e.what(), error);
        }
    }
}

TEST(FirstArrivals, MatchThePublishedTablesWithinAFifthOfASecond) {
    using enum Wave;
    constexpr double kDegree = kEarthRadiusKm * std::numbers::pi / 180.0;  // km
    using Fan =
        std::tuple<const char*, Wave, double, double, std::vector<std::pair<double, double>>>;
    // IASPEI ak135 (Kennett, 2005) by degrees; the agency's JMA2001 (tjma2001) by km.
    // clang-format off
    const Fan fans[] = {
        {"ak135", P, 0, kDegree, {{1, 19.17}, {5, 76.27}, {10, 144.90}, {20, 274.10}}},
        {"ak135", S, 100, kDegree, {{1, 35.74}, {2, 57.38}, {5, 129.22}, {10, 250.88}}},
        {"jma2001", P, 0, 1, {{10, 2.05}, {200, 32.72}, {300, 45.79}, {1000, 134.06}}},
        {"jma2001", S, 200, 1, {{0, 46.46}, {100, 51.73}, {500, 121.70}, {1500, 330.23}}},
    };
    // clang-format on
    for (const auto& [model, wave, depth, unit, points] : fans) {
        const RayFan fan(read_velocity_model(kModels + model + ".txt"), wave, depth,
                         points.back().second + 10);
        for (const auto& [at, seconds] : points)
            EXPECT_NEAR(fan.first_arrival_seconds(at * unit).value_or(-1), seconds, 0.2)
                << model << " " << depth << " km deep, at " << at;
    }
}

// A front reaches the surface above the source first, then spreads along the
// curved surface; a source outside the model or a model too shallow for the
// time is refused.
TEST(FrontDistance, IsZeroUntilTheFrontReachesTheSurfaceAboveTheSource) {
    const VelocityModel uniform =
        parse_velocity_model("# uniform\r\n0 6 3.5  # top\r\n\r\n3000\t6\t3.5\r\n", "uniform");
    const RayFan fan(uniform, Wave::S, 70.0, 300.0);  // reaches the surface at 20 s
    EXPECT_EQ(fan.front_distance_km(19.9), 0.0);
    // At 25 s a sphere of 87.5 km round the source: 52.5 km on a flat Earth.
    EXPECT_NEAR(fan.front_distance_km(25.0), 52.79, 0.05);
    const VelocityModel shallow = parse_velocity_model("0 6 3.5\n100 8 4.5\n", "shallow");
    for (auto [depth, seconds] : {std::pair{100.0, 10.0}, {-1.0, 10.0}, {0.0, 300.0}})
        EXPECT_THROW(RayFan(shallow, Wave::P, depth, seconds), ModelError) << depth;
}

TEST(TravelTableText, WritesTenNumbersALineWithThreeDecimalsAndCrLf) {
    EXPECT_EQ(
        travel_table_text({{0, 0, 1.5, 2.25, 3.0004, 4.0006, 10, 20, 30, 40, 1234.5678}, {7.1}}),
        "0.000,0.000,1.500,2.250,3.000,4.001,10.000,20.000,30.000,40.000\r\n"
        "1234.568\r\n7.100\r\n");
}

// Spot checks that the committed tables are what the generator makes of the
// shipped model, each row for the top of its depth range; a full regeneration
// takes too long for a test.
TEST(ShippedTravelTables, AreTheJma2001Fronts) {
    const VelocityModel jma2001 = read_velocity_model(kModels + "jma2001.txt");
    for (const auto& [file, wave] :
         {std::pair{"traveltime300.dat", Wave::S}, std::pair{"traveltimep300.dat", Wave::P}}) {
        const TravelTable table = read_travel_table(EEW_SOURCE_DIR "/data/" + std::string(file));
        for (const auto& [row, depth_km] : {std::pair{1, 0.0}, {17, 80.0}, {81, 400.0}}) {
            EXPECT_EQ(row_source_depth_km(row), depth_km);
            const RayFan fan(jma2001, wave, depth_km, kTableSeconds);
            for (int t : {1, 5, 30, 90, 200, 300})
                EXPECT_NEAR(table.at(row, t), fan.front_distance_km(t), 0.0011)
                    << file << " row " << row << " second " << t;
        }
    }
}

}  // namespace
}  // namespace eew::traveltime
