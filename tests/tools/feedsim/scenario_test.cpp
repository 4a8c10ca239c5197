#include "scenario.hpp"

#include <gtest/gtest.h>

namespace eew::sim {
namespace {

constexpr std::string_view kQuake =
    "quake\n"
    "origin 5\n"
    "epicentre 140.1 35.6\n"
    "depth 40\n"
    "magnitude 7.2\n"
    "reports 12 1\n"
    "region chiba_northwest\n";

TEST(ScenarioFile, ReadsEveryKeywordWithCommentsBlankLinesAndCrLf) {
    const auto parsed = parse_scenario(
        "# two quakes\r\n"
        "\r\n"
        "quake   # the first\r\n"
        "  origin 5\r\n"
        "  epicentre\t142.0 38.3\r\n"
        "  depth 50.5\r\n"
        "  magnitude 6.8\r\n"
        "  reports 12 2\r\n"
        "  region off_miyagi\r\n"
        "  code A-1\r\n"
        "  mechanism 290 80 110.5 10 30 1\r\n"
        "  noise 8\r\n" +
        std::string(kQuake));  // the same origin is fine when a code tells them apart
    ASSERT_TRUE(std::holds_alternative<Scenario>(parsed));
    const std::vector<Quake>& q = std::get<Scenario>(parsed).quakes;
    ASSERT_EQ(q.size(), 2u);
    EXPECT_EQ(std::tuple(q[0].line, q[0].origin, q[0].longitude, q[0].latitude, q[0].depth,
                         q[0].magnitude, q[0].reports, q[0].interval, q[0].region, q[0].code),
              std::tuple(3, 5, 142.0, 38.3, 50.5, 6.8, 12, 2, "off_miyagi", "A-1"));
    const Mechanism m = q[0].mechanism.value_or(Mechanism{});
    EXPECT_EQ(std::tuple(m.azp, m.thp, m.azt, m.tht, m.nobs_pol, m.nmin_pol_err),
              std::tuple(290, 80, 110.5, 10, 30, 1));
    EXPECT_EQ(q[0].noise_delay, 8);
    EXPECT_EQ(std::tuple(q[1].line, q[1].code, q[1].mechanism, q[1].noise_delay),
              std::tuple(13, "", std::nullopt, std::nullopt));
}

TEST(ScenarioFile, EachErrorNamesItsLine) {
    const std::string q(kQuake);  // lines 1 to 7
    const std::tuple<std::string, int, std::string> cases[] = {
        {"# nothing\n\n", 0, "no quake"},
        {"depth 40\n" + q, 1, "before the first quake"},
        {q + "colour red\n", 8, "unknown keyword 'colour'"},
        {q + "quake 2\n", 8, "takes no values"},
        {q + "noise\n", 8, "noise takes DELAY, got 0"},
        {q + "depth 41\n", 8, "given twice (first on line 4)"},
        {"quake\norigin 0\nepicentre 140.1 x\n", 3, "'x' is not a number"},
        {"quake\norigin 1.5\n", 2, "'1.5' is not a whole number"},
        {"quake\norigin -1\n", 2, "outside 0 to 86400"},
        {"quake\ndepth 801\n", 2, "outside 0 to 800"},
        {"quake\nmagnitude 10.1\n", 2, "outside 0 to 10"},
        {"quake\nepicentre 140 91\n", 2, "outside -90 to 90"},
        {"quake\nreports 0 1\n", 2, "outside 1 to 99"},
        {"quake\nreports 5 0\n", 2, "outside 1 to 3600"},
        {"quake\nregion off<miyagi\n", 2, "only letters, digits"},
        {"quake\ncode Xsequence1\n", 2, "must not contain the word 'sequence'"},
        {"quake\nmechanism 0 0 0 0 10 11\n", 2, "'11' is outside 0 to 10"},
        {q + "quake\norigin 0\n", 8, "quake has no 'depth'"},
        {q + "code C\n" + q + "code C\n", 9, "same code as the quake on line 1"},
        {q + q, 8, "same origin, and so the same code"},
    };
    for (const auto& [text, line, says] : cases) {
        const auto result = parse_scenario(text);
        ASSERT_TRUE(std::holds_alternative<ScenarioError>(result)) << text;
        const ScenarioError& e = std::get<ScenarioError>(result);
        EXPECT_EQ(e.line, line) << text;
        EXPECT_NE(e.what.find(says), std::string::npos) << e.what << "\nfor:\n" << text;
    }
}

}  // namespace
}  // namespace eew::sim
