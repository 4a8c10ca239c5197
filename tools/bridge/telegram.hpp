#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace eew::bridge {

// A date-time as the telegram writes it (yymmddhhmmss), in Japan Standard Time.
struct JstTime {
    int year = 0;  // four digits: 20yy
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    auto operator<=>(const JstTime&) const = default;
};

// A time of day (hhmmss), Japan Standard Time.
struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    auto operator<=>(const ClockTime&) const = default;
};

// The seismic intensity classes as the telegram writes them: 01 02 03 04 5- 5+ 6- 6+ 07.
enum class Intensity : std::uint8_t {
    one,
    two,
    three,
    four,
    five_lower,
    five_upper,
    six_lower,
    six_upper,
    seven
};

// Five one-character codes (RK, RT, RC), each a digit or unknown ('/').
using CodeDigits = std::array<std::optional<int>, 5>;

// One forecast area of the EBI block.
struct AreaForecast {
    int area = 0;
    std::optional<Intensity> upper;  // nothing for "//"
    std::optional<Intensity> lower;
    std::optional<ClockTime> s_arrival;  // nothing when none or already passed
    int warning = 0;                     // y1: 0 forecast, 1 warning
    int arrival = 0;                     // y2: 0 not yet, 1 arrived, 9 no prediction
    bool operator==(const AreaForecast&) const = default;
};

// Every field of one code-format telegram (all parts joined). A value the
// telegram marks unknown with '/' is nothing.
struct Telegram {
    int type = 0;    // 35 intensity only, 36/37 full, 39 cancellation
    int office = 0;  // 1 Sapporo ... 6 Okinawa
    int flag = 0;    // 0 normal, 1 training, 10 cancellation, 11 training cancellation,
                     // 20 reference, 30 distribution test
    JstTime issued;
    int parts = 1;
    JstTime origin;  // or the detection time of an assumed hypocentre
    std::string id;  // the 14 digits after ND
    int status = 0;  // 0 normal, 6/7 corrections, 8 final with correction, 9 final
    int number = 0;
    std::string public_id;      // the 14 characters after JD, as written
    std::string public_number;  // the 3 characters after JN, as written
    std::optional<int> region_code;
    std::optional<int> latitude_tenths;   // north positive
    std::optional<int> longitude_tenths;  // east positive
    std::optional<int> depth_km;
    std::optional<int> magnitude_tenths;
    std::optional<Intensity> max_intensity;
    // RK: epicentre class, depth class, magnitude method, stations for M, 9 = final quality
    CodeDigits accuracy;
    // RT: 0 land / 1 sea, 1 = includes a warning, 9 = assumed hypocentre, two more
    CodeDigits kind;
    // RC: intensity rose (1) / fell (2), what changed (1 M, 2 location, 3 both, 4 depth,
    // 9 propagation method), three more
    CodeDigits change;
    std::vector<AreaForecast> areas;
    bool operator==(const Telegram&) const = default;
};

}  // namespace eew::bridge
