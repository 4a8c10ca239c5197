#include "quake/warning_rules.hpp"

#include <gtest/gtest.h>

#include "quake/estimates.hpp"
#include "quake/reference_sites.hpp"
#include "quake/travel_times.hpp"

namespace eew {
namespace {

std::string joined(const ReferenceBlock& b) {
    return b.name + "|" + b.distance + "|" + b.intensity + "|" + b.countdown;
}

TEST(IntensityClass, SharedBoundsGoToTheWeakerClass) {
    const struct {
        double displayed;
        const char* text;
        int sound;
        bool lpwave_line;
    } cases[] = {
        {0.0, "", 0, false},   {0.1, "1", 2, false},  {1.4, "1", 2, false},  {1.5, "2", 3, false},
        {2.4, "2", 3, false},  {2.5, "3", 4, true},   {4.4, "4", 5, true},   {4.5, "5弱", 6, true},
        {5.0, "5弱", 6, true}, {5.1, "5強", 7, true}, {5.5, "6弱", 8, true}, {6.0, "6弱", 8, true},
        {6.1, "6強", 9, true}, {6.5, "7", 10, true},  {7.4, "7", 10, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.displayed);
        const IntensityClass k = intensity_class(c.displayed);
        EXPECT_EQ(k.text, c.text);
        EXPECT_EQ(k.sound, c.sound);
        EXPECT_EQ(k.lpwave_line, c.lpwave_line);
    }
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
        {0.2, 1, "1",
         "あと\u3000"
         "1 秒でAに震度1の揺れが来ます。"},
        {0.1, 5, "1", std::nullopt},
        {0.0, 5, "", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.displayed);
        EXPECT_EQ(warning_sentence(c.displayed, c.countdown, "A", c.class_text), c.sentence);
    }
}

TEST(LongPeriodRule, FirstRuleWhoseMagnitudeAndReachHoldDecides) {
    const struct {
        double M, h, d, Mi;
        int flag;
    } cases[] = {
        {7.6, 40, 250, 0, 0},   {7.6, 40, 180, 0, 1},   {6.0, 10, 450, 6.6, 1},
        {8.5, 10, 60, 8.5, 0},  {8.0, 100, 300, 0, 1},  {8.0, 10, 301, 0, 0},
        {7.3, 26, 151, 0, 0},   {7.3, 25, 299, 0, 1},   {7.0, 21, 110, 0, 1},
        {6.5, 15, 150, 0, 1},   {6.5, 16, 150, 0, 0},   {6.5, 16, 110, 0, 1},
        {7.6, 40, 250, 6.6, 0},  // rule 2 decides before rule 6 could
        {6.0, 20, 111, 6.6, 0}, {6.0, 20, 110, 6.6, 1}, {6.4, 10, 100, 6.4, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.M << " " << c.h << " " << c.d << " " << c.Mi);
        EXPECT_EQ(long_period_rule(c.M, c.h, c.d, c.Mi), c.flag);
    }
}

TEST(LongPeriodSentence, SecondsLeftThenBuildingsKeepSwaying) {
    EXPECT_EQ(long_period_sentence(1, 25), "あと 25秒で長周期地震動による大きな揺れが来ます。");
    EXPECT_EQ(long_period_sentence(1, 0),
              "しばらくの間長周期地震動により建物が揺れ続けます。建物は安全です。");
    EXPECT_EQ(long_period_sentence(0, 25), std::nullopt);
}

TEST(ReferenceBlock, EmptyWithoutANearestSiteAndNoCountdownWithoutTravelTime) {
    ReferenceSites refs;
    Estimates e;
    TravelTimes times;
    times.travel_s_data_ref_flag = 1;
    EXPECT_EQ(joined(reference_block(refs, e, times)), "|||");

    refs.ref_number = 1;
    refs.sitename_ref[1] = "B";
    e.ref_site_i_min = 1;
    e.dist_ref_min = 87.9;
    e.intensity_ref = 3.96;
    times.countdown_ref = -3;
    EXPECT_EQ(joined(reference_block(refs, e, times)), "B|87|4.0|-3");
    times.travel_s_data_ref_flag = 0;
    EXPECT_EQ(joined(reference_block(refs, e, times)), "B|87|4.0|");
}

}  // namespace
}  // namespace eew
