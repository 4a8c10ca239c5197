#include "fakes/report_text.hpp"

#include "text/number_format.hpp"

namespace eew::test {

std::string report_xml(const ReportValues& v) {
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

std::string relay_datagram(const std::string& text) {
    return "\x01\x01" + text + "\n";
}

}  // namespace eew::test
