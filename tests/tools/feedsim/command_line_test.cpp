#include "command_line.hpp"

#include <gtest/gtest.h>

namespace eew::sim {
namespace {

std::variant<Options, std::string> parse(std::vector<std::string_view> args) {
    return parse_command_line(args);
}

std::string error_of(std::vector<std::string_view> args) {
    const auto r = parse(std::move(args));
    return std::holds_alternative<std::string>(r) ? std::get<std::string>(r) : "(accepted)";
}

TEST(CommandLine, ReadsFileAndRawForms) {
    const auto file = parse({"--lan", "--speed", "2.5", "--port", "52101", "a.scenario"});
    ASSERT_TRUE(std::holds_alternative<Options>(file));
    const Options& f = std::get<Options>(file);
    EXPECT_EQ(f.port, 52101);
    EXPECT_EQ(f.framing, Framing::lan);
    EXPECT_DOUBLE_EQ(f.speed, 2.5);
    EXPECT_EQ(f.file, "a.scenario");
    EXPECT_FALSE(f.raw);

    const auto raw = parse({"--port", "1", "--raw", "noise -- end"});
    ASSERT_TRUE(std::holds_alternative<Options>(raw));
    EXPECT_EQ(std::get<Options>(raw).framing, Framing::relay);
    EXPECT_EQ(std::get<Options>(raw).raw, "noise -- end");

    const auto help = parse({"--port", "x", "--help"});
    EXPECT_TRUE(std::holds_alternative<std::string>(help));
    EXPECT_TRUE(std::get<Options>(parse({"--help", "--port", "x"})).help);
}

TEST(CommandLine, RejectsBadPortsAndSpeeds) {
    for (std::string_view port : {"0", "65536", "-1", "80x", "", "port"})
        EXPECT_NE(error_of({"--port", port, "f"}).find("bad port"), std::string::npos) << port;
    EXPECT_EQ(error_of({"--port", "65535", "f"}), "(accepted)");
    EXPECT_EQ(error_of({"--port", "9", "--speed", "0.01", "f"}), "(accepted)");
    for (std::string_view speed : {"0", "-2", "0.009", "1e-300", "inf", "fast"})
        EXPECT_NE(error_of({"--port", "9", "--speed", speed, "f"}).find("bad speed"),
                  std::string::npos)
            << speed;
}

TEST(CommandLine, NeedsAPortAndExactlyOneSource) {
    EXPECT_EQ(error_of({"f"}), "--port is required");
    EXPECT_EQ(error_of({"--port", "9"}), "give a FILE or --raw TEXT");
    EXPECT_EQ(error_of({"--port", "9", "f", "--raw", "x"}),
              "give either a FILE or --raw, not both");
    EXPECT_EQ(error_of({"--port", "9", "f", "g"}), "more than one file given");
    EXPECT_EQ(error_of({"--port", "9", "--speed", "2", "--raw", "x"}),
              "--speed applies to files only");
    EXPECT_EQ(error_of({"--port", "9", "--fast", "f"}), "unknown option '--fast'");
    EXPECT_EQ(error_of({"f", "--port"}), "--port needs a value");
}

}  // namespace
}  // namespace eew::sim
