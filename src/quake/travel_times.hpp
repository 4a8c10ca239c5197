#pragma once

namespace eew {

// S-wave travel times and countdowns of the followed event, in whole seconds.
struct TravelTimes {
    long long traveltime = 0;
    long long traveltime_ref = 0;
    int travel_s_data_flag = 0;
    int travel_s_data_ref_flag = 0;
    long long lapse = 0;
    long long countdown = 0;
    long long countdown_ref = 0;
    long long lpwave_travel_time = 0;
    long long lpwave_countdown = 0;
};

}  // namespace eew
