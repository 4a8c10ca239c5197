#include "log_playback.hpp"

#include <gtest/gtest.h>

namespace eew::sim {
namespace {

std::string report(const std::string& send_time, const std::string& code = "C",
                   const std::string& sequence = "1") {
    return R"(<?xml version="1.0"?><r><data code=")" + code + R"(" sequence=")" + sequence +
           R"("><send_time>)" + send_time + "</send_time></data></r>";
}

// As the receiver writes a log: each report, its arrival time, LF CR LF; then CR LF.
std::string log_of(const std::vector<std::string>& reports) {
    std::string log;
    for (const std::string& r : reports)
        log += r + "2024/04/01 09:00:10\n\r\n";
    return log + "\r\n";
}

TEST(LogFile, RecordLosesItsArrivalTimeButKeepsItsOwnLineFeeds) {
    const std::string a = report("2024,4,1,9,0,5");
    const std::string b = "<?xml version=\"1.0\"?>\n<r>\r\n</r>";
    EXPECT_EQ(split_log_records(log_of({a, b})), (std::vector<std::string>{a, b}));
    EXPECT_EQ(split_log_records(a), std::vector<std::string>{a});
    EXPECT_TRUE(split_log_records("\r\n").empty());
}

TEST(LogFile, IsToldFromAScenarioByItsXmlDeclaration) {
    EXPECT_TRUE(is_log_text("\r\n  <?xml"));
    EXPECT_FALSE(is_log_text("# <?xml\nquake\n"));
}

TEST(LogFile, ReportsArePacedBySendTimeDifferencesDividedByTheSpeed) {
    auto planned = std::get<std::vector<FeedMessage>>(plan_log(
        log_of({report("2024,4,1,9,0,58", "C", "1"), report("2024,4,1,9,1,1", "C", "2"),
                report("2024,4,1,9,0,59", "D", "1"), report("2024,4,1,9,1,8.7", "D", "2")})));
    apply_speed(planned, 2);
    std::vector<std::pair<double, std::string>> got;
    for (const FeedMessage& m : planned)
        got.emplace_back(m.offset, m.label);
    // A report sent earlier than the one before it goes right after it.
    EXPECT_EQ(got, (std::vector<std::pair<double, std::string>>{
                       {0, "C/1"}, {1.5, "C/2"}, {1.5, "D/1"}, {5, "D/2"}}));
}

TEST(LogFile, RecordWithoutAUsableSendTimeIsAnErrorNamingIt) {
    const std::pair<std::string, int> cases[] = {
        {log_of({report("2024,4,1,9,0,0"), "<?xml?><r>no time</r>"}), 2},
        {log_of({report("2024,4,1,9,0"), report("2024,4,1,9,0,0")}), 1},
        // A day after the first report is the latest.
        {log_of({report("2024,4,1,9,0,0"), report("2024,4,2,9,0,0"), report("2024,4,2,9,0,1")}), 3},
        {"\r\n", 0},
    };
    for (const auto& [log, record] : cases) {
        const auto planned = plan_log(log);
        ASSERT_TRUE(std::holds_alternative<LogError>(planned)) << log;
        EXPECT_EQ(std::get<LogError>(planned).record, record) << log;
    }
}

}  // namespace
}  // namespace eew::sim
