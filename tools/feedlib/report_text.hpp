#pragma once

#include <string>

#include "text/date_time.hpp"

namespace eew::feedlib {

// A focal mechanism: P and T axes as azimuth and angle from the downward
// vertical (degrees), the polarity observations behind it and their misfits.
// All zero when a report carries none.
struct Mechanism {
    double azp = 0;
    double thp = 0;
    double azt = 0;
    double tht = 0;
    double nobs_pol = 0;
    double nmin_pol_err = 0;
};

// The values one EEW report carries. The defaults are a typical report: M6.5
// under north-western Chiba, 40 km deep, with its mechanism; a writer of real
// reports sets every field, the mechanism too. Times are in the feed's form and
// written as they stand, so that a broken one can be sent.
struct ReportValues {
    std::string code = "20240401090000";
    int sequence = 1;
    std::string origin_time = "2024,4,1,9,0,0";
    std::string send_time = "2024,4,1,9,0,5";
    double magnitude = 6.5;
    double mip = 6.3;
    double latitude = 35.7;
    double longitude = 140.0;
    double depth = 40;
    int p_data = 8;
    Mechanism mechanism{120, 80, 300, 10, 20, 2};
    std::string region = "chiba_nw";
    // Written as it stands after every element the receiver reads (the
    // bridge's agency forecast); the receiver's decoder passes over it.
    std::string extension{};
};

// The feed's date-time form: year,month,day,hour,minute,second.
std::string feed_date_time(const DateTime& t);

// One report as a single-line XML document. Every element the receiver reads
// is present, so no value is inherited from an earlier report, and the words
// latitude, longitude and depth occur first in their own elements. Numbers are
// written exactly as given, in plain decimals.
std::string report_text(const ReportValues& r);

// The values as the relay's reports carry them: magnitudes, the epicentre and
// the mechanism's angles to one decimal, the depth in whole km.
ReportValues at_feed_precision(ReportValues r);

}  // namespace eew::feedlib
