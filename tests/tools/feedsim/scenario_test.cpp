#include "scenario.hpp"

#include <gtest/gtest.h>

namespace eew::sim {
namespace {

Scenario parsed(std::string_view text) {
    auto result = parse_scenario(text);
    if (const auto* e = std::get_if<ScenarioError>(&result))
        ADD_FAILURE() << "line " << e->line << ": " << e->what;
    return std::holds_alternative<Scenario>(result) ? std::get<Scenario>(result) : Scenario{};
}

ScenarioError error_of(std::string_view text) {
    auto result = parse_scenario(text);
    if (std::holds_alternative<Scenario>(result)) {
        ADD_FAILURE() << "accepted:\n" << text;
        return {};
    }
    return std::get<ScenarioError>(result);
}

constexpr std::string_view kQuake =
    "quake\n"
    "origin 5\n"
    "epicentre 140.1 35.6\n"
    "depth 40\n"
    "magnitude 7.2\n"
    "reports 12 1\n"
    "region chiba_northwest\n";

TEST(ScenarioFile, ReadsEveryKeywordWithCommentsBlankLinesAndCrLf) {
    const Scenario s = parsed(
        "# two quakes\r\n"
        "\r\n"
        "quake   # the first\r\n"
        "  origin 0\r\n"
        "  epicentre\t142.0 38.3\r\n"
        "  depth 50.5\r\n"
        "  magnitude 6.8\r\n"
        "  reports 12 2\r\n"
        "  region off_miyagi\r\n"
        "  code A-1\r\n"
        "  mechanism 290 80 110.5 10 30 1\r\n"
        "  noise 8\r\n"
        "quake\r\n"
        "origin 5\r\n"
        "epicentre 141.2 36.4\r\n"
        "depth 40\r\n"
        "magnitude 5.5\r\n"
        "reports 6 1\r\n"
        "region off_ibaraki");
    ASSERT_EQ(s.quakes.size(), 2u);
    const Quake& a = s.quakes[0];
    EXPECT_EQ(a.line, 3);
    EXPECT_EQ(a.origin, 0);
    EXPECT_DOUBLE_EQ(a.longitude, 142.0);
    EXPECT_DOUBLE_EQ(a.latitude, 38.3);
    EXPECT_DOUBLE_EQ(a.depth, 50.5);
    EXPECT_DOUBLE_EQ(a.magnitude, 6.8);
    EXPECT_EQ(a.reports, 12);
    EXPECT_EQ(a.interval, 2);
    EXPECT_EQ(a.region, "off_miyagi");
    EXPECT_EQ(a.code, "A-1");
    ASSERT_TRUE(a.mechanism);
    EXPECT_DOUBLE_EQ(a.mechanism->azt, 110.5);
    EXPECT_EQ(a.mechanism->nobs_pol, 30);
    EXPECT_EQ(a.mechanism->nmin_pol_err, 1);
    EXPECT_EQ(a.noise_delay, 8);
    const Quake& b = s.quakes[1];
    EXPECT_EQ(b.line, 13);
    EXPECT_EQ(b.origin, 5);
    EXPECT_EQ(b.code, "");
    EXPECT_FALSE(b.mechanism);
    EXPECT_FALSE(b.noise_delay);
}

struct BadCase {
    std::string text;
    int line;
    std::string says;
};

TEST(ScenarioFile, EachErrorNamesItsLine) {
    const std::string q(kQuake);  // lines 1 to 7
    const BadCase cases[] = {
        {"", 0, "no quake"},
        {"# nothing\n\n", 0, "no quake"},
        {"depth 40\n" + q, 1, "before the first quake"},
        {q + "colour red\n", 8, "unknown keyword 'colour'"},
        {q + "quake 2\n", 8, "takes no values"},
        {q + "noise\n", 8, "noise takes DELAY, got 0"},
        {q + "mechanism 1 2 3 4 5\n", 8, "got 5"},
        {q + "depth 41\n", 8, "given twice (first on line 4)"},
        {"quake\norigin 0\nepicentre 140.1 x\n", 3, "'x' is not a number"},
        {"quake\norigin 1.5\n", 2, "'1.5' is not a whole number"},
        {"quake\norigin -1\n", 2, "outside 0 to 86400"},
        {"quake\ndepth 801\n", 2, "outside 0 to 800"},
        {"quake\nmagnitude 10.1\n", 2, "outside 0 to 10"},
        {"quake\nmagnitude nan\n", 2, "not a number"},
        {"quake\nepicentre 140 91\n", 2, "outside -90 to 90"},
        {"quake\nreports 0 1\n", 2, "outside 1 to 99"},
        {"quake\nreports 100 1\n", 2, "outside 1 to 99"},
        {"quake\nreports 5 0\n", 2, "outside 1 to 3600"},
        {"quake\nregion off<miyagi\n", 2, "only letters, digits"},
        {"quake\ncode ABC\"\n", 2, "only letters, digits"},
        {"quake\ncode Xsequence1\n", 2, "must not contain the word 'sequence'"},
        {"quake\ncode depth7\n", 2, "must not contain the word 'depth'"},
        {"quake\nmechanism 0 0 0 0 10 11\n", 2, "'11' is outside 0 to 10"},
        {"quake\nmechanism 361 0 0 0 10 1\n", 2, "outside 0 to 360"},
        {"\n\nquake\norigin 0\n", 3, "quake has no 'depth'"},
        {q + "quake\norigin 0\n", 8, "quake has no 'depth'"},
        {q + "code C\n" + q + "code C\n", 9, "same code as the quake on line 1"},
        {q + q, 8, "same origin, and so the same code"},
    };
    for (const BadCase& c : cases) {
        const ScenarioError e = error_of(c.text);
        EXPECT_EQ(e.line, c.line) << c.text;
        EXPECT_NE(e.what.find(c.says), std::string::npos) << e.what << "\nfor:\n" << c.text;
    }
}

TEST(ScenarioFile, SameOriginIsFineWhenCodesTellTheQuakesApart) {
    const std::string q(kQuake);
    EXPECT_EQ(parsed(q + "code A\n" + q).quakes.size(), 2u);
}

}  // namespace
}  // namespace eew::sim
