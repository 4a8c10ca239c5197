#include "app/event_logging.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/report_text.hpp"
#include "fakes/started_app.hpp"

namespace eew {
namespace {

using test::report_xml;
using test::ReportValues;

ReportValues far_quake(const std::string& code, int origin_second) {
    ReportValues r;
    r.code = code;
    r.origin_time = "2024,4,1,9,0," + std::to_string(origin_second);
    r.magnitude = 4.2;
    r.latitude = 38.0;
    r.longitude = 142.5;  // beyond the filter's 300 km: never followed
    return r;
}

struct EventLogging : ::testing::Test {
    void receive(const ReportValues& r) {
        s.app.Winsock1_DataArrival(test::relay_datagram(report_xml(r)));
    }
    MainState& m() { return s.m(); }

    // One entry loaded from the file, its time written in another form.
    test::StartedApp s{{{"data/24hours.dat", "1\r\n2024/4/1 8:00:00\r\n3.5 36 140 12\r\n"}}};
};

TEST_F(EventLogging, EndedEventsAreLoggedAndTheListSavedAtOnce) {
    ASSERT_TRUE(s.loaded);
    ReportValues second;
    second.sequence = 2;
    receive(ReportValues{});
    s.platform.advance(1);
    receive(second);
    receive(far_quake("20240401090007", 7));
    write_event_logs(m(), s.platform);

    EXPECT_EQ(s.folder.read("log/20240401.0900_0_M65"),
              report_xml(ReportValues{}) + "2024/04/01 09:00:06\n\r\n" + report_xml(second) +
                  "2024/04/01 09:00:07\n\r\n\r\n");
    EXPECT_TRUE(s.folder.exists("log/large_events/20240401.0900_0_M65"));
    EXPECT_TRUE(s.folder.exists("log/20240401.0900_7_M42"));
    EXPECT_FALSE(s.folder.exists("log/large_events/20240401.0900_7_M42"));
    // Both 40 km deep: depth class 3, palette colour 10.
    EXPECT_EQ(s.folder.read("data/24hours.dat"),
              "3\r\n2024/4/1 8:00:00\r\n3.5 36 140 12\r\n"
              "2024/04/01 09:00:00\r\n6.5 35.7 140 10\r\n"
              "2024/04/01 09:00:07\r\n4.2 38 142.5 10\r\n");
    EXPECT_EQ(m().main_view.Text2.text, "3");
    EXPECT_EQ(m().main_view.Text3.back, kWhite);
    EXPECT_EQ(m().main_view.notice, "");
}

TEST_F(EventLogging, AnUnwritableFolderIsNoticedAndTheProgramGoesOn) {
    receive(ReportValues{});
    std::filesystem::remove_all(s.folder.path() + "/log");
    s.folder.write("log", "a file where the log folder should be");
    write_event_logs(m(), s.platform);

    const std::string& notice = m().main_view.notice;
    EXPECT_EQ(notice.rfind("2024/04/01 09:00:06  ", 0), 0u) << notice;
    EXPECT_NE(notice.find(m().paths.logp + "20240401.0900_0_M65"), std::string::npos) << notice;
    EXPECT_NE(notice.find("Not a directory"), std::string::npos) << notice;
    EXPECT_NE(notice.find("(and 1 more files)"), std::string::npos) << notice;
    EXPECT_TRUE(s.platform.messages.empty());
    EXPECT_FALSE(s.platform.exit_code_.has_value());
    // The list lives elsewhere and is still saved; reception goes on.
    EXPECT_EQ(s.folder.read("data/24hours.dat").substr(0, 3), "2\r\n");
    reset_event_table(m().events);
    receive(ReportValues{});
    EXPECT_EQ(m().events.event_flag, 2);
}

TEST_F(EventLogging, AnEventPushedOutOfTheFullTableIsLoggedFirst) {
    receive(far_quake("20240401090001", 1));
    s.platform.advance(1);
    receive(far_quake("20240401090001", 1));
    for (int i = 2; i <= 5; ++i)
        receive(far_quake("2024040109000" + std::to_string(i), 2));
    EXPECT_FALSE(s.folder.exists("log/20240401.0900_1_M42"));

    receive(far_quake("20240401090006", 3));
    EXPECT_EQ(m().events.event_code[1], "20240401090006");
    const std::string log = s.folder.read("log/20240401.0900_1_M42");
    EXPECT_NE(log.find("2024/04/01 09:00:06\n\r\n"), std::string::npos);
    EXPECT_NE(log.find("2024/04/01 09:00:07\n\r\n\r\n"), std::string::npos);
    EXPECT_EQ(m().recent.total_event_number, 2);
    EXPECT_EQ(m().main_view.Text2.text, "2");
    EXPECT_EQ(s.folder.read("data/24hours.dat").substr(0, 3), "2\r\n");
}

}  // namespace
}  // namespace eew
