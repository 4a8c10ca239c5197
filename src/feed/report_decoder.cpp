#include "feed/report_decoder.hpp"

#include <optional>
#include <string>

#include "text/numeric_value.hpp"
#include "text/report_elements.hpp"

namespace eew {
namespace {

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

}  // namespace eew
