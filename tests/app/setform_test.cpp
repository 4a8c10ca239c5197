#include "app/setform.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <vector>

#include "fakes/program_folder.hpp"
#include "fakes/started_app.hpp"

namespace eew {
namespace {

using test::StartedApp;

std::vector<std::string> lines_of(const std::string& file) {
    std::vector<std::string> lines;
    std::istringstream in(file);
    for (std::string l; std::getline(in, l);)
        lines.push_back(l.substr(0, l.size() - 1));  // without the CR
    return lines;
}

// The dialog opened through "set", edited by `edit`, then confirmed.
struct Dialog : ::testing::Test {
    void confirm(const std::function<void(SetformView&)>& edit) {
        s.app.Command4_Click();
        edit(s.m().setform_view);
        s.app.setform_Command1_Click();
    }
    std::string config_line(int n) { return lines_of(s.folder.read("data/tavi.config")).at(n - 1); }

    StartedApp s;
};

TEST(SetformLoad, ConfirmingWithoutAChangeRewritesTheSameValues) {
    std::string config = test::sample_config();
    config.replace(config.find("\r\n3.5\r\n"), 7, "\r\n0.50\r\n");
    StartedApp s({{"data/tavi.config", config}});
    ASSERT_TRUE(s.loaded);
    s.app.Command4_Click();
    EXPECT_EQ(s.m().setform_view.Text7, "0.5");
    EXPECT_EQ(s.m().setform_view.Text8, "東京");
    EXPECT_TRUE(s.m().setform_view.Option1);
    s.app.setform_Command1_Click();
    std::string expected = test::sample_config();
    expected.replace(expected.find("\r\n3.5\r\n"), 7, "\r\n0.5\r\n");
    EXPECT_EQ(s.folder.read("data/tavi.config"), expected);
    EXPECT_EQ(s.platform.window_state(WindowId::setform), WindowState::not_created);
    EXPECT_EQ(s.m().main_view.map_caption, "last 24 hours");  // the map was redrawn
}

TEST_F(Dialog, SelectingSite2MakesItCurrentAtOnceWithItsEditedPosition) {
    confirm([](SetformView& v) {
        v.Option1 = false;
        v.Option2 = true;
        v.Text10 = "131";  // west of both regional maps
    });
    EXPECT_EQ(s.m().site.sitename, "大阪");
    EXPECT_EQ(s.m().site.longitude_site, 131);
    EXPECT_EQ(s.m().site.map_on1, 0);
    EXPECT_EQ(s.m().site.map_on2, 0);
    EXPECT_EQ(s.m().settings.select_site, 2);
    EXPECT_EQ(config_line(18), "2");
    EXPECT_EQ(config_line(11), "131");
}

TEST_F(Dialog, EditingAnotherSiteLeavesTheCurrentSite) {
    confirm([](SetformView& v) {
        v.Text14 = "141.5";
        v.Text15 = "40";
    });
    EXPECT_EQ(s.m().settings.longitude_site3, 141.5);
    EXPECT_EQ(s.m().settings.latitude_site3, 40);
    EXPECT_EQ(s.m().site.sitename, "東京");
    EXPECT_EQ(s.m().site.longitude_site, 139.7);
    EXPECT_EQ(config_line(15), "141.5");
}

// The port is a whole number; the other numbers keep their fraction.
TEST_F(Dialog, BoxesAreTakenByTheirLeadingNumberAndNothingIsRefused) {
    const struct {
        const char* typed;
        const char* port_line;
        const char* distance_line;
    } cases[] = {{"abc", "0", "0"},
                 {"", "0", "0"},
                 {"35.5 x", "36", "35.5"},
                 {" 9 001", "9001", "9001"},
                 {"-1e3", "-1000", "-1000"}};
    for (const auto& c : cases) {
        confirm([&](SetformView& v) {
            v.Text2 = c.typed;
            v.Text1 = c.typed;
        });
        EXPECT_EQ(config_line(1), c.port_line) << c.typed;
        EXPECT_EQ(config_line(4), c.distance_line) << c.typed;
    }
}

TEST_F(Dialog, SwitchesAndFilterApplyAtOnceButTheRestoredMinimumStays) {
    confirm([](SetformView& v) {
        v.Text7 = "4.5";
        v.Check1 = true;
        v.Check2 = false;
    });
    EXPECT_EQ(s.m().settings.magnitude_min, 4.5);
    EXPECT_EQ(s.m().settings.magnitude_min_defalt, 3.5);
    EXPECT_EQ(s.m().settings.lan_flag, 1);
    EXPECT_EQ(s.m().settings.voice_flag, 0);
    EXPECT_EQ(config_line(3), "4.5");
    EXPECT_EQ(config_line(19), "1");
    EXPECT_EQ(config_line(20), "0");
}

TEST_F(Dialog, SetBringsAnOpenDialogForwardWithItsEditsAndAClosedOneAfresh) {
    s.app.Command4_Click();
    s.m().setform_view.Text2 = "1234";
    s.app.Command4_Click();
    EXPECT_EQ(s.m().setform_view.Text2, "1234");
    EXPECT_EQ(s.platform.window_state(WindowId::setform), WindowState::normal);
    s.platform.close_window(WindowId::setform);  // the dialog's close box
    s.app.Command4_Click();
    EXPECT_EQ(s.m().setform_view.Text2, "9000");
    EXPECT_EQ(s.m().settings.localhost_port, 9000);
}

TEST_F(Dialog, AFileThatCannotBeWrittenKeepsTheChangesAndSaysWhichAndWhy) {
    const std::string before = s.folder.read("data/tavi.config");
    s.m().paths.file_config = s.folder.path() + "/missing/tavi.config";
    confirm([](SetformView& v) { v.Text6 = "4"; });
    EXPECT_EQ(s.m().settings.pdata_min, 4);
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_NE(s.platform.messages[0].find(s.m().paths.file_config), std::string::npos);
    EXPECT_NE(s.platform.messages[0].find("No such file"), std::string::npos);
    EXPECT_EQ(s.platform.window_state(WindowId::setform), WindowState::not_created);
    EXPECT_EQ(s.folder.read("data/tavi.config"), before);
}

}  // namespace
}  // namespace eew
