#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "ray_fan.hpp"
#include "velocity_model.hpp"

namespace eew::traveltime {
namespace {

constexpr double kDegree = kEarthRadiusKm * std::numbers::pi / 180.0;  // km

TEST(FirstArrivals, MatchThePublishedTablesWithinAFifthOfASecond) {
    using enum Wave;
    struct Fan {
        const char* model;
        Wave wave;
        double depth_km, km_per_unit;
        std::vector<std::pair<double, double>> distance_seconds;
    };
    // IASPEI ak135 (Kennett, 2005) by degrees; the agency's JMA2001 (tjma2001) by km.
    const Fan fans[] = {
        {"ak135", P, 0, kDegree, {{1, 19.17}, {2, 35.03}, {5, 76.27}, {10, 144.90}, {20, 274.10}}},
        {"ak135", S, 0, kDegree, {{1, 32.14}, {2, 60.75}, {5, 134.76}, {10, 257.80}, {20, 499.77}}},
        {"ak135", P, 100, kDegree, {{1, 20.39}, {2, 32.54}, {5, 72.67}, {10, 140.62}}},
        {"ak135", S, 100, kDegree, {{1, 35.74}, {2, 57.38}, {5, 129.22}, {10, 250.88}}},
        {"jma2001", P, 0, 1, {{10, 2.05}, {50, 9.23}, {100, 17.68}, {200, 32.72}}},
        {"jma2001", P, 0, 1, {{300, 45.79}, {500, 71.32}, {1000, 134.06}}},
        {"jma2001", S, 0, 1, {{50, 15.63}, {300, 79.39}, {1000, 236.68}, {1500, 346.85}}},
        {"jma2001", S, 200, 1, {{0, 46.46}, {100, 51.73}, {500, 121.70}, {1500, 330.23}}},
    };
    const std::string models = EEW_SOURCE_DIR "/tools/traveltime/models/";
    for (const Fan& f : fans) {
        const RayFan fan(read_velocity_model(models + f.model + ".txt"), f.wave, f.depth_km,
                         f.distance_seconds.back().second + 10);
        for (const auto& [distance, seconds] : f.distance_seconds)
            EXPECT_NEAR(fan.first_arrival_seconds(distance * f.km_per_unit).value_or(-1), seconds,
                        0.2)
                << f.model << (f.wave == P ? " P, " : " S, ") << f.depth_km << " km deep, at "
                << distance;
    }
}

TEST(FrontDistance, IsZeroUntilTheFrontReachesTheSurfaceAboveTheSource) {
    const VelocityModel uniform = parse_velocity_model("0 6 3.5\n3000 6 3.5\n", "uniform");
    const RayFan fan(uniform, Wave::S, 70.0, 300.0);  // reaches the surface at 20 s
    EXPECT_EQ(fan.front_distance_km(19.9), 0.0);
    // At 25 s a sphere of 87.5 km round the source: 52.5 km on a flat Earth,
    // 52.79 km along the curved surface.
    EXPECT_NEAR(fan.front_distance_km(25.0), 52.79, 0.05);
}

TEST(RayFan, RefusesSourcesOutsideTheModelAndModelsTooShallowForTheTime) {
    const VelocityModel shallow = parse_velocity_model("0 6 3.5\n100 8 4.5\n", "shallow");
    for (auto [depth, seconds] : {std::pair{100.0, 10.0}, {-1.0, 10.0}, {0.0, 300.0}})
        EXPECT_THROW(RayFan(shallow, Wave::P, depth, seconds), ModelError) << depth;
    EXPECT_NO_THROW(RayFan(shallow, Wave::P, 0.0, 20.0));
}

}  // namespace
}  // namespace eew::traveltime
