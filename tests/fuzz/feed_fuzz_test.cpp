// Damaged datagrams, reports and log files: the framing, the report decoder
// and the replay loader take any bytes without leaving their documented
// ranges. Runs in the sanitizer build too, which checks every index.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "fakes/mutator.hpp"
#include "fakes/report_text.hpp"
#include "feed/framing.hpp"
#include "feed/report_decoder.hpp"
#include "replay/replay_file.hpp"

namespace eew {
namespace {

// clang-format off
const std::vector<std::string_view> kMarkers = {
    "data code=", "sequence=", "origin_time accuracy=", "</origin_time>", "send_time>",
    "</send_time>", "magnitude>", "</magnitude>", "mip>", "latitude", "</latitude>", "</depth>",
    "p_data>", "</p_data>", "nobs_pol>", "region>", "</region>", ">", "\""};
// clang-format on

std::vector<std::string> texts(const CurrentReport& r) {
    return {r.code00, r.sequence00, r.origintime00.text(), r.sendtime00.text(), r.region_name00};
}
std::vector<double> numbers(const CurrentReport& r) {
    return {r.magnitude00, r.mip00, r.latitude00, r.longitude00, r.depth00,    r.pdata00,
            r.azp00,       r.thp00, r.azt00,      r.tht00,       r.nobs_pol00, r.n_pol_err00};
}

// Values a missing field cannot have come from; mip and the region are reset.
CurrentReport prior() {
    CurrentReport r;
    r.code00 = r.sequence00 = "prior";
    for (double* x : {&r.magnitude00, &r.latitude00, &r.longitude00, &r.depth00, &r.pdata00,
                      &r.azp00, &r.thp00, &r.azt00, &r.tht00, &r.nobs_pol00, &r.n_pol_err00})
        *x = -777;
    return r;
}

// A report cut at any length: each field is either what the whole report
// gives or, its end marker cut away, what it was before.
TEST(ReportFuzz, ACutReportGivesEachFieldWholeOrNotAtAll) {
    const std::string text = test::report_xml({});
    CurrentReport whole = prior();
    ASSERT_TRUE(parse_report(text, whole));
    for (std::size_t length = 0; length <= text.size(); ++length) {
        CurrentReport r = prior();
        parse_report(text.substr(0, length), r);
        for (std::size_t f = 0; f < texts(r).size(); ++f)
            ASSERT_TRUE(texts(r)[f] == texts(whole)[f] || texts(r)[f] == texts(prior())[f])
                << length << ": " << texts(r)[f];
        for (std::size_t f = 0; f < numbers(r).size(); ++f)
            ASSERT_TRUE(numbers(r)[f] == numbers(whole)[f] || numbers(r)[f] == numbers(prior())[f])
                << length << ": field " << f;
    }
}

// Damaged datagrams through framing and decoding: text values are slices of
// the datagram, numbers finite, magnitudes at most 10, and the send time is
// read the same way by the replay's quick look.
TEST(ReportFuzz, DamagedDatagramsDecodeWithinRanges) {
    test::Mutator mutate(20240402);
    const std::string valid = test::relay_datagram(test::report_xml({}));
    for (int i = 0; i < 3000; ++i) {
        const bool lan = i % 2;
        const std::string datagram = mutate.mutate(valid, kMarkers);
        const auto text = frame_message(datagram, lan);
        if (!text) continue;
        const MessageKind kind = message_kind(*text, lan);
        ASSERT_TRUE(lan || (kind != MessageKind::waveform && kind != MessageKind::observation));
        CurrentReport r = prior();
        parse_report(*text, r);
        for (const std::string& t : {r.code00, r.sequence00, r.region_name00})
            ASSERT_TRUE(t == "prior" || datagram.find(t) != std::string::npos) << t;
        for (double x : numbers(r))
            ASSERT_TRUE(std::isfinite(x));
        ASSERT_TRUE(r.magnitude00 <= 10 && r.mip00 <= 10) << r.magnitude00 << " " << r.mip00;
        DateTime send = prior().sendtime00;
        extract_send_time(*text, send);
        ASSERT_EQ(send.text(), r.sendtime00.text());
    }
}

// A log of three reports two seconds apart, as the program writes it.
std::string valid_log() {
    std::string log;
    for (int k = 0; k < 3; ++k) {
        test::ReportValues v;
        v.send_time = "2024,4,1,9,0," + std::to_string(5 + 2 * k);
        log += test::report_xml(v) + "2024/04/01 09:00:0" + std::to_string(5 + 2 * k) + "\n\r\n";
    }
    return log + "\r\n";
}

ReplayFile read(const std::string& bytes) {
    std::istringstream in(bytes);
    return read_replay_file(in);
}

// A log cut anywhere replays the reports before the cut, paced as before.
TEST(ReplayFuzz, ACutLogReplaysTheReportsBeforeTheCut) {
    const std::string log = valid_log();
    const ReplayFile whole = read(log);
    ASSERT_EQ(whole.offsets, (std::vector<long long>{0, 2, 4}));
    for (std::size_t length = 0; length <= log.size(); ++length) {
        const ReplayFile cut = read(log.substr(0, length));
        const std::size_t n = cut.lines.size();
        ASSERT_NE(cut.outcome, ReplayLoad::invalid) << length;
        ASSERT_TRUE(std::equal(cut.lines.begin(), cut.lines.end(), whole.lines.begin()) &&
                    std::equal(cut.offsets.begin(), cut.offsets.end(), whole.offsets.begin()) &&
                    cut.offsets.size() == n)
            << length;
    }
}

// Any damage gives a whole result or none: never lines without their pacing.
TEST(ReplayFuzz, DamagedLogsLoadWholeOrNotAtAll) {
    test::Mutator mutate(5150);
    const std::string log = valid_log();
    for (int i = 0; i < 1500; ++i) {
        std::string bytes = mutate.mutate(log, {"\r", "\n", "send_time>", "</send_time>"});
        if (i % 100 == 0) bytes.insert(mutate.below(bytes.size() + 1), kMaxReplayLineBytes, 'x');
        const ReplayFile f = read(bytes);
        ASSERT_EQ(f.outcome == ReplayLoad::ok, !f.lines.empty());
        ASSERT_EQ(f.offsets.size(), f.lines.size());
        ASSERT_TRUE(f.offsets.empty() || f.offsets[0] == 0);
        ASSERT_LT(f.lines.size(), static_cast<std::size_t>(ReplayState::kMaxLines));
        if (i % 100 == 0) {
            ASSERT_EQ(f.outcome, ReplayLoad::invalid);
        }
    }
}

}  // namespace
}  // namespace eew
