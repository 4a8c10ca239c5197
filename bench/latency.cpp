// eew-bench-latency: how long after a report datagram is sent on loopback the
// pop-up's latest-info fields show it, against a bare Qt receive of the same
// datagram, in one run.
//
// The program runs in this process as eewclient runs it: the core's App on
// the Qt platform (its feed socket, windows and timers) with the main
// window, wired as in desktop/main.cpp, on the shipped files (voice alarm off).
// A bare QUdpSocket on the same event loop only reads the datagram. A sender
// thread sends one datagram at a time, alternately to each, and waits until
// it was handled: the program's when its datagram handler has run and the
// pop-up window's latest sequence box shows the report's sequence, the bare
// socket's when the datagram was read. A report whose render the program
// put off (less than 33 ms after the last) counts as lost.

#include <QApplication>
#include <QFont>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/app.hpp"
#include "bench/bench_report.hpp"
#include "bench/percentile.hpp"
#include "desktop/desktop_program.hpp"
#include "desktop/qt_platform.hpp"
#include "feedlib/program_copy.hpp"
#include "feedlib/udp_sender.hpp"

namespace {

using eew::bench::percentile;
using Clock = std::chrono::steady_clock;
constexpr int kWarmUp = 50;  // samples of each receiver left out: first report, lazy set-up
constexpr int kLastSequence = 999;
constexpr auto kTimeout = std::chrono::seconds(1);

// The Qt platform on the copied program folder; dialogs would wait for a
// click nobody gives, so they go to standard error.
class BenchPlatform : public QtPlatform {
  public:
    explicit BenchPlatform(std::string folder) : folder_(std::move(folder)) {}
    std::string program_folder() override { return folder_; }
    void message_box(const std::string& text) override {
        std::fprintf(stderr, "message box: %s\n", text.c_str());
    }
    std::optional<std::string> choose_file(const std::string&) override { return std::nullopt; }

  private:
    std::string folder_;
};

// One datagram in flight at a time: the sender starts it, the event loop
// ends it.
class InFlight {
  public:
    void start(std::string expected) {
        std::lock_guard lock(mutex_);
        expected_ = std::move(expected);
        done_ = false;
        sent_ = Clock::now();
    }
    // `tag`: what the receiver found, compared with what was expected.
    void arrived(const std::string& tag) {
        const auto now = Clock::now();
        std::lock_guard lock(mutex_);
        if (done_ || tag != expected_) return;
        latency_ = now - sent_;
        done_ = true;
        cv_.notify_one();
    }
    // The latency in microseconds, or a negative value after the timeout.
    double wait() {
        std::unique_lock lock(mutex_);
        if (!cv_.wait_for(lock, kTimeout, [&] { return done_; })) return -1;
        return std::chrono::duration<double, std::micro>(latency_).count();
    }

  private:
    std::mutex mutex_;
    std::condition_variable cv_;
    std::string expected_;
    bool done_ = true;
    Clock::time_point sent_;
    Clock::duration latency_{};
};

struct Samples {
    const char* name;
    std::vector<double> us;
    int lost = 0;
};

void print(Samples& s) {
    std::sort(s.us.begin(), s.us.end());
    if (s.us.empty()) {
        std::printf("%-8s no samples, %d lost\n", s.name, s.lost);
        return;
    }
    std::printf("%-8s n %5zu  median %8.1f us  p99 %8.1f us  max %8.1f us  lost %d\n", s.name,
                s.us.size(), percentile(s.us, 0.5), percentile(s.us, 0.99), s.us.back(), s.lost);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    QFont::insertSubstitution("ＭＳ Ｐゴシック", "IPAPGothic");
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int interval_ms = argc > 2 ? std::atoi(argv[2]) : 20;
    if (count < 1 || count > 100000 || interval_ms < 1 || interval_ms > 1000) {
        std::fputs("usage: eew-bench-latency [SAMPLES (1000)] [MS BETWEEN SENDS (20)]\n", stderr);
        return 2;
    }

    eew::feedlib::ProgramCopy folder(eew::bench::staged_data_folder());
    const int port = eew::feedlib::free_udp_port();
    eew::feedlib::set_config_items(folder.path(), {{"localhost_port", std::to_string(port)},
                                                   {"voice_flag", "0"},   // no chime and its pause
                                                   {"auto_flag", "1"}});  // receiving at once

    InFlight in_flight;
    BenchPlatform platform(folder.path());
    DesktopProgram desktop(platform);
    desktop.after_datagram([&] {
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() != "popupmap") continue;
            if (const auto* latest = window->findChild<const QLineEdit*>("Text20"))
                in_flight.arrived(latest->text().toStdString());
        }
    });
    if (auto error = desktop.app().Form_Load()) {
        std::fprintf(stderr, "cannot start: %s\n", error->c_str());
        return 1;
    }
    desktop.start();

    QUdpSocket bare;
    if (!bare.bind(QHostAddress::LocalHost, 0)) return 1;
    const quint16 bare_port = bare.localPort();
    QObject::connect(&bare, &QUdpSocket::readyRead, [&] {
        while (bare.hasPendingDatagrams()) {
            bare.receiveDatagram();
            in_flight.arrived("bare");
        }
    });

    const eew::DateTime start = platform.now();
    std::vector<std::string> reports(kLastSequence + 1);
    for (int sequence = 1; sequence <= kLastSequence; ++sequence)
        reports[static_cast<std::size_t>(sequence)] = eew::bench::report_datagram(start, sequence);

    Samples program{"program", {}, 0};
    Samples bare_samples{"bare", {}, 0};
    std::thread sender([&] {
        eew::feedlib::UdpSender to_program(port);
        eew::feedlib::UdpSender to_bare(bare_port);
        const bool ready = !to_program.failure() && !to_bare.failure();
        if (!ready) std::fputs("cannot make the sending socket\n", stderr);
        for (int i = 0; ready && i < kWarmUp + count; ++i) {
            const int sequence = i % (kLastSequence - 1) + 1;
            const std::string& datagram = reports[static_cast<std::size_t>(sequence)];
            for (auto* s : {&program, &bare_samples}) {
                std::this_thread::sleep_for(std::chrono::milliseconds(interval_ms));
                const bool to_app = s == &program;
                in_flight.start(to_app ? std::to_string(sequence) : "bare");
                if (auto error = (to_app ? to_program : to_bare).send(datagram))
                    std::fprintf(stderr, "send: %s\n", error->c_str());
                const double us = in_flight.wait();
                if (i < kWarmUp) continue;
                if (us < 0)
                    ++s->lost;
                else
                    s->us.push_back(us);
            }
        }
        QMetaObject::invokeMethod(&qapp, &QCoreApplication::quit, Qt::QueuedConnection);
    });
    qapp.exec();
    sender.join();

    std::printf(
        "# datagram sent on loopback to pop-up fields rendered, %d samples each, %d ms apart\n",
        count, interval_ms);
    print(program);
    print(bare_samples);
    if (!program.us.empty() && !bare_samples.us.empty())
        std::printf("program / bare: median %.1fx, p99 %.1fx\n",
                    percentile(program.us, 0.5) / percentile(bare_samples.us, 0.5),
                    percentile(program.us, 0.99) / percentile(bare_samples.us, 0.99));
    return program.lost == 0 && !program.us.empty() ? 0 : 1;
}
