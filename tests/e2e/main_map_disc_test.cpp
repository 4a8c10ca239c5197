// The real Qt windows, offscreen, through a whole event on the shipped data:
// once it has ended, the main map keeps its disc.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "app/app.hpp"
#include "fakes/report_text.hpp"
#include "fakes/temp_folder.hpp"
#include "maps/map_catalogue.hpp"
#include "platform/qt_platform.hpp"
#include "ui/main_window.hpp"
#include "ui/picture_area.hpp"

namespace {

namespace fs = std::filesystem;

// The program folder and clock are the test's; message boxes are recorded.
class FolderPlatform : public QtPlatform {
  public:
    explicit FolderPlatform(std::string folder) : folder_(std::move(folder)) {}
    std::string program_folder() override { return folder_; }
    void message_box(const std::string& text) override { messages.push_back(text); }
    eew::DateTime now() override { return clock; }
    std::vector<std::string> messages;
    eew::DateTime clock = *eew::DateTime::from_fields(2024, 4, 1, 9, 0, 6);

  private:
    std::string folder_;
};

TEST(MainMapAfterAnEvent, TheEventsDiscStaysWhereItsEpicentreIs) {
    eew::test::TempFolder folder;
    fs::copy(fs::path(EEW_SOURCE_DIR) / "data", fs::path(folder.path()) / "data",
             fs::copy_options::recursive);
    fs::remove(fs::path(folder.path()) / "data" / "24hours.dat");
    // No automatic start: nothing listens, the test feeds the handlers.
    const std::string config = folder.read("data/tavi.config");
    folder.write("data/tavi.config",
                 std::regex_replace(config, std::regex("^(([^\n]*\n){20})1"), "$010"));
    FolderPlatform platform(folder.path());
    eew::App app(platform);
    MainWindow window(app);
    platform.attach(&window);
    platform.attach_views(app.state().popup_view, app.state().message_view);
    ASSERT_FALSE(app.Form_Load().has_value());
    app.state().settings.disp_event_minutes = 8;
    app.Command5_Click();  // "mapON"
    const auto render = [&] {
        window.render();
        platform.render_event_windows();
    };
    auto* map = window.findChild<PictureArea*>("Picture1");
    ASSERT_NE(map, nullptr);
    // M 6.0 at 10 km off Miyagi: a red disc of radius 8.4 px.
    eew::test::ReportValues report;
    report.latitude = 38.3;
    report.longitude = 142.0;
    report.depth = 10;
    report.magnitude = report.mip = 6.0;
    report.region = "off_miyagi";
    const eew::MapPoint at = eew::project(app.state().maps, 5, 142.0, 38.3);
    const QPoint centre(static_cast<int>(at.x), static_cast<int>(at.y));
    render();
    const QColor before = map->rendered().pixelColor(centre);

    for (int second = 0; second < 40 && (second == 0 || app.state().events.event_flag != 0);
         ++second) {
        if (second < 3) {
            report.sequence = second + 1;
            report.send_time = "2024,4,1,9,0," + std::to_string(6 + second);
            app.Winsock1_DataArrival(eew::test::relay_datagram(eew::test::report_xml(report)));
        }
        if (second == 4) app.Winsock1_DataArrival(eew::test::relay_datagram("noise message"));
        platform.clock = platform.clock.plus_seconds(1);
        app.Timer1_Timer();
        render();
    }
    ASSERT_EQ(app.state().events.event_flag, 0);
    const QImage shown = map->rendered();
    const QColor red(255, 0, 0);
    EXPECT_NE(before, red);
    for (QPoint inside : {QPoint(0, 0), QPoint(5, 0), QPoint(0, -5), QPoint(-4, 4)})
        EXPECT_EQ(shown.pixelColor(centre + inside), red) << inside.x() << "," << inside.y();
    for (QPoint outside : {QPoint(11, 0), QPoint(0, -11)})
        EXPECT_NE(shown.pixelColor(centre + outside), red) << outside.x() << "," << outside.y();
    EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
