#include "quake/distance_intensity.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "quake/reference_sites.hpp"

namespace eew {
namespace {

constexpr double kKmPerDegree = 3.14159 / 180 * 6371.05;
const double kNaN = std::nan("");

TEST(EpicentralDistance, IsTheArcOnTheGlobeUpToAntipodalPointsAndNeverZero) {
    EXPECT_NEAR(epicentral_distance(135.0, 35.0, 135.0, 36.0), 111.196, 0.0005);
    const std::tuple<double, double, double, double, double> cases[] = {
        {135, 36, 135, 35, 1}, {0, 0, 90, 0, 90},      {0, 0, 120, 0, 120},
        {0, 0, 180, 0, 180},   {10, 80, 10, -60, 140},
    };
    for (const auto& [lon1, lat1, lon2, lat2, degrees] : cases)
        EXPECT_NEAR(epicentral_distance(lon1, lat1, lon2, lat2), degrees * kKmPerDegree, 0.02);
    EXPECT_EQ(epicentral_distance(139.7, 35.7, 139.7, 35.7), 0.00001);
    EXPECT_EQ(epicentral_distance(kNaN, 35.7, 139.7, 35.7), 0.00001);
}

TEST(EstimateIntensity, AmplificationAddsItsLogarithmAndCountsAsOneUnlessPositive) {
    const double plain = estimate_intensity(6.0, 10.0, 30.0, 1.0);
    EXPECT_NEAR(estimate_intensity(6.0, 10.0, 30.0, 2.0) - plain, 0.8686 * std::log(2.0), 1e-12);
    for (double amp : {0.0, -1.0, kNaN})
        EXPECT_EQ(estimate_intensity(6.0, 10.0, 30.0, amp), plain) << amp;
}

TEST(EstimateIntensity, GivesTheRelationWithinZeroToSevenPointFourAndZeroWhenUndefined) {
    // Magnitude 6, 10 km deep, epicentre at the site: 3.94.
    const std::tuple<double, double, double, double> cases[] = {
        {6, 10, 0.00001, 3.9415}, {0, 10, 50, 0},        {0, 0, 1, 0},
        {3, 10, 900, 0},          {8, 10, 0.00001, 7.4}, {kNaN, 10, 30, 0},
        {6, kNaN, 30, 0},         {6, 10, kNaN, 0},      {INFINITY, 10, INFINITY, 0},
    };
    for (const auto& [magnitude, depth, distance, expected] : cases)
        EXPECT_NEAR(estimate_intensity(magnitude, depth, distance, 1.0), expected, 0.0005)
            << magnitude << " " << depth << " " << distance;
}

TEST(RoundIntensity, HalvesRoundUpAndTheRestTruncatesTowardZero) {
    const std::pair<double, int> cases[] = {{0.49, 0}, {0.5, 1},  {2.49, 2}, {6.5, 7},
                                            {7.4, 7},  {-0.7, 0}, {kNaN, 0}};
    for (const auto& [intensity, rounded] : cases)
        EXPECT_EQ(round_intensity(intensity), rounded) << intensity;
}

TEST(ReferenceSites, TheNearestSiteWinsAndTheEarlierOnATieAndWithoutSitesNoneIs) {
    FollowedEvent f;
    f.mip = 6.0;  // the intensity magnitude, not the magnitude, drives the estimate
    f.latitude = 36.0;
    f.longitude = 140.0;
    f.depth = 10.0;
    ReferenceSites refs;
    refs.ref_number = 4;  // numbered from 1
    refs.longitude_ref = {0, 140, 140, 140, 140};
    refs.latitude_ref = {0, 38, 37, 36, 36};
    refs.ampfac_ref = {0, 1, 1, 1, 2};
    Estimates e;
    evaluate_reference_sites(f, refs, e);
    EXPECT_EQ(e.ref_site_i_min, 3);
    EXPECT_EQ(e.dist_ref_min, 0.00001);
    EXPECT_NEAR(e.intensity_ref, 3.9415, 0.0005);

    evaluate_reference_sites(f, ReferenceSites{}, e);
    EXPECT_EQ(e.dist_ref_min, 99999.9);
    EXPECT_EQ(e.ref_site_i_min, 0);
    EXPECT_EQ(e.intensity_ref, 0.0);
}

}  // namespace
}  // namespace eew
