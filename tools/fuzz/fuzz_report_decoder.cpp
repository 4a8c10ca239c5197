// Any bytes as an EEW report: decoded values are slices of the text or their
// old values, numbers are finite, magnitudes at most 10, and the replay's
// quick look at the send time agrees with the full decoder.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "feed/report_decoder.hpp"
#include "fuzz_check.hpp"

using eew::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    eew::CurrentReport r;
    r.code00 = r.sequence00 = "\x01old";
    eew::parse_report(text, r);
    for (const std::string& s : {r.code00, r.sequence00, r.region_name00})
        check(s == "\x01old" || text.find(s) != text.npos, "a text value is a slice of the report");
    for (double x : {r.magnitude00, r.mip00, r.latitude00, r.longitude00, r.depth00, r.pdata00,
                     r.azp00, r.thp00, r.azt00, r.tht00, r.nobs_pol00, r.n_pol_err00})
        check(std::isfinite(x), "numbers are finite");
    check(r.magnitude00 <= 10 && r.mip00 <= 10, "magnitude and mip are at most 10");
    eew::DateTime send;
    eew::extract_send_time(text, send);
    check(send.text() == r.sendtime00.text(), "both readers of the send time agree");
    return 0;
}
