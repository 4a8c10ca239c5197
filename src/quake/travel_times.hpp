#pragma once

namespace eew {

class DateTime;
class TravelTable;
struct Estimates;
struct FollowedEvent;

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

// The S-wave travel time to the site (`dist`, `depth_div` of the followed
// event) from the S table: the
// first whole second at which the front has reached the site, 5.0 km/s beyond
// the 300-second distance. A source 400 km deep or deeper (depth_div 81 and
// more) clears travel_s_data_flag and keeps the previous traveltime; a depth
// index below 1 (a negative depth) counts as 1. Also sets lpwave_travel_time
// from `lpwave_velocity` (km/s), 0 when that speed is not positive.
void s_travel_time(const TravelTable& table_s, const FollowedEvent& followed,
                   double lpwave_velocity, TravelTimes& times);

// The same for the nearest reference site (estimates.dist_ref_min), writing
// traveltime_ref and travel_s_data_ref_flag. Without a nearest reference site
// (ref_site_i_min 0) there is nothing to time: the flag is cleared.
void s_travel_time_ref(const TravelTable& table_s, const FollowedEvent& followed,
                       const Estimates& estimates, TravelTimes& times);

// Sets lapse to the whole seconds from the followed event's `origintime` to
// `now` (negative when the origin lies ahead of `now`) and the three countdowns
// from it. Differences beyond the range of long long saturate.
void update_elapsed_times(const DateTime& origintime, const DateTime& now, TravelTimes& times);

enum class Wave { s, p };

// The radius in km of a wave front `seconds` after the origin: the table entry
// up to 300 s, then a constant 5.0 km/s (S) or 8.0 km/s (P) beyond it. A depth
// index below 1 counts as 1; negative seconds give 0.
double wave_front_distance(const TravelTable& table, Wave wave, int depth_div, long long seconds);

}  // namespace eew
