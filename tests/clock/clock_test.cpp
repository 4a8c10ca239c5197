// The clock's check: one SNTP exchange read, the line the main window shows,
// and the time server's file.
#include <gtest/gtest.h>

#include "clock/clock_check.hpp"
#include "clock/sntp.hpp"
#include "clock/time_server.hpp"
#include "fakes/temp_folder.hpp"

namespace eew {
namespace {

constexpr double kT1 = 1'800'000'000.25;  // 2027-01-15, a quarter second in

std::variant<SntpMeasure, std::string> read_reply(const SntpRequest& reply, double t4) {
    return read_sntp_reply(reply, kT1, t4);
}

// A server 2.4 s ahead, 40 ms away each way, 1 ms in the server: the offset
// comes out whatever the network's part. Replies that would mislead are
// discarded with their reason.
TEST(Sntp, TheOffsetOfAGoodReplyAndTheReasonForEveryOneDiscarded) {
    const double t2 = kT1 + 0.040 + 2.4, t3 = t2 + 0.001, t4 = kT1 + 0.081;
    const auto good = read_reply(sntp_reply(kT1, t2, t3), t4);
    ASSERT_TRUE(std::holds_alternative<SntpMeasure>(good));
    EXPECT_NEAR(std::get<SntpMeasure>(good).offset_s, 2.4, 1e-6);
    EXPECT_NEAR(std::get<SntpMeasure>(good).round_trip_s, 0.080, 1e-6);
    SntpRequest unsynchronised = sntp_reply(kT1, t2, t3), client = sntp_reply(kT1, t2, t3);
    unsynchronised[0] = 0xe4;
    client[0] = 0x23;
    const SntpRequest whole = sntp_reply(kT1, t2, t3);
    const std::pair<std::variant<SntpMeasure, std::string>, std::string> discarded[] = {
        {read_reply(sntp_reply(kT1, t2, t3), kT1 + 1.2), "a round trip over 1 s"},
        {read_reply(sntp_reply(kT1 + 0.5, t2, t3), t4), "a reply to another request"},
        {read_reply(sntp_reply(kT1, t2, t3, 0), t4), "the server refused (kiss-of-death)"},
        {read_reply(unsynchronised, t4), "the server is not synchronised"},
        {read_reply(client, t4), "not a server's reply"},
        {read_reply(sntp_reply(kT1, t2, t2 + 5), t4), "times that contradict each other"},
        {read_sntp_reply(std::span(whole).first(47), kT1, t4), "a reply shorter than 48 bytes"},
    };
    for (const auto& [read, why] : discarded)
        EXPECT_EQ(std::get_if<std::string>(&read) ? std::get<std::string>(read) : "", why) << why;
    // The request carries its send time where the reply must return it.
    EXPECT_EQ(sntp_request(kT1)[0], 0x23);
}

TEST(ClockLine, SaysTheStateAndTheOffsetAndWarnsOverASecondOrUnsynchronised) {
    using enum TimeSync;
    const std::tuple<ClockCheck, std::string, bool> cases[] = {
        {{synchronised, 0.03, ""}, "clock: synchronised, +0.03 s", false},
        {{synchronised, std::nullopt, ""}, "clock: synchronised", false},
        {{not_synchronised, std::nullopt, ""}, "clock: not synchronised", true},
        {{synchronised, 2.4, ""}, "clock: +2.4 s off", true},
        {{unknown, -1.25, ""}, "clock: -1.2 s off", true},
        {{unknown, -0.5, ""}, "clock: unknown, -0.50 s", false},
        {{unknown, 1.0, ""}, "clock: unknown, +1.0 s", false},
    };
    for (const auto& [check, text, warn] : cases) {
        const ClockLine line = clock_line(check);
        EXPECT_EQ(std::pair(line.text, line.warn), std::pair(text, warn));
    }
}

TEST(TimeServerFile, OneLineOfHostAndPortOrNoneAndABadLineIsNamed) {
    test::TempFolder dir;
    const std::string path = dir.path() + "/timeserver";
    EXPECT_EQ(read_time_server(path).server, std::nullopt);
    const std::pair<std::string, std::optional<TimeServer>> cases[] = {
        {"ntp.example.jp\r\n", TimeServer{"ntp.example.jp", 123}},
        {" 127.0.0.1:4123 ", TimeServer{"127.0.0.1", 4123}},
        {"[::1]:4123", TimeServer{"::1", 4123}},
        {"2001:db8::1", TimeServer{"2001:db8::1", 123}},
        {"host:0", std::nullopt},
        {"host:99999", std::nullopt},
        {"", std::nullopt},
        {"bad host", std::nullopt},
        {"[::1", std::nullopt},
    };
    for (const auto& [line, server] : cases) {
        dir.write("timeserver", line);
        const TimeServerFile read = read_time_server(path);
        EXPECT_EQ(read.server, server) << line;
        EXPECT_EQ(read.fault.has_value(), !server) << line;
    }
}

}  // namespace
}  // namespace eew
