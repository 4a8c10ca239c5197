// Start-up on the program's files, the settings dialog that rewrites them, and
// "quit".
#include "app/startup.hpp"

#include <filesystem>
#include <functional>
#include <sstream>

#include "app/setform.hpp"
#include "config/config_file.hpp"
#include "config/site_areas.hpp"
#include "fakes/log_text.hpp"
#include "fakes/mutator.hpp"
#include "fakes/program_folder.hpp"
#include "fakes/started_app.hpp"
#include "feedlib/feed_framing.hpp"
#include "feedlib/report_text.hpp"

namespace eew {
namespace {

struct StartUp : test::AppTest {
    std::optional<std::string> load() { return load_program_state(m, s.platform); }
    void write(const std::string& file, const std::string& content) {
        s.folder.write("data/" + file, content);
    }
};

TEST_F(StartUp, SelectedSiteBecomesTheCurrentSiteWithItsMapFlags) {
    const auto site = [](const CurrentSite& c) {
        return std::tuple(c.sitename, c.longitude_site, c.latitude_site, c.ampfac, c.map_on1,
                          c.map_on2);
    };
    for (auto [select, expected] : {std::pair(2, CurrentSite{"大阪", 135.5, 34.7, 1.2, 1, 1}),
                                    {3, {"仙台", 140.9, 38.3, 1.0, 1, 0}},
                                    {4, {}}}) {
        write("tavi.config", test::sample_config(select));
        ASSERT_FALSE(load());
        EXPECT_EQ(site(m.site), site(expected)) << select;
    }
}

TEST(StartUpAuto, StartsIdleAndAutomaticStartPressesStartAndMapOn) {
    for (bool on : {false, true}) {
        test::StartedApp s{{{"data/tavi.config", test::sample_config(1, on)}}};
        const MainView& v = s.m().main_view;
        EXPECT_EQ(std::tuple(s.platform.bound_port.has_value(), v.Command2.enabled, v.map_shown,
                             v.Command6.enabled, v.Command1.enabled, v.Command5.enabled),
                  std::tuple(on, on, on, on, !on, !on));
    }
}

// The pages file is optional: start-up goes on whatever it holds, a line that
// cannot be used keeps its built-in page, and the notice names file and line.
TEST_F(StartUp, WebPagesLinesThatCannotBeUsedKeepTheBuiltInPageAndAreNoticed) {
    const WebPages kept;
    const std::string lp = "https://example.org/lp", strong = "HTTP://example.org/s";
    const std::string used = ". The built-in address is used for such a line.";
    const std::tuple<std::optional<std::string>, std::string, std::string, std::string> cases[] = {
        // clang-format off
        {std::nullopt, kept.long_period, kept.strong_shaking, ""},
        {" " + lp + "\t\r\n" + strong + "\r\nignored\r\n", lp, strong, ""},
        {lp + "\n", lp, kept.strong_shaking, "\": line 2 is empty" + used},
        {"\r\nftp://example.org/s\r\n", kept.long_period, kept.strong_shaking, "\": line 1 is empty; line 2 is not an http:// or https:// address" + used},
        {"https://\r\nhttps://a b\r\n", kept.long_period, kept.strong_shaking, "\": line 1 is not an http:// or https:// address; line 2 is not an http:// or https:// address" + used},
        {lp + "\r\n\x01", kept.long_period, kept.strong_shaking, "\" is not a text file (byte 25 is a control character). The built-in addresses of lines 1 and 2 are used."},
        // clang-format on
    };
    const std::string file = s.folder.path() + "/data/web_pages.txt";
    for (const auto& [content, long_period, strong_shaking, fault] : cases) {
        std::filesystem::remove(file);
        if (content) write("web_pages.txt", *content);
        m.main_view.notice.clear();
        ASSERT_FALSE(load());
        EXPECT_EQ(
            std::tuple(m.web_pages.long_period, m.web_pages.strong_shaking, m.main_view.notice),
            std::tuple(long_period, strong_shaking,
                       fault.empty() ? "" : "2024/04/01 09:00:06  The file \"" + file + fault));
    }
}

// Every file start-up needs, missing, empty, cut short, binary garbage or
// text of another kind: start-up stops before anything starts (automatic
// start is on), with a message naming the file and what is wrong with it.
TEST(StartUpFiles, ABadRequiredFileStopsStartUpWithItsNameAndTheFault) {
    std::string table = test::linear_travel_table(4.0);
    std::size_t cut = 0;
    for (int line = 0; line < 1215; ++line)  // ten numbers a line: stops after number 12150
        cut = table.find("\r\n", cut) + 2;
    const std::string html = "<!DOCTYPE html>\r\n<html><body>moved</body></html>\r\n";
    const std::string garbage = test::Mutator(7).random_bytes(4096);
    enum Kind { missing, empty, cut_short, binary, text };
    // clang-format off
    const std::tuple<std::string, Kind, std::string, std::string> cases[] = {  // file, kind, content, reason
        {"tavi.config", empty, "", "ends before item 1 of 21 (localhost_port)"},
        {"tavi.config", cut_short, test::sample_config().substr(0, 72), "ends before item 14 of 21 (sitename3)"},
        {"tavi.config", text, html, "has \"<!DOCTYPE\" where a number should be: item 1 of 21"},
        {"LPwave.in", empty, "", "ends before record 1 of 3"},
        {"LPwave.in", cut_short, "\"velocity\",3.0\r\n\"msg\"\r\n\"intensity_min\"\r\n", "ends before record 3 of 3 (the intensity threshold)"},
        {"LPwave.in", text, html, "has \"<html><body>moved</b...\" where a number should be: record 1 of 3"},
        {"jmargn_j.csv", empty, "", "holds no regions"},
        {"jmargn_j.csv", cut_short, "a,b\r\nc\r\n", "ends before row 2, column 2"}};
    // clang-format on
    std::vector<std::tuple<std::string, Kind, std::string, std::string>> all(std::begin(cases),
                                                                             std::end(cases));
    for (const char* file :
         {"tavi.config", "traveltime300.dat", "traveltimep300.dat", "LPwave.in", "jmargn_j.csv"}) {
        all.emplace_back(file, missing, "", "is missing or cannot be read");
        all.emplace_back(file, binary, garbage, "is not a text file (byte ");
    }
    for (const char* file : {"traveltime300.dat", "traveltimep300.dat"}) {
        all.emplace_back(file, empty, "", "ends before number 1 of 24300 (depth row 1, second 1)");
        all.emplace_back(file, cut_short, table.substr(0, cut),
                         "ends before number 12151 of 24300 (depth row 41, second 151)");
        all.emplace_back(file, text, html,
                         "has \"<!DOCTYPE\" where a number should be: number 1 of");
    }
    for (const auto& [file, kind, content, reason] : all) {
        test::TempFolder folder;
        test::write_program_files(folder);
        folder.write("data/tavi.config", test::sample_config(1, 1));
        if (kind == missing) std::filesystem::remove(folder.path() + "/data/" + file);
        if (kind != missing) folder.write("data/" + file, content);
        test::FakePlatform platform(folder.path());
        App app(platform);
        const std::string error = app.Form_Load().value_or("started");
        EXPECT_NE(error.find("/data/" + file + "\""), std::string::npos) << error;
        EXPECT_NE(error.find(reason), std::string::npos) << error;
        EXPECT_FALSE(platform.bound_port) << file;
    }
}

// Termination and the session's end take the path of "quit", once; "quit"
// reports a list it cannot save in a dialog, a shutdown returns the reason.
TEST(Quit, ClosesEveryWindowInOrderSavesTheListAndDropsDialogEditsOnce) {
    test::StartedApp s;
    const std::string config = s.folder.read("data/tavi.config");
    s.m().recent.total_event_number = 1;
    s.m().recent.recent_event_time[1] = "2024/04/01 08:30:15";
    s.app.Command4_Click();
    s.m().setform_view.Text2 = "1";
    EXPECT_FALSE(s.app.shutdown_requested());
    EXPECT_EQ(s.platform.closed, (std::vector<WindowId>{WindowId::message, WindowId::popupmap,
                                                        WindowId::setform, WindowId::main}));
    EXPECT_EQ(std::tuple(s.platform.exit_code_, s.folder.read("data/tavi.config")),
              std::tuple(0, config));
    EXPECT_EQ(s.folder.read("data/24hours.dat").substr(0, 24), "1\r\n2024/04/01 08:30:15\r\n");
    std::filesystem::remove(s.folder.path() + "/data/24hours.dat");
    EXPECT_TRUE(!s.app.shutdown_requested() && !s.folder.exists("data/24hours.dat"));  // once
    for (bool shutdown : {false, true}) {
        test::StartedApp q;
        std::filesystem::create_directory(q.folder.path() + "/data/24hours.dat");  // in the way
        std::optional<std::string> error = shutdown ? q.app.shutdown_requested() : std::nullopt;
        if (!shutdown) q.app.Command3_Click();
        EXPECT_EQ(q.platform.messages.size(), shutdown ? 0u : 1u);
        if (!shutdown && !q.platform.messages.empty()) error = q.platform.messages[0];
        EXPECT_NE(error.value_or("").find("24hours.dat"), std::string::npos);
        EXPECT_EQ(q.platform.exit_code_, 0);
    }
}

// A live event in progress is logged at "quit"; a replay never is.
TEST(Quit, LeavesAReplayInProgressUnlogged) {
    test::StartedApp s;
    s.folder.write("log/x", test::log_text({feedlib::report_text({})}));
    s.platform.chosen_file = s.folder.path() + "/log/x";
    s.app.Command8_Click();
    s.app.Command3_Click();
    EXPECT_EQ(std::tuple(s.m().events.event_flag, s.folder.exists("log/20240401.0900_0_M65"),
                         s.folder.read("data/24hours.dat").substr(0, 3)),
              std::tuple(EventFlag::replaying, false, "0\r\n"));
}

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

// A site's area, chosen and confirmed, is the current site's at once, shows
// when the dialog opens again and is the site's after the next start.
TEST_F(Dialog, AForecastAreaChosenIsInForceShownAgainAndReadBackAtTheNextStart) {
    confirm([](SetformView& v) { v.forecast_area1 = "251"; });
    s.app.Command4_Click();
    EXPECT_EQ(std::tuple(m.site.forecast_area, m.setform_view.forecast_area1,
                         m.setform_view.forecast_area2),
              std::tuple(251, "251", ""));
    App again(s.platform);
    ASSERT_FALSE(again.Form_Load());
    EXPECT_EQ(again.state().site.forecast_area, 251);
}

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
    receive(feedlib::ReportValues{});
    s.app.Command2_Click();
    confirm([](SetformView& v) { v.Check1 = false; });
    EXPECT_EQ(std::tuple(s.platform.feed_closed(), m.events.event_flag),
              std::tuple(true, EventFlag::followed));
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

// The sites' forecast areas live beside the configuration: a missing file is
// none, a line that is no code is none for its site and noticed.
TEST(SiteAreas, EachLineIsItsSitesAreaOrNoneAndTheyAreWrittenBack) {
    test::TempFolder dir;
    const std::string path = dir.path() + "/forecast_areas";
    EXPECT_EQ(read_site_areas(path).areas, SiteAreas{});
    const std::tuple<std::string, SiteAreas, std::string> cases[] = {
        {"350\r\n\r\n251\r\n", {std::nullopt, 350, std::nullopt, 251}, ""},
        {"35\nabc\n251",
         {std::nullopt, std::nullopt, std::nullopt, 251},
         "lines 1, 2 are not three-digit area codes. Those sites have no forecast area."},
        {"100\r\n\xe6\x9d\xb1\r\n",
         {std::nullopt, 100, std::nullopt, std::nullopt},
         "line 2 is not a three-digit area code. That site has no forecast area."},
    };
    for (const auto& [content, areas, fault] : cases) {
        dir.write("forecast_areas", content);
        const SiteAreasFile read = read_site_areas(path);
        EXPECT_EQ(std::pair(read.areas, read.fault.value_or("")),
                  std::pair(areas, fault.empty() ? "" : "The file \"" + path + "\": " + fault));
        ASSERT_FALSE(write_site_areas(path, areas));
        EXPECT_EQ(read_site_areas(path).areas, areas);
    }
    EXPECT_EQ(dir.read("forecast_areas"), "100\r\n\r\n\r\n");
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
