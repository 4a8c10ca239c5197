#include "scenario_plan.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

#include "report_reader.hpp"
#include "text/date_time.hpp"

namespace eew::sim {
namespace {

using test::read_number;

const DateTime kStart = *DateTime::from_fields(2024, 4, 1, 9, 0, 0);

Quake quake(long long origin, double magnitude, int reports, std::string region) {
    Quake q;
    q.origin = origin;
    q.longitude = 140.1;
    q.latitude = 35.6;
    q.depth = 40;
    q.magnitude = magnitude;
    q.reports = reports;
    q.interval = 1;
    q.region = std::move(region);
    return q;
}

std::vector<FeedMessage> reports_only(std::vector<FeedMessage> messages) {
    std::erase_if(messages, [](const FeedMessage& m) { return m.kind != MessageKind::report; });
    return messages;
}

Scenario shipped(const std::string& name) {
    std::ifstream in(std::string(EEW_SCENARIO_DIR) + "/" + name);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    auto parsed = parse_scenario(text);
    if (const auto* e = std::get_if<ScenarioError>(&parsed))
        ADD_FAILURE() << name << ":" << e->line << ": " << e->what;
    return std::holds_alternative<Scenario>(parsed) ? std::get<Scenario>(parsed) : Scenario{};
}

TEST(ScenarioPlan, MagnitudeAndMipGrowMonotonicallyToTheFinalValue) {
    const auto reports = plan_scenario({{quake(0, 7.2, 12, "chiba_northwest")}}, kStart);
    ASSERT_EQ(reports.size(), 12u);
    double magnitude = 0, mip = 0;
    for (const FeedMessage& m : reports) {
        EXPECT_GE(read_number(m.text, "magnitude"), magnitude);
        EXPECT_GE(read_number(m.text, "mip"), mip);
        magnitude = read_number(m.text, "magnitude");
        mip = read_number(m.text, "mip");
    }
    EXPECT_LT(read_number(reports.front().text, "magnitude"), 6.0);
    EXPECT_DOUBLE_EQ(magnitude, 7.2);
    EXPECT_DOUBLE_EQ(mip, 7.2);
}

TEST(ScenarioPlan, StationCountsGrowAndTheLocationSettlesOnTheGivenOne) {
    Quake q = quake(0, 6.0, 8, "chiba_northwest");
    q.mechanism = Mechanism{300, 85, 120, 10, 24, 2};
    const auto reports = plan_scenario({{q}}, kStart);
    double p_data = -1, nobs = -1;
    bool wobbled = false;
    for (const FeedMessage& m : reports) {
        EXPECT_GT(read_number(m.text, "p_data"), p_data);
        EXPECT_GE(read_number(m.text, "nobs_pol"), nobs);
        p_data = read_number(m.text, "p_data");
        nobs = read_number(m.text, "nobs_pol");
        wobbled = wobbled || read_number(m.text, "latitude") != 35.6 ||
                  read_number(m.text, "longitude") != 140.1 || read_number(m.text, "depth") != 40;
    }
    EXPECT_TRUE(wobbled);
    const std::string& last = reports.back().text;
    EXPECT_DOUBLE_EQ(read_number(last, "latitude"), 35.6);
    EXPECT_DOUBLE_EQ(read_number(last, "longitude"), 140.1);
    EXPECT_DOUBLE_EQ(read_number(last, "depth"), 40);
    EXPECT_DOUBLE_EQ(read_number(last, "nobs_pol"), 24);
    EXPECT_DOUBLE_EQ(read_number(last, "nmin_pol_err"), 2);
    EXPECT_DOUBLE_EQ(read_number(last, "azp"), 300);
    EXPECT_DOUBLE_EQ(read_number(last, "tht"), 10);
}

TEST(ScenarioPlan, SequenceCountsUpAndSendTimesFollowTheOffsets) {
    Quake q = quake(7, 5.0, 5, "off_ibaraki");
    q.interval = 3;
    const auto reports = plan_scenario({{q}}, kStart);
    ASSERT_EQ(reports.size(), 5u);
    const long long first = 7 + first_report_delay(40);
    for (std::size_t k = 0; k < reports.size(); ++k) {
        const std::string& text = reports[k].text;
        EXPECT_EQ(test::read_sequence(text), std::to_string(k + 1));
        EXPECT_DOUBLE_EQ(reports[k].offset, static_cast<double>(first + 3 * k));
        const auto sent = DateTime::from_feed_text(*test::read_element(text, "send_time"));
        ASSERT_TRUE(sent);
        EXPECT_EQ(seconds_between(kStart, *sent), first + 3 * static_cast<long long>(k));
        EXPECT_EQ(reports[k].label, "20240401090007/" + std::to_string(k + 1));
    }
}

TEST(ScenarioPlan, OriginTimeIsTheStartPlusTheOffsetAndGivesTheDefaultCode) {
    Quake named = quake(3, 5.0, 1, "off_miyagi");
    named.code = "Q1";
    const auto reports = plan_scenario({{quake(65, 5.0, 1, "off_miyagi"), named}}, kStart);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(test::read_code(reports[0].text), "Q1");
    EXPECT_EQ(test::read_origin_time(reports[0].text), "2024,04,01,09,00,03.0");
    EXPECT_EQ(test::read_code(reports[1].text), "20240401090105");
    EXPECT_EQ(test::read_origin_time(reports[1].text), "2024,04,01,09,01,05.0");
}

TEST(ScenarioPlan, OverlappingQuakesInterleaveInSendOrder) {
    const auto messages =
        plan_scenario({{quake(0, 6.8, 12, "off_miyagi"), quake(5, 5.5, 6, "off_ibaraki")}}, kStart);
    ASSERT_EQ(messages.size(), 18u);
    std::string order;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        if (i > 0) {
            EXPECT_LE(messages[i - 1].offset, messages[i].offset);
        }
        order += test::read_code(messages[i].text) == "20240401090000" ? 'a' : 'b';
    }
    // First reports 8 s after each origin: at 8..19 and 13..18 s, file order on ties.
    EXPECT_EQ(order, "aaaaaababababababa");
}

TEST(ScenarioPlan, NoiseMessageFollowsTheLastReportByItsDelay) {
    Quake q = quake(0, 6.0, 3, "off_miyagi");
    q.noise_delay = 10;
    const auto messages = plan_scenario({{q}}, kStart);
    ASSERT_EQ(messages.size(), 4u);
    const FeedMessage& noise = messages.back();
    EXPECT_EQ(noise.kind, MessageKind::noise);
    EXPECT_DOUBLE_EQ(noise.offset, messages[2].offset + 10);
    EXPECT_NE(noise.text.substr(0, 10).find("noise"), std::string::npos);
    EXPECT_EQ(noise.text.substr(0, 10).find("xml"), std::string::npos);
}

TEST(ScenarioPlan, SameScenarioAndStartGiveTheSameReports) {
    const Scenario s{{quake(0, 7.0, 10, "chiba_northwest"), quake(2, 5.0, 4, "off_ibaraki")}};
    const auto a = plan_scenario(s, kStart);
    const auto b = plan_scenario(s, kStart);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(a[i].text, b[i].text);
}

// Every value the receiver reads is found by its marker, in a report on one line.
void expect_decodes(const std::string& report, const Quake& q) {
    SCOPED_TRACE(report);
    EXPECT_NE(report.substr(0, 10).find("xml"), std::string::npos);
    EXPECT_EQ(report.find_first_of("\r\n"), std::string::npos);
    EXPECT_TRUE(test::read_code(report));
    EXPECT_TRUE(test::read_sequence(report));
    EXPECT_TRUE(DateTime::from_feed_text(test::read_origin_time(report).value_or("")));
    EXPECT_TRUE(DateTime::from_feed_text(test::read_element(report, "send_time").value_or("")));
    for (const char* name :
         {"magnitude", "mip", "p_data", "azp", "thp", "azt", "tht", "nobs_pol", "nmin_pol_err"})
        EXPECT_TRUE(test::read_element(report, name)) << name;
    EXPECT_NEAR(read_number(report, "latitude"), q.latitude, 0.31);
    EXPECT_NEAR(read_number(report, "longitude"), q.longitude, 0.31);
    EXPECT_NEAR(read_number(report, "depth"), q.depth, 11 + 0.05 * q.depth);
    EXPECT_EQ(test::read_element(report, "region"), q.region);
}

TEST(ScenarioPlan, EveryReportOfTheShippedScenariosDecodes) {
    for (const char* name : {"chiba_northwest_m72.scenario", "torishima_deep.scenario",
                             "miyagi_ibaraki_overlap.scenario"}) {
        SCOPED_TRACE(name);
        const Scenario s = shipped(name);
        ASSERT_FALSE(s.quakes.empty());
        std::map<std::string, const Quake*> by_region;
        for (const Quake& q : s.quakes)
            by_region[q.region] = &q;
        for (const FeedMessage& m : reports_only(plan_scenario(s, kStart)))
            expect_decodes(m.text, *by_region.at(*test::read_element(m.text, "region")));
    }
}

}  // namespace
}  // namespace eew::sim
