#include "feed/report_decoder.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
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

// The report before, with a value in every field that the fixture does not use.
CurrentReport previous() {
    return {.code00 = "old",
            .sequence00 = "9",
            .origintime00 = at(2000, 1, 2, 3, 4, 5),
            .sendtime00 = at(2000, 1, 2, 3, 4, 6),
            .magnitude00 = 4.1,
            .mip00 = 4.2,
            .latitude00 = 30.1,
            .longitude00 = 130.1,
            .depth00 = 10.1,
            .pdata00 = 3,
            .azp00 = 1,
            .thp00 = 2,
            .azt00 = 3,
            .tht00 = 4,
            .nobs_pol00 = 5,
            .n_pol_err00 = 6,
            .region_name00 = "old region",
            .dist00 = 77,
            .intensity00 = 3.3};
}

// Every field as one line, so that a failure shows which fields differ.
std::string fields_of(const CurrentReport& r) {
    std::string out = "code00=" + r.code00 + "\nsequence00=" + r.sequence00 +
                      "\norigintime00=" + r.origintime00.text() +
                      "\nsendtime00=" + r.sendtime00.text() + "\nregion_name00=" + r.region_name00;
    const std::pair<const char*, double> numbers[] = {{"magnitude00", r.magnitude00},
                                                      {"mip00", r.mip00},
                                                      {"latitude00", r.latitude00},
                                                      {"longitude00", r.longitude00},
                                                      {"depth00", r.depth00},
                                                      {"pdata00", r.pdata00},
                                                      {"azp00", r.azp00},
                                                      {"thp00", r.thp00},
                                                      {"azt00", r.azt00},
                                                      {"tht00", r.tht00},
                                                      {"nobs_pol00", r.nobs_pol00},
                                                      {"n_pol_err00", r.n_pol_err00},
                                                      {"dist00", r.dist00},
                                                      {"intensity00", r.intensity00}};
    for (const auto& [name, value] : numbers) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "\n%s=%.17g", name, value);
        out += buf;
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
    const CurrentReport expected{.code00 = "20240401090010",
                                 .sequence00 = "3",
                                 .origintime00 = at(2024, 4, 1, 9, 0, 12),
                                 .sendtime00 = at(2024, 4, 1, 9, 0, 30),
                                 .magnitude00 = 6.5,
                                 .mip00 = 6.3,
                                 .latitude00 = 35.5,
                                 .longitude00 = 140,
                                 .depth00 = 40,
                                 .pdata00 = 8,
                                 .azp00 = 120.5,
                                 .thp00 = 30,
                                 .azt00 = 300,
                                 .tht00 = 60,
                                 .nobs_pol00 = 12,
                                 .n_pol_err00 = 2,
                                 .region_name00 = "\x93\x8c\x8b\x9e",
                                 .dist00 = 77,
                                 .intensity00 = 3.3};
    EXPECT_EQ(fields_of(r), fields_of(expected));
}

TEST(ReportDecoder, MissingMipResetsItWhileOtherMissingNumbersKeepTheirValue) {
    std::string text = replaced(kReport, "<mip>6.3</mip>", "");
    text = replaced(text, "<magnitude>6.5</magnitude>", "");
    text = replaced(text, "<depth>40</depth>", "");
    const CurrentReport r = decoded(text);
    EXPECT_EQ(r.mip00, 0);
    EXPECT_EQ(r.magnitude00, 4.1);
    EXPECT_EQ(r.depth00, 10.1);
    EXPECT_EQ(r.latitude00, 35.5);
}

TEST(ReportDecoder, MissingOrEmptyRegionBecomesEmpty) {
    EXPECT_EQ(decoded(replaced(kReport, "\x93\x8c\x8b\x9e", "")).region_name00, "");
    EXPECT_EQ(decoded(replaced(kReport, "<region>", "")).region_name00, "");
    EXPECT_EQ(decoded(replaced(kReport, "<region>", "<region> ")).region_name00,
              " \x93\x8c\x8b\x9e");  // not trimmed
}

TEST(ReportDecoder, MagnitudeAndMipAboveTenBecomeZero) {
    const std::string ten = replaced(replaced(kReport, ">6.5<", ">10.0<"), ">6.3<", ">10<");
    EXPECT_EQ(decoded(ten).magnitude00, 10);
    EXPECT_EQ(decoded(ten).mip00, 10);
    const std::string above = replaced(replaced(kReport, ">6.5<", ">10.1<"), ">6.3<", ">1e2<");
    EXPECT_EQ(decoded(above).magnitude00, 0);
    EXPECT_EQ(decoded(above).mip00, 0);
}

TEST(ReportDecoder, TimesDropTheFractionAndCarrySixtySeconds) {
    EXPECT_EQ(decoded(replaced(kReport, "9,0,12.5", "9,0,59.9")).origintime00,
              at(2024, 4, 1, 9, 0, 59));
    EXPECT_EQ(decoded(replaced(kReport, "9,0,12.5", "9,0,60")).origintime00,
              at(2024, 4, 1, 9, 1, 0));
    EXPECT_EQ(decoded(replaced(kReport, "9,0,30", "23,59,60.5")).sendtime00,
              at(2024, 4, 2, 0, 0, 0));
}

TEST(ReportDecoder, OnlyPositionAndDepthTagsMayCarryAttributes) {
    std::string text = replaced(kReport, "<latitude>35.5", "<latitude unit=\"deg\">35.5");
    text = replaced(text, "<longitude>", "<longitude unit=\"deg\" x=\"1\">");
    text = replaced(text, "<depth>", "<depth unit=\"km\">");
    text = replaced(text, "<magnitude>", "<magnitude type=\"Mj\">");
    text = replaced(text, "<mip>", "<mip type=\"x\">");
    text = replaced(text, "<azp>", "<azp unit=\"deg\">");
    text = replaced(text, "<region>", "<region lang=\"ja\">");
    CurrentReport r = previous();
    EXPECT_TRUE(parse_report(text, r));
    EXPECT_EQ(r.latitude00, 35.5);
    EXPECT_EQ(r.longitude00, 140);
    EXPECT_EQ(r.depth00, 40);
    EXPECT_EQ(r.magnitude00, 4.1);
    EXPECT_EQ(r.mip00, 0);
    EXPECT_EQ(r.azp00, 1);
    EXPECT_EQ(r.thp00, 30);
    EXPECT_EQ(r.region_name00, "");
}

TEST(ReportDecoder, CodeEndsTwoCharactersBeforeTheFirstSequenceAfterIt) {
    const CurrentReport inside = decoded(replaced(kReport, "20240401090010", "20240401sequence1"));
    EXPECT_EQ(inside.code00, "202404");
    EXPECT_EQ(inside.sequence00, "3");
    // Other spacing is not recognised; the positions fall where they fall.
    EXPECT_EQ(decoded(replaced(kReport, "\" sequence", "\"  sequence")).code00, "20240401090010\"");
    EXPECT_EQ(decoded(replaced(kReport, "\"3\">", "\"3\" >")).sequence00, "3\"");
    // Without their own markers the code and sequence are missing, not a
    // slice of whatever text comes first.
    const CurrentReport before = previous();
    EXPECT_EQ(decoded("<?xml version=\"1.0\"?><a sequence=\"4\">").code00, before.code00);
    EXPECT_EQ(decoded("<?xml version=\"1.0\"?><data code=\"X\">").sequence00, before.sequence00);
}

TEST(ReportDecoder, DateTimeThatCannotBeBuiltKeepsItsValueAndFailsTheReport) {
    CurrentReport r = previous();
    EXPECT_FALSE(parse_report(replaced(kReport, "2024,4,1,9,0,12.5", "2024,2,30,9,0,12"), r));
    EXPECT_EQ(r.origintime00, previous().origintime00);
    EXPECT_EQ(r.sendtime00, at(2024, 4, 1, 9, 0, 30));
    EXPECT_EQ(r.magnitude00, 6.5);

    r = previous();
    EXPECT_FALSE(parse_report(replaced(kReport, "2024,4,1,9,0,30", "2024,4,1,9,0"), r));
    EXPECT_EQ(r.sendtime00, previous().sendtime00);
    EXPECT_EQ(r.origintime00, at(2024, 4, 1, 9, 0, 12));

    // Missing or empty date-times are no failure.
    r = previous();
    EXPECT_TRUE(parse_report(replaced(kReport, "2024,4,1,9,0,30", ""), r));
    EXPECT_EQ(r.sendtime00, previous().sendtime00);
    EXPECT_TRUE(parse_report("", r));
}

TEST(ReportDecoder, ExtractSendTimeWritesOnlyAValidSendTime) {
    const DateTime before = at(2000, 1, 1, 0, 0, 0);
    DateTime out = before;
    EXPECT_TRUE(extract_send_time(kReport, out));
    EXPECT_EQ(out, at(2024, 4, 1, 9, 0, 30));
    for (const std::string& text : {replaced(kReport, "<send_time>", "<send_time a=\"1\">"),
                                    replaced(kReport, "2024,4,1,9,0,30", "2024,4,31,9,0,30"),
                                    replaced(kReport, "2024,4,1,9,0,30", ""), std::string()}) {
        out = before;
        EXPECT_FALSE(extract_send_time(text, out)) << text;
        EXPECT_EQ(out, before) << text;
    }
}

// What each field needs to have arrived before it can be decoded in full.
struct FieldEnd {
    std::string_view marker;
    std::function<void(CurrentReport&, const CurrentReport&)> take;
};

TEST(ReportDecoder, TruncatedReportDecodesOnlyTheFieldsWhoseEndArrived) {
    CurrentReport full = previous();
    parse_report(kReport, full);
    const std::vector<FieldEnd> ends = {
        {"sequence", [](auto& r, const auto& f) { r.code00 = f.code00; }},
        {"sequence=\"3\">", [](auto& r, const auto& f) { r.sequence00 = f.sequence00; }},
        {"</origin_time>", [](auto& r, const auto& f) { r.origintime00 = f.origintime00; }},
        {"</send_time>", [](auto& r, const auto& f) { r.sendtime00 = f.sendtime00; }},
        {"</magnitude>", [](auto& r, const auto& f) { r.magnitude00 = f.magnitude00; }},
        {"</mip>", [](auto& r, const auto& f) { r.mip00 = f.mip00; }},
        {"</latitude>", [](auto& r, const auto& f) { r.latitude00 = f.latitude00; }},
        {"</longitude>", [](auto& r, const auto& f) { r.longitude00 = f.longitude00; }},
        {"</depth>", [](auto& r, const auto& f) { r.depth00 = f.depth00; }},
        {"</p_data>", [](auto& r, const auto& f) { r.pdata00 = f.pdata00; }},
        {"</azp>", [](auto& r, const auto& f) { r.azp00 = f.azp00; }},
        {"</thp>", [](auto& r, const auto& f) { r.thp00 = f.thp00; }},
        {"</azt>", [](auto& r, const auto& f) { r.azt00 = f.azt00; }},
        {"</tht>", [](auto& r, const auto& f) { r.tht00 = f.tht00; }},
        {"</nobs_pol>", [](auto& r, const auto& f) { r.nobs_pol00 = f.nobs_pol00; }},
        {"</nmin_pol_err>", [](auto& r, const auto& f) { r.n_pol_err00 = f.n_pol_err00; }},
        {"</region>", [](auto& r, const auto& f) { r.region_name00 = f.region_name00; }},
    };
    for (std::size_t cut = 0; cut <= kReport.size(); ++cut) {
        const std::string_view prefix = kReport.substr(0, cut);
        CurrentReport expected = previous();
        expected.mip00 = 0;
        expected.region_name00.clear();
        for (const FieldEnd& end : ends) {
            const std::size_t at = kReport.find(end.marker);
            ASSERT_NE(at, std::string_view::npos) << end.marker;
            if (cut >= at + end.marker.size()) end.take(expected, full);
        }
        // A copy owning exactly the prefix, so that a read past its end is caught.
        const std::string owned(prefix);
        CurrentReport r = previous();
        EXPECT_TRUE(parse_report(owned, r));
        ASSERT_EQ(fields_of(r), fields_of(expected)) << "cut at " << cut;
    }
}

TEST(ReportDecoder, MarkersAtTheVeryEndAndLongValuesStayInBounds) {
    for (std::string_view tail : {"data code=", "data code=\"", "sequence=", "sequence=\"",
                                  "origin_time accuracy=", "latitude", "depth>", "mip>", "region>",
                                  "<p_data>", "</p_data>"}) {
        const std::string text(tail);
        EXPECT_EQ(fields_of(decoded(text)), fields_of(decoded(""))) << tail;
    }
    const std::string key(3'000'000, '\xff');
    const CurrentReport r = decoded(replaced(kReport, "\x93\x8c\x8b\x9e", key));
    EXPECT_EQ(r.region_name00, key);
    EXPECT_EQ(r.magnitude00, 6.5);
}

TEST(ReportDecoder, StrayEndTagBeforeTheCountsLeavesThemMissing) {
    const std::string text = "</p_data></nobs_pol>" + std::string(kReport);
    const CurrentReport r = decoded(text);
    EXPECT_EQ(r.pdata00, 3);
    EXPECT_EQ(r.nobs_pol00, 5);
    EXPECT_EQ(r.n_pol_err00, 2);
}

}  // namespace
}  // namespace eew
