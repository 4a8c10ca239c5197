#pragma once

#include <string>

#include "scenario.hpp"
#include "text/date_time.hpp"

namespace eew::sim {

// The values one EEW report carries.
struct ReportValues {
    std::string code;
    int sequence = 0;
    DateTime origin_time;
    DateTime send_time;
    double magnitude = 0;
    double mip = 0;
    double latitude = 0;
    double longitude = 0;
    double depth = 0;
    int p_data = 0;
    Mechanism mechanism;  // all zero when the report has none
    std::string region;
};

// The feed's date-time form: year,month,day,hour,minute,second.
std::string feed_date_time(const DateTime& t);

// One report as a single-line XML document. Every element the receiver reads
// is present, so no value is inherited from an earlier report, and the words
// latitude, longitude and depth occur first in their own elements. Magnitudes
// and the epicentre are written to one decimal, the depth in whole km.
std::string report_text(const ReportValues& r);

}  // namespace eew::sim
