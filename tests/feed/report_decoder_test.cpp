#include "feed/report_decoder.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace eew {
namespace {

// A report as the feed writes it, on one line; the region key is Shift-JIS.
constexpr std::string_view kReport =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>"
    "<data code=\"20240401090010\" sequence=\"3\">"
    "<origin_time accuracy=\"1\">2024,4,1,9,0,12.5</origin_time>"
    "<send_time>2024,4,1,9,0,30</send_time>"
    "<magnitude>6.5</magnitude>"
    "<mip>6.3</mip>"
    "<latitude>35.5</latitude>"
    "<longitude>140</longitude>"
    "<depth>40</depth>"
    "<p_data>8</p_data>"
    "<azp>120.5</azp><thp>30</thp><azt>300</azt><tht>60</tht>"
    "<nobs_pol>12</nobs_pol><nmin_pol_err>2</nmin_pol_err>"
    "<region>\x93\x8c\x8b\x9e</region>"
    "</data>";

DateTime at(int y, int mo, int d, int h, int mi, int s) {
    return *DateTime::from_fields(y, mo, d, h, mi, s);
}

// The report before, with a value in every field that differs from kReport's.
CurrentReport previous() {
    const DateTime origin = at(2000, 1, 2, 3, 4, 5), sent = at(2000, 1, 2, 3, 4, 6);
    return {"old", "9", origin, sent, 4.1, 4.2, 30.1,         130.1, 10.1, 3,
            1,     2,   3,      4,    5,   6,   "old region", 77,    3.3};
}

// Every field as text, so that a failure shows which fields differ.
std::vector<std::string> fields(const CurrentReport& r) {
    std::vector<std::string> out = {r.code00, r.sequence00, r.origintime00.text(),
                                    r.sendtime00.text(), r.region_name00};
    for (double x :
         {r.magnitude00, r.mip00, r.latitude00, r.longitude00, r.depth00, r.pdata00, r.azp00,
          r.thp00, r.azt00, r.tht00, r.nobs_pol00, r.n_pol_err00, r.dist00, r.intensity00}) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.15g", x);
        out.emplace_back(buf);
    }
    return out;
}

std::string replaced(std::string_view text, std::string_view from, std::string_view to) {
    std::string out(text);
    const std::size_t at = out.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) out.replace(at, from.size(), to);
    return out;
}

CurrentReport decoded(std::string_view text) {
    CurrentReport report = previous();
    parse_report(text, report);
    return report;
}

TEST(ReportDecoder, FullReportDecodesEveryField) {
    CurrentReport r = previous();
    EXPECT_TRUE(parse_report(kReport, r));
    // Region bytes as received; dist00 and intensity00 are not the decoder's.
    EXPECT_EQ(fields(r), (std::vector<std::string>{"20240401090010", "3", "2024/04/01 09:00:12",
                                                   "2024/04/01 09:00:30", "\x93\x8c\x8b\x9e", "6.5",
                                                   "6.3", "35.5", "140", "40", "8", "120.5", "30",
                                                   "300", "60", "12", "2", "77", "3.3"}));
}

// The marker that completes each field, in the order of fields(); dist00 and
// intensity00 have none.
constexpr std::string_view kFieldEnds[] = {
    "sequence",     "sequence=\"3\">", "</origin_time>", "</send_time>", "</region>",
    "</magnitude>", "</mip>",          "</latitude>",    "</longitude>", "</depth>",
    "</p_data>",    "</azp>",          "</thp>",         "</azt>",       "</tht>",
    "</nobs_pol>",  "</nmin_pol_err>"};

TEST(ReportDecoder, CutReportDecodesOnlyTheFieldsWhoseEndArrived) {
    const std::vector<std::string> full = fields(decoded(kReport));
    CurrentReport reset = previous();
    reset.mip00 = 0;
    reset.region_name00.clear();
    for (std::size_t cut = 0; cut <= kReport.size(); ++cut) {
        // Owning exactly the prefix, so that a read past its end is caught.
        const std::string prefix(kReport.substr(0, cut));
        std::vector<std::string> expected = fields(reset);
        for (std::size_t i = 0; i < std::size(kFieldEnds); ++i)
            if (prefix.find(kFieldEnds[i]) != std::string::npos) expected[i] = full[i];
        CurrentReport r = previous();
        EXPECT_TRUE(parse_report(prefix, r));
        ASSERT_EQ(fields(r), expected) << "cut at " << cut;
    }
}

TEST(ReportDecoder, MissingOrEmptyValuesKeepThePreviousOneButMipAndRegionReset) {
    std::string text = replaced(kReport, "<mip>6.3</mip>", "");
    text = replaced(text, ">6.5<", "><");
    text = replaced(text, "\x93\x8c\x8b\x9e", "");
    const CurrentReport r = decoded(text);
    EXPECT_EQ(std::tuple(r.mip00, r.magnitude00, r.region_name00), std::tuple(0, 4.1, ""));
    // A stray end tag before the counts leaves them missing too.
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
    for (std::string tag : {"latitude", "longitude", "depth", "magnitude", "mip", "azp", "region"})
        text = replaced(text, "<" + tag + ">", "<" + tag + " unit=\"x\">");
    const CurrentReport r = decoded(text);
    EXPECT_EQ(std::tuple(r.latitude00, r.longitude00, r.depth00), std::tuple(35.5, 140, 40));
    // Elsewhere the start marker is not found: the value is missing.
    EXPECT_EQ(std::tuple(r.magnitude00, r.mip00, r.azp00, r.region_name00),
              std::tuple(4.1, 0, 1, ""));
}

TEST(ReportDecoder, CodeEndsTwoBeforeTheNextSequenceAndNeedsItsOwnMarker) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {replaced(kReport, "20240401090010", "20240401sequence1"), "202404", "3"},
        // Without their own markers the code and sequence are missing, not a
        // slice of whatever text comes first.
        {"<?xml version=\"1.0\"?><a sequence=\"4\">", "old", "4"},
        {"<?xml version=\"1.0\"?><data code=\"X\">", "old", "9"},
    };
    for (const auto& [text, code, sequence] : cases) {
        const CurrentReport r = decoded(text);
        EXPECT_EQ(std::pair(r.code00, r.sequence00), std::pair(code, sequence)) << text;
    }
}

// A datagram near the UDP limit whose region name or code is one unbroken run:
// the run is taken whole and the fields around it are decoded as usual.
TEST(ReportDecoder, AReportOf65000BytesIsDecoded) {
    const std::string run(65000 - kReport.size(), 'W');
    const CurrentReport long_region = decoded(replaced(kReport, "\x93\x8c\x8b\x9e", run));
    EXPECT_EQ(long_region.region_name00, run);
    EXPECT_EQ(std::pair(long_region.code00, long_region.depth00),
              std::pair(std::string("20240401090010"), 40.0));
    const CurrentReport long_code = decoded(replaced(kReport, "20240401090010", run));
    EXPECT_EQ(long_code.code00, run);
    EXPECT_EQ(std::pair(long_code.sequence00, long_code.region_name00),
              std::pair(std::string("3"), std::string("\x93\x8c\x8b\x9e")));
}

TEST(ReportDecoder, DateTimeThatCannotBeBuiltKeepsItsValueAndFailsTheReport) {
    CurrentReport r = previous();
    EXPECT_FALSE(parse_report(replaced(kReport, "2024,4,1,9,0,12.5", "2024,2,30,9,0,12"), r));
    EXPECT_EQ(std::tuple(r.origintime00, r.sendtime00, r.magnitude00),
              std::tuple(previous().origintime00, at(2024, 4, 1, 9, 0, 30), 6.5));
    r = previous();
    EXPECT_FALSE(parse_report(replaced(kReport, "2024,4,1,9,0,30", "2024,4,1,9,0"), r));
    EXPECT_EQ(r.sendtime00, previous().sendtime00);
    // Missing or empty date-times are no failure.
    EXPECT_TRUE(parse_report(replaced(kReport, "2024,4,1,9,0,30", ""), r));
    EXPECT_TRUE(parse_report("", r));
}

TEST(ReportDecoder, ExtractSendTimeWritesOnlyAValidSendTime) {
    DateTime out;
    EXPECT_TRUE(extract_send_time(kReport, out));
    EXPECT_EQ(out, at(2024, 4, 1, 9, 0, 30));
    for (const std::string& text : {replaced(kReport, "<send_time>", "<send_time a=\"1\">"),
                                    replaced(kReport, "2024,4,1,9,0,30", "2024,4,31,9,0,30"),
                                    replaced(kReport, "2024,4,1,9,0,30", ""), std::string()}) {
        EXPECT_FALSE(extract_send_time(text, out)) << text;
        EXPECT_EQ(out, at(2024, 4, 1, 9, 0, 30)) << text;
    }
}

}  // namespace
}  // namespace eew
