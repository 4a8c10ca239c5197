// The feed simulator: its command line, scenario files, the reports it plans
// and the logs it plays back.

#include <gtest/gtest.h>

#include "fakes/log_text.hpp"
#include "feed/report_decoder.hpp"
#include "feedlib/feed_framing.hpp"
#include "feedlib/report_text.hpp"
#include "feedsim/command_line.hpp"
#include "feedsim/log_playback.hpp"
#include "feedsim/scenario.hpp"
#include "feedsim/scenario_plan.hpp"

namespace eew::sim {
namespace {

using feedlib::Framing, feedlib::make_datagram, feedlib::Mechanism, feedlib::shortest_accepted_text;

TEST(CommandLine, ReadsFileAndRawFormsAndNamesAMistake) {
    const auto file = std::get<Options>(
        parse_command_line({"--lan", "--speed", "2.5", "--port", "52101", "a.scenario"}));
    EXPECT_EQ(std::tuple(file.port, file.framing, file.speed, file.file, file.raw),
              std::tuple(52101, Framing::lan, 2.5, "a.scenario", std::nullopt));
    const auto raw = std::get<Options>(parse_command_line({"--port", "65535", "--raw", "a b"}));
    EXPECT_EQ(std::tuple(raw.port, raw.framing, raw.file, raw.raw),
              std::tuple(65535, Framing::relay, "", "a b"));
    for (std::string_view port : {"0", "65536"})
        EXPECT_EQ(std::get<std::string>(parse_command_line({"--port", port, "f"})),
                  "bad port '" + std::string(port) + "' (1 to 65535)");
}

TEST(Framing, DatagramIsTheRelayPrefixTheWholeTextAndALineFeed) {
    const std::string text("<?xml\0\x80\xff\r\n>", 10);
    EXPECT_EQ(make_datagram(text, Framing::relay), "  " + text + "\n");
    EXPECT_EQ(make_datagram(text, Framing::lan), text + "\n");
    for (Framing f : {Framing::relay, Framing::lan})
        EXPECT_EQ(make_datagram(std::string(shortest_accepted_text(f), 'x'), f).size(), 13u);
}

constexpr std::string_view kQuake =
    "quake\norigin 5\nepicentre 140.1 35.6\ndepth 40\nmagnitude 7.2\nreports 12 1\nregion r\n";

TEST(ScenarioFile, EachErrorNamesItsLine) {
    const std::string q(kQuake);  // lines 1 to 7
    // clang-format off
    const std::tuple<std::string, int, std::string> cases[] = {
        {q + "colour red\n", 8, "unknown keyword 'colour'"},
        {q + "depth 41\n", 8, "given twice (first on line 4)"},
        {"quake\nmagnitude 10.1\n", 2, "outside 0 to 10"},
        {q + "quake\norigin 0\n", 8, "quake has no 'depth'"},
        {q + q, 8, "same origin, and so the same code"},
    };
    // clang-format on
    for (const auto& [text, line, says] : cases) {
        const auto result = parse_scenario(text);
        ASSERT_TRUE(std::holds_alternative<ScenarioError>(result)) << text;
        const ScenarioError& e = std::get<ScenarioError>(result);
        EXPECT_TRUE(e.line == line && e.what.find(says) != std::string::npos) << e.line << e.what;
    }
}

const DateTime kStart = *DateTime::from_fields(2024, 4, 1, 9, 0, 0);

// The report as the receiver decodes it.
CurrentReport received(const FeedMessage& m) {
    CurrentReport r;
    EXPECT_TRUE(parse_report(m.text, r)) << m.text;
    return r;
}

TEST(ScenarioPlan, ReportsCountUpToTheFinalValuesAndNoiseComesLast) {
    const Quake q{0, 7, 140.1, 35.6, 40, 7.2, 5, 3, "r", "", Mechanism{300, 85, 120, 10, 24, 2},
                  10};
    const auto messages = plan_scenario({{q}}, kStart);
    ASSERT_EQ(messages.size(), 6u);
    const long long first = 7 + 3 + 5;  // detection, and 40 km at 8 km/s
    for (int k = 0; k < 5; ++k) {
        const CurrentReport r = received(messages[k]);
        const long long offset = first + 3 * k;
        EXPECT_EQ(std::tuple(messages[k].offset, messages[k].label, r.origintime00, r.sendtime00),
                  std::tuple(offset, "20240401090007/" + std::to_string(k + 1),
                             kStart.plus_seconds(7), kStart.plus_seconds(offset)));
    }
    const CurrentReport last = received(messages[4]);
    EXPECT_EQ(std::tuple(last.magnitude00, last.mip00, last.latitude00, last.longitude00,
                         last.depth00, last.azp00, last.thp00, last.azt00, last.tht00,
                         last.nobs_pol00, last.n_pol_err00),
              std::tuple(7.2, 7.2, 35.6, 140.1, 40, 300, 85, 120, 10, 24, 2));
    EXPECT_EQ(std::tuple(messages[5].kind, messages[5].offset),
              std::tuple(MessageKind::noise, first + 22));
}

// A report of `code` sent at `send_time`.
std::string report(const std::string& send_time, const std::string& code = "C", int sequence = 1) {
    return feedlib::report_text({.code = code, .sequence = sequence, .send_time = send_time});
}

// A report sent earlier than the one before it goes right after it; a record
// without a usable send time is an error naming it.
TEST(LogFile, ReportsArePacedBySendTimeDifferencesDividedByTheSpeed) {
    auto planned = std::get<std::vector<FeedMessage>>(plan_log(
        test::log_text({report("2024,4,1,9,0,58"), report("2024,4,1,9,1,1", "C", 2),
                        report("2024,4,1,9,0,59", "D"), report("2024,4,1,9,1,8.7", "D", 2)})));
    apply_speed(planned, 2);
    std::vector<std::pair<double, std::string>> got;
    for (const FeedMessage& m : planned)
        got.emplace_back(m.offset, m.label);
    EXPECT_EQ(got, (std::vector<std::pair<double, std::string>>{
                       {0, "C/1"}, {1.5, "C/2"}, {1.5, "D/1"}, {5, "D/2"}}));
    const auto refused =
        plan_log(test::log_text({report("2024,4,1,9,0,0"), report("2024,4,1,9,0")}));
    ASSERT_TRUE(std::holds_alternative<LogError>(refused));
    EXPECT_EQ(std::get<LogError>(refused).record, 2);
}

}  // namespace
}  // namespace eew::sim
