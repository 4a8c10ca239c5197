#include "command_line.hpp"

#include <gtest/gtest.h>

namespace eew::sim {
namespace {

std::string error_of(std::vector<std::string_view> args) {
    const auto r = parse_command_line(args);
    return std::holds_alternative<std::string>(r) ? std::get<std::string>(r) : "(accepted)";
}

TEST(CommandLine, ReadsFileAndRawForms) {
    const auto file = std::get<Options>(
        parse_command_line({"--lan", "--speed", "2.5", "--port", "52101", "a.scenario"}));
    EXPECT_EQ(std::tuple(file.port, file.framing, file.speed, file.file, file.raw),
              std::tuple(52101, Framing::lan, 2.5, "a.scenario", std::nullopt));
    const auto raw =
        std::get<Options>(parse_command_line({"--port", "1", "--raw", "noise -- end"}));
    EXPECT_EQ(std::tuple(raw.framing, raw.file, raw.raw),
              std::tuple(Framing::relay, "", "noise -- end"));
    EXPECT_TRUE(std::get<Options>(parse_command_line({"--help", "--port", "x"})).help);
}

TEST(CommandLine, EachMistakeIsNamed) {
    for (std::string_view port : {"0", "65536", "80x", ""})
        EXPECT_EQ(error_of({"--port", port, "f"}),
                  "bad port '" + std::string(port) + "' (1 to 65535)");
    for (std::string_view speed : {"0.009", "inf", "fast"})
        EXPECT_EQ(error_of({"--port", "9", "--speed", speed, "f"}).substr(0, 9), "bad speed");
    EXPECT_EQ(error_of({"--port", "65535", "--speed", "0.01", "f"}), "(accepted)");
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
