#include "feedlib/report_text.hpp"

#include <cmath>
#include <cstdio>

#include "text/number_format.hpp"

namespace eew::feedlib {
namespace {

std::string element(const char* name, double value) {
    return std::string("<") + name + ">" + plain_decimal(value) + "</" + name + ">";
}

std::string element(const char* name, const std::string& content) {
    return std::string("<") + name + ">" + content + "</" + name + ">";
}

double tenths(double value) {
    return std::round(value * 10) / 10;
}

}  // namespace

std::string feed_date_time(const DateTime& t) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d,%02d,%02d,%02d,%02d,%02d", t.year(), t.month(),
                  t.day(), t.hour(), t.minute(), t.second());
    return buffer;
}

std::string report_text(const ReportValues& r) {
    const Mechanism& m = r.mechanism;
    return R"(<?xml version="1.0" encoding="UTF-8"?><eew_report>)"
           R"(<data code=")" +
           r.code + R"(" sequence=")" + std::to_string(r.sequence) + R"(">)" +
           R"(<origin_time accuracy="1">)" + r.origin_time + "</origin_time>" +
           element("send_time", r.send_time) + element("magnitude", r.magnitude) +
           element("mip", r.mip) + R"(<latitude unit="degree">)" + plain_decimal(r.latitude) +
           "</latitude>" + R"(<longitude unit="degree">)" + plain_decimal(r.longitude) +
           "</longitude>" + R"(<depth unit="km">)" + plain_decimal(r.depth) + "</depth>" +
           element("p_data", std::to_string(r.p_data)) + "<mechanism>" + element("azp", m.azp) +
           element("thp", m.thp) + element("azt", m.azt) + element("tht", m.tht) +
           element("nobs_pol", m.nobs_pol) + element("nmin_pol_err", m.nmin_pol_err) +
           "</mechanism>" + element("region", r.region) + r.extension + "</data></eew_report>";
}

ReportValues at_feed_precision(ReportValues r) {
    for (double* v : {&r.magnitude, &r.mip, &r.latitude, &r.longitude, &r.mechanism.azp,
                      &r.mechanism.thp, &r.mechanism.azt, &r.mechanism.tht})
        *v = tenths(*v);
    r.depth = std::round(r.depth);
    return r;
}

}  // namespace eew::feedlib
