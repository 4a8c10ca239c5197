#include "app/replay_commands.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/report_text.hpp"
#include "fakes/started_app.hpp"

namespace eew {
namespace {

using test::report_xml;
using test::ReportValues;

// The default quake, sent `second` seconds after 09:00:00.
ReportValues sent_at(int second, int sequence) {
    ReportValues v;
    v.sequence = sequence;
    v.send_time = "2024,4,1,9,0," + std::to_string(second);
    return v;
}

std::string log_text(const std::vector<ReportValues>& reports) {
    std::string text;
    for (const ReportValues& v : reports)
        text += report_xml(v) + "2024/04/01 09:00:06\n\r\n";
    return text + "\r\n";
}

// The files in the log folder, without its subfolder.
std::vector<std::filesystem::path> logs(const MainState& m) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(m.paths.logp))
        if (entry.is_regular_file()) files.push_back(entry.path());
    return files;
}

struct Replay : ::testing::Test {
    void choose(const std::string& content) {
        s.folder.write("log/chosen", content);
        s.platform.chosen_file = s.folder.path() + "/log/chosen";
    }
    void tick() {
        s.platform.advance(1);
        s.app.Timer1_Timer();
    }
    MainState& m() { return s.m(); }

    test::StartedApp s;
};

TEST(ReplayStart, AFileEitherPlaysOrLeavesTheProgramIdleWithNothingBehind) {
    auto reports = [](int n) {
        std::vector<ReportValues> lines;
        for (int k = 1; k <= n; ++k)
            lines.push_back(sent_at(5, k));
        return log_text(lines);
    };
    ReportValues small = sent_at(5, 1);  // below the filter
    small.magnitude = 3.0;
    ReportValues broken = sent_at(6, 2);
    broken.origin_time = "2024,4,31,9,0,0";
    struct Case {
        std::string name;
        std::optional<std::string> content;  // nothing: the dialog is cancelled
        bool plays, invalid;
    };
    const Case cases[] = {
        {"cancel", std::nullopt, false, false},
        {"empty file", "", false, false},
        {"only a line end", "\r\n", false, false},
        {"99 reports", reports(99), true, false},
        {"100 reports", reports(100), false, true},
        {"nothing followed", log_text({small}), false, false},
        {"a broken date after a merged line", log_text({small, broken}), false, true},
    };
    for (const Case& c : cases) {
        test::StartedApp t;
        if (c.content) t.folder.write("log/x", *c.content);
        if (c.content) t.platform.chosen_file = t.folder.path() + "/log/x";
        t.app.Command8_Click();
        const MainState& m = t.m();
        EXPECT_EQ(t.platform.dialog_folders, std::vector<std::string>{m.paths.logp}) << c.name;
        EXPECT_EQ(t.platform.messages,
                  c.invalid ? std::vector<std::string>{"invalid file"} : std::vector<std::string>{})
            << c.name;
        EXPECT_EQ(m.events.event_flag, c.plays ? 11 : 0) << c.name;
        EXPECT_EQ(m.events.n_event, c.plays ? 1 : 0) << c.name;
        EXPECT_EQ(m.main_view.Command8.enabled, !c.plays) << c.name;
        EXPECT_EQ(m.main_view.Command7.enabled, c.plays) << c.name;
        EXPECT_EQ(t.platform.window_state(WindowId::popupmap),
                  c.plays ? WindowState::normal : WindowState::not_created)
            << c.name;
    }
}

// Line 1 (M 3.0) is below the filter; line 2, 3 s later, is shown at once;
// lines 3 and 4 share a send time 8 s after line 1.
TEST_F(Replay, LinesBeforeTheFollowedEventPrimeTheTableAndOffsetsCountFromLineOne) {
    ReportValues small = sent_at(5, 1);
    small.magnitude = 3.0;
    choose(log_text({small, sent_at(8, 2), sent_at(13, 3), sent_at(13, 4)}));
    s.app.Command8_Click();
    EXPECT_EQ(m().events.event_flag, 11);
    EXPECT_EQ(m().followed.sequence, "2");
    EXPECT_EQ(m().first.sendtime_first.text(), "2024/04/01 09:00:08");
    EXPECT_EQ(m().travel.lapse, 8);
    EXPECT_EQ(s.platform.window_state(WindowId::popupmap), WindowState::normal);
    // Seconds after the start: line 3 is due at 8, line 4 on the next tick.
    const int data_num[] = {2, 2, 2, 2, 2, 2, 2, 3, 4, 4};
    for (int second = 1; second <= 10; ++second) {
        tick();
        EXPECT_EQ(m().replay.data_num, data_num[second - 1]) << second;
    }
    EXPECT_EQ(m().events.event_flag, 12);
}

TEST_F(Replay, StopPlayAndALiveReportEndTheReplayWithoutALog) {
    for (bool live : {false, true}) {
        test::StartedApp t;
        t.folder.write("log/x", log_text({sent_at(5, 1), sent_at(9, 2)}));
        t.platform.chosen_file = t.folder.path() + "/log/x";
        t.app.Command8_Click();
        ASSERT_EQ(t.m().events.event_flag, 11);
        ReportValues other;
        other.code = "20240401090030";
        if (live)
            t.app.Winsock1_DataArrival(test::relay_datagram(report_xml(other)));
        else
            t.app.Command7_Click();
        EXPECT_EQ(t.m().events.event_flag, live ? 2 : 0) << live;
        EXPECT_EQ(t.m().events.n_event, live ? 1 : 0) << live;
        if (live) {
            EXPECT_EQ(t.m().events.event_code[1], other.code);
        }
        EXPECT_FALSE(t.m().main_view.Command7.enabled) << live;
        EXPECT_EQ(t.platform.window_state(WindowId::popupmap),
                  live ? WindowState::normal : WindowState::not_created);
        EXPECT_EQ(logs(t.m()), std::vector<std::filesystem::path>{t.folder.path() + "/log/x"});
    }
}

TEST_F(Replay, ReplayWhileALiveEventIsTrackedDoesNothing) {
    s.app.Winsock1_DataArrival(test::relay_datagram(report_xml({})));
    choose(log_text({sent_at(5, 1)}));
    s.app.Command8_Click();
    EXPECT_TRUE(s.platform.dialog_folders.empty());
    EXPECT_EQ(m().events.event_flag, 2);
    EXPECT_EQ(m().followed.code, "20240401090000");
    // Stop play leaves the live event alone too.
    s.app.Command7_Click();
    EXPECT_EQ(m().events.event_flag, 2);
}

// What the user hears and reads, second by second.
struct Moment {
    std::string lapse, countdown, headline, warning, long_period;
    bool operator==(const Moment&) const = default;
};

Moment moment(const MainState& m) {
    return {m.popup_view.Text8, m.popup_view.Text26, m.message_view.Label2, m.message_view.Label3,
            m.message_view.Label4};
}

// A quake 140 km away, reported every 2 s from second 6, each report arriving
// when it was sent, is logged; its replay says the same at the same seconds.
TEST_F(Replay, ALoggedEventReplaysAsItWasLive) {
    m().settings.disp_event_minutes = 40;
    std::vector<ReportValues> reports;
    for (int k = 1; k <= 5; ++k) {
        ReportValues v = sent_at(4 + 2 * k, k);
        v.latitude = 36.6;
        v.longitude = 140.9;
        v.magnitude = 5.9 + 0.5 * k;
        v.mip = v.magnitude;
        reports.push_back(v);
    }
    std::vector<Moment> live;
    s.platform.sounds.clear();
    for (std::size_t k = 0; m().events.event_flag != 0 || k == 0; ++k) {
        if (k > 0) tick();
        if (k % 2 == 0 && k / 2 < reports.size())
            s.app.Winsock1_DataArrival(test::relay_datagram(report_xml(reports[k / 2])));
        if (k == 9) s.app.Winsock1_DataArrival(test::relay_datagram("noise message"));
        live.push_back(moment(m()));
        ASSERT_LT(k, 100u);
    }
    const auto live_sounds = s.platform.sounds;

    ASSERT_EQ(logs(m()).size(), 1u);
    s.platform.chosen_file = logs(m()).front().string();
    s.platform.sounds.clear();
    s.app.Command8_Click();
    std::vector<Moment> replayed{moment(m())};
    while (m().events.event_flag != 0 && replayed.size() < 100) {
        tick();
        replayed.push_back(moment(m()));
    }
    EXPECT_EQ(s.platform.sounds, live_sounds);
    ASSERT_EQ(replayed.size(), live.size());
    for (std::size_t k = 0; k < live.size(); ++k) {
        EXPECT_EQ(replayed[k], live[k]) << k;
    }
    // The chime, then one sound for each class from 2 to 6 lower.
    EXPECT_EQ(live_sounds.size(), 6u);
}

}  // namespace
}  // namespace eew
