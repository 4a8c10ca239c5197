#include "quake/distance_intensity.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "app/main_state.hpp"

namespace eew {
namespace {

constexpr double kKmPerDegree = 3.14159 / 180 * 6371.05;

TEST(EpicentralDistance, OneDegreeOfLatitudeIsAbout111Km) {
    EXPECT_NEAR(epicentral_distance(135.0, 35.0, 135.0, 36.0), 111.196, 0.0005);
    EXPECT_NEAR(epicentral_distance(135.0, 36.0, 135.0, 35.0), kKmPerDegree, 1e-6);
}

TEST(EpicentralDistance, CoincidentPointsGiveOneHundredthOfAMetre) {
    EXPECT_EQ(epicentral_distance(139.7, 35.7, 139.7, 35.7), 0.00001);
    EXPECT_EQ(epicentral_distance(std::nan(""), 35.7, 139.7, 35.7), 0.00001);
}

TEST(EpicentralDistance, StaysRightAtNinetyDegreesAndBeyond) {
    EXPECT_NEAR(epicentral_distance(0.0, 0.0, 90.0, 0.0), 90 * kKmPerDegree, 0.01);
    EXPECT_NEAR(epicentral_distance(0.0, 0.0, 120.0, 0.0), 120 * kKmPerDegree, 0.01);
    EXPECT_NEAR(epicentral_distance(10.0, 80.0, 10.0, -60.0), 140 * kKmPerDegree, 0.01);
}

TEST(EpicentralDistance, AntipodalPointsAreHalfTheGlobeApartNotCoincident) {
    EXPECT_NEAR(epicentral_distance(0.0, 0.0, 180.0, 0.0), 180 * kKmPerDegree, 0.1);
}

TEST(EstimateIntensity, EpicentreAtTheSiteTenKmDeepMagnitudeSix) {
    const double d = epicentral_distance(140.0, 36.0, 140.0, 36.0);
    EXPECT_NEAR(estimate_intensity(6.0, 10.0, d, 1.0), 3.9415, 0.0005);
}

TEST(EstimateIntensity, AmplificationAddsTwiceItsDecimalLogarithm) {
    EXPECT_NEAR(
        estimate_intensity(6.0, 10.0, 0.00001, 2.0) - estimate_intensity(6.0, 10.0, 0.00001, 1.0),
        0.8686 * std::log(2.0), 1e-12);
}

TEST(EstimateIntensity, IsClampedToZeroToSevenPointFour) {
    EXPECT_EQ(estimate_intensity(0.0, 10.0, 50.0, 1.0), 0.0);
    EXPECT_EQ(estimate_intensity(0.0, 0.0, 1.0, 1.0), 0.0);
    EXPECT_EQ(estimate_intensity(8.0, 10.0, 0.00001, 1.0), 7.4);
    EXPECT_EQ(estimate_intensity(3.0, 10.0, 900.0, 1.0), 0.0);
}

TEST(EstimateIntensity, AmplificationThatIsNotPositiveCountsAsOne) {
    const double plain = estimate_intensity(6.0, 10.0, 30.0, 1.0);
    EXPECT_EQ(estimate_intensity(6.0, 10.0, 30.0, 0.0), plain);
    EXPECT_EQ(estimate_intensity(6.0, 10.0, 30.0, -1.0), plain);
    EXPECT_EQ(estimate_intensity(6.0, 10.0, 30.0, std::nan("")), plain);
}

TEST(EstimateIntensity, UndefinedInputsGiveZero) {
    EXPECT_EQ(estimate_intensity(std::nan(""), 10.0, 30.0, 1.0), 0.0);
    EXPECT_EQ(estimate_intensity(6.0, std::nan(""), 30.0, 1.0), 0.0);
    EXPECT_EQ(estimate_intensity(6.0, 10.0, std::nan(""), 1.0), 0.0);
    EXPECT_EQ(estimate_intensity(INFINITY, 10.0, INFINITY, 1.0), 0.0);
}

TEST(RoundIntensity, HalvesRoundUpAndTheRestTruncatesTowardZero) {
    EXPECT_EQ(round_intensity(0.49), 0);
    EXPECT_EQ(round_intensity(0.5), 1);
    EXPECT_EQ(round_intensity(2.49), 2);
    EXPECT_EQ(round_intensity(2.5), 3);
    EXPECT_EQ(round_intensity(6.5), 7);
    EXPECT_EQ(round_intensity(7.4), 7);
    EXPECT_EQ(round_intensity(-0.7), 0);
    EXPECT_EQ(round_intensity(std::nan("")), 0);
}

MainState state_with_sites(std::initializer_list<std::array<double, 3>> sites) {
    MainState s;
    s.followed.longitude = 140.0;
    s.followed.latitude = 36.0;
    s.followed.depth = 10.0;
    s.followed.mip = 6.0;
    s.followed.magnitude = 9.0;
    for (const auto& [lon, lat, amp] : sites) {
        const int i = ++s.refs.ref_number;
        s.refs.longitude_ref[i] = lon;
        s.refs.latitude_ref[i] = lat;
        s.refs.ampfac_ref[i] = amp;
    }
    return s;
}

TEST(ReferenceSites, TheNearestSiteWinsWhereverItIsInTheList) {
    MainState s = state_with_sites({{140.0, 38.0, 1.0}, {140.0, 37.0, 1.0}, {140.0, 36.0, 1.0}});
    evaluate_reference_sites(s);
    EXPECT_NEAR(s.estimates.dist_ref[1], 2 * kKmPerDegree, 1e-6);
    EXPECT_NEAR(s.estimates.dist_ref[2], kKmPerDegree, 1e-6);
    EXPECT_EQ(s.estimates.ref_site_i_min, 3);
    EXPECT_EQ(s.estimates.dist_ref_min, 0.00001);
    // The intensity magnitude, not the magnitude, drives the estimate.
    EXPECT_NEAR(s.estimates.intensity_ref, 3.9415, 0.0005);
}

TEST(ReferenceSites, OfTwoEquallyNearSitesTheEarlierWins) {
    MainState s = state_with_sites({{141.0, 37.0, 1.0}, {140.5, 36.5, 1.0}, {140.5, 36.5, 2.0}});
    evaluate_reference_sites(s);
    EXPECT_EQ(s.estimates.ref_site_i_min, 2);
    EXPECT_EQ(s.estimates.intensity_ref,
              estimate_intensity(6.0, 10.0, s.estimates.dist_ref_min, 1.0));
}

TEST(ReferenceSites, WithoutSitesNothingIsNearest) {
    MainState s = state_with_sites({});
    s.estimates.dist_ref_min = 12.0;
    s.estimates.ref_site_i_min = 4;
    s.estimates.intensity_ref = 3.2;
    evaluate_reference_sites(s);
    EXPECT_EQ(s.estimates.dist_ref_min, 99999.9);
    EXPECT_EQ(s.estimates.ref_site_i_min, 0);
    EXPECT_EQ(s.estimates.intensity_ref, 0.0);
}

}  // namespace
}  // namespace eew
