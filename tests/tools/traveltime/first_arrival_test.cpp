#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "ray_fan.hpp"
#include "velocity_model.hpp"

namespace eew::traveltime {
namespace {

constexpr double kTolerance = 0.2;  // s
constexpr double kKmPerDegree = kEarthRadiusKm * std::numbers::pi / 180.0;

VelocityModel model_file(const std::string& name) {
    return read_velocity_model(std::string(EEW_SOURCE_DIR) + "/tools/traveltime/models/" + name);
}

struct Reference {
    double km;
    double seconds;
};

void expect_times(const RayFan& fan, std::initializer_list<Reference> references) {
    for (const Reference& r : references) {
        const auto seconds = fan.first_arrival_seconds(r.km);
        ASSERT_TRUE(seconds.has_value()) << r.km << " km";
        EXPECT_NEAR(*seconds, r.seconds, kTolerance) << r.km << " km";
    }
}

// The IASPEI ak135 tables (Kennett, 2005).
TEST(FirstArrivals, Ak135SurfaceSourceMatchesThePublishedTables) {
    const VelocityModel ak135 = model_file("ak135.txt");
    const double d = kKmPerDegree;
    expect_times(
        RayFan(ak135, Wave::P, 0.0, 300.0),
        {{1 * d, 19.17}, {2 * d, 35.03}, {5 * d, 76.27}, {10 * d, 144.90}, {20 * d, 274.10}});
    expect_times(
        RayFan(ak135, Wave::S, 0.0, 510.0),
        {{1 * d, 32.14}, {2 * d, 60.75}, {5 * d, 134.76}, {10 * d, 257.80}, {20 * d, 499.77}});
}

TEST(FirstArrivals, Ak135SourceAt100KmMatchesThePublishedTables) {
    const VelocityModel ak135 = model_file("ak135.txt");
    const double d = kKmPerDegree;
    expect_times(RayFan(ak135, Wave::P, 100.0, 300.0),
                 {{1 * d, 20.39}, {2 * d, 32.54}, {5 * d, 72.67}, {10 * d, 140.62}});
    expect_times(RayFan(ak135, Wave::S, 100.0, 300.0),
                 {{1 * d, 35.74}, {2 * d, 57.38}, {5 * d, 129.22}, {10 * d, 250.88}});
}

// The agency's own JMA2001 travel-time table (tjma2001).
TEST(FirstArrivals, Jma2001MatchesTheAgencysTravelTimeTable) {
    const VelocityModel jma2001 = model_file("jma2001.txt");
    expect_times(RayFan(jma2001, Wave::P, 0.0, 300.0), {{10, 2.05},
                                                        {50, 9.23},
                                                        {100, 17.68},
                                                        {200, 32.72},
                                                        {300, 45.79},
                                                        {500, 71.32},
                                                        {1000, 134.06}});
    expect_times(RayFan(jma2001, Wave::S, 0.0, 300.0),
                 {{50, 15.63}, {300, 79.39}, {1000, 236.68}, {1500, 346.85}});
    expect_times(RayFan(jma2001, Wave::S, 200.0, 300.0),
                 {{0, 46.46}, {100, 51.73}, {500, 121.70}, {1500, 330.23}});
}

// In a sphere of one velocity a ray is a straight chord: from a source at
// radius r to a point at angle a on the surface it is sqrt(R^2 + r^2 - 2 R r cos a).
TEST(FirstArrivals, AreStraightChordsInAUniformSphere) {
    const VelocityModel uniform = parse_velocity_model("0 6 3.5\n3000 6 3.5\n", "uniform");
    const double r = kEarthRadiusKm - 100.0;
    const RayFan fan(uniform, Wave::P, 100.0, 300.0);
    for (double km : {0.0, 80.0, 400.0, 1500.0}) {
        const double a = km / kEarthRadiusKm;
        const double chord = std::sqrt(kEarthRadiusKm * kEarthRadiusKm + r * r -
                                       2 * kEarthRadiusKm * r * std::cos(a));
        EXPECT_NEAR(fan.first_arrival_seconds(km).value(), chord / 6.0, 0.01) << km << " km";
    }
}

TEST(FrontDistance, IsZeroUntilTheFrontReachesTheSurfaceAboveTheSource) {
    const VelocityModel uniform = parse_velocity_model("0 6 3.5\n3000 6 3.5\n", "uniform");
    const RayFan fan(uniform, Wave::S, 70.0, 300.0);  // reaches the surface at 20 s
    EXPECT_EQ(fan.front_distance_km(19.9), 0.0);
    EXPECT_GT(fan.front_distance_km(20.05), 0.0);
    // 25 s: the front is a sphere of 87.5 km round the source.
    const double r = kEarthRadiusKm - 70.0;
    const double cos_a =
        (kEarthRadiusKm * kEarthRadiusKm + r * r - 87.5 * 87.5) / (2 * kEarthRadiusKm * r);
    EXPECT_NEAR(fan.front_distance_km(25.0), std::acos(cos_a) * kEarthRadiusKm, 0.1);
}

TEST(FrontDistance, IsTheDistanceWhoseFirstArrivalIsThatTime) {
    const RayFan fan(model_file("jma2001.txt"), Wave::P, 40.0, 300.0);
    for (double seconds : {8.0, 30.0, 120.0, 300.0}) {
        const double km = fan.front_distance_km(seconds);
        EXPECT_NEAR(fan.first_arrival_seconds(km).value(), seconds, 0.01) << seconds << " s";
    }
}

// Beyond the crossover the wave that runs just below the crust overtakes the
// direct wave; its apparent slowness at the surface is r_moho / (v_mantle R).
TEST(FirstArrivals, BeyondTheCrossoverRunAtTheSpeedBelowTheCrust) {
    const VelocityModel layered =
        parse_velocity_model("0 6 3.5\n30 6 3.5\n30 8 4.5\n3000 8 4.5\n", "two layers");
    const RayFan fan(layered, Wave::P, 0.0, 300.0);
    EXPECT_NEAR(fan.first_arrival_seconds(100).value(), 100.0 / 6.0, 0.01);  // direct
    const double slope =
        (fan.first_arrival_seconds(800).value() - fan.first_arrival_seconds(600).value()) / 200;
    EXPECT_NEAR(slope, (kEarthRadiusKm - 30.0) / (8.0 * kEarthRadiusKm), 0.0005);
    // The flat-Earth head-wave time, to within the small gain of sphericity.
    EXPECT_NEAR(fan.first_arrival_seconds(600).value(),
                600.0 / 8.0 + 2 * 30.0 * std::sqrt(1 / 36.0 - 1 / 64.0), 0.5);
}

TEST(RayFan, RefusesSourcesOutsideTheModelAndModelsTooShallowForTheTime) {
    const VelocityModel shallow = parse_velocity_model("0 6 3.5\n100 8 4.5\n", "shallow");
    EXPECT_THROW(RayFan(shallow, Wave::P, 100.0, 10.0), ModelError);
    EXPECT_THROW(RayFan(shallow, Wave::P, -1.0, 10.0), ModelError);
    EXPECT_THROW(RayFan(shallow, Wave::P, 0.0, 300.0), ModelError);
    EXPECT_NO_THROW(RayFan(shallow, Wave::P, 0.0, 20.0));
}

}  // namespace
}  // namespace eew::traveltime
