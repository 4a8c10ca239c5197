// eew-bench-sender: a bounded load for the receiver on this computer. Sends the
// reports of one made-up event to 127.0.0.1, framed as the relay frames them,
// at a fixed rate; optionally one oversized datagram goes first.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>
#include <thread>

#include "bench/bench_report.hpp"
#include "feedlib/feed_framing.hpp"
#include "feedlib/udp_sender.hpp"

namespace {

using namespace eew;
using namespace eew::feedlib;
using eew::bench::bench_report;

// Bounds that keep a mistyped command from flooding the machine.
constexpr long kMaxCount = 100000;
constexpr double kMaxRate = 20000;
constexpr long kMaxDatagram = 65507 - 3;  // IPv4 payload less relay framing

struct Options {
    int port = 0;
    long count = 1000;
    double rate = 1000;
    long big_bytes = 0;                // 0: no oversized datagram
    std::string big_field = "region";  // region, code or tail
    long big_count = 1;
    double big_pause = 0.05;  // seconds between the oversized datagram and the rest
};

const char* kUsage =
    "usage: eew-bench-sender --port P [--count N] [--rate PER_SECOND]\n"
    "                        [--big BYTES [--big-field region|code|tail] [--big-count K]\n"
    "                                     [--big-pause SECONDS]]\n"
    "Sends N reports of one event to 127.0.0.1:P (relay framing) at the given rate.\n"
    "--big sends first K (default 1) reports of about BYTES bytes whose region name,\n"
    "code or trailing filler is one unbroken run of letters, each followed by a pause.\n";

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (i + 1 >= argc) return false;
        const char* v = argv[++i];
        if (a == "--port")
            o.port = std::atoi(v);
        else if (a == "--count")
            o.count = std::atol(v);
        else if (a == "--rate")
            o.rate = std::atof(v);
        else if (a == "--big")
            o.big_bytes = std::atol(v);
        else if (a == "--big-field")
            o.big_field = v;
        else if (a == "--big-count")
            o.big_count = std::atol(v);
        else if (a == "--big-pause")
            o.big_pause = std::atof(v);
        else
            return false;
    }
    return o.port > 0 && o.port < 65536 && o.count >= 0 && o.count <= kMaxCount && o.rate > 0 &&
           o.rate <= kMaxRate && o.big_bytes >= 0 && o.big_bytes <= kMaxDatagram &&
           (o.big_field == "region" || o.big_field == "code" || o.big_field == "tail") &&
           o.big_count >= 1 && o.big_count <= 100 && o.big_pause >= 0 && o.big_pause <= 10;
}

DateTime local_now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return *DateTime::from_fields(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                  local.tm_hour, local.tm_min, local.tm_sec);
}

// One report grown to about `bytes` bytes by a run of letters without a blank
// or any other place where a line could be broken.
std::string oversized_text(const ReportValues& base, long bytes, const std::string& field,
                           char letter) {
    const std::size_t plain = report_text(base).size();
    const std::size_t run = static_cast<std::size_t>(bytes) > plain ? bytes - plain : 1;
    const std::string letters(run, letter);
    ReportValues r = base;
    if (field == "region") r.region = letters;
    if (field == "code") r.code = letters;
    std::string text = report_text(r);
    if (field == "tail") text += letters;
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    UdpSender sender(o.port);
    if (sender.failure()) {
        std::fprintf(stderr, "%s\n", sender.failure()->c_str());
        return 1;
    }
    const DateTime now = local_now();
    long sent = 0;
    if (o.big_bytes > 0) {
        for (long k = 0; k < o.big_count; ++k) {
            // Each one different, so that none is taken for a repeat of the last.
            const std::string big =
                make_datagram(oversized_text(bench_report(now, 1), o.big_bytes, o.big_field,
                                             static_cast<char>('A' + k % 26)),
                              Framing::relay);
            if (auto error = sender.send(big)) {
                std::fprintf(stderr, "oversized datagram of %zu bytes: %s\n", big.size(),
                             error->c_str());
                return 1;
            }
            std::this_thread::sleep_for(std::chrono::duration<double>(o.big_pause));
        }
        std::printf("sent %ld oversized datagram(s)\n", o.big_count);
    }
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const std::chrono::duration<double> interval(1.0 / o.rate);
    for (long i = 0; i < o.count; ++i) {
        std::this_thread::sleep_until(
            start + std::chrono::duration_cast<Clock::duration>(interval * static_cast<double>(i)));
        const int sequence = static_cast<int>(i % 999) + 2;
        if (auto error = sender.send(
                make_datagram(report_text(bench_report(now, sequence)), Framing::relay))) {
            std::fprintf(stderr, "report %ld: %s\n", i + 1, error->c_str());
            return 1;
        }
        ++sent;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("sent %ld report(s) in %.3f s\n", sent, seconds);
    return 0;
}
