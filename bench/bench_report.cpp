#include "bench/bench_report.hpp"

#include <filesystem>

#include "feedlib/feed_framing.hpp"

namespace eew::bench {

feedlib::ReportValues bench_report(const DateTime& now, int sequence) {
    feedlib::ReportValues r;
    r.code = "20240401085955";
    r.sequence = sequence;
    r.origin_time = feedlib::feed_date_time(now.plus_seconds(-5));
    r.send_time = feedlib::feed_date_time(now);
    r.magnitude = 6.1;
    r.mip = 6.1;
    r.latitude = 35.6;
    r.longitude = 140.1;
    r.depth = 40;
    r.p_data = 5;
    r.mechanism = {300, 85, 120, 10, 24, 2};
    r.region = "千葉県北西部";
    return r;
}

std::string report_datagram(const DateTime& now, int sequence) {
    return feedlib::make_datagram(feedlib::report_text(bench_report(now, sequence)),
                                  feedlib::Framing::relay);
}

std::string staged_data_folder() {
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "data").string();
}

}  // namespace eew::bench
