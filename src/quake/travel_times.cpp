#include "quake/travel_times.hpp"

#include <algorithm>
#include <limits>

#include "quake/estimates.hpp"
#include "quake/report_fields.hpp"
#include "quake/travel_table.hpp"
#include "text/date_time.hpp"
#include "text/numeric_value.hpp"

namespace eew {
namespace {

constexpr int kDeepestRow = 81;
constexpr int kLastSecond = TravelTable::kSeconds;

// A negative depth has no row of its own; the shallowest row is the nearest.
int table_row(int depth_div) {
    return std::max(depth_div, 1);
}

void s_wave_time(const TravelTable& table, int depth_div, double dist, long long& traveltime,
                 int& data_flag) {
    if (depth_div >= kDeepestRow) {
        data_flag = 0;
        return;
    }
    const int row = table_row(depth_div);
    const double reach = table.at(row, kLastSecond);
    if (dist > reach) {
        const long long beyond = integer_part((dist - reach) / 5.0);
        traveltime =
            kLastSecond + std::min(beyond, std::numeric_limits<long long>::max() - kLastSecond);
    } else {
        int t = 1;
        while (t < kLastSecond && table.at(row, t) < dist)
            ++t;
        traveltime = t;
    }
    data_flag = 1;
}

long long seconds_left(long long travel, long long lapse) {
    constexpr long long lo = std::numeric_limits<long long>::min();
    constexpr long long hi = std::numeric_limits<long long>::max();
    if (lapse < 0 && travel > hi + lapse) return hi;
    if (lapse > 0 && travel < lo + lapse) return lo;
    return travel - lapse;
}

}  // namespace

void s_travel_time(const TravelTable& table_s, const FollowedEvent& f, double lpwave_velocity,
                   TravelTimes& tt) {
    s_wave_time(table_s, f.depth_div, f.dist, tt.traveltime, tt.travel_s_data_flag);
    const double v = lpwave_velocity;
    tt.lpwave_travel_time = v > 0 ? integer_part(f.dist / v) : 0;
}

void s_travel_time_ref(const TravelTable& table_s, const FollowedEvent& f, const Estimates& e,
                       TravelTimes& tt) {
    if (e.ref_site_i_min == 0) {
        tt.travel_s_data_ref_flag = 0;
        return;
    }
    s_wave_time(table_s, f.depth_div, e.dist_ref_min, tt.traveltime_ref, tt.travel_s_data_ref_flag);
}

void update_elapsed_times(const DateTime& origintime, const DateTime& now, TravelTimes& tt) {
    tt.lapse = seconds_between(origintime, now);
    tt.countdown = seconds_left(tt.traveltime, tt.lapse);
    tt.countdown_ref = seconds_left(tt.traveltime_ref, tt.lapse);
    tt.lpwave_countdown = seconds_left(tt.lpwave_travel_time, tt.lapse);
}

double wave_front_distance(const TravelTable& table, Wave wave, int depth_div, long long seconds) {
    if (seconds < 0) return 0;
    const int row = table_row(depth_div);
    if (seconds <= kLastSecond) return table.at(row, static_cast<int>(seconds));
    const double v = wave == Wave::s ? 5.0 : 8.0;
    return table.at(row, kLastSecond) + v * static_cast<double>(seconds - kLastSecond);
}

}  // namespace eew
