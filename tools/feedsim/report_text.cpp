#include "report_text.hpp"

#include <cstdio>

namespace eew::sim {
namespace {

std::string fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string element(const char* name, const std::string& content) {
    return std::string("<") + name + ">" + content + "</" + name + ">";
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
           R"(<origin_time accuracy="1">)" + feed_date_time(r.origin_time) + ".0</origin_time>" +
           element("send_time", feed_date_time(r.send_time)) +
           element("magnitude", fixed(r.magnitude, 1)) + element("mip", fixed(r.mip, 1)) +
           R"(<latitude unit="degree">)" + fixed(r.latitude, 1) + "</latitude>" +
           R"(<longitude unit="degree">)" + fixed(r.longitude, 1) + "</longitude>" +
           R"(<depth unit="km">)" + fixed(r.depth, 0) + "</depth>" +
           element("p_data", std::to_string(r.p_data)) + "<mechanism>" +
           element("azp", fixed(m.azp, 1)) + element("thp", fixed(m.thp, 1)) +
           element("azt", fixed(m.azt, 1)) + element("tht", fixed(m.tht, 1)) +
           element("nobs_pol", std::to_string(m.nobs_pol)) +
           element("nmin_pol_err", std::to_string(m.nmin_pol_err)) + "</mechanism>" +
           element("region", r.region) + "</data></eew_report>";
}

}  // namespace eew::sim
