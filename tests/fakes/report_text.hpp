#pragma once

#include <string>
#include <vector>

#include "text/number_format.hpp"

namespace eew::test {

// The values of one EEW report, written as the feed writes it.
struct ReportValues {
    std::string code = "20240401090000";
    int sequence = 1;
    std::string origin_time = "2024,4,1,9,0,0", send_time = "2024,4,1,9,0,5";
    double magnitude = 6.5, mip = 6.3, latitude = 35.7, longitude = 140.0, depth = 40;
    int p_data = 8;
    std::string region = "chiba_nw";
    double nobs_pol = 20;
};

// One report document, on one line.
inline std::string report_xml(const ReportValues& v) {
    auto num = [](double x) { return plain_decimal(x); };
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><eew><data code=\"" + v.code +
           "\" sequence=\"" + std::to_string(v.sequence) + "\"><origin_time accuracy=\"1\">" +
           v.origin_time + "</origin_time><send_time>" + v.send_time + "</send_time><magnitude>" +
           num(v.magnitude) + "</magnitude><mip>" + num(v.mip) + "</mip><latitude unit=\"deg\">" +
           num(v.latitude) + "</latitude><longitude unit=\"deg\">" + num(v.longitude) +
           "</longitude><depth unit=\"km\">" + num(v.depth) + "</depth><p_data>" +
           std::to_string(v.p_data) +
           "</p_data><azp>120</azp><thp>80</thp><azt>300</azt><tht>10</tht><nobs_pol>" +
           num(v.nobs_pol) + "</nobs_pol><nmin_pol_err>2</nmin_pol_err><region>" + v.region +
           "</region></data></eew>";
}

// A log as the program writes it: each report, its arrival time, LF CR LF;
// then CR LF.
inline std::string log_text(const std::vector<std::string>& reports) {
    std::string text;
    for (const std::string& r : reports)
        text += r + "2024/04/01 09:00:06\n\r\n";
    return text + "\r\n";
}

// The datagram a relay sends: a two-byte prefix, the text and one more byte.
inline std::string relay_datagram(const std::string& text) {
    return "\x01\x01" + text + "\n";
}

}  // namespace eew::test
