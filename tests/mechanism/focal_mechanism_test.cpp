#include "mechanism/focal_mechanism.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "fakes/recording_canvas.hpp"

namespace eew {
namespace {

std::vector<std::string> drawn(const FocalMechanism& m) {
    test::RecordingCanvas c;
    draw_mechanism(c, m);
    return c.calls;
}

TEST(FocalMechanism, FewerThanFifteenObservationsShowOnlyTheNoticeAndAnyAxesDraw) {
    const std::vector<std::string> notice = {"clear", "text 0 400 c0        mechanism",
                                             "text 0 600 c0         --no data--"};
    EXPECT_EQ(drawn({120, 80, 300, 10, 14, 2}), notice);
    EXPECT_EQ(drawn({120, 80, 300, 10, NAN, 2}), notice);
    EXPECT_EQ(drawn({120, 80, 300, 10, 15, 2}).at(1), "circle 700 550 r500 c0 w1");
    for (const std::string& call : drawn({30, 40, 30, 40, 20, 0}))  // parallel axes
        EXPECT_EQ(call.find("nan"), std::string::npos) << call;
}

TEST(FocalMechanism, MarkersLabelsAndTextLinesLandOnTheirAnchors) {
    // Vertical P at the centre; horizontal T at azimuth 90 a hair inside the
    // east edge. Top to bottom: counts, P, T, in whole degrees. An upward axis
    // is shown by its lower end (azimuth 190, 60 from the vertical: south,
    // slightly west), marker and text alike.
    // clang-format off
    const std::pair<FocalMechanism, std::vector<std::string>> cases[] = {
        {{0, 0, 90, 90, 20, 0}, {"circle 700 550 r25 c0 w1", "text 750 475 c0 P", "disc 1199 550 r25 c0 rim c0 w1", "text 1249 475 c0 T"}},
        {{123.7, 45.2, 300.9, 10.0, 20, 2}, {"text 100 1020 c0 n=20  n_err=2", "text 100 1170 c0 azp=123 thp=45", "text 100 1320 c0 azt=300 tht=10"}},
        {{10, 120, 300, 10, 20, 0}, {"circle 638 899 r25 c0 w1", "text 100 1170 c0 azp=190 thp=60"}}};
    // clang-format on
    for (const auto& [mechanism, expected] : cases) {
        const auto calls = drawn(mechanism);
        for (const std::string& e : expected)
            EXPECT_NE(std::find(calls.begin(), calls.end(), e), calls.end()) << e;
    }
}

TEST(FocalMechanism, HorizontalAxesAtFortyFiveAndOneThirtyFiveGiveTwoStraightDiameters) {
    int north_south = 0, east_west = 0, left = 700, right = 700, top = 550, bottom = 550;
    for (const std::string& call : drawn({45, 90, 135, 90, 20, 0})) {
        int x = 0, y = 0;
        if (std::sscanf(call.c_str(), "point %d %d", &x, &y) != 2) continue;
        // A twip of rounding either way is a fifteenth of a pixel.
        if (std::abs(x - 700) <= 1)
            ++north_south;
        else if (std::abs(y - 550) <= 1)
            ++east_west;
        else
            ADD_FAILURE() << x << "," << y;
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
    }
    EXPECT_EQ(north_south + east_west, 242);
    EXPECT_GE(std::min(north_south, east_west), 120);
    // The edges a hair inside the circle floor to 1199 in the east and 51 in the north.
    EXPECT_EQ(std::tuple(left, right, top, bottom), std::tuple(200, 1199, 51, 1050));
}

}  // namespace
}  // namespace eew
