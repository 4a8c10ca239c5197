#include "app/replay_commands.hpp"

#include "app_test.hpp"

namespace eew {
namespace {

using test::log_text;
using test::ReportValues;

// The default quake's report, sent `second` seconds after 09:00:00.
std::string sent_at(int second, int sequence, double magnitude = 6.5) {
    return test::report_xml({.sequence = sequence,
                             .send_time = "2024,4,1,9,0," + std::to_string(second),
                             .magnitude = magnitude});
}

struct Replay : test::AppTest {
    void choose(const std::string& content) {
        s.folder.write("log/chosen", content);
        s.platform.chosen_file = s.folder.path() + "/log/chosen";
    }
};

// What the file reader refuses is its own test; here what the program does
// with each outcome. The most a log may hold, 99 reports, plays.
TEST(ReplayStart, AFileEitherPlaysOrLeavesTheProgramIdleWithNothingBehind) {
    const std::string small = sent_at(5, 1, 3.0);  // below the filter
    const std::string broken = test::report_xml(
        {.sequence = 2, .origin_time = "2024,4,31,9,0,0", .send_time = "2024,4,1,9,0,6"});
    const std::optional<std::string> cancel;
    // clang-format off
    const std::tuple<std::optional<std::string>, bool, bool> cases[] = {  // content, plays, invalid
        {cancel, false, false}, {"", false, false}, {log_text(std::vector(99, sent_at(5, 1))), true, false},
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
            std::tuple(plays ? 11 : 0, plays ? 1 : 0, !plays, plays,
                       plays ? WindowState::normal : WindowState::not_created))
            << content.value_or("cancel").size();
    }
}

// Line 1 (M 3.0) is below the filter; line 2, 3 s later, is shown at once.
TEST_F(Replay, LinesBeforeTheFollowedEventPrimeTheTableAndOffsetsCountFromLineOne) {
    choose(log_text({sent_at(5, 1, 3.0), sent_at(8, 2), sent_at(13, 3)}));
    s.app.Command8_Click();
    EXPECT_EQ(std::tuple(m.events.event_flag, m.followed.sequence, m.first.sendtime_first.text(),
                         m.travel.lapse, m.replay.replay_offsets[3]),
              std::tuple(11, "2", "2024/04/01 09:00:08", 8, 8));
}

// Stop play ends a replay without a log; while a live event is followed,
// "replay" opens no dialog and "stop play" leaves the event alone.
TEST_F(Replay, StopPlayEndsTheReplayWithoutALogAndLeavesALiveEventAlone) {
    choose(log_text({sent_at(5, 1), sent_at(9, 2)}));
    s.app.Command8_Click();
    ASSERT_EQ(m.events.event_flag, 11);
    s.app.Command7_Click();
    EXPECT_EQ(std::tuple(m.events.event_flag, m.events.n_event, m.main_view.Command7.enabled,
                         s.platform.window_state(WindowId::popupmap)),
              std::tuple(0, 0, false, WindowState::not_created));
    EXPECT_FALSE(s.folder.exists("log/20240401.0900_0_M65"));
    receive(ReportValues{});
    s.app.Command8_Click();
    EXPECT_EQ(s.platform.dialog_folders.size(), 1u);  // the first replay's only
    s.app.Command7_Click();
    EXPECT_EQ(std::tuple(m.events.event_flag, m.followed.code), std::tuple(2, "20240401090000"));
}

}  // namespace
}  // namespace eew
