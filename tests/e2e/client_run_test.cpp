// The real program, offscreen on a copy of its folder, fed a scenario by the
// real simulator: what it logs, lists, reloads, and how its log replays.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QProcess>
#include <QThread>
#include <filesystem>
#include <memory>
#include <regex>

#include "fakes/client_process.hpp"
#include "fakes/report_text.hpp"
#include "fakes/started_app.hpp"
#include "scenario.hpp"
#include "scenario_plan.hpp"

namespace eew {
namespace {

namespace fs = std::filesystem;

// M 5.6 and, a second later, M 4.2 under Chiba; the noise message ends the
// event 9 s after the first origin.
const char* const kScenario =
    "quake\n origin 0\n epicentre 140.1 35.6\n depth 10\n magnitude 5.6\n reports 3 1\n"
    " region chiba_northwest\n noise 3\n"
    "quake\n origin 1\n epicentre 140.3 35.8\n depth 10\n magnitude 4.2\n reports 2 1\n"
    " region chiba_northwest\n";

struct ProgramRun {
    test::TempFolder folder;
    std::vector<sim::FeedMessage> sent;  // the simulator's reports
    std::string list, reloaded_list;     // 24hours.dat after each termination
    std::string name(const std::string& code, const char* tag) const {
        return code.substr(0, 8) + "." + code.substr(8, 4) + "_" + code.back() + tag;
    }
    std::vector<std::string> reports_of(const std::string& code) const {
        std::vector<std::string> texts;
        for (const auto& m : sent)
            if (m.kind == sim::MessageKind::report && m.label.starts_with(code + "/"))
                texts.push_back(m.text);
        return texts;
    }
};

std::vector<std::string> files_in(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.is_regular_file()) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// One run per test program: display time 8 s (line 5), a free port (line 1),
// automatic start (line 21).
const ProgramRun& program_run() {
    static std::unique_ptr<ProgramRun> r;
    if (r) return *r;
    r = std::make_unique<ProgramRun>();
    const fs::path root(r->folder.path());
    fs::copy(EEW_CLIENT_BINARY, root / "eewclient");
    fs::copy(fs::path(EEW_SOURCE_DIR) / "data", root / "data", fs::copy_options::recursive);
    fs::remove(root / "data" / "24hours.dat");
    const quint16 port = test::free_udp_port();
    std::string config = r->folder.read("data/tavi.config");
    config = std::regex_replace(config, std::regex("^[0-9]+"), std::to_string(port));
    config = std::regex_replace(config, std::regex("^(([^\n]*\n){4})[0-9.]+"), "$018");
    config = std::regex_replace(config, std::regex("^(([^\n]*\n){20})[01]"), "$011");
    r->folder.write("data/tavi.config", config);
    r->folder.write("e2e.scenario", kScenario);

    QProcess program, simulator;
    if (!test::start_listening(program, (root / "eewclient").string(), port)) return *r;
    const QDateTime before = QDateTime::currentDateTime();
    simulator.start(EEW_FEED_SIM, {"--port", QString::number(port),
                                   QString::fromStdString((root / "e2e.scenario").string())});
    simulator.waitForFinished(30000);
    // The simulator starts at the next whole second: find the one whose
    // messages it printed.
    const std::string printed = simulator.readAllStandardOutput().toStdString();
    const auto scenario = std::get<sim::Scenario>(sim::parse_scenario(kScenario));
    for (int s = 0; s <= 3 && r->sent.empty(); ++s) {
        const QDateTime t = before.addSecs(s);
        auto sent = sim::plan_scenario(
            scenario,
            *DateTime::from_fields(t.date().year(), t.date().month(), t.date().day(),
                                   t.time().hour(), t.time().minute(), t.time().second()));
        if (printed.find("  " + sent.front().label + "\n") != std::string::npos) r->sent = sent;
    }
    // The event ends by itself: both logs appear.
    for (int waited = 0; waited < 300 && files_in(root / "log").size() < 2; ++waited)
        QThread::msleep(100);
    test::terminate_cleanly(program);
    r->list = r->folder.read("data/24hours.dat");
    // Started again, the program loads the list, and saves it as it was.
    if (!test::start_listening(program, (root / "eewclient").string(), port)) return *r;
    fs::remove(root / "data" / "24hours.dat");
    test::terminate_cleanly(program);
    r->reloaded_list = r->folder.read("data/24hours.dat");
    return *r;
}

// Each report as sent, its arrival time, LF CR LF; one CR LF at the end.
void expect_log_of(const std::string& log, const std::vector<std::string>& reports) {
    std::size_t at = 0;
    for (const std::string& report : reports) {
        ASSERT_EQ(log.substr(at, report.size()), report);
        at += report.size();
        EXPECT_TRUE(std::regex_match(log.substr(at, 22),
                                     std::regex(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d\n\r\n)")));
        at += 22;
    }
    EXPECT_EQ(log.substr(at), "\r\n");
}

TEST(EndToEnd, AnEventFromTheSimulatorIsLoggedListedAndReloaded) {
    const ProgramRun& r = program_run();
    ASSERT_FALSE(r.sent.empty());
    const std::string large = r.sent.front().label.substr(0, 14);
    std::string small;
    for (const auto& m : r.sent)
        if (small.empty() && !m.label.starts_with(large)) small = m.label.substr(0, 14);
    const fs::path root(r.folder.path());
    EXPECT_EQ(files_in(root / "log"),
              (std::vector<std::string>{r.name(large, "_M56"), r.name(small, "_M42")}));
    EXPECT_EQ(files_in(root / "log" / "large_events"),
              std::vector<std::string>{r.name(large, "_M56")});
    const std::string log = r.folder.read("log/" + r.name(large, "_M56"));
    expect_log_of(log, r.reports_of(large));
    expect_log_of(r.folder.read("log/" + r.name(small, "_M42")), r.reports_of(small));
    EXPECT_EQ(r.folder.read("log/large_events/" + r.name(large, "_M56")), log);

    EXPECT_TRUE(
        std::regex_match(r.list, std::regex("2\r\n"
                                            "[0-9/]+ [0-9:]+\r\n5.6 35.6 140.1 [0-9]+\r\n"
                                            "[0-9/]+ [0-9:]+\r\n4.2 35.8 140.3 [0-9]+\r\n")))
        << r.list;
    EXPECT_EQ(r.reloaded_list, r.list);
}

// Fed live, in-process, each report when it was sent, the log the program
// wrote announces the same classes and headlines as its replay.
TEST(EndToEnd, TheWrittenLogReplaysAsItWasHeardLive) {
    const ProgramRun& r = program_run();
    ASSERT_FALSE(r.sent.empty());
    const std::string path =
        r.folder.path() + "/log/" + r.name(r.sent.front().label.substr(0, 14), "_M56");
    const std::string log = r.folder.read(path.substr(r.folder.path().size() + 1));
    const std::string regions = r.folder.read("data/jmargn_j.csv");
    using Said = std::vector<std::string>;
    struct Heard {
        Said sounds, sentences;
    };
    const auto follow = [](test::StartedApp& t, Heard& h, const auto& step) {
        t.m().settings.disp_event_minutes = 8;
        t.platform.sounds.clear();
        for (int second = 0; second < 60 && (second == 0 || t.m().events.event_flag != 0);
             ++second) {
            step(second);
            const auto& v = t.m().message_view;
            // The countdown sentence (Label3) is left out: right after the
            // first report the replay shows each second one tick earlier.
            for (const std::string* s : {&v.Label2, &v.Label4})
                if (!s->empty() && (h.sentences.empty() || h.sentences.back() != *s))
                    h.sentences.push_back(*s);
        }
        for (const std::string& sound : t.platform.sounds)
            h.sounds.push_back(fs::path(sound).filename().string());
    };

    Heard live, replayed;
    test::StartedApp l{{"data/jmargn_j.csv", regions}};
    std::vector<std::pair<DateTime, std::string>> records;
    for (std::size_t at = 0, end; (end = log.find("\n\r\n", at)) != std::string::npos;
         at = end + 3) {
        const std::string report = log.substr(at, end - 19 - at);
        const std::size_t sent = report.find("<send_time>") + 11;
        records.emplace_back(
            *DateTime::from_feed_text(report.substr(sent, report.find('<', sent) - sent)), report);
    }
    ASSERT_FALSE(records.empty());
    l.platform.clock = records.front().first;
    follow(l, live, [&](int second) {
        if (second > 0) l.platform.advance(1), l.app.Timer1_Timer();
        for (const auto& [when, report] : records)
            if (when == l.platform.clock) l.app.Winsock1_DataArrival(test::relay_datagram(report));
        if (l.platform.clock == records.back().first.plus_seconds(1))
            l.app.Winsock1_DataArrival(test::relay_datagram("noise message"));
    });

    test::StartedApp p{{"data/jmargn_j.csv", regions}};
    p.platform.chosen_file = path;
    follow(p, replayed, [&](int second) {
        if (second == 0)
            p.app.Command8_Click();
        else
            p.platform.advance(1), p.app.Timer1_Timer();
    });
    EXPECT_FALSE(live.sounds.empty());
    EXPECT_EQ(replayed.sounds, live.sounds);
    EXPECT_EQ(replayed.sentences, live.sentences);
}

}  // namespace
}  // namespace eew
