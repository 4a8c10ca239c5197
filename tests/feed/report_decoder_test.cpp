#include "feed/report_decoder.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>

namespace eew {
namespace {

// clang-format off
// A report as the feed writes it, on one line; the region key is Shift-JIS.
constexpr std::string_view kReport =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><data code=\"20240401090010\" sequence=\"3\">"
    "<origin_time accuracy=\"1\">2024,4,1,9,0,12.5</origin_time><send_time>2024,4,1,9,0,30"
    "</send_time><magnitude>6.5</magnitude><mip>6.3</mip><latitude>35.5</latitude><longitude>140"
    "</longitude><depth>40</depth><p_data>8</p_data><azp>120.5</azp><thp>30</thp><azt>300</azt>"
    "<tht>60</tht><nobs_pol>12</nobs_pol><nmin_pol_err>2</nmin_pol_err><region>\x93\x8c\x8b\x9e"
    "</region></data>";

const DateTime kSent = *DateTime::from_fields(2024, 4, 1, 9, 0, 30);

// The report before, with a value in every field that differs from kReport's.
const CurrentReport kPrevious{"old", "9", *DateTime::from_fields(2000, 1, 2, 3, 4, 5),
    kSent.plus_seconds(-1), 4.1, 4.2, 30.1, 130.1, 10.1, 3, 1, 2, 3, 4, 5, 6, "old region"};
// clang-format on

// Every field the decoder writes, as text, so that a failure shows which differ.
std::string fields(const CurrentReport& r) {
    std::ostringstream out;
    out << r.code00 << '|' << r.sequence00 << '|' << r.origintime00.text() << '|'
        << r.sendtime00.text() << '|' << r.region_name00;
    for (double x : {r.magnitude00, r.mip00, r.latitude00, r.longitude00, r.depth00, r.pdata00,
                     r.azp00, r.thp00, r.azt00, r.tht00, r.nobs_pol00, r.n_pol_err00})
        out << '|' << x;
    return out.str();
}

std::string replaced(std::string_view text, std::string_view from, std::string_view to) {
    std::string out(text);
    return out.replace(out.find(from), from.size(), to);
}

CurrentReport decoded(std::string_view text) {
    CurrentReport report = kPrevious;
    parse_report(text, report);
    return report;
}

TEST(ReportDecoder, FullReportDecodesEveryField) {
    EXPECT_EQ(fields(decoded(kReport)),
              "20240401090010|3|2024/04/01 09:00:12|2024/04/01 09:00:30|\x93\x8c\x8b\x9e"
              "|6.5|6.3|35.5|140|40|8|120.5|30|300|60|12|2");
}

// Missing or empty values keep the previous one, but mip and the region reset;
// a stray end tag before the counts leaves them missing too.
TEST(ReportDecoder, MissingOrEmptyValuesKeepThePreviousOneButMipAndRegionReset) {
    const std::string text = replaced(replaced(kReport, "<mip>6.3</mip>", ""), ">6.5<", "><");
    const CurrentReport r = decoded(replaced(text, "\x93\x8c\x8b\x9e", ""));
    EXPECT_EQ(std::tuple(r.mip00, r.magnitude00, r.region_name00), std::tuple(0, 4.1, ""));
    const CurrentReport stray = decoded("</p_data></nobs_pol>" + std::string(kReport));
    EXPECT_EQ(std::pair(stray.pdata00, stray.nobs_pol00), std::pair(3.0, 5.0));
}

TEST(ReportDecoder, MagnitudeAndMipAboveTenBecomeZero) {
    for (const auto& [value, stored] : {std::pair<std::string, double>{"10.0", 10}, {"10.1", 0}}) {
        const std::string v = ">" + value + "<";
        const CurrentReport r = decoded(replaced(replaced(kReport, ">6.5<", v), ">6.3<", v));
        EXPECT_EQ(std::pair(r.magnitude00, r.mip00), std::pair(stored, stored)) << value;
    }
}

TEST(ReportDecoder, OnlyPositionAndDepthTagsMayCarryAttributes) {
    std::string text(kReport);
    for (std::string tag : {"latitude", "longitude", "depth", "magnitude", "azp"})
        text = replaced(text, "<" + tag + ">", "<" + tag + " unit=\"x\">");
    const CurrentReport r = decoded(text);
    EXPECT_EQ(std::tuple(r.latitude00, r.longitude00, r.depth00, r.magnitude00, r.azp00),
              std::tuple(35.5, 140, 40, 4.1, 1));
}

// The code ends two characters before the next "sequence"; without their own
// markers the code and sequence are missing, not a slice of other text.
TEST(ReportDecoder, CodeEndsTwoBeforeTheNextSequenceAndNeedsItsOwnMarker) {
    const CurrentReport r = decoded(replaced(kReport, "20240401090010", "20240401sequence1"));
    EXPECT_EQ(fields(r).substr(0, 9), "202404|3|");
    const CurrentReport none = decoded(R"(<?xml version="1.0"?><a sequence="4"><data code="X">)");
    EXPECT_EQ(fields(none).substr(0, 6), "old|4|");
}

// A date-time that cannot be built keeps its value and fails the report, whose
// other fields are decoded; missing date-times are no failure.
TEST(ReportDecoder, DateTimeThatCannotBeBuiltKeepsItsValueAndFailsTheReport) {
    CurrentReport r = kPrevious;
    EXPECT_FALSE(parse_report(replaced(kReport, "2024,4,1,9,0,12.5", "2024,2,30,9,0,12"), r));
    EXPECT_EQ(std::tuple(r.origintime00, r.sendtime00, r.magnitude00),
              std::tuple(kPrevious.origintime00, kSent, 6.5));
    EXPECT_TRUE(parse_report(replaced(kReport, "2024,4,1,9,0,30", ""), r));
}

}  // namespace
}  // namespace eew
