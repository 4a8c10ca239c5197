#include "velocity_model.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace eew::traveltime {
namespace {

TEST(VelocityModel, ReadsDepthVpVsLinesSkippingCommentsAndBlankLines) {
    const VelocityModel model = parse_velocity_model(
        "# depth vp vs\r\n\r\n0 5.8 3.46\r\n20\t5.8\t3.46  # upper crust\r\n20 6.5 3.85\r\n"
        "35 6.5 3.85\r\n",
        "m.txt");
    ASSERT_EQ(model.knots.size(), 4u);
    EXPECT_EQ(std::tuple(model.knots[1].depth_km, model.knots[2].vp, model.knots[2].vs),
              std::tuple(20.0, 6.5, 3.85));
}

TEST(VelocityModel, ErrorsNameTheFileAndTheLineAtFault) {
    const std::string numbers = "expected three numbers: depth, Vp, Vs";
    const std::string speeds = "velocities must be positive with Vs below Vp";
    const std::pair<std::string, std::string> cases[] = {
        {"0 6 3.5\n10 6 x\n", "m.txt, line 2: " + numbers},
        {"0 6 3.5 1\n", "m.txt, line 1: " + numbers},
        {"0 6 3.5\n10 6 3.5e\n", "m.txt, line 2: " + numbers},
        {"5 6 3.5\n10 6 3.5\n", "m.txt, line 1: the first depth must be 0"},
        {"0 6 3.5\n10 6 3.5\n9 6 3.5\n", "m.txt, line 3: depths must not decrease"},
        {"0 6 3.5\n10 6 3.5\n10 7 4\n10 8 4.5\n",
         "m.txt, line 4: a depth may be given at most twice"},
        {"0 6 0\n10 6 3.5\n", "m.txt, line 1: " + speeds},
        {"0 6 3.5\n10 6 6.5\n", "m.txt, line 2: " + speeds},
        {"0 6 3.5\n0 7 4\n", "m.txt: a model needs knots at two or more depths"},
    };
    for (const auto& [text, error] : cases) {
        try {
            parse_velocity_model(text, "m.txt");
            ADD_FAILURE() << "accepted " << text;
        } catch (const ModelError& e) {
            EXPECT_EQ(e.what(), error);
        }
    }
    EXPECT_THROW(read_velocity_model("/nonexistent/model.txt"), ModelError);
}

}  // namespace
}  // namespace eew::traveltime
