// Damaged and random input from fixed seeds: datagrams, reports, logs, local
// network packets and data files. Every reader and drawing stays inside its
// documented ranges; run it in the sanitizer build too, which checks every
// index.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <sstream>

#include "app/config_file.hpp"
#include "fakes/mutator.hpp"
#include "fakes/program_folder.hpp"
#include "fakes/recording_canvas.hpp"
#include "fakes/report_text.hpp"
#include "feed/framing.hpp"
#include "feed/recent_events.hpp"
#include "feed/report_decoder.hpp"
#include "observed/packet_text.hpp"
#include "observed/station_marks.hpp"
#include "observed/waveform_panel.hpp"
#include "quake/lpwave_settings.hpp"
#include "quake/reference_sites.hpp"
#include "quake/region_table.hpp"
#include "quake/travel_table.hpp"
#include "replay/replay_file.hpp"
#include "text/field_reader.hpp"

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

// Plausible packets cut anywhere, random text after the kind word (mostly
// what continues a number or a sample), or damaged valid packets, decoded
// into the same slots as live: samples stay bytes, station fields keep their
// widths, at most 300 records are shown and every drawing is finite.
TEST(PacketFuzz, AnyTextDecodesAndDrawsWithinBounds) {
    std::mt19937 g(20240401);
    test::Mutator mutate(31337);
    const auto text = [&](std::size_t length) {
        std::string s(length, ' ');
        for (char& c : s)
            c = g() % 8 == 0 ? static_cast<char>(g()) : "0123456789ABCDEFabcdef +-.eE"[g() % 28];
        return s;
    };
    // Ten stations of packet 2 and 300 observation records, as sent.
    std::string valid_wave = test::wave_header(1, 1, 2, 100, 10), valid_obs = test::obs_header(300);
    for (int k = 0; k < 300; ++k) {
        if (k < 10)
            valid_wave += test::wave_record("ST" + std::to_string(k), "U ", 10 + k, 500, 101 + k,
                                            std::string(20 + 8 * k, "0A7fFF"[k % 6]));
        valid_obs += test::obs_record(std::to_string(30 + k % 10) + ".5",
                                      "135." + std::to_string(k % 10), k);
    }
    const AmplitudeThresholds thresholds{0, 0.0031623, 0.01, 0.031623, 0.1, 0.31623, 1.0};
    MapCatalogue maps;
    fill_map_catalogue(maps);
    WaveformPacket w;
    ObservationPacket o;
    for (int i = 0; i < 900; ++i) {
        test::RecordingCanvas main_map, event_map, panel;
        std::string wave = mutate.mutate(valid_wave, {"wave", "ST", "U "}),
                    obs = mutate.mutate(valid_obs, {"obs", ".5"});
        if (i < 400) {
            // clang-format off
            wave = test::wave_header(1, 1, g() % 5, 100, g() % 32), obs = test::obs_header(g() % 320);
            for (int k = 0; k < 320; ++k) {
                if (k < 12) wave += test::wave_record("ST", "U ", 10, g() % 100000, 100 + g() % 30, text(2 * (g() % 20)), g() % 420);
                obs += test::obs_record(text(5), "135.0", g() % 5000);
            }
            // clang-format on
            wave = i % 2 ? wave.substr(0, g() % (wave.size() + 1)) : "wave     " + text(g() % 900);
            obs = i % 2 ? obs.substr(0, g() % (obs.size() + 1)) : "obs     " + text(g() % 900);
        }
        decode_waveform_packet(wave, w);
        draw_waveforms(w, wave.size(), {main_map, event_map, panel}, kDepthColorTable, thresholds);
        decode_observation_packet(obs, o);
        draw_observations(o, maps, {main_map, event_map, panel}, 1, kDepthColorTable, thresholds);
        for (const auto& calls : {panel.calls, event_map.calls})
            for (const std::string& call : calls)
                ASSERT_TRUE(call.find("nan") == call.npos && call.find("inf") == call.npos) << call;
        ASSERT_TRUE(shown_records(o) >= 0 && shown_records(o) <= kObsRecords);
        for (std::size_t s = 1; s <= kWaveSlots; ++s) {
            ASSERT_TRUE(w.wave_station_code[s].size() <= 4 && w.wave_polarity[s].size() <= 2);
            for (double v : w.wave_samples[s])
                ASSERT_TRUE(v >= 0 && v <= 255 && v == std::floor(v)) << v;
        }
    }
}

TEST(DataFileFuzz, ReadersLoadOrNameTheFile) {
    test::TempFolder folder;
    test::write_program_files(folder);
    folder.write("data/ref.dat", "2\r\n139.7,35.7,1.5,Tokyo\r\n135.5,34.7,1.2,\"Osaka, Kita\"\r\n");
    const std::pair<const char*, std::function<void(const std::string&)>> readers[] = {
        {"tavi.config", [](const std::string& p) { read_config(p); }},
        {"LPwave.in", [](const std::string& p) { read_lpwave_settings(p); }},
        {"jmargn_j.csv", [](const std::string& p) { read_region_table(p); }},
        {"traveltime300.dat", [](const std::string& p) { read_travel_table(p); }},
        {"ref.dat", [](const std::string& p) {
             const int n = read_reference_sites(p).ref_number;
             ASSERT_TRUE(n >= 0 && n <= ReferenceSites::kCapacity) << n;
         }}};
    test::Mutator mutate(4242);
    for (const auto& [file, read] : readers) {
        const std::string valid = folder.read(std::string("data/") + file);
        const std::string path = folder.path() + "/data/" + file;
        ASSERT_NO_THROW(read(path)) << file;
        for (int i = 0; i < (valid.size() > 100000 ? 10 : 100); ++i) {
            folder.write(std::string("data/") + file, mutate.mutate(valid, {",", "\r\n", "\""}));
            try {
                read(path);
            } catch (const DataFileError& e) {
                ASSERT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
            }
        }
    }
}

// The entries up to the count, then "stray" for any filled one beyond it.
std::vector<std::string> entries(const RecentEvents& list) {
    std::vector<std::string> out;
    for (std::size_t i = 1; i <= RecentEvents::kCapacity; ++i) {
        const auto& data = list.recent_event_data[i];
        const bool in_list = static_cast<int>(i) <= list.total_event_number;
        if (!in_list && list.recent_event_time[i].empty() && data == decltype(data){}) continue;
        std::string entry = in_list ? list.recent_event_time[i] : "stray";
        for (double v : data)
            entry += " " + std::to_string(v);
        out.push_back(entry);
    }
    return out;
}

RecentEvents sample_list() {
    RecentEvents list;
    list.total_event_number = 5;
    for (std::size_t i = 1; i <= 5; ++i) {
        list.recent_event_time[i] = "2024/04/01 08:3" + std::to_string(i) + ":15";
        list.recent_event_data[i] = {0, 3.5 + 0.25 * static_cast<double>(i), 35.65, 139.875,
                                     static_cast<double>(10 + i)};
    }
    return list;
}

// Damaged lists load within the capacity, nothing beyond the count, and
// save and load again unchanged.
TEST(RecentEventsFuzz, DamagedListsLoadWholeEntriesAndRoundTrip) {
    test::TempFolder folder;
    const std::string path = folder.path() + "/24hours.dat";
    ASSERT_FALSE(save_recent_events(path, sample_list()));
    const std::string whole = folder.read("24hours.dat");
    test::Mutator mutate(86400);
    for (int i = 0; i < 150; ++i) {
        folder.write("24hours.dat", mutate.mutate(whole, {"\r\n", " ", "5\r\n"}));
        const RecentEvents list = load_recent_events(path);
        const std::vector<std::string> got = entries(list);
        ASSERT_TRUE(list.total_event_number >= 0 &&
                    static_cast<std::size_t>(list.total_event_number) == got.size());
        ASSERT_FALSE(save_recent_events(path, list));
        ASSERT_EQ(entries(load_recent_events(path)), got);
    }
}

}  // namespace
}  // namespace eew
