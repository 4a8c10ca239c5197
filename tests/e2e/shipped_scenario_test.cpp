// The shipped scenario, framed as the simulator sends it, through the program
// started on a copy of the shipped data folder, with the real Qt windows
// offscreen: the values of the whole chain and, once the event has ended, its
// disc on the main map.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/app.hpp"
#include "fakes/client_process.hpp"
#include "fakes/qt_test_platform.hpp"
#include "feed_framing.hpp"
#include "maps/map_catalogue.hpp"
#include "scenario.hpp"
#include "scenario_plan.hpp"
#include "ui/desktop_program.hpp"
#include "ui/picture_area.hpp"

namespace eew {
namespace {

TEST(ShippedScenario, TokyoQuakeGivesTheHandComputedCountdownAndStaysOnTheMainMap) {
    test::TempFolder folder;
    // Display time 8 s, no automatic start.
    test::copy_program(folder, EEW_SOURCE_DIR, {{5, "8"}, {21, "0"}});
    test::QtTestPlatform platform;
    platform.folder = folder.path();
    platform.clock = *DateTime::from_fields(2024, 4, 1, 9, 0, 0);
    DesktopProgram program(platform);  // its timers not started: the test ticks
    App& app = program.app();
    MainWindow& window = program.window();
    ASSERT_FALSE(app.Form_Load().has_value());
    const MainState& m = app.state();
    ASSERT_EQ(m.site.sitename, "東京都千代田区");
    app.Command5_Click();  // "mapON"
    auto* map = window.findChild<PictureArea*>("Picture1");
    ASSERT_NE(map, nullptr);
    const MapPoint at = project(m.maps, 5, 140.1, 35.6);
    const QPoint centre(static_cast<int>(at.x), static_cast<int>(at.y));
    window.render();
    const QColor before = map->rendered().pixelColor(centre);

    std::ostringstream scenario;
    scenario
        << std::ifstream(EEW_SOURCE_DIR "/tools/scenarios/chiba_northwest_m72.scenario").rdbuf();
    const DateTime start = *platform.clock;
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
    // The nearest of the 47 reference sites is Chiba's office, 140.1233 E, 35.6047 N.
    EXPECT_EQ(std::tuple(m.refs.ref_number, m.refs.sitename_ref[m.estimates.ref_site_i_min]),
              std::tuple(47, "千葉県千葉市"));
    EXPECT_NEAR(m.estimates.dist_ref_min, 2.1704, 1e-3);

    for (int second = 1; second < 40 && m.events.event_flag != 0; ++second) {
        platform.clock = platform.clock->plus_seconds(1);
        app.Timer1_Timer();
        window.render();
        platform.render_event_windows();
    }
    ASSERT_EQ(m.events.event_flag, 0);
    // Depth class 3 (40 km) is light green; M 7.2 gives a radius of 10.08 px.
    // The site's mark lies 7 px west and 2 px north of the centre.
    const QColor green(0, 255, 0);
    EXPECT_NE(before, green);
    // clang-format off
    for (auto [x, y, inside] : {std::tuple(0, 0, true), {5, 0, true}, {0, -5, true}, {4, 4, true}, {12, 0, false}, {0, 12, false}, {0, -12, false}})
        // clang-format on
        EXPECT_EQ(map->rendered().pixelColor(centre + QPoint(x, y)) == green, inside) << x << y;
    EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace eew
