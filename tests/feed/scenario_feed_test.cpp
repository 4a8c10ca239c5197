// The shipped scenarios, framed as the simulator sends them, through the
// program started on the shipped data folder.

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

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct ShippedScenario : ::testing::Test {
    ShippedScenario() : platform(folder.path()), app(platform) {
        for (const char* f : {"tavi.config", "traveltime300.dat", "traveltimep300.dat", "LPwave.in",
                              "jmargn_j.csv", "ref.dat"}) {
            folder.write(std::string("data/") + f,
                         read_file(std::string(EEW_SOURCE_DIR) + "/data/" + f));
        }
        EXPECT_FALSE(app.Form_Load());
    }

    // Sends every message of the scenario at its time; `after` runs after each.
    template <typename After>
    void play(const char* name, After after) {
        auto parsed = sim::parse_scenario(
            read_file(std::string(EEW_SOURCE_DIR) + "/tools/scenarios/" + name));
        ASSERT_TRUE(std::holds_alternative<sim::Scenario>(parsed)) << name;
        const DateTime start = platform.clock;
        for (const sim::FeedMessage& m :
             sim::plan_scenario(std::get<sim::Scenario>(parsed), start)) {
            platform.clock = start.plus_seconds(static_cast<long long>(m.offset));
            app.Winsock1_DataArrival(sim::make_datagram(m.text, sim::Framing::relay));
            after(m);
        }
    }

    MainState& m() { return app.state(); }

    test::TempFolder folder;
    test::FakePlatform platform;
    App app;
};

TEST_F(ShippedScenario, TokyoQuakeGivesTheHandComputedCountdown) {
    ASSERT_EQ(m().site.sitename, "東京都千代田区");
    EXPECT_EQ(m().site.map_on1, 1);  // Tokyo lies in both regional event maps
    EXPECT_EQ(m().site.map_on2, 1);
    int reports = 0;
    play("chiba_northwest_m72.scenario", [&](const sim::FeedMessage& msg) {
        if (msg.kind != sim::MessageKind::report) return;
        ++reports;
        EXPECT_EQ(m().events.event_flag, 2) << msg.label;
        EXPECT_EQ(m().events.map_flag, reports == 1 ? 1 : 2) << msg.label;
    });
    ASSERT_EQ(reports, 12);
    // The last report: M 7.2 (Mi 7.2) at 140.1 E, 35.6 N, 40 km, 19 s after
    // the origin; the site 139.7536 E, 35.694 N, factor 1.4.
    // Distance: 32.9998 km. R = sqrt(40^2 + 33.0^2) = 51.855 km, so
    // I = 14.4 - 0.8686 ln 51.855 - 18.85 (51.855 / 3.5) / 400 / ln 10 - 6 + 0.8686 ln 1.4
    //   = 14.4 - 3.4295 - 0.3032 - 6 + 0.2923 = 4.959.
    // Depth index 9 (40-45 km): the S front reaches 27.576 km at 13 s and
    // 33.826 km at 14 s, so it arrives 14 s after the origin, 5 s ago.
    const FollowedEvent& f = m().followed;
    EXPECT_EQ(m().events.event_flag, 3);  // the closing noise message
    EXPECT_EQ(m().events.n_event, 1);
    EXPECT_EQ(f.sequence, "12");
    EXPECT_EQ(f.region_name, "千葉県北西部");
    EXPECT_NEAR(f.dist, 32.9998, 1e-4);
    EXPECT_NEAR(f.intensity, 4.959, 1e-3);
    EXPECT_EQ(m().estimates.iintensity, 5);
    EXPECT_EQ(f.depth_div, 9);
    EXPECT_EQ(m().travel.traveltime, 14);
    EXPECT_EQ(m().travel.lapse, 19);
    EXPECT_EQ(m().travel.countdown, -5);
    EXPECT_EQ(m().travel.lpwave_travel_time, 10);
    EXPECT_GT(m().estimates.ref_site_i_min, 0);
}

}  // namespace
}  // namespace eew
