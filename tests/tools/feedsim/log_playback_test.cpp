#include "log_playback.hpp"

#include <gtest/gtest.h>

#include "scenario_plan.hpp"

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

const std::vector<FeedMessage>& messages(
    const std::variant<std::vector<FeedMessage>, LogError>& v) {
    static const std::vector<FeedMessage> none;
    if (const auto* e = std::get_if<LogError>(&v))
        ADD_FAILURE() << "record " << e->record << ": " << e->what;
    return std::holds_alternative<LogError>(v) ? none : std::get<std::vector<FeedMessage>>(v);
}

TEST(LogFile, RecordLosesItsArrivalTimeButKeepsItsOwnLineFeeds) {
    const std::string a = report("2024,4,1,9,0,5");
    const std::string b =
        "<?xml version=\"1.0\"?>\n<r>\r\n<send_time>2024,4,1,9,0,6</send_time>\n</r>";
    const auto records = split_log_records(log_of({a, b}));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], a);
    EXPECT_EQ(records[1], b);
}

TEST(LogFile, RecordWithoutArrivalTimeOrFinalEmptyLineIsKept) {
    const std::string a = report("2024,4,1,9,0,5");
    EXPECT_EQ(split_log_records(a), std::vector<std::string>{a});
    EXPECT_EQ(split_log_records(a + "\n\r\n"), std::vector<std::string>{a});
    EXPECT_TRUE(split_log_records("\r\n").empty());
    EXPECT_TRUE(split_log_records("").empty());
}

TEST(LogFile, IsToldFromAScenarioByItsXmlDeclaration) {
    EXPECT_TRUE(is_log_text(log_of({report("2024,4,1,9,0,5")})));
    EXPECT_TRUE(is_log_text("\r\n  <?xml"));
    EXPECT_FALSE(is_log_text("# <?xml\nquake\n"));
    EXPECT_FALSE(is_log_text(""));
}

TEST(LogFile, ReportsArePacedBySendTimeDifferencesDividedByTheSpeed) {
    const std::string log =
        log_of({report("2024,4,1,9,0,58", "C", "1"), report("2024,4,1,9,1,1", "C", "2"),
                report("2024,4,1,9,1,8.7", "D", "1")});
    std::vector<FeedMessage> planned = messages(plan_log(log));
    ASSERT_EQ(planned.size(), 3u);
    EXPECT_EQ(planned[1].label, "C/2");
    EXPECT_EQ(planned[2].label, "D/1");
    apply_speed(planned, 2);
    EXPECT_DOUBLE_EQ(planned[0].offset, 0);
    EXPECT_DOUBLE_EQ(planned[1].offset, 1.5);
    EXPECT_DOUBLE_EQ(planned[2].offset, 5);
}

TEST(LogFile, ReportSentEarlierThanTheOneBeforeGoesRightAfterIt) {
    const auto planned = messages(plan_log(
        log_of({report("2024,4,1,9,0,0"), report("2024,4,1,9,0,9"), report("2024,4,1,9,0,4")})));
    ASSERT_EQ(planned.size(), 3u);
    EXPECT_DOUBLE_EQ(planned[2].offset, 9);
}

TEST(LogFile, RecordWithoutAValidSendTimeIsAnErrorNamingIt) {
    const auto missing = plan_log(log_of({report("2024,4,1,9,0,0"), "<?xml?><r>no time</r>"}));
    ASSERT_TRUE(std::holds_alternative<LogError>(missing));
    EXPECT_EQ(std::get<LogError>(missing).record, 2);
    const auto broken = plan_log(log_of({report("2024,4,1,9,0"), report("2024,4,1,9,0,0")}));
    ASSERT_TRUE(std::holds_alternative<LogError>(broken));
    EXPECT_EQ(std::get<LogError>(broken).record, 1);
    EXPECT_TRUE(std::holds_alternative<LogError>(plan_log("\r\n")));
}

TEST(LogFile, ReportMoreThanADayAfterTheFirstIsAnError) {
    EXPECT_TRUE(std::holds_alternative<std::vector<FeedMessage>>(
        plan_log(log_of({report("2024,4,1,9,0,0"), report("2024,4,2,9,0,0")}))));
    const auto far = plan_log(
        log_of({report("2024,4,1,9,0,0"), report("2024,4,1,9,0,1"), report("2024,4,2,9,0,1")}));
    ASSERT_TRUE(std::holds_alternative<LogError>(far));
    EXPECT_EQ(std::get<LogError>(far).record, 3);
}

TEST(LogFile, LoggedScenarioPlaysBackTheSameReportsAtTheSamePace) {
    Quake q;
    q.origin = 2;
    q.longitude = 142;
    q.latitude = 38.3;
    q.depth = 50;
    q.magnitude = 6.8;
    q.reports = 4;
    q.interval = 2;
    q.region = "off_miyagi";
    const auto sent = plan_scenario({{q}}, *DateTime::from_fields(2024, 4, 1, 23, 59, 50));
    std::vector<std::string> texts;
    for (const FeedMessage& m : sent)
        texts.push_back(m.text);
    const auto played = messages(plan_log(log_of(texts)));
    ASSERT_EQ(played.size(), sent.size());
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(played[i].text, sent[i].text);
        EXPECT_DOUBLE_EQ(played[i].offset, sent[i].offset - sent[0].offset);
        EXPECT_EQ(played[i].label, sent[i].label);
    }
}

}  // namespace
}  // namespace eew::sim
