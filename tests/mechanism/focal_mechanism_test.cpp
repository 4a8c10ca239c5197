#include "mechanism/focal_mechanism.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/recording_canvas.hpp"

namespace eew {
namespace {

std::vector<std::string> drawn(const FocalMechanism& m) {
    test::RecordingCanvas c;
    draw_mechanism(c, m);
    return c.calls;
}

bool has(const std::vector<std::string>& calls, const std::string& call) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

TEST(FocalMechanism, FewerThanFifteenObservationsShowOnlyTheNotice) {
    const std::vector<std::string> notice = {"clear", "text 0 400 c0        mechanism",
                                             "text 0 600 c0         --no data--"};
    EXPECT_EQ(drawn({120, 80, 300, 10, 14, 2}), notice);
    EXPECT_EQ(drawn({120, 80, 300, 10, NAN, 2}), notice);
    const auto diagram = drawn({120, 80, 300, 10, 15, 2});
    EXPECT_EQ(diagram.front(), "clear");
    EXPECT_TRUE(has(diagram, "circle 700 550 r500 c0 w1"));
}

TEST(FocalMechanism, AxisMarkersAndLabelsLandOnTheirAnchors) {
    struct Case {
        FocalMechanism m;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        // Vertical P at the centre; horizontal T at azimuth 90 a hair inside
        // the east edge.
        {{0, 0, 90, 90, 20, 0},
         {"circle 700 550 r25 c0 w1", "text 750 475 c0 P", "disc 1199 550 r25 c0 rim c0 w1",
          "text 1249 475 c0 T", "line 700 525 700 575 c0 w1", "line 725 550 675 550 c0 w1"}},
        // An upward axis is shown by its lower end (azimuth 190, 60 from the
        // vertical: south, slightly west), marker and text alike.
        {{10, 120, 300, 10, 20, 0},
         {"circle 638 899 r25 c0 w1", "text 100 1170 c0 azp=190 thp=60"}},
    };
    for (const Case& c : cases) {
        const auto calls = drawn(c.m);
        for (const std::string& e : c.expected)
            EXPECT_TRUE(has(calls, e)) << e;
    }
}

TEST(FocalMechanism, TextLinesReadCountsThenPThenTWithWholeDegrees) {
    const auto calls = drawn({123.7, 45.2, 300.9, 10.0, 20, 2});
    EXPECT_TRUE(has(calls, "text 100 1020 c0 n=20  n_err=2"));
    EXPECT_TRUE(has(calls, "text 100 1170 c0 azp=123 thp=45"));
    EXPECT_TRUE(has(calls, "text 100 1320 c0 azt=300 tht=10"));
}

TEST(FocalMechanism, HorizontalAxesAtFortyFiveAndOneThirtyFiveGiveTwoStraightDiameters) {
    std::vector<std::pair<int, int>> points;
    for (const std::string& call : drawn({45, 90, 135, 90, 20, 0})) {
        std::istringstream in(call);
        std::string kind;
        int x = 0, y = 0;
        if (in >> kind >> x >> y && kind == "point") points.emplace_back(x, y);
    }
    ASSERT_EQ(points.size(), 242u);
    int north_south = 0, east_west = 0;
    for (auto [x, y] : points) {
        // A twip of rounding either way is a fifteenth of a pixel.
        if (std::abs(x - 700) <= 1)
            ++north_south;
        else if (std::abs(y - 550) <= 1)
            ++east_west;
        else
            ADD_FAILURE() << x << "," << y;
    }
    EXPECT_GE(north_south, 120);
    EXPECT_GE(east_west, 120);
    const auto [left, right] = std::minmax_element(
        points.begin(), points.end(), [](auto a, auto b) { return a.first < b.first; });
    const auto [top, bottom] = std::minmax_element(
        points.begin(), points.end(), [](auto a, auto b) { return a.second < b.second; });
    // The edges a hair inside the circle floor to 1199 in the east and 51
    // (height 1049) in the north.
    EXPECT_EQ(std::tuple(left->first, right->first, top->second, bottom->second),
              std::tuple(200, 1199, 51, 1050));
}

TEST(FocalMechanism, ParallelAxesDrawWithoutFailing) {
    for (const std::string& call : drawn({30, 40, 30, 40, 20, 0}))
        EXPECT_EQ(call.find("nan"), std::string::npos) << call;
}

TEST(FocalMechanism, AngleHelpersFollowTheQuadrants) {
    const double pi = 3.14159265;
    struct Case {
        double p, q, angle;
    };
    for (const Case& c : {Case{0, 0, -pi / 2}, Case{1, 0, pi / 2}, Case{0, -1, pi},
                          Case{-1, -1, -3 * pi / 4}, Case{1, 1, pi / 4}})
        EXPECT_NEAR(angle_of(c.p, c.q), c.angle, 1e-8) << c.p << "," << c.q;

    struct Vector {
        double x, y, z, azimuth, incidence;
    };
    for (const Vector& v : {Vector{0, 0, 1, 0, 0}, Vector{0, 1, 0, 90, 90},
                            Vector{0, -1, 0, 270, 90}, Vector{-1, 0, -1, 180, 135}}) {
        double a = -1, i = -1;
        axis_angles(v.x, v.y, v.z, a, i);
        EXPECT_NEAR(a, v.azimuth, 1e-6) << v.x << "," << v.y << "," << v.z;
        EXPECT_NEAR(i, v.incidence, 1e-6) << v.x << "," << v.y << "," << v.z;
    }
}

}  // namespace
}  // namespace eew
