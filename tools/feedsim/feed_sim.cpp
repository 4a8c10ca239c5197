// eew-feed-sim: plays scenario and log files to the receiver as UDP datagrams.

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <thread>

#include "feedlib/feed_framing.hpp"
#include "feedlib/udp_sender.hpp"
#include "feedsim/command_line.hpp"
#include "feedsim/log_playback.hpp"
#include "feedsim/scenario_plan.hpp"

namespace eew::sim {
namespace {

using feedlib::Framing;
using feedlib::make_datagram;
using feedlib::shortest_accepted_text;
using feedlib::UdpSender;

struct Failed {
    std::string why;
};

std::string read_file(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw Failed{"cannot read " + path + ": " +
                     (ec ? ec.message() : std::string("not a regular file"))};
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Failed{"cannot read " + path + ": " + std::strerror(errno)};
    std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) throw Failed{"cannot read " + path + ": " + std::strerror(errno)};
    return content;
}

// Waits for the next whole second, so that the times written into the reports
// agree with the receiver's clock when they arrive; returns that second.
std::chrono::system_clock::time_point next_whole_second() {
    using namespace std::chrono;
    const auto second = ceil<seconds>(system_clock::now());
    std::this_thread::sleep_until(second);
    return second;
}

DateTime local_date_time(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    return *DateTime::from_fields(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                  local.tm_hour, local.tm_min, local.tm_sec);
}

std::vector<FeedMessage> scenario_messages(const std::string& path, const std::string& text,
                                           bool lan) {
    auto parsed = parse_scenario(text);
    if (const auto* e = std::get_if<ScenarioError>(&parsed))
        throw Failed{path + (e->line > 0 ? ":" + std::to_string(e->line) : "") + ": " + e->what};
    return plan_scenario(std::get<Scenario>(parsed), local_date_time(next_whole_second()), lan);
}

std::vector<FeedMessage> log_messages(const std::string& path, const std::string& text) {
    auto planned = plan_log(text);
    if (const auto* e = std::get_if<LogError>(&planned))
        throw Failed{path + (e->record > 0 ? ": record " + std::to_string(e->record) : "") + ": " +
                     e->what};
    return std::get<std::vector<FeedMessage>>(std::move(planned));
}

std::vector<FeedMessage> messages_of(const Options& o) {
    if (o.raw) {
        if (o.raw->size() < shortest_accepted_text(o.framing))
            std::cerr << "eew-feed-sim: warning: the receiver ignores texts shorter than "
                      << shortest_accepted_text(o.framing) << " characters in this framing\n";
        return {{0, MessageKind::raw, "-", *o.raw}};
    }
    const std::string text = read_file(o.file);
    return is_log_text(text) ? log_messages(o.file, text)
                             : scenario_messages(o.file, text, o.framing == Framing::lan);
}

void send_all(const Options& o, const std::vector<FeedMessage>& messages) {
    UdpSender sender(o.port);
    if (sender.failure()) throw Failed{*sender.failure()};
    std::printf("# %zu message(s) to 127.0.0.1:%d, %s framing, over %.1f s\n", messages.size(),
                o.port, o.framing == Framing::lan ? "LAN" : "relay", messages.back().offset);
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    for (const FeedMessage& m : messages) {
        std::this_thread::sleep_until(start + std::chrono::duration<double>(m.offset));
        if (auto error = sender.send(make_datagram(m.text, o.framing))) throw Failed{*error};
        std::printf("%9.3f  %-6s  %s\n", m.offset, std::string(kind_name(m.kind)).c_str(),
                    m.label.c_str());
        std::fflush(stdout);
    }
}

}  // namespace
}  // namespace eew::sim

int main(int argc, char** argv) {
    using namespace eew::sim;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = parse_command_line(args);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "eew-feed-sim: " << *error << " (see eew-feed-sim --help)\n";
        return 2;
    }
    const Options& options = std::get<Options>(parsed);
    if (options.help) {
        std::cout << usage_text();
        return 0;
    }
    try {
        std::vector<FeedMessage> messages = messages_of(options);
        apply_speed(messages, options.speed);
        send_all(options, messages);
    } catch (const Failed& f) {
        std::cerr << "eew-feed-sim: " << f.why << "\n";
        return 1;
    }
    return 0;
}
