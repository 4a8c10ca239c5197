// The feed: datagram framing, the report decoder, the 24-hour list and the
// event logs; and the one routine that replaces every file the program writes.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/config_file.hpp"
#include "fakes/temp_folder.hpp"
#include "feed/agency_forecast_decoder.hpp"
#include "feed/event_logs.hpp"
#include "feed/framing.hpp"
#include "feed/recent_events.hpp"
#include "feed/report_decoder.hpp"
#include "feedlib/report_text.hpp"
#include "text/whole_file.hpp"

namespace eew {
namespace {

TEST(Framing, RelayPrefixAndLastByteGoShortDatagramsAreIgnoredAndTheKindIsNearTheTop) {
    EXPECT_EQ(frame_message("PPabcdefghijZ", false), "abcdefghij");   // 13 bytes -> 10
    EXPECT_EQ(frame_message("PPabcdefghijZ", true), "PPabcdefghij");  // LAN: 13 -> 12
    EXPECT_EQ(frame_message(std::string("PP\0\x82\xFF end\nxyzZ", 13), false),
              std::string("\0\x82\xFF end\nxyz", 10));  // bytes kept as they are
    EXPECT_FALSE(frame_message(std::string(12, 'x'), true));
    // The kind is found in the first ten characters, the first match winning;
    // waveforms and observations only on the local network.
    using enum MessageKind;
    // clang-format off
    const std::tuple<const char*, bool, MessageKind> cases[] = {
        {"noise xml!", false, noise}, {"xml  noise", false, noise}, {"0123456xml", false, report},
        {"012345678xml", false, ignored}, {"waveobsxml", true, report},  // straddles 10; xml first
        {"wave 12345", false, ignored}, {"obs 123456", false, ignored},
        {"wave 12345", true, waveform}, {"obs 123456", true, observation},
    };
    // clang-format on
    for (const auto& [text, lan, kind] : cases)
        EXPECT_EQ(message_kind(text, lan), kind) << text << lan;
}

// Entries more than 1440 minute boundaries old, or whose time cannot be read,
// go from the front; the others are saved with their time texts as loaded.
TEST(RecentEvents, LoadPruneAndSaveKeepTheLast1440MinutesAsWritten) {
    test::TempFolder dir;
    dir.write("24hours.dat",
              "5\r\n2024/04/01 08:00:00\r\n1 2 3 4\r\nyesterday\r\n1 2 3 4\r\n"
              "2024/04/01 08:59:59\r\n1 2 3 4\r\n2024/4/1 9:00:00\r\n5.5 35.2 139.1 12\r\n"
              "2024/04/02 08:00:00\r\n6,36,140,14\r\n");
    RecentEvents list = load_recent_events(dir.path() + "/24hours.dat");
    prune_recent_events(list, *DateTime::from_text("2024/04/02 09:00:30"));
    ASSERT_FALSE(save_recent_events(dir.path() + "/24hours.dat", list));
    EXPECT_EQ(dir.read("24hours.dat"),
              "2\r\n2024/4/1 9:00:00\r\n5.5 35.2 139.1 12\r\n"
              "2024/04/02 08:00:00\r\n6 36 140 14\r\n");
}

EventSlot quake(double magnitude, std::string code = "20240403090500017") {
    const DateTime origin = *DateTime::from_fields(2024, 4, 3, 9, 5, 42);
    return {std::move(code), origin, magnitude, 35.5, 139.25, 3, "<r1/>2024/04/03 09:05:50\n\r\n"};
}

TEST(LogFileName, OriginMinuteLastCodeCharacterAndMagnitudeInTenthsRoundedHalfAway) {
    // clang-format off
    const std::tuple<double, const char*, const char*> cases[] = {
        {6.45, "20240403090500017", "20240403.0905_7_M65"}, {4.96, "12/", "20240403.0905___M50"},
        {-1.2, "", "20240403.0905__M00"}, {10.25, "A", "20240403.0905_A_M103"},
    };
    // clang-format on
    for (const auto& [magnitude, code, name] : cases)
        EXPECT_EQ(log_file_name(quake(magnitude, code)), name);
}

struct EventLogs : ::testing::Test {
    std::vector<std::string> log(const EventSlot& e) { return log_event(e, settings, list); }

    test::TempFolder dir;
    LogSettings settings{
        dir.path() + "/log/", dir.path() + "/log/large_events/", 5.0, {0, 12, 14, 10, 2, 9, 1}};
    RecentEvents list;
};

// The folders do not exist yet: they are made.
TEST_F(EventLogs, EveryEventIsListedAndLoggedLargeOnesTwiceAClashingNameGetsASuffix) {
    list.total_event_number = 498;
    EXPECT_TRUE(log(quake(4.99)).empty());
    EXPECT_EQ(dir.read("log/20240403.0905_7_M50"), "<r1/>2024/04/03 09:05:50\n\r\n\r\n");
    EXPECT_EQ(list.recent_event_time[499], "2024/04/03 09:05:42");
    EXPECT_EQ(list.recent_event_data[499], (std::array<double, 5>{0, 4.99, 35.5, 139.25, 10}));
    // The name is taken in one folder only: both files move on together.
    EXPECT_TRUE(log(quake(5.0)).empty());
    EXPECT_TRUE(log(quake(5.0)).empty());  // the list is full: logged, not listed
    EXPECT_TRUE(dir.exists("log/20240403.0905_7_M50_3"));
    EXPECT_TRUE(dir.exists("log/large_events/20240403.0905_7_M50_3"));
    EXPECT_FALSE(dir.exists("log/large_events/20240403.0905_7_M50"));
    EXPECT_EQ(list.total_event_number, 500);
    // A folder that cannot be made is named, and the other copy is written.
    dir.write("blocked", "a file where the folder should be");
    settings.logp = dir.path() + "/blocked/";
    const auto failures = log(quake(7.0));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(dir.path() + "/blocked/20240403.0905_7_M70"), std::string::npos);
    EXPECT_TRUE(dir.exists("log/large_events/20240403.0905_7_M70"));
}

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

// kReport after the (from, to) edits, decoded over kPrevious.
TEST(ReportDecoder, EveryFieldIsDecodedKeptOrResetAsTheReportSays) {
    const std::string head = "20240401090010|3|2024/04/01 09:00:12|2024/04/01 09:00:30|",
                      sjis = "\x93\x8c\x8b\x9e", mechanism = "|120.5|30|300|60|12|2";
    const auto unit = [](const std::string& tag) {
        return std::pair("<" + tag + ">", "<" + tag + " unit=\"x\">");
    };
    // clang-format off
    const std::pair<std::vector<std::pair<std::string, std::string>>, std::string> cases[] = {
        {{}, head + sjis + "|6.5|6.3|35.5|140|40|8" + mechanism},
        // Missing or empty values keep the previous one, but mip and the region reset.
        {{{"<mip>6.3</mip>", ""}, {">6.5<", "><"}, {sjis, ""}}, head + "|4.1|0|35.5|140|40|8" + mechanism},
        // A stray end tag before the counts leaves them missing too.
        {{{"<?xml", "</p_data></nobs_pol><?xml"}}, head + sjis + "|6.5|6.3|35.5|140|40|3|120.5|30|300|60|5|2"},
        // Magnitude and mip above ten become zero.
        {{{">6.5<", ">10.0<"}, {">6.3<", ">10.0<"}}, head + sjis + "|10|10|35.5|140|40|8" + mechanism},
        {{{">6.5<", ">10.1<"}, {">6.3<", ">10.1<"}}, head + sjis + "|0|0|35.5|140|40|8" + mechanism},
        // Only the position and depth tags may carry attributes.
        {{unit("latitude"), unit("longitude"), unit("depth"), unit("magnitude"), unit("azp")},
         head + sjis + "|4.1|6.3|35.5|140|40|8|1|30|300|60|12|2"}};
    // clang-format on
    for (const auto& [edits, expected] : cases) {
        std::string text(kReport);
        for (const auto& [from, to] : edits)
            text = replaced(text, from, to);
        EXPECT_EQ(fields(decoded(text)), expected) << text;
    }
}

// A report cut at any length: each field is either what the whole report
// gives or, its end marker cut away, what it was before (mip and the region
// reset).
TEST(ReportDecoder, ACutReportGivesEachFieldWholeOrAsBefore) {
    CurrentReport before = kPrevious;
    before.mip00 = 0;
    before.region_name00.clear();
    const auto split = [](const CurrentReport& r) {
        std::vector<std::string> out;
        std::istringstream in(fields(r));
        for (std::string field; std::getline(in, field, '|');)
            out.push_back(field);
        return out;
    };
    const std::vector<std::string> whole = split(decoded(kReport)), old = split(before);
    for (std::size_t length = 0; length <= kReport.size(); ++length) {
        const std::vector<std::string> cut = split(decoded(kReport.substr(0, length)));
        for (std::size_t f = 0; f < cut.size(); ++f)
            ASSERT_TRUE(cut[f] == whole[f] || cut[f] == old[f]) << length << ": " << cut[f];
    }
}

// The agency's forecast after the report's elements is read whole or not at
// all, and never changes what the report's own elements give.
TEST(AgencyForecast, IsReadWholeOrNotAtAllAndLeavesTheReportAlone) {
    const std::string element =
        R"(<jma_forecast warning="1" max="6+"><area code="251" from="6-" to="6+" arrival="" )"
        R"(kind="11"/><area code="321" from="4" to="" arrival="2011,04,15,14,34,55" kind="09"/>)"
        "</jma_forecast>";
    const std::string plain = feedlib::report_text({});
    const auto with = [&](const std::string& extension) {
        return feedlib::report_text({.extension = extension});
    };
    const AgencyForecast expected{
        true,
        "6+",
        {{251, "6-", "6+", std::nullopt, true, '1'},
         {321, "4", "", DateTime::from_fields(2011, 4, 15, 14, 34, 55), false, '9'}}};
    EXPECT_EQ(parse_agency_forecast(with(element)), expected);
    EXPECT_EQ(parse_agency_forecast(with(R"(<jma_forecast warning="0" max="">)"
                                         "</jma_forecast>")),
              (AgencyForecast{false, "", {}}));
    std::string many = R"(<jma_forecast warning="0" max="4">)";
    for (int i = 0; i < AgencyForecast::kMaxAreas; ++i)
        many += R"(<area code="100" from="4" to="4" arrival="" kind="00"/>)";
    EXPECT_EQ(parse_agency_forecast(with(many + "</jma_forecast>"))->areas.size(), 200u);
    std::vector<std::string> broken = {
        many + R"(<area code="100" from="4" to="4" arrival="" kind="00"/></jma_forecast>)"};
    for (std::size_t cut = 0; cut < element.size(); ++cut)
        broken.push_back(element.substr(0, cut));
    for (auto [from, to] :
         std::initializer_list<std::pair<const char*, const char*>>{{"=\"251", "=251"},
                                                                    {"6-", "6\xe5"},
                                                                    {"kind=\"11", "kind=\"21"},
                                                                    {"\"251\"", "\"25\""},
                                                                    {"to=\"6+", "to=\"8"},
                                                                    {"14,34,55", "14,34,xx"},
                                                                    {"\"/><area", "\"><area"}}) {
        std::string edited = element;
        edited.replace(edited.find(from), std::string_view(from).size(), to);
        broken.push_back(edited);
    }
    CurrentReport alone, beside;
    parse_report(plain, alone);
    for (const std::string& extension : broken) {
        EXPECT_EQ(parse_agency_forecast(with(extension)), std::nullopt) << extension;
        parse_report(with(extension), beside);
        EXPECT_EQ(
            std::tuple(beside.code00, beside.sequence00, beside.region_name00, beside.nobs_pol00),
            std::tuple(alone.code00, alone.sequence00, alone.region_name00, alone.nobs_pol00));
    }
    EXPECT_EQ(parse_agency_forecast(plain), std::nullopt);
}

// The code ends two characters before the next "sequence"; without their own
// markers the code and sequence are missing, not a slice of other text.
TEST(ReportDecoder, CodeAndSequenceNeedTheirOwnMarkersAndABadDateTimeFailsTheReport) {
    const CurrentReport r = decoded(replaced(kReport, "20240401090010", "20240401sequence1"));
    EXPECT_EQ(fields(r).substr(0, 9), "202404|3|");
    const CurrentReport none = decoded(R"(<?xml version="1.0"?><a sequence="4"><data code="X">)");
    EXPECT_EQ(fields(none).substr(0, 6), "old|4|");
    // A date-time that cannot be built keeps its value and fails the report,
    // whose other fields are decoded; missing date-times are no failure.
    CurrentReport bad = kPrevious;
    EXPECT_FALSE(parse_report(replaced(kReport, "2024,4,1,9,0,12.5", "2024,2,30,9,0,12"), bad));
    EXPECT_EQ(std::tuple(bad.origintime00, bad.sendtime00, bad.magnitude00),
              std::tuple(kPrevious.origintime00, kSent, 6.5));
    EXPECT_TRUE(parse_report(replaced(kReport, "2024,4,1,9,0,30", ""), bad));
}

// The writers of the configuration, the 24-hour list and the event logs all
// replace their file through one routine; a fault injected at each of its
// steps must leave the file as it was, never cut, and no temporary behind.
WriteStep g_failing;

struct Writer {
    const char* file;
    std::function<bool(const test::TempFolder&, int)> write;  // true on success
};

TEST(WholeFile, AFailureAtAnyStepOfAnyWriterLeavesTheOldFileWholeAndNoTemporary) {
    const Writer writers[] = {
        {"tavi.config",
         [](const test::TempFolder& d, int n) {
             Settings s;
             s.sitename1 = std::string(n * 50, 'x');
             return !write_config(d.path() + "/tavi.config", s);
         }},
        {"24hours.dat",
         [](const test::TempFolder& d, int n) {
             RecentEvents list;
             list.total_event_number = n;
             return !save_recent_events(d.path() + "/24hours.dat", list);
         }},
        {"20240403.0905_7_M50_2",  // the second event of that name
         [](const test::TempFolder& d, int n) {
             EventSlot e = quake(5);
             e.event_log_text = std::string(n * 50, 'r');
             RecentEvents list;
             return log_event(e, {d.path() + "/", d.path() + "/", 9, {}}, list).empty();
         }},
    };
    for (const Writer& w : writers) {
        for (WriteStep step : {WriteStep::create, WriteStep::write, WriteStep::sync,
                               WriteStep::close, WriteStep::rename}) {
            test::TempFolder dir;
            ASSERT_TRUE(w.write(dir, 1)) << w.file;
            const std::string old = dir.read(w.file);
            const bool existed = dir.exists(w.file);
            g_failing = step;
            set_write_fault([](WriteStep s) { return s == g_failing; });
            EXPECT_FALSE(w.write(dir, 2)) << w.file << " step " << int(step);
            set_write_fault(nullptr);
            EXPECT_TRUE(dir.read(w.file) == old && dir.exists(w.file) == existed)
                << w.file << " step " << int(step);
            EXPECT_FALSE(dir.exists(std::string(w.file) + ".new"));
            ASSERT_TRUE(w.write(dir, 2));
            EXPECT_TRUE(dir.read(w.file) != old) << w.file;
        }
    }
}

}  // namespace
}  // namespace eew
