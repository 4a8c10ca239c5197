// eew-bench-fanout: one bridge, one broker, many displays. Starts a mosquitto
// broker (the path given) on a free loopback port and SUBSCRIBERS headless
// displays, each the program's own feed code (App on a platform without
// windows, its broker feed on the program's MQTT connection, one session
// each), all on this process's event loop. Starts eew-bridge publishing to
// the broker and writes REPORTS telegrams to its standard input, 10 ms
// apart: quake after quake of 90 reports each, so that every report is a new
// one.
// For each report and display it notes the time from the line written to
// the bridge to the report handled by that display's dispatch, and prints
// the median, 99th percentile and maximum over all of them, and the reports
// each display missed or took twice.

#include <QCoreApplication>
#include <QProcess>
#include <QTimer>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <thread>
#include <vector>

#include "app/app.hpp"
#include "bench/bench_report.hpp"
#include "bench/percentile.hpp"
#include "fakes/fake_platform.hpp"
#include "fakes/mosquitto_broker.hpp"
#include "feedlib/program_copy.hpp"
#include "platform/mqtt_connection.hpp"

namespace {

using Clock = std::chrono::steady_clock;
// A telegram numbers a quake's reports up to 99.
constexpr int kPerQuake = 90;
constexpr int kMaxReports = 2000;
constexpr auto kSpacing = std::chrono::milliseconds(10);

// Report `number` (1..90) of quake `quake`, on one line.
std::string telegram_line(int quake, int number) {
    char line[512];
    std::snprintf(line, sizeof line,
                  "37 03 00 110415233453 C11 110415233416 ND2011041523%04d NCN%03d "
                  "JD////////////// JN/// 251 N370 E1408 010 66 6+ RK66324 RT01/// RC13/// "
                  "9999=\n",
                  quake, number);
    return line;
}

// One display: the program's state and handlers on a platform without
// windows, fed by its own connection to the broker.
struct Display {
    Display(const std::string& folder, const eew::BrokerAddress& broker, int n,
            const std::array<std::atomic<Clock::rep>, kMaxReports>& written)
        : platform(folder), app(platform) {
        app.Form_Load();
        app.Command1_Click();  // "start": the broker feed is open
        app.after_each_datagram([this, &written] {
            const eew::CurrentReport& r = app.state().report;
            const int quake = std::atoi(r.code00.substr(r.code00.size() - 4).c_str());
            const int i = quake * kPerQuake + std::atoi(r.sequence00.c_str()) - 1;
            if (i < 0 || i >= kMaxReports || written[i] == 0) return;
            if (taken[i]++) return;
            const Clock::time_point sent{Clock::duration(written[i].load())};
            us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - sent).count());
            platform.canvases.clear();  // what the pictures drew is not kept
        });
        MqttConnection::Settings s;
        s.address = broker;
        s.client_id = "bench-display-" + std::to_string(n);
        s.session_expiry_s = 600;
        s.subscribe_topic = "eew/bench";
        connection = std::make_unique<MqttConnection>(std::move(s));
        connection->on_status([this](bool up, const std::string&) { connected = up; });
        connection->on_message([this](std::string_view text) {
            app.take_broker_message(text);
            app.run_waiting();
        });
        connection->start();
    }

    eew::test::FakePlatform platform;
    eew::App app;
    std::unique_ptr<MqttConnection> connection;
    bool connected = false;
    std::array<int, kMaxReports> taken{};
    std::vector<double> us;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication qapp(argc, argv);
    const int reports = argc > 3 ? std::atoi(argv[3]) : 1000;
    const int subscribers = argc > 4 ? std::atoi(argv[4]) : 50;
    if (argc < 3 || reports < 1 || reports > kMaxReports || subscribers < 1 || subscribers > 500) {
        std::fputs(
            "usage: eew-bench-fanout EEW_BRIDGE MOSQUITTO [REPORTS (1000)] [SUBSCRIBERS (50)]\n",
            stderr);
        return 2;
    }
    eew::feedlib::ProgramCopy folder(eew::bench::staged_data_folder());
    eew::feedlib::set_config_items(folder.path(), {{"voice_flag", "0"}, {"auto_flag", "0"}});
    const int port = eew::test::free_tcp_port();
    const eew::BrokerAddress broker{false, "127.0.0.1", port};
    std::ofstream(folder.path() + "/data/broker.conf")
        << "url=" << broker.text() << "\ntopic=eew/bench\n";
    std::ofstream(folder.path() + "/mosquitto.conf")
        << "listener " << port << " 127.0.0.1\nallow_anonymous true\npersistence false\n"
        << "log_dest none\n"
        << "max_queued_messages 10000\n";

    QProcess mosquitto;
    mosquitto.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    mosquitto.start(argv[2], {"-c", QString::fromStdString(folder.path() + "/mosquitto.conf")});
    if (!mosquitto.waitForStarted(5000)) return std::fputs("mosquitto did not start\n", stderr), 1;

    std::array<std::atomic<Clock::rep>, kMaxReports> written{};
    std::vector<std::unique_ptr<Display>> displays;
    for (int n = 0; n < subscribers; ++n)
        displays.push_back(std::make_unique<Display>(folder.path(), broker, n, written));
    const auto all_connected = [&] {
        for (const auto& d : displays)
            if (!d->connected) return false;
        return true;
    };
    const auto until = [&](auto done, std::chrono::seconds most) {
        const auto deadline = Clock::now() + most;
        while (!done() && Clock::now() < deadline)
            qapp.processEvents(QEventLoop::AllEvents, 50);
        return done();
    };
    if (!until(all_connected, std::chrono::seconds(20)))
        return std::fputs("the displays did not all connect\n", stderr), 1;

    QProcess bridge;
    bridge.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    bridge.setStandardOutputFile(QProcess::nullDevice());
    bridge.start(argv[1],
                 {"--mqtt", QString::fromStdString(broker.text()), "--topic", "eew/bench", "-"});
    if (!bridge.waitForStarted(5000)) return std::fputs("the bridge did not start\n", stderr), 1;
    // The bridge connects first; a line before that would wait in its queue.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    std::atomic<bool> sent_all{false};
    std::thread sender([&] {
        for (int i = 0; i < reports; ++i) {
            const std::string line = telegram_line(i / kPerQuake, i % kPerQuake + 1);
            QMetaObject::invokeMethod(&bridge, [&bridge, &written, line, i] {
                written[i] = Clock::now().time_since_epoch().count();
                bridge.write(line.data(), static_cast<qint64>(line.size()));
            });
            std::this_thread::sleep_for(kSpacing);
        }
        sent_all = true;
    });
    const auto all_taken = [&] {
        if (!sent_all) return false;
        for (const auto& d : displays)
            if (static_cast<int>(d->us.size()) < reports) return false;
        return true;
    };
    until(all_taken, std::chrono::seconds(30 + reports / 50));
    sender.join();
    bridge.closeWriteChannel();
    bridge.waitForFinished(10000);

    std::vector<double> us;
    int missed = 0, twice = 0;
    for (const auto& d : displays) {
        us.insert(us.end(), d->us.begin(), d->us.end());
        missed += reports - static_cast<int>(d->us.size());
        for (int i = 0; i < reports; ++i)
            twice += d->taken[i] > 1;
    }
    using eew::bench::percentile;
    std::printf("bridge -> broker -> %d displays, %d reports 10 ms apart: %zu deliveries\n",
                subscribers, reports, us.size());
    if (!us.empty())
        std::printf("line written to report dispatched: median %.2f ms  p99 %.2f ms  max %.2f ms\n",
                    percentile(us, 0.5) / 1000, percentile(us, 0.99) / 1000,
                    percentile(us, 1.0) / 1000);
    std::printf("missed %d, taken twice %d\n", missed, twice);
    displays.clear();
    mosquitto.terminate();
    mosquitto.waitForFinished(5000);
    return missed == 0 ? 0 : 1;
}
