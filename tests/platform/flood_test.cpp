// The whole receiving side, in LAN mode, under as many datagrams as a sender
// thread can push: reports of many quakes, noise, cut and random bytes,
// waveform and observation packets. The program must keep its tick, stay
// within its bounds and show the right quake once the flood is over.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <fstream>
#include <random>
#include <thread>

#include "app/app.hpp"
#include "fakes/client_process.hpp"
#include "fakes/program_folder.hpp"
#include "fakes/qt_test_platform.hpp"
#include "fakes/report_text.hpp"
#include "observed/packet_text.hpp"
#include "udp_sender.hpp"

namespace eew {
namespace {

long resident_kb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:")) return std::stol(line.substr(6));
    return 0;
}

// Datagram `i` of the flood, in LAN framing (the text and one byte).
std::string flood_datagram(int i, std::mt19937& random) {
    test::ReportValues r;
    r.code = "2024040109" + std::to_string(1000 + i % 40);
    r.sequence = 1 + i / 1000;
    r.latitude = 33 + (i % 40) * 0.1;
    const std::string report = test::report_xml(r);
    std::string junk(i % 10 == 6 ? random() % 1500 : 0, ' ');
    for (char& c : junk)
        c = static_cast<char>(random());
    const int kind = i % 10;
    // clang-format off
    return (kind < 4 ? report
          : kind == 4 ? "noise " + std::to_string(i) + " of the flood"
          : kind == 5 ? report.substr(0, random() % report.size())
          : kind == 6 ? junk
          : kind == 7 ? test::wave_header(i, 1, 1, 0.5, 1) +
                            test::wave_record("ST" + std::to_string(i % 90), "U", 12.5, 300, 1.5, "0A0B")
          : kind == 8 ? test::obs_header(1) + test::obs_record("35.1", "139.2", 2.5)
          : report.substr(0, 400) + std::string(60000, 'x') + report.substr(400)) + "\n";
    // clang-format on
}

TEST(Flood, AHundredThousandMixedDatagramsLeaveTheTickRunningBoundedAndTheLastQuakeShown) {
    test::TempFolder folder;
    const int port = test::free_udp_port();
    test::write_program_files(folder);
    std::string config = test::sample_config(1, 1, 1);
    config.replace(0, 4, std::to_string(port));
    folder.write("data/tavi.config", config);

    test::QtTestPlatform platform;
    platform.folder = folder.path();
    App app(platform);
    platform.attach_views(app.state().popup_view, app.state().message_view);
    QElapsedTimer clock;
    clock.start();
    int received = 0;
    platform.on_datagram([&](std::string_view d) {
        ++received;
        app.Winsock1_DataArrival(d);
        platform.render_event_windows_soon();
    });
    ASSERT_EQ(app.Form_Load(), std::nullopt);
    QElapsedTimer since_tick;
    qint64 worst_gap_ms = 0;
    int ticks = 0;
    QTimer timer1;
    timer1.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer1, &QTimer::timeout, [&] {
        if (ticks++ > 0) worst_gap_ms = std::max(worst_gap_ms, since_tick.elapsed());
        since_tick.start();
        app.Timer1_Timer();
        platform.render_event_windows();
    });
    timer1.start(1000);

    const long rss_before = resident_kb();
    std::atomic<bool> sent = false;
    std::thread sender([&] {
        std::mt19937 random(7);
        sim::UdpSender udp(port);
        for (int i = 0; i < 100000; ++i)
            udp.send(flood_datagram(i, random));
        sent = true;
    });
    while (!sent)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    sender.join();
    const int ticks_in_flood = ticks;
    // Whatever is still queued is read, and the tick goes on after it.
    while (ticks < ticks_in_flood + 2 && clock.elapsed() < 40000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_GE(ticks, ticks_in_flood + 2);

    const MainState& m = app.state();
    EXPECT_LE(m.events.n_event, EventTable::kSlots);
    EXPECT_LE(m.recent.total_event_number, RecentEvents::kCapacity);
#ifndef __SANITIZE_ADDRESS__  // which keeps freed memory aside on purpose
    EXPECT_LT(resident_kb() - rss_before, 50 * 1024);
#endif
    std::printf(
        "flood: %d of 100000 received in %.1f s, %d ticks, worst tick gap %lld ms, "
        "resident %ld -> %ld kB\n",
        received, clock.elapsed() / 1000.0, ticks, worst_gap_ms, rss_before, resident_kb());

    // The next report of the followed quake (or of a new one, if the flood's
    // have ended), now right under the site, is shown with its own values,
    // nothing left of the damaged ones.
    test::ReportValues last;
    last.code = m.followed.code.empty() ? "20991231235959" : m.followed.code;
    last.sequence = 999;
    last.latitude = 35.7;
    last.longitude = 139.7;
    last.magnitude = last.mip = 7.5;
    sim::UdpSender(port).send(test::report_xml(last) + "\n");
    while (m.popup_view.Text20 != "999" && clock.elapsed() < 45000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(std::tuple(m.followed.code, m.followed.latitude, m.followed.magnitude),
              std::tuple(last.code, 35.7, 7.5));
    EXPECT_EQ(m.popup_view.Text20, "999");
}

}  // namespace
}  // namespace eew
