#include "quake/warning_rules.hpp"

#include <gtest/gtest.h>

#include "quake/estimates.hpp"
#include "quake/reference_sites.hpp"
#include "quake/travel_times.hpp"

namespace eew {
namespace {

TEST(IntensityClass, SharedBoundsGoToTheWeakerClass) {
    const std::pair<double, std::string> cases[] = {
        {0.0, ""},    {0.1, "1"},   {1.4, "1"},   {1.5, "2"},   {2.4, "2"},
        {2.5, "3"},   {4.4, "4"},   {4.5, "5弱"}, {5.0, "5弱"}, {5.1, "5強"},
        {6.0, "6弱"}, {6.1, "6強"}, {6.5, "7"},   {7.4, "7"},
    };
    for (const auto& [displayed, text] : cases)
        EXPECT_EQ(intensity_class(displayed).text, text) << displayed;
    EXPECT_FALSE(intensity_class(2.4).lpwave_line);
    EXPECT_TRUE(intensity_class(2.5).lpwave_line);
}

TEST(WarningSentence, CountsDownThenReportsArrivalAndStaysSilentAtPointOne) {
    const struct {
        double displayed;
        long long countdown;
        const char* class_text;
        std::optional<std::string> sentence;
    } cases[] = {
        {5.1, 12, "5強",
         "あと\u3000"
         "12 秒でAに震度5強の強い揺れが来ます。"},
        {2.4, 3, "2",
         "あと\u3000"
         "3 秒でAに震度2の揺れが来ます。"},
        {2.0, 0, "2", "震度2の揺れが到達しました。"},
        {2.5, -4, "3", "震度3の強い揺れが到達しました。"},
        {0.1, 5, "1", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(warning_sentence(c.displayed, c.countdown, "A", c.class_text), c.sentence)
            << c.displayed;
    }
}

TEST(LongPeriodRule, FirstRuleWhoseMagnitudeAndReachHoldDecides) {
    const struct {
        double M, h, d, Mi;
        int flag;
    } cases[] = {
        {7.6, 40, 250, 0, 0},   {7.6, 40, 180, 0, 1}, {6.0, 10, 450, 6.6, 1},
        {8.5, 10, 60, 8.5, 0},  {8.0, 99, 300, 0, 1}, {8.0, 10, 301, 0, 0},
        {7.3, 26, 151, 0, 0},   {7.0, 21, 110, 0, 1}, {6.5, 15, 150, 0, 1},
        {6.5, 16, 150, 0, 0},   {6.5, 16, 110, 0, 1}, {6.0, 20, 111, 6.6, 0},
        {7.6, 40, 250, 6.6, 0},  // decided by the magnitude before Mi is looked at
    };
    for (const auto& c : cases) {
        EXPECT_EQ(long_period_rule(c.M, c.h, c.d, c.Mi), c.flag)
            << c.M << " " << c.h << " " << c.d << " " << c.Mi;
    }
}

TEST(LongPeriodSentence, SecondsLeftThenBuildingsKeepSwaying) {
    EXPECT_EQ(long_period_sentence(1, 25), "あと 25秒で長周期地震動による大きな揺れが来ます。");
    EXPECT_EQ(long_period_sentence(1, 0),
              "しばらくの間長周期地震動により建物が揺れ続けます。建物は安全です。");
    EXPECT_EQ(long_period_sentence(0, 25), std::nullopt);
}

TEST(ReferenceBlock, CountdownOnlyWithAValidTravelTime) {
    ReferenceSites refs;
    refs.ref_number = 1;
    refs.sitename_ref[1] = "B";
    Estimates e;
    e.ref_site_i_min = 1;
    e.dist_ref_min = 87.9;
    e.intensity_ref = 3.96;
    TravelTimes times;
    times.countdown_ref = -3;
    for (int flag : {1, 0}) {
        times.travel_s_data_ref_flag = flag;
        const ReferenceBlock b = reference_block(refs, e, times);
        EXPECT_EQ(b.name + "|" + b.distance + "|" + b.intensity + "|" + b.countdown,
                  flag ? "B|87|4.0|-3" : "B|87|4.0|");
    }
}

}  // namespace
}  // namespace eew
