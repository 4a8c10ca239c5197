// The real Qt windows, offscreen, through a whole event on the shipped data:
// once it has ended, the main map keeps its disc.
#include <gtest/gtest.h>

#include "app/app.hpp"
#include "fakes/client_process.hpp"
#include "fakes/qt_test_platform.hpp"
#include "fakes/report_text.hpp"
#include "maps/map_catalogue.hpp"
#include "ui/main_window.hpp"
#include "ui/picture_area.hpp"

namespace {

TEST(MainMapAfterAnEvent, TheEventsDiscStaysWhereItsEpicentreIs) {
    eew::test::TempFolder folder;
    // Display time 8 s, no automatic start.
    eew::test::copy_program(folder, EEW_SOURCE_DIR, {{5, "8"}, {21, "0"}});
    eew::test::QtTestPlatform platform;
    platform.folder = folder.path();
    platform.clock = *eew::DateTime::from_fields(2024, 4, 1, 9, 0, 6);
    eew::App app(platform);
    MainWindow window(app);
    platform.attach(&window);
    platform.attach_views(app.state().popup_view, app.state().message_view);
    ASSERT_FALSE(app.Form_Load().has_value());
    app.Command5_Click();  // "mapON"
    auto* map = window.findChild<PictureArea*>("Picture1");
    ASSERT_NE(map, nullptr);
    // M 6.0 at 10 km off Miyagi: a red disc of radius 8.4 px.
    // clang-format off
    eew::test::ReportValues report{.magnitude = 6.0, .mip = 6.0, .latitude = 38.3, .longitude = 142.0, .depth = 10, .region = "off_miyagi"};
    // clang-format on
    const eew::MapPoint at = eew::project(app.state().maps, 5, 142.0, 38.3);
    const QPoint centre(static_cast<int>(at.x), static_cast<int>(at.y));
    window.render();
    const QColor before = map->rendered().pixelColor(centre);
    app.Winsock1_DataArrival(eew::test::relay_datagram(eew::test::report_xml(report)));
    app.Winsock1_DataArrival(eew::test::relay_datagram("noise message"));  // winds it down
    for (int second = 1; second < 40 && app.state().events.event_flag != 0; ++second) {
        platform.clock = platform.clock->plus_seconds(1);
        app.Timer1_Timer();
        window.render();
        platform.render_event_windows();
    }
    ASSERT_EQ(app.state().events.event_flag, 0);
    const QColor red(Qt::red);
    EXPECT_NE(before, red);
    // clang-format off
    for (auto [x, y, inside] : {std::tuple(0, 0, true), {5, 0, true}, {0, -5, true}, {-4, 4, true}, {11, 0, false}, {0, -11, false}})
        // clang-format on
        EXPECT_EQ(map->rendered().pixelColor(centre + QPoint(x, y)) == red, inside) << x << y;
    EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
