// Logs read for a replay, and what "replay" and "stop play" do with them.
#include <gtest/gtest.h>

#include <sstream>

#include "app/replay_commands.hpp"
#include "fakes/log_text.hpp"
#include "fakes/started_app.hpp"
#include "replay/replay_file.hpp"

namespace eew {
namespace {

using feedlib::report_text;
using test::log_text;

// The default quake's report, sent `second` seconds after 09:00:00.
std::string sent_at(int second, int sequence = 1, double magnitude = 6.5) {
    return feedlib::report_text({.sequence = sequence,
                                 .send_time = "2024,4,1,9,0," + std::to_string(second),
                                 .magnitude = magnitude});
}

ReplayFile read(const std::string& text) {
    std::istringstream in(text);
    return read_replay_file(in);
}

TEST(ReplayFile, TheLastLineIsDroppedAndHundredReportsOrAnOversizeAreTooMuch) {
    struct Case {
        std::string name, text;
        ReplayLoad outcome;
        std::size_t lines;
    };
    const std::string one = log_text({feedlib::report_text({})});
    std::string big;  // lines within their bound, but too many bytes in all
    while (big.size() <= kMaxReplayFileBytes)
        big += std::string(kMaxReplayLineBytes - 1, 'x') + "\r\n";
    const Case cases[] = {
        {"nothing", "", ReplayLoad::empty, 0},
        {"only the final line end", "\r\n", ReplayLoad::empty, 0},
        {"a report without its line end", feedlib::report_text({}), ReplayLoad::empty, 0},
        {"one record", one, ReplayLoad::ok, 1},
        {"a record cut off after the first",
         one.substr(0, one.size() - 2) + feedlib::report_text({}), ReplayLoad::ok, 1},
        {"99 reports", log_text(std::vector(99, feedlib::report_text({}))), ReplayLoad::ok, 99},
        {"100 reports", log_text(std::vector(100, feedlib::report_text({}))), ReplayLoad::invalid,
         0},
        // A report split by a CR: its pieces lack send times.
        {"a CR inside a report", "<send_time>2024,4,1,9,0,5</send_time>\r<eew>\r\n\r\n",
         ReplayLoad::invalid, 0},
        {"a lone line needs no send time", "<eew>\r\n\r\n", ReplayLoad::ok, 1},
        {"two lines need send times", log_text({feedlib::report_text({}), "<eew>"}),
         ReplayLoad::invalid, 0},
        {"a send time that is no date",
         log_text(
             {feedlib::report_text({}), feedlib::report_text({.send_time = "2024,13,1,9,0,5"})}),
         ReplayLoad::invalid, 0},
        {"a line over its bound", std::string(kMaxReplayLineBytes + 1, 'x') + "\r\n",
         ReplayLoad::invalid, 0},
        {"too many bytes", big, ReplayLoad::invalid, 0},
    };
    for (const Case& c : cases) {
        const ReplayFile f = read(c.text);
        EXPECT_EQ(f.outcome, c.outcome) << c.name;
        EXPECT_EQ(f.lines.size(), c.lines) << c.name;
    }
    EXPECT_EQ(load_replay_file("/nonexistent/log").outcome, ReplayLoad::invalid);
}

// Second 62 is 09:01:02; a report sent before the first goes back in time.
TEST(ReplayFile, ALineEndsAtCrKeepsItsLineFeedsAndIsPacedFromTheFirstLine) {
    const ReplayFile f = read(
        "a\n<send_time>2024,4,1,9,0,5</send_time>\r\n"
        "\n<send_time>2024,4,1,9,0,6</send_time>\r\r\n");
    ASSERT_EQ(f.outcome, ReplayLoad::ok);
    EXPECT_EQ(f.lines, (std::vector<std::string>{"a\n<send_time>2024,4,1,9,0,5</send_time>",
                                                 "\n<send_time>2024,4,1,9,0,6</send_time>"}));
    const ReplayFile paced = read(log_text({sent_at(5), sent_at(5), sent_at(62), sent_at(3)}));
    EXPECT_EQ(paced.offsets, (std::vector<long long>{0, 0, 57, -2}));
    EXPECT_EQ(paced.first_send_time.text(), "2024/04/01 09:00:05");
}
// What the file reader refuses is its own test; here what the program does
// with each outcome. The most a log may hold, 99 reports, plays.
TEST(ReplayStart, AFileEitherPlaysOrLeavesTheProgramIdleWithNothingBehind) {
    const std::string small = sent_at(5, 1, 3.0);  // below the filter
    const std::string broken = feedlib::report_text(
        {.sequence = 2, .origin_time = "2024,4,31,9,0,0", .send_time = "2024,4,1,9,0,6"});
    const std::optional<std::string> cancel;
    // clang-format off
    const std::tuple<std::optional<std::string>, bool, bool> cases[] = {  // content, plays, invalid
        {cancel, false, false}, {"", false, false}, {log_text(std::vector(99, sent_at(5))), true, false},
        {log_text({small}), false, false}, {log_text({small, broken}), false, true}};
    // clang-format on
    for (const auto& [content, plays, invalid] : cases) {
        test::StartedApp t;
        if (content)
            t.folder.write("log/x", *content), t.platform.chosen_file = t.folder.path() + "/log/x";
        t.app.Command8_Click();
        const MainState& m = t.m();
        EXPECT_EQ(t.platform.dialog_folders, std::vector<std::string>{m.paths.logp});
        EXPECT_EQ(t.platform.messages, std::vector<std::string>(invalid, "invalid file"));
        EXPECT_EQ(
            std::tuple(m.events.event_flag, m.events.n_event, m.main_view.Command8.enabled,
                       m.main_view.Command7.enabled, t.platform.window_state(WindowId::popupmap)),
            std::tuple(plays ? EventFlag::replaying : EventFlag::idle, plays ? 1 : 0, !plays, plays,
                       plays ? WindowState::normal : WindowState::not_created))
            << content.value_or("cancel").size();
    }
}

using Replay = test::AppTest;

// Line 1 (M 3.0) is below the filter; line 2, 3 s later, is shown at once.
// "stop play" ends the replay without a log (what the buttons and the pop-up
// then show is pressed through the real window); while a live event is
// followed, "replay" opens no dialog and "stop play" leaves the event alone.
TEST_F(Replay, LinesBeforeTheFollowedEventPrimeTheTableAndStopPlayLeavesALiveEventAlone) {
    s.folder.write("log/chosen", log_text({sent_at(5, 1, 3.0), sent_at(8, 2), sent_at(13, 3)}));
    s.platform.chosen_file = s.folder.path() + "/log/chosen";
    s.app.Command8_Click();
    EXPECT_EQ(std::tuple(m.events.event_flag, m.followed.sequence, m.first.sendtime_first.text(),
                         m.travel.lapse, m.replay.replay_offsets[3]),
              std::tuple(EventFlag::replaying, "2", "2024/04/01 09:00:08", 8, 8));
    s.app.Command7_Click();
    EXPECT_EQ(std::tuple(m.events.event_flag, m.events.n_event,
                         s.folder.exists("log/20240401.0900_0_M65")),
              std::tuple(EventFlag::idle, 0, false));
    receive(feedlib::ReportValues{});
    s.app.Command8_Click();
    EXPECT_EQ(s.platform.dialog_folders.size(), 1u);  // the first replay's only
    s.app.Command7_Click();
    EXPECT_EQ(std::tuple(m.events.event_flag, m.followed.code),
              std::tuple(EventFlag::followed, "20240401090000"));
}

}  // namespace
}  // namespace eew
