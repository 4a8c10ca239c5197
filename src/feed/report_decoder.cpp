#include "feed/report_decoder.hpp"

#include <optional>
#include <string>

#include "text/numeric_value.hpp"

namespace eew {
namespace {

// A 0-based index into the report; wide and signed, because the arithmetic below
// adds and subtracts marker lengths before anything is checked.
using Pos = long long;

Pos length_of(std::string_view s) {
    return static_cast<Pos>(s.size());
}

// The first `marker` at or after `from`, or -1 when there is none. Callers add
// offsets to the result unchecked, so a missing marker makes the following search
// start at a fixed place near the top of the text, and whatever lies between
// there and the end marker is taken as the value.
Pos find_from(std::string_view text, std::string_view marker, Pos from) {
    const std::size_t at = text.find(marker, static_cast<std::size_t>(from));
    return at == std::string_view::npos ? -1 : static_cast<Pos>(at);
}

// The characters from `start` up to, not including, `end`; nothing when there
// are none. Never reaches outside the text, whatever the two positions are.
std::optional<std::string_view> value_between(std::string_view text, Pos start, Pos end) {
    if (end <= start || start < 0 || start >= length_of(text)) return std::nullopt;
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

// Where the end marker is looked for. Most elements look after the value's
// start; p_data, nobs_pol and nmin_pol_err look from the top of the text. That
// differs only when a stray end tag precedes the start tag: the value then
// counts as missing instead of running on to the next end tag.
enum class EndSearch { after_start, from_top };

// An element whose start marker ends in ">", so that it matches only a start tag
// without attributes (or the tail of an end tag).
std::optional<std::string_view> element_value(std::string_view text, std::string_view open,
                                              std::string_view close,
                                              EndSearch search = EndSearch::after_start) {
    const Pos start = find_from(text, open, 0) + length_of(open);
    const Pos end = find_from(text, close, search == EndSearch::after_start ? start : 0);
    return value_between(text, start, end);
}

// An element whose start tag may carry attributes: the value starts after the
// first ">" that follows `open`, whatever lies in between.
std::optional<std::string_view> value_after_attributes(std::string_view text, std::string_view open,
                                                       std::string_view close) {
    const Pos p = find_from(text, open, 0) + length_of(open);
    const Pos start = find_from(text, ">", p) + 1;
    return value_between(text, start, find_from(text, close, start));
}

// data code="…" sequence="…": the code starts past the marker and its opening
// quote and ends before the closing quote and the one blank before "sequence".
// Without its own marker the code is missing: searching on from a fixed place
// would take a slice of the XML declaration for a code.
std::optional<std::string_view> code_value(std::string_view text) {
    const Pos marker = find_from(text, "data code=", 0);
    if (marker < 0) return std::nullopt;
    const Pos start = marker + 11;
    return value_between(text, start, find_from(text, "sequence", start) - 2);
}

// The sequence ends at its closing quote, which must stand right before ">".
std::optional<std::string_view> sequence_value(std::string_view text) {
    const Pos marker = find_from(text, "sequence=", 0);
    if (marker < 0) return std::nullopt;
    const Pos start = marker + 10;
    return value_between(text, start, find_from(text, ">", start) - 1);
}

std::optional<std::string_view> origin_time_value(std::string_view text) {
    return value_after_attributes(text, "origin_time accuracy=", "</origin_time>");
}

std::optional<std::string_view> send_time_value(std::string_view text) {
    return element_value(text, "send_time>", "</send_time>");
}

void take_text(std::optional<std::string_view> value, std::string& field) {
    if (value) field = std::string(*value);
}

void take_number(std::optional<std::string_view> value, double& field) {
    if (value) field = numeric_value(*value);
}

// Magnitudes above 10 are the feed's mark of an invalid value.
double magnitude_value(std::string_view value) {
    const double m = numeric_value(value);
    return m > 10 ? 0 : m;
}

// Returns false only when a value is present but is not a date-time.
bool take_date_time(std::optional<std::string_view> value, DateTime& field) {
    if (!value) return true;
    const std::optional<DateTime> decoded = DateTime::from_feed_text(*value);
    if (!decoded) return false;
    field = *decoded;
    return true;
}

}  // namespace

bool parse_report(std::string_view text, CurrentReport& report) {
    take_text(code_value(text), report.code00);
    take_text(sequence_value(text), report.sequence00);
    const bool origin_ok = take_date_time(origin_time_value(text), report.origintime00);
    const bool send_ok = take_date_time(send_time_value(text), report.sendtime00);

    if (auto m = element_value(text, "magnitude>", "</magnitude>")) {
        report.magnitude00 = magnitude_value(*m);
    }
    const auto mip = element_value(text, "mip>", "</mip>");
    report.mip00 = mip ? magnitude_value(*mip) : 0;

    take_number(value_after_attributes(text, "latitude", "</latitude>"), report.latitude00);
    take_number(value_after_attributes(text, "longitude", "</longitude>"), report.longitude00);
    take_number(value_after_attributes(text, "depth", "</depth>"), report.depth00);
    take_number(element_value(text, "p_data>", "</p_data>", EndSearch::from_top), report.pdata00);
    take_number(element_value(text, "azp>", "</azp>"), report.azp00);
    take_number(element_value(text, "thp>", "</thp>"), report.thp00);
    take_number(element_value(text, "azt>", "</azt>"), report.azt00);
    take_number(element_value(text, "tht>", "</tht>"), report.tht00);
    take_number(element_value(text, "nobs_pol>", "</nobs_pol>", EndSearch::from_top),
                report.nobs_pol00);
    take_number(element_value(text, "nmin_pol_err>", "</nmin_pol_err>", EndSearch::from_top),
                report.n_pol_err00);

    const auto region = element_value(text, "region>", "</region>");
    report.region_name00 = region ? std::string(*region) : std::string();

    return origin_ok && send_ok;
}

bool extract_send_time(std::string_view text, DateTime& out) {
    const auto value = send_time_value(text);
    return value && take_date_time(value, out);
}

}  // namespace eew
