#include "app/startup.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/program_folder.hpp"
#include "fakes/started_app.hpp"
#include "text/shift_jis.hpp"

namespace eew {
namespace {

struct StartUp : ::testing::Test {
    std::optional<std::string> load() { return load_program_state(m(), s.platform); }
    void write(const std::string& file, const std::string& content) {
        s.folder.write("data/" + file, content);
    }
    MainState& m() { return s.m(); }
    test::StartedApp s;
};

TEST_F(StartUp, CreatesTheLogFoldersOnlyWhenMissingAndBuildsThePaths) {
    ASSERT_TRUE(s.loaded);
    EXPECT_TRUE(std::filesystem::is_directory(s.folder.path() + "/log/large_events"));
    s.folder.write("log/large_events/keep.txt", "x");
    ASSERT_FALSE(load());
    EXPECT_EQ(s.folder.read("log/large_events/keep.txt"), "x");
    const std::string data = s.folder.path() + "/data/";
    EXPECT_EQ(m().paths.logp2, s.folder.path() + "/log/large_events/");
    EXPECT_EQ(m().paths.file_sound_si[1], data + "SI0_.wav");
    EXPECT_EQ(m().paths.file_sound_si[6], data + "SI5-.wav");
    EXPECT_EQ(m().paths.file_sound_si[10], data + "SI7_.wav");
}

TEST_F(StartUp, SelectedSiteBecomesTheCurrentSiteWithItsMapFlags) {
    struct Case {
        int select;
        CurrentSite site;
    };
    const Case cases[] = {{1, {"東京", 139.7, 35.7, 1.5, 1, 1}},
                          {2, {"大阪", 135.5, 34.7, 1.2, 1, 1}},
                          {3, {"仙台", 140.9, 38.3, 1.0, 1, 0}},
                          {4, {"", 0, 0, 0, 0, 0}}};
    for (const Case& c : cases) {
        write("tavi.config", test::sample_config(c.select));
        ASSERT_FALSE(load());
        const CurrentSite& got = m().site;
        EXPECT_EQ(got.sitename, c.site.sitename) << c.select;
        EXPECT_EQ(got.longitude_site, c.site.longitude_site) << c.select;
        EXPECT_EQ(got.latitude_site, c.site.latitude_site) << c.select;
        EXPECT_EQ(got.ampfac, c.site.ampfac) << c.select;
        EXPECT_EQ(got.map_on1, c.site.map_on1) << c.select;
        EXPECT_EQ(got.map_on2, c.site.map_on2) << c.select;
    }
    EXPECT_EQ(m().settings.magnitude_min_defalt, 3.5);
}

TEST_F(StartUp, StartsIdleAndAutomaticStartPressesStartAndMapOn) {
    for (int auto_flag : {0, 1}) {
        test::StartedApp started{{{"data/tavi.config", test::sample_config(1, auto_flag)}}};
        ASSERT_TRUE(started.loaded);
        const MainView& v = started.m().main_view;
        EXPECT_EQ(started.platform.bound_port.has_value(), auto_flag == 1);
        EXPECT_EQ(v.Command1.enabled, auto_flag == 0);
        EXPECT_EQ(v.Command2.enabled, auto_flag == 1);
        EXPECT_EQ(v.map_shown, auto_flag == 1);
        EXPECT_EQ(v.Command5.enabled, auto_flag == 0);
        EXPECT_EQ(v.Command6.enabled, auto_flag == 1);
        EXPECT_FALSE(v.Command7.enabled);
        EXPECT_EQ(started.m().events.event_flag, 0);
    }
}

TEST_F(StartUp, ReadsTheTablesWhateverTheirLineBreaks) {
    write("traveltime300.dat", test::linear_travel_table(4.0, 1));
    ASSERT_FALSE(load());
    EXPECT_EQ(m().traveltime_table_s.at(81, 300), 1200);
    EXPECT_EQ(m().traveltime_table_s.at(40, 7), 28);
    EXPECT_EQ(m().traveltime_table_s.at(0, 5), 0);
    EXPECT_EQ(m().traveltime_table_p.at(1, 1), 7);
    EXPECT_EQ(m().lpwave.lpwave_message, "長周期地震動に注意してください。");
    EXPECT_EQ(m().lpwave.intensity_min, 0.5);
    EXPECT_NEAR(m().display.amp_class_threshold[1], 0.0031623, 1e-7);
    EXPECT_EQ(m().regions.region_table[3][2], "東京都２３区");
    EXPECT_EQ(m().regions.region_table[4][1], "");
    EXPECT_EQ(project(m().maps, 1, 135, 36.5).y, 357);
}

TEST_F(StartUp, OptionalFilesKeepTheirCompleteEntriesUpToTheCapacity) {
    std::string refs = "60\r\n", recent = "600\r\n";
    for (int i = 1; i <= 60; ++i)
        refs += "139,35,1,site" + std::to_string(i) + "\r\n";
    for (int i = 1; i <= 600; ++i)
        recent += "2024/04/01 08:00:00\r\n5 35 139 12\r\n";
    write("ref.dat", refs);
    write("24hours.dat", recent);
    ASSERT_FALSE(load());
    EXPECT_EQ(m().refs.ref_number, 50);
    EXPECT_EQ(m().refs.sitename_ref[50], "site50");
    EXPECT_EQ(m().recent.total_event_number, 500);

    // Short files; the reference sites are read even without a 24-hour list.
    write("ref.dat", "3\r\n139.69,35.69,1.6," + *utf8_to_sjis("東京") + "\r\n135.52,34.69\r\n");
    std::filesystem::remove(s.folder.path() + "/data/24hours.dat");
    ASSERT_FALSE(load());
    EXPECT_EQ(m().refs.ref_number, 1);
    EXPECT_EQ(m().refs.sitename_ref[1], "東京");
    EXPECT_EQ(m().recent.total_event_number, 0);
}

TEST_F(StartUp, AMissingOrShortRequiredFileStopsWithItsNameAndTheMissingItem) {
    std::string table = test::linear_travel_table(4.0);
    std::size_t cut = 0;
    for (int line = 0; line < 1215; ++line)  // ten numbers a line: stops after number 12150
        cut = table.find("\r\n", cut) + 2;
    const std::pair<std::string, std::string> cases[] = {
        {"tavi.config", ""},
        {"traveltime300.dat", ""},
        {"traveltimep300.dat", ""},
        {"LPwave.in", ""},
        {"jmargn_j.csv", ""},
        {"traveltimep300.dat",
         "traveltimep300.dat\" ends before number 12151 of 24300 (depth row 41, second 151)"},
        {"LPwave.in", "record 3 of 3 (the intensity threshold)"},
        {"jmargn_j.csv", "row 2, column 2"},
    };
    const std::map<std::string, std::string> short_files = {
        {"traveltimep300.dat", table.substr(0, cut)},
        {"LPwave.in", "\"velocity\",3.0\r\n\"msg\"\r\n\"intensity_min\"\r\n"},
        {"jmargn_j.csv", "a,b\r\nc\r\n"}};
    for (const auto& [file, reason] : cases) {
        test::write_program_files(s.folder);
        if (reason.empty())
            std::filesystem::remove(s.folder.path() + "/data/" + file);
        else
            write(file, short_files.at(file));
        const auto error = load();
        ASSERT_TRUE(error) << file;
        EXPECT_NE(error->find("/data/" + file), std::string::npos) << *error;
        EXPECT_NE(error->find(reason), std::string::npos) << *error;
    }
}

TEST_F(StartUp, QuitTellsTheUserWhenTheListCannotBeSaved) {
    std::filesystem::create_directory(s.folder.path() + "/data/24hours.dat");  // in the way
    s.app.Command3_Click();
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_NE(s.platform.messages[0].find("24hours.dat"), std::string::npos);
    EXPECT_EQ(s.platform.exit_code_, 0);
}

}  // namespace
}  // namespace eew
