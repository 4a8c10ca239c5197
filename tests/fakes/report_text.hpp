#pragma once

#include <string>

namespace eew::test {

// The values of one EEW report, written as the feed writes it.
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
    std::string region = "chiba_nw";
    double nobs_pol = 20;
};

// One report document, on one line.
std::string report_xml(const ReportValues& values);

// The datagram a relay sends: a two-byte prefix, the text and one more byte.
std::string relay_datagram(const std::string& text);

}  // namespace eew::test
