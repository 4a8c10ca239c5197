// The shipped scenario, framed as the simulator sends it, through the program
// started on the shipped data folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/app.hpp"
#include "fakes/fake_platform.hpp"
#include "fakes/temp_folder.hpp"
#include "feed_framing.hpp"
#include "scenario.hpp"
#include "scenario_plan.hpp"

namespace eew {
namespace {

TEST(ShippedScenario, TokyoQuakeGivesTheHandComputedCountdown) {
    test::TempFolder folder;
    std::filesystem::copy(EEW_SOURCE_DIR "/data", folder.path() + "/data",
                          std::filesystem::copy_options::recursive);
    test::FakePlatform platform(folder.path());
    App app(platform);
    ASSERT_FALSE(app.Form_Load());
    const MainState& m = app.state();
    ASSERT_EQ(m.site.sitename, "東京都千代田区");
    std::ostringstream scenario;
    scenario
        << std::ifstream(EEW_SOURCE_DIR "/tools/scenarios/chiba_northwest_m72.scenario").rdbuf();
    const DateTime start = platform.clock;
    for (const sim::FeedMessage& msg :
         sim::plan_scenario(std::get<sim::Scenario>(sim::parse_scenario(scenario.str())), start)) {
        platform.clock = start.plus_seconds(static_cast<long long>(msg.offset));
        app.Winsock1_DataArrival(sim::make_datagram(msg.text, sim::Framing::relay));
    }
    // The last report: M 7.2 (Mi 7.2) at 140.1 E, 35.6 N, 40 km, 19 s after
    // the origin; the site 139.7536 E, 35.694 N, factor 1.4.
    // Distance: 32.9998 km. R = sqrt(40^2 + 33.0^2) = 51.855 km, so
    // I = 14.4 - 0.8686 ln 51.855 - 18.85 (51.855 / 3.5) / 400 / ln 10 - 6 + 0.8686 ln 1.4
    //   = 14.4 - 3.4295 - 0.3032 - 6 + 0.2923 = 4.959.
    // Depth index 9 (40-45 km): the S front reaches 27.576 km at 13 s and
    // 33.826 km at 14 s, so it arrives 14 s after the origin, 5 s ago.
    const FollowedEvent& f = m.followed;
    EXPECT_EQ(std::tuple(m.events.event_flag, m.events.n_event, f.sequence, f.region_name),
              std::tuple(3, 1, "12", "千葉県北西部"));  // flag 3: the closing noise message
    EXPECT_NEAR(f.dist, 32.9998, 1e-4);
    EXPECT_NEAR(f.intensity, 4.959, 1e-3);
    EXPECT_EQ(std::tuple(m.estimates.iintensity, f.depth_div, m.travel.traveltime, m.travel.lapse,
                         m.travel.countdown, m.travel.lpwave_travel_time),
              std::tuple(5, 9, 14, 19, -5, 10));
}

}  // namespace
}  // namespace eew
