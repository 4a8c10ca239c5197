#include "app/setform.hpp"

#include <functional>
#include <sstream>

#include "app/config_file.hpp"
#include "fakes/program_folder.hpp"
#include "fakes/started_app.hpp"

namespace eew {
namespace {

using test::StartedApp;

// The dialog opened through "set", edited by `edit`, then confirmed.
struct Dialog : test::AppTest {
    void confirm(const std::function<void(SetformView&)>& edit) {
        s.app.Command4_Click();
        edit(s.m().setform_view);
        s.app.setform_Command1_Click();
    }
    std::string config_line(int n) {
        std::istringstream in(s.folder.read("data/tavi.config"));
        std::string line;
        for (int i = 0; i < n; ++i)
            std::getline(in, line);
        return line.substr(0, line.size() - 1);  // without the CR
    }
};

// The port is a whole number; the other numbers keep their fraction.
TEST_F(Dialog, BoxesAreTakenByTheirLeadingNumberAndNothingIsRefused) {
    // clang-format off
    for (auto [typed, port, distance] : {std::tuple("abc", "0", "0"), {"35.5 x", "36", "35.5"},
             {" 9 001", "9001", "9001"}, {"-1e3", "-1000", "-1000"}}) {
        // clang-format on
        confirm([&](SetformView& v) { v.Text2 = v.Text1 = typed; });
        EXPECT_EQ(config_line(1) + " " + config_line(4), std::string(port) + " " + distance);
    }
}

// Confirmed settings apply at once: the selected site with its map flags,
// the switches and the filter; only the minimum "PopUP" restores stays.
TEST_F(Dialog, SettingsApplyAtOnceButTheRestoredMinimumStays) {
    confirm([](SetformView& v) {
        v.Option1 = false;
        v.Option2 = true;
        v.Text10 = "131";  // west of both regional maps
        v.Text15 = "40";   // site 3's latitude
        v.Text7 = "4.5";
        v.Check1 = true;
        v.Check2 = false;
    });
    const Settings& set = m.settings;
    EXPECT_EQ(std::tuple(m.site.sitename, m.site.longitude_site, m.site.map_on1, m.site.map_on2,
                         set.latitude_site3),
              std::tuple("大阪", 131, 0, 0, 40));
    EXPECT_EQ(std::tuple(set.magnitude_min, set.magnitude_min_defalt, set.lan_flag, set.voice_flag),
              std::tuple(4.5, 3.5, 1, 0));
    EXPECT_EQ(config_line(18) + " " + config_line(11) + " " + config_line(16) + " " +
                  config_line(3) + config_line(19) + config_line(20),
              "2 131 40 4.510");
}

// The socket and the framing must agree: switching LAN mode while receiving
// binds again at once, on the port in use; a port typed as well waits for
// "start". While stopped nothing is bound; stopping leaves the event in
// progress alone.
TEST_F(Dialog, LanModeSwitchedWhileReceivingRebindsAtOnceOnThePortInUse) {
    s.app.Command1_Click();
    confirm([](SetformView& v) { v.Check1 = true, v.Text2 = "9100"; });
    EXPECT_EQ(std::tuple(s.platform.bound_port, s.platform.bound_to_all_addresses),
              std::tuple(9000, true));
    receive(test::ReportValues{});
    s.app.Command2_Click();
    confirm([](SetformView& v) { v.Check1 = false; });
    EXPECT_EQ(std::tuple(s.platform.feed_closed(), m.events.event_flag), std::tuple(true, 2));
    s.app.Command1_Click();
    EXPECT_EQ(std::tuple(s.platform.bound_port, s.platform.bound_to_all_addresses),
              std::tuple(9100, false));
}

TEST_F(Dialog, AFileThatCannotBeWrittenKeepsTheChangesAndSaysWhichAndWhy) {
    const std::string before = s.folder.read("data/tavi.config");
    m.paths.file_config = s.folder.path() + "/missing/tavi.config";
    confirm([](SetformView& v) { v.Text6 = "4"; });
    ASSERT_EQ(s.platform.messages.size(), 1u);
    for (const std::string& part : {m.paths.file_config, std::string("No such file")})
        EXPECT_NE(s.platform.messages[0].find(part), std::string::npos) << part;
    EXPECT_EQ(std::tuple(m.settings.pdata_min, s.platform.window_state(WindowId::setform),
                         s.folder.read("data/tavi.config")),
              std::tuple(4, WindowState::not_created, before));
}

TEST(ConfigFile, NamesTheReaderWouldSplitOrShiftJisCannotCarryReadBackWhole) {
    test::TempFolder dir;
    const std::string path = dir.path() + "/tavi.config";
    dir.write("tavi.config", test::sample_config());
    Settings s = read_config(path);
    for (auto [name, back] : {std::pair("Kita, Osaka", "Kita, Osaka"),
                              {"\"Home\" office", "'Home' office"},
                              {"  indented", "  indented"},
                              {"Café 😀", "Café 😀"}}) {
        s.sitename2 = name;
        ASSERT_FALSE(write_config(path, s));
        const Settings read = read_config(path);
        EXPECT_EQ(read.sitename2, back);
        EXPECT_EQ(read.longitude_site2, 135.5);  // nothing shifted
    }
}

}  // namespace
}  // namespace eew
