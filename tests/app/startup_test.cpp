#include "app/startup.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/app.hpp"
#include "fakes/fake_platform.hpp"
#include "fakes/program_folder.hpp"
#include "fakes/temp_folder.hpp"
#include "text/shift_jis.hpp"

namespace eew {
namespace {

using test::FakePlatform;
using test::TempFolder;

struct StartUp : ::testing::Test {
    StartUp() : platform(folder.path()), app(platform) { test::write_program_files(folder); }
    std::optional<std::string> load() { return load_program_state(app.state(), platform); }
    MainState& m() { return app.state(); }

    TempFolder folder;
    FakePlatform platform;
    App app;
};

TEST_F(StartUp, CreatesTheLogFoldersOnlyWhenMissing) {
    ASSERT_FALSE(load());
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() + "/log"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() + "/log/large_events"));

    folder.write("log/large_events/keep.txt", "x");
    ASSERT_FALSE(load());
    EXPECT_EQ(folder.read("log/large_events/keep.txt"), "x");
}

TEST_F(StartUp, BuildsThePathsFromTheProgramFolder) {
    ASSERT_FALSE(load());
    const std::string data = folder.path() + "/data/";
    EXPECT_EQ(m().paths.logp2, folder.path() + "/log/large_events/");
    EXPECT_EQ(m().paths.file_sound_si[1], data + "SI0_.wav");
    EXPECT_EQ(m().paths.file_sound_si[6], data + "SI5-.wav");
    EXPECT_EQ(m().paths.file_sound_si[10], data + "SI7_.wav");
}

TEST_F(StartUp, SelectedSiteBecomesTheCurrentSiteWithItsMapFlags) {
    struct Case {
        int select;
        std::string name;
        double longitude;
        int map_on1, map_on2;
    };
    for (const Case& c : {Case{1, "東京", 139.7, 1, 1}, Case{2, "大阪", 135.5, 1, 1},
                          Case{3, "仙台", 140.9, 1, 0}, Case{4, "", 0, 0, 0}}) {
        folder.write("data/tavi.config", test::sample_config(c.select));
        ASSERT_FALSE(load());
        EXPECT_EQ(m().site.sitename, c.name);
        EXPECT_EQ(m().site.longitude_site, c.longitude);
        EXPECT_EQ(m().site.map_on1, c.map_on1) << c.select;
        EXPECT_EQ(m().site.map_on2, c.map_on2) << c.select;
    }
    EXPECT_EQ(m().settings.magnitude_min_defalt, 3.5);
}

TEST_F(StartUp, TravelTablesReadTheSameTenOrOneToALine) {
    folder.write("data/traveltime300.dat", test::linear_travel_table(4.0, 1));
    ASSERT_FALSE(load());
    const TravelTable one_per_line = m().traveltime_table_s;
    folder.write("data/traveltime300.dat", test::linear_travel_table(4.0, 10));
    ASSERT_FALSE(load());
    for (int i = 0; i <= 81; ++i) {
        for (int t = 0; t <= 300; ++t) {
            ASSERT_EQ(m().traveltime_table_s.at(i, t), one_per_line.at(i, t)) << i << "," << t;
        }
    }
    EXPECT_EQ(m().traveltime_table_s.at(81, 300), 1200);
    EXPECT_EQ(m().traveltime_table_s.at(0, 5), 0);
    EXPECT_EQ(m().traveltime_table_p.at(1, 1), 7);
}

TEST_F(StartUp, ReadsTheLongPeriodSettingsAndTheClassThresholds) {
    ASSERT_FALSE(load());
    EXPECT_EQ(m().lpwave.lpwave_velocity, 3.0);
    EXPECT_EQ(m().lpwave.lpwave_message, "長周期地震動に注意してください。");
    EXPECT_EQ(m().lpwave.intensity_min, 0.5);
    EXPECT_NEAR(m().display.amp_class_threshold[1], 0.0031623, 1e-7);
    EXPECT_DOUBLE_EQ(m().display.amp_class_threshold[6], 1.0);
}

TEST_F(StartUp, FillsTheMapCatalogue) {
    ASSERT_FALSE(load());
    const MapCatalogue& c = m().maps;
    EXPECT_NEAR(c.map_x_scale[1], 80.359, 1e-3);
    EXPECT_DOUBLE_EQ(c.map_y_scale[1], 100);
    EXPECT_NEAR(c.map_y_scale[3], 42.945, 1e-3);
    EXPECT_DOUBLE_EQ(c.map_x_scale[5], 21.25);
    EXPECT_EQ(c.map_km_scale[2], 0.884);
    EXPECT_EQ(c.map_width[4], 0);
    const MapPoint origin = project(c, 1, 135, 36.5);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 357);
    EXPECT_NEAR(project(c, 1, 143.35, 33.5).x, 671, 1e-9);
    EXPECT_NEAR(project(c, 1, 143.35, 33.5).y, 657, 1e-9);
    EXPECT_EQ(project(c, 5, 127, 37.5).y, 238);
}

TEST_F(StartUp, RegionTableOfThreeRowsLeavesTheRestEmpty) {
    ASSERT_FALSE(load());
    const auto& r = m().regions.region_table;
    EXPECT_EQ(r[1][1], "ibaraki_s");
    EXPECT_EQ(r[1][2], "茨城県南部");
    EXPECT_EQ(r[3][2], "東京都２３区");
    EXPECT_EQ(r[4][1], "");
    EXPECT_EQ(r[270][1], "");
}

TEST_F(StartUp, ExtraRowsBeyondTheCapacitiesAreIgnored) {
    std::string regions, refs = "60\r\n", recent = "600\r\n";
    for (int i = 1; i <= 300; ++i)
        regions += "key" + std::to_string(i) + ",name\r\n";
    for (int i = 1; i <= 60; ++i)
        refs += "139,35,1,site" + std::to_string(i) + "\r\n";
    for (int i = 1; i <= 600; ++i)
        recent += "2024/04/01 08:00:00\r\n5 35 139 12\r\n";
    folder.write("data/jmargn_j.csv", regions);
    folder.write("data/ref.dat", refs);
    folder.write("data/24hours.dat", recent);
    ASSERT_FALSE(load());
    EXPECT_EQ(m().regions.region_table[270][1], "key270");
    EXPECT_EQ(m().refs.ref_number, 50);
    EXPECT_EQ(m().refs.sitename_ref[50], "site50");
    EXPECT_EQ(m().recent.total_event_number, 500);
}

TEST_F(StartUp, ReadsTheReferenceSitesEvenWithoutA24HourList) {
    folder.write("data/ref.dat", "2\r\n139.69,35.69,1.6," + *utf8_to_sjis("東京") +
                                     "\r\n135.52,34.69,1.4,\"" + *utf8_to_sjis("大阪") + "\"\r\n");
    ASSERT_FALSE(load());
    EXPECT_EQ(m().recent.total_event_number, 0);
    EXPECT_EQ(m().refs.ref_number, 2);
    EXPECT_EQ(m().refs.sitename_ref[1], "東京");
    EXPECT_EQ(m().refs.sitename_ref[2], "大阪");
    EXPECT_EQ(m().refs.ampfac_ref[2], 1.4);
}

TEST_F(StartUp, ShortOptionalFilesKeepTheirCompleteEntries) {
    folder.write("data/ref.dat", "3\r\n139.69,35.69,1.6,a\r\n135.52,34.69\r\n");
    folder.write("data/24hours.dat",
                 "3\r\n2024/04/01 08:00:00\r\n5.2 35 139 12\r\n"
                 "2024/04/01 08:30:00\r\n4.1 36\r\n");
    ASSERT_FALSE(load());
    EXPECT_EQ(m().refs.ref_number, 1);
    EXPECT_EQ(m().recent.total_event_number, 1);
    EXPECT_EQ(m().recent.recent_event_time[1], "2024/04/01 08:00:00");
    EXPECT_EQ(m().recent.recent_event_data[1][4], 12);
}

TEST_F(StartUp, EachMissingRequiredFileStopsWithItsName) {
    for (const std::string file :
         {"tavi.config", "traveltime300.dat", "traveltimep300.dat", "LPwave.in", "jmargn_j.csv"}) {
        test::write_program_files(folder);
        std::filesystem::remove(folder.path() + "/data/" + file);
        auto error = load();
        ASSERT_TRUE(error) << file;
        EXPECT_NE(error->find("/data/" + file), std::string::npos) << *error;
    }
}

TEST_F(StartUp, ShortRequiredFilesNameWhatIsMissing) {
    // 1215 lines of ten numbers: the file stops after number 12150.
    std::string table = test::linear_travel_table(4.0);
    std::size_t cut = 0;
    for (int line = 0; line < 1215; ++line)
        cut = table.find("\r\n", cut) + 2;
    folder.write("data/traveltimep300.dat", table.substr(0, cut));
    auto error = load();
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("traveltimep300.dat\" ends before number 12151 of 24300 (depth row 41, "
                          "second 151)"),
              std::string::npos)
        << *error;

    test::write_program_files(folder);
    folder.write("data/LPwave.in", "\"velocity\",3.0\r\n\"msg\"\r\n\"intensity_min\"\r\n");
    error = load();
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("record 3 of 3 (the intensity threshold)"), std::string::npos) << *error;

    test::write_program_files(folder);
    folder.write("data/jmargn_j.csv", "a,b\r\nc\r\n");
    error = load();
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("row 2, column 2"), std::string::npos) << *error;
}

TEST_F(StartUp, ShowsTheMainWindowIdleWithStopButtonsDisabled) {
    ASSERT_FALSE(load());
    const MainView& v = m().main_view;
    EXPECT_TRUE(v.Command1.enabled);
    EXPECT_FALSE(v.Command2.enabled);
    EXPECT_TRUE(v.Command3.enabled);
    EXPECT_TRUE(v.Command5.enabled);
    EXPECT_FALSE(v.Command6.enabled);
    EXPECT_FALSE(v.Command7.enabled);
    EXPECT_TRUE(v.Command8.enabled);
    EXPECT_EQ(m().events.event_flag, 0);
    EXPECT_EQ(m().events.map_flag, 0);
}

TEST_F(StartUp, QuitSavesThe24HourListAndTheNextStartReadsItBack) {
    ASSERT_FALSE(load());
    auto& r = m().recent;
    r.total_event_number = 3;
    for (int i = 1; i <= 3; ++i) {
        r.recent_event_time[i] = "2024/04/01 0" + std::to_string(i) + ":00:00";
        r.recent_event_data[i] = {0, 4.5 + i, 35.25, 139.5, 12.0};
    }
    app.Command3_Click();
    EXPECT_EQ(platform.exit_code_, 0);
    const std::string saved = folder.read("data/24hours.dat");
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 7);
    EXPECT_EQ(saved.substr(0, 37), "3\r\n2024/04/01 01:00:00\r\n5.5 35.25 139");

    App next(platform);
    ASSERT_FALSE(load_program_state(next.state(), platform));
    EXPECT_EQ(next.state().recent.total_event_number, 3);
    EXPECT_EQ(next.state().recent.recent_event_time[3], "2024/04/01 03:00:00");
    EXPECT_EQ(next.state().recent.recent_event_data[2][1], 6.5);
}

TEST_F(StartUp, QuitTellsTheUserWhenTheListCannotBeSaved) {
    ASSERT_FALSE(load());
    std::filesystem::create_directory(folder.path() + "/data/24hours.dat");  // in the way
    app.Command3_Click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("24hours.dat"), std::string::npos);
    EXPECT_EQ(platform.exit_code_, 0);
}

}  // namespace
}  // namespace eew
