#include "replay/replay_file.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "fakes/report_text.hpp"

namespace eew {
namespace {

using test::log_text;
using test::report_xml;

// One report sent at `send_time`.
std::string sent_at(const std::string& send_time) {
    return report_xml({.send_time = send_time});
}

ReplayFile read(const std::string& text) {
    std::istringstream in(text);
    return read_replay_file(in);
}

TEST(ReplayFile, TheLastLineIsDroppedAndHundredReportsAreTooMany) {
    struct Case {
        std::string name, text;
        ReplayLoad outcome;
        std::size_t lines;
    };
    const std::string one = log_text({report_xml({})});
    const Case cases[] = {
        {"nothing", "", ReplayLoad::empty, 0},
        {"only the final line end", "\r\n", ReplayLoad::empty, 0},
        {"a report without its line end", report_xml({}), ReplayLoad::empty, 0},
        {"one record", one, ReplayLoad::ok, 1},
        {"a record cut off after the first", one.substr(0, one.size() - 2) + report_xml({}),
         ReplayLoad::ok, 1},
        {"99 reports", log_text(std::vector(99, report_xml({}))), ReplayLoad::ok, 99},
        {"100 reports", log_text(std::vector(100, report_xml({}))), ReplayLoad::invalid, 0},
        // A report split by a CR: its pieces lack send times.
        {"a CR inside a report", "<send_time>2024,4,1,9,0,5</send_time>\r<eew>\r\n\r\n",
         ReplayLoad::invalid, 0},
        {"a lone line needs no send time", "<eew>\r\n\r\n", ReplayLoad::ok, 1},
        {"two lines need send times", log_text({report_xml({}), "<eew>"}), ReplayLoad::invalid, 0},
        {"a send time that is no date", log_text({report_xml({}), sent_at("2024,13,1,9,0,5")}),
         ReplayLoad::invalid, 0},
    };
    for (const Case& c : cases) {
        const ReplayFile f = read(c.text);
        EXPECT_EQ(f.outcome, c.outcome) << c.name;
        EXPECT_EQ(f.lines.size(), c.lines) << c.name;
    }
}

TEST(ReplayFile, ALineEndsAtCrAndKeepsItsLineFeeds) {
    const ReplayFile f = read(
        "a\n<send_time>2024,4,1,9,0,5</send_time>\r\n"
        "\n<send_time>2024,4,1,9,0,6</send_time>\r\r\n");
    ASSERT_EQ(f.outcome, ReplayLoad::ok);
    EXPECT_EQ(f.lines, (std::vector<std::string>{"a\n<send_time>2024,4,1,9,0,5</send_time>",
                                                 "\n<send_time>2024,4,1,9,0,6</send_time>"}));
}

TEST(ReplayFile, OffsetsCountFromTheFirstLine) {
    const ReplayFile f = read(log_text({sent_at("2024,4,1,9,0,5"), sent_at("2024,4,1,9,0,5"),
                                        sent_at("2024,4,1,9,1,2"), sent_at("2024,4,1,9,0,3")}));
    ASSERT_EQ(f.outcome, ReplayLoad::ok);
    EXPECT_EQ(f.offsets, (std::vector<long long>{0, 0, 57, -2}));
    EXPECT_EQ(f.first_send_time.text(), "2024/04/01 09:00:05");
}

TEST(ReplayFile, OversizedFilesAndLinesAreInvalidAndMissingFilesToo) {
    const std::string long_line(kMaxReplayLineBytes + 1, 'x');
    // Lines within bounds, but too many bytes in all.
    std::string big;
    const std::string line(kMaxReplayLineBytes - 1, 'x');
    while (big.size() <= kMaxReplayFileBytes)
        big += line + "\r\n";
    for (const std::string& text : {long_line + "\r\n", big})
        EXPECT_EQ(read(text).outcome, ReplayLoad::invalid) << text.size();
    EXPECT_EQ(load_replay_file("/nonexistent/log").outcome, ReplayLoad::invalid);
}

}  // namespace
}  // namespace eew
