// Damaged and random input from fixed seeds: datagrams, reports, logs, local
// network packets and data files. Every reader and drawing keeps the
// properties the fuzz targets check; run it in the sanitizer build too, which
// checks every index.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>

#include "fakes/log_text.hpp"
#include "fakes/mutator.hpp"
#include "fakes/program_folder.hpp"
#include "feed/framing.hpp"
#include "feed/recent_events.hpp"
#include "feed/report_decoder.hpp"
#include "feedlib/feed_framing.hpp"
#include "feedlib/report_text.hpp"
#include "fuzz/fuzz_properties.hpp"
#include "observed/observation_packet.hpp"
#include "observed/packet_text.hpp"
#include "observed/waveform_packet.hpp"
#include "replay/replay_file.hpp"

namespace eew {
namespace {

// A broken property fails the test, naming it and the input.
bool holds(const std::function<void()>& check, int input) {
    try {
        check();
        return true;
    } catch (const fuzz::BrokenInvariant& e) {
        ADD_FAILURE() << e.what() << " (input " << input << ")";
        return false;
    }
}

// clang-format off
const std::vector<std::string_view> kMarkers = {
    "data code=", "sequence=", "origin_time accuracy=", "</origin_time>", "send_time>",
    "</send_time>", "magnitude>", "</magnitude>", "mip>", "latitude", "</latitude>", "</depth>",
    "p_data>", "</p_data>", "nobs_pol>", "region>", "</region>", ">", "\"", "<jma_forecast ",
    "<area code=\"", "\"/>", "</jma_forecast>"};
// clang-format on

// Damaged datagrams through framing and decoding, and damaged broker messages
// through the kind check and decoding.
TEST(ReportFuzz, DamagedDatagramsDecodeWithinRanges) {
    test::Mutator mutate(20240402);
    const std::string valid = feedlib::relay_datagram(feedlib::report_text(
        {.extension = R"(<jma_forecast warning="1" max="5+"><area code="251" from="5-" to="5+" )"
                      R"(arrival="2011,04,15,14,34,55" kind="10"/></jma_forecast>)"}));
    for (int i = 0; i < 3000; ++i) {
        const std::string datagram = mutate.mutate(valid, kMarkers);
        const auto text = frame_message(datagram, i % 2);
        if (!holds([&] { fuzz::framing_holds(datagram); }, i) ||
            !holds([&] { fuzz::report_decoder_holds(text.value_or("")); }, i))
            return;
        // A broker delivers the text itself, with no framing around it.
        const std::string message = mutate.mutate(valid.substr(2, valid.size() - 3), kMarkers);
        if (!holds([&] { fuzz::broker_message_holds(message); }, i) ||
            !holds([&] { fuzz::report_decoder_holds(message); }, i))
            return;
    }
}

// Any damage to a log of three reports two seconds apart gives a whole result
// or none: never lines without their pacing; an oversized line makes the log
// invalid.
TEST(ReplayFuzz, DamagedLogsLoadWholeOrNotAtAll) {
    test::Mutator mutate(5150);
    std::vector<std::string> reports;
    for (const char* second : {"5", "7", "9"})
        reports.push_back(
            feedlib::report_text({.send_time = std::string("2024,4,1,9,0,") + second}));
    const std::string log = test::log_text(reports);
    for (int i = 0; i < 1500; ++i) {
        std::string bytes = mutate.mutate(log, {"\r", "\n", "send_time>", "</send_time>"});
        if (i % 100 == 0) bytes.insert(mutate.below(bytes.size() + 1), kMaxReplayLineBytes, 'x');
        if (!holds([&] { fuzz::replay_file_holds(bytes); }, i)) return;
        if (i % 100 == 0) {
            std::istringstream in(bytes);
            ASSERT_EQ(read_replay_file(in).outcome, ReplayLoad::invalid);
        }
    }
}

// Plausible packets cut anywhere, random text after the kind word (mostly
// what continues a number or a sample), or damaged valid packets, decoded
// into the same slots as live.
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
    WaveformPacket w;
    ObservationPacket o;
    for (int i = 0; i < 900; ++i) {
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
        if (!holds([&] { fuzz::waveform_packet_holds(wave, w); }, i) ||
            !holds([&] { fuzz::observation_packet_holds(obs, o); }, i))
            return;
    }
}

// Each data file start-up reads, damaged.
TEST(DataFileFuzz, ReadersLoadOrNameTheFile) {
    test::TempFolder folder;
    test::write_program_files(folder);
    folder.write("data/ref.dat", "2\r\n139.7,35.7,1.5,Tokyo\r\n135.5,34.7,1.2,\"Osaka, Kita\"\r\n");
    test::Mutator mutate(4242);
    for (const char* file :
         {"tavi.config", "LPwave.in", "jmargn_j.csv", "traveltime300.dat", "ref.dat"}) {
        const std::string valid = folder.read(std::string("data/") + file);
        const std::string path = folder.path() + "/data/" + file;
        for (int i = 0; i < (valid.size() > 100000 ? 10 : 100); ++i) {
            folder.write(std::string("data/") + file, mutate.mutate(valid, {",", "\r\n", "\""}));
            if (!holds([&] { fuzz::data_files_hold(path); }, i)) return;
        }
    }
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

TEST(RecentEventsFuzz, DamagedListsLoadWholeEntriesAndRoundTrip) {
    test::TempFolder folder;
    const std::string path = folder.path() + "/24hours.dat";
    ASSERT_FALSE(save_recent_events(path, sample_list()));
    const std::string whole = folder.read("24hours.dat");
    test::Mutator mutate(86400);
    for (int i = 0; i < 150; ++i) {
        folder.write("24hours.dat", mutate.mutate(whole, {"\r\n", " ", "5\r\n"}));
        if (!holds([&] { fuzz::recent_events_hold(path); }, i)) return;
    }
}

}  // namespace
}  // namespace eew
