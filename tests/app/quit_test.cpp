#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/started_app.hpp"

namespace eew {
namespace {

using test::StartedApp;

void add_entries(RecentEvents& r, int n) {
    r.total_event_number = n;
    for (int i = 1; i <= n; ++i) {
        r.recent_event_time[i] = "2024/04/01 0" + std::to_string(i) + ":30:15";
        r.recent_event_data[i] = {0, 2.5 + i, 35.25 + i, -139.125, static_cast<double>(i)};
    }
}

TEST(Quit, SavesTheListInOneLinePlusTwoPerEntryAndReadsItBack) {
    for (int n : {0, 3}) {
        StartedApp s;
        add_entries(s.m().recent, n);
        s.app.Command3_Click();
        const std::string file = s.folder.read("data/24hours.dat");
        EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 1 + 2 * n);
        if (n == 0) {
            EXPECT_EQ(file, "0\r\n");
        }
        StartedApp next({{"data/24hours.dat", file}});
        const RecentEvents& back = next.m().recent;
        ASSERT_EQ(back.total_event_number, n);
        for (int i = 1; i <= n; ++i) {
            EXPECT_EQ(back.recent_event_time[i], s.m().recent.recent_event_time[i]);
            EXPECT_EQ(back.recent_event_data[i], s.m().recent.recent_event_data[i]);
        }
    }
}

TEST(Quit, ClosesMessagePopupSettingsAndMainInThatOrderAndDropsDialogEdits) {
    StartedApp s;
    const std::string config = s.folder.read("data/tavi.config");
    s.app.Command4_Click();
    s.m().setform_view.Text2 = "1";
    s.app.Command3_Click();
    const std::vector<WindowId> order = {WindowId::message, WindowId::popupmap, WindowId::setform,
                                         WindowId::main};
    EXPECT_EQ(s.platform.closed, order);
    EXPECT_EQ(s.platform.exit_code_, 0);
    EXPECT_EQ(s.folder.read("data/tavi.config"), config);
    EXPECT_EQ(s.m().settings.localhost_port, 9000);
}

// Termination and the session's end take the path of "quit", once.
TEST(Quit, AShutdownSavesAndEndsUnlessQuitRanAlready) {
    StartedApp s;
    add_entries(s.m().recent, 1);
    EXPECT_FALSE(s.app.shutdown_requested());
    EXPECT_EQ(s.platform.exit_code_, 0);
    EXPECT_EQ(s.platform.closed.back(), WindowId::main);
    ASSERT_TRUE(s.folder.exists("data/24hours.dat"));
    std::filesystem::remove(s.folder.path() + "/data/24hours.dat");
    s.platform.closed.clear();
    EXPECT_FALSE(s.app.shutdown_requested());
    EXPECT_FALSE(s.folder.exists("data/24hours.dat"));
    EXPECT_TRUE(s.platform.closed.empty());
}

TEST(Quit, AShutdownReportsAListThatCannotBeSavedWithoutADialog) {
    StartedApp s;
    std::filesystem::create_directory(s.folder.path() + "/data/24hours.dat");  // in the way
    const auto error = s.app.shutdown_requested();
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("24hours.dat"), std::string::npos);
    EXPECT_TRUE(s.platform.messages.empty());
    EXPECT_EQ(s.platform.exit_code_, 0);
}

}  // namespace
}  // namespace eew
