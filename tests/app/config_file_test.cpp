#include "app/config_file.hpp"

#include <gtest/gtest.h>

#include "fakes/program_folder.hpp"
#include "fakes/temp_folder.hpp"
#include "text/field_reader.hpp"
#include "text/shift_jis.hpp"

namespace eew {
namespace {

using test::TempFolder;

Settings sample_settings() {
    Settings s;
    s.localhost_port = 9000;
    s.pdata_min = 3;
    s.magnitude_min = 0.50;
    s.dist_min = 350.25;
    s.disp_event_minutes = 120;
    s.sitename1 = "東京都千代田区";
    s.longitude_site1 = 139.7528;
    s.latitude_site1 = 35.6852;
    s.ampfac1 = 1.8;
    s.sitename2 = "Osaka";
    s.longitude_site2 = 135.5;
    s.latitude_site2 = 34.69;
    s.ampfac2 = 1;
    s.sitename3 = "仙台";
    s.longitude_site3 = -0.5;
    s.latitude_site3 = 38.26;
    s.ampfac3 = 1.2;
    s.select_site = 2;
    s.lan_flag = 1;
    s.voice_flag = 0;
    s.auto_flag = 1;
    return s;
}

// Reading a written file and writing it again gives the same bytes: every
// item came back in its place with its value.
TEST(ConfigFile, WriteThenReadGivesTheSame21Values) {
    TempFolder dir;
    const std::string first = dir.path() + "/first.config", second = dir.path() + "/second.config";
    ASSERT_FALSE(write_config(first, sample_settings()));
    const Settings back = read_config(first);
    ASSERT_FALSE(write_config(second, back));
    EXPECT_EQ(dir.read("first.config"), dir.read("second.config"));
    EXPECT_EQ(back.sitename1, "東京都千代田区");
    EXPECT_EQ(back.magnitude_min_defalt, 0.5);
}

TEST(ConfigFile, WritesPlainNumbersAndShiftJisNamesOnCrLfLines) {
    TempFolder dir;
    const std::string path = dir.path() + "/tavi.config";
    ASSERT_FALSE(write_config(path, sample_settings()));
    const std::string expected =
        "9000\r\n3\r\n0.5\r\n350.25\r\n120\r\n" + *utf8_to_sjis("東京都千代田区") +
        "\r\n139.7528\r\n35.6852\r\n1.8\r\n"
        "Osaka\r\n135.5\r\n34.69\r\n1\r\n" +
        *utf8_to_sjis("仙台") + "\r\n-0.5\r\n38.26\r\n1.2\r\n2\r\n1\r\n0\r\n1\r\n";
    EXPECT_EQ(dir.read("tavi.config"), expected);
}

TEST(ConfigFile, NamesTheReaderWouldSplitOrShiftJisCannotCarryReadBackWhole) {
    TempFolder dir;
    const std::string path = dir.path() + "/tavi.config";
    Settings s = sample_settings();
    const std::pair<std::string, std::string> names[] = {{"Kita, Osaka", "Kita, Osaka"},
                                                         {"\"Home\" office", "'Home' office"},
                                                         {"  indented", "  indented"},
                                                         {"Café 😀", "Café 😀"}};
    for (const auto& [name, read_back] : names) {
        s.sitename2 = name;
        ASSERT_FALSE(write_config(path, s));
        const Settings back = read_config(path);
        EXPECT_EQ(back.sitename2, read_back);
        EXPECT_EQ(back.longitude_site2, s.longitude_site2);  // nothing shifted
    }
}

TEST(ConfigFile, AShortFileNamesTheFirstMissingItem) {
    TempFolder dir;
    std::string text = test::sample_config();
    // Keep 13 of the 21 lines.
    std::size_t pos = 0;
    for (int i = 0; i < 13; ++i)
        pos = text.find("\r\n", pos) + 2;
    dir.write("tavi.config", text.substr(0, pos));
    try {
        read_config(dir.path() + "/tavi.config");
        FAIL() << "a short file was accepted";
    } catch (const DataFileError& e) {
        EXPECT_NE(std::string(e.what()).find("item 14 of 21 (sitename3)"), std::string::npos)
            << e.what();
    }
}

TEST(ConfigFile, WritingIntoAMissingFolderReportsTheFile) {
    auto error = write_config("/nonexistent/folder/tavi.config", sample_settings());
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("/nonexistent/folder/tavi.config"), std::string::npos);
}

}  // namespace
}  // namespace eew
