#include "scenario_plan.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "feed/report_decoder.hpp"

namespace eew::sim {
namespace {

const DateTime kStart = *DateTime::from_fields(2024, 4, 1, 9, 0, 0);

Quake quake(long long origin, double magnitude, int reports) {
    Quake q;
    q.origin = origin;
    q.longitude = 140.1;
    q.latitude = 35.6;
    q.depth = 40;
    q.magnitude = magnitude;
    q.reports = reports;
    q.interval = 1;
    q.region = "off_miyagi";
    return q;
}

// The report as the receiver decodes it; a number it does not find stays NaN.
CurrentReport received(const FeedMessage& m) {
    CurrentReport r;
    for (double* x : {&r.magnitude00, &r.latitude00, &r.longitude00, &r.depth00, &r.pdata00,
                      &r.azp00, &r.thp00, &r.azt00, &r.tht00, &r.nobs_pol00, &r.n_pol_err00})
        *x = std::nan("");
    EXPECT_TRUE(parse_report(m.text, r)) << m.text;
    return r;
}

TEST(ScenarioPlan, ReportsGrowToTheFinalValuesAndSettleOnTheEpicentre) {
    Quake q = quake(0, 7.2, 12);
    q.mechanism = Mechanism{300, 85, 120, 10, 24, 2};
    std::vector<CurrentReport> r;
    for (const FeedMessage& m : plan_scenario({{q}}, kStart))
        r.push_back(received(m));
    ASSERT_EQ(r.size(), 12u);
    for (std::size_t k = 1; k < r.size(); ++k) {
        EXPECT_GE(r[k].magnitude00, r[k - 1].magnitude00);
        EXPECT_GE(r[k].mip00, r[k - 1].mip00);
        EXPECT_GT(r[k].pdata00, r[k - 1].pdata00);
        EXPECT_GE(r[k].nobs_pol00, r[k - 1].nobs_pol00);
    }
    EXPECT_LT(r[0].magnitude00, 6.0);
    const CurrentReport& last = r.back();
    EXPECT_EQ(
        std::tuple(last.magnitude00, last.mip00, last.latitude00, last.longitude00, last.depth00),
        std::tuple(7.2, 7.2, 35.6, 140.1, 40));
    EXPECT_EQ(std::tuple(last.azp00, last.thp00, last.azt00, last.tht00, last.nobs_pol00,
                         last.n_pol_err00),
              std::tuple(300, 85, 120, 10, 24, 2));
}

TEST(ScenarioPlan, SequenceCountsUpSendTimesFollowTheOffsetsAndNoiseComesLast) {
    Quake q = quake(7, 5.0, 5);
    q.interval = 3;
    q.noise_delay = 10;
    const auto messages = plan_scenario({{q}}, kStart);
    ASSERT_EQ(messages.size(), 6u);
    const long long first = 7 + 3 + 5;  // detection, and 40 km at 8 km/s
    for (int k = 0; k < 5; ++k) {
        const CurrentReport r = received(messages[k]);
        const long long offset = first + 3 * k;
        EXPECT_EQ(
            std::tuple(messages[k].offset, messages[k].label, r.code00, r.sequence00,
                       r.origintime00, r.sendtime00),
            std::tuple(offset, r.code00 + "/" + r.sequence00, "20240401090007",
                       std::to_string(k + 1), kStart.plus_seconds(7), kStart.plus_seconds(offset)));
    }
    const FeedMessage& noise = messages.back();
    EXPECT_EQ(std::tuple(noise.kind, noise.offset), std::tuple(MessageKind::noise, first + 22));
    EXPECT_LT(noise.text.find("noise"), 6u);  // the receiver looks in the first ten characters
}

TEST(ScenarioPlan, OverlappingQuakesInterleaveInSendOrder) {
    Quake b = quake(5, 5.5, 6);
    b.code = "Q1";
    std::string order;
    for (const FeedMessage& m : plan_scenario({{quake(0, 6.8, 12), b}}, kStart)) {
        const std::string code = received(m).code00;
        order += code == "20240401090000" ? 'a' : code == "Q1" ? 'b' : '?';
    }
    // First reports 8 s after each origin: at 8..19 and 13..18 s, file order on ties.
    EXPECT_EQ(order, "aaaaaababababababa");
}

}  // namespace
}  // namespace eew::sim
