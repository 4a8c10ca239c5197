#pragma once

#include <string>

#include "feedlib/report_text.hpp"
#include "text/date_time.hpp"

namespace eew::bench {

// A shallow M6.1 under north-western Chiba with its focal mechanism, close
// enough to the shipped sites to be followed: report `sequence` of one event
// whose origin was five seconds before `now`.
feedlib::ReportValues bench_report(const DateTime& now, int sequence);

// The same report as the relay's datagram.
std::string report_datagram(const DateTime& now, int sequence);

// The data folder the build staged next to this executable (target stage_data).
std::string staged_data_folder();

}  // namespace eew::bench
