#include "quake/warning_rules.hpp"

#include <array>
#include <cmath>

#include "quake/estimates.hpp"
#include "quake/reference_sites.hpp"
#include "quake/travel_times.hpp"
#include "text/number_format.hpp"
#include "text/numeric_value.hpp"

namespace eew {
namespace {

// A displayed intensity has one decimal; comparing whole tenths keeps the
// inclusive bounds exact.
long long tenths(double displayed) {
    return std::llround(displayed * 10);
}

struct ClassRow {
    long long from;  // tenths, inclusive
    long long to;    // tenths, inclusive
    const char* text;
    int sound;
    bool lpwave_line;
};

constexpr std::array<ClassRow, 9> kClasses{{
    {1, 14, "1", 2, false},
    {15, 24, "2", 3, false},
    {25, 34, "3", 4, true},
    {35, 44, "4", 5, true},
    {45, 50, "5弱", 6, true},
    {50, 54, "5強", 7, true},
    {55, 60, "6弱", 8, true},
    {60, 64, "6強", 9, true},
    {65, 9999, "7", 10, true},
}};

}  // namespace

IntensityClass intensity_class(double displayed) {
    const long long t = tenths(displayed);
    for (const ClassRow& row : kClasses) {
        if (t >= row.from && t <= row.to) return {row.text, row.sound, row.lpwave_line};
    }
    return {};
}

std::optional<std::string> warning_sentence(double displayed, long long countdown,
                                            const std::string& site,
                                            const std::string& class_text) {
    const long long t = tenths(displayed);
    if (t <= 1) return std::nullopt;
    const char* shaking = t > 24 ? "の強い揺れ" : "の揺れ";
    if (countdown > 0) {
        return "あと\u3000" + std::to_string(countdown) + " 秒で" + site + "に震度" + class_text +
               shaking + "が来ます。";
    }
    return "震度" + class_text + shaking + "が到達しました。";
}

int long_period_rule(double M, double h, double d, double Mi) {
    const bool within_300 = d > 60 && d <= 300;
    bool announce = false;
    if (within_300 && M >= 8.0) {
        announce = true;
    } else if (within_300 && M >= 7.5) {
        announce = h <= 30 || d <= 200;
    } else if (within_300 && M >= 7.3) {
        announce = h <= 25 || d <= 150;
    } else if (within_300 && M >= 7.0) {
        announce = h <= 20 || d <= 110;
    } else if (within_300 && M >= 6.5) {
        announce = (h <= 15 && d <= 150) || (h > 15 && d <= 110);
    } else if (d > 60 && d <= 500 && Mi >= 6.5) {
        announce = h <= 15 || (h > 15 && d <= 110);
    }
    return announce ? 1 : 0;
}

std::optional<std::string> long_period_sentence(int longEVstop, long long lpwave_countdown) {
    if (longEVstop != 1) return std::nullopt;
    if (lpwave_countdown > 0) {
        return "あと " + std::to_string(lpwave_countdown) +
               "秒で長周期地震動による大きな揺れが来ます。";
    }
    return "しばらくの間長周期地震動により建物が揺れ続けます。建物は安全です。";
}

std::string headline(const std::string& magnitude_text, const std::string& region_text) {
    return "マグニチュード" + magnitude_text + "の地震が『" + region_text + "』で発生しました。";
}

ReferenceBlock reference_block(const ReferenceSites& refs, const Estimates& e,
                               const TravelTimes& times) {
    const int near = e.ref_site_i_min;
    if (near < 1 || near > refs.ref_number) return {};
    ReferenceBlock b;
    b.name = refs.sitename_ref[near];
    b.distance = std::to_string(integer_part(e.dist_ref_min));
    b.intensity = one_decimal(e.intensity_ref);
    if (times.travel_s_data_ref_flag == 1) b.countdown = std::to_string(times.countdown_ref);
    return b;
}

}  // namespace eew
