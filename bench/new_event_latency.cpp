// eew-bench-new-event: how soon after the first report of a quake arrives the
// chime is asked for and the pop-up is painted, against a bare Qt receive of
// the same datagram, in one run.
//
// The program runs in this process as eewclient runs it (App, Qt platform,
// main window), on the shipped files with the chime on, and on a clock of
// the bench's own so that each quake can be ended at once: after each first
// report a noise message, then the clock five minutes on and a tick end the
// event, and the next quake is a new one again. A sender thread sends the
// first report of quake after quake, one at a time, first to a bare
// QUdpSocket on the same event loop, then to the program. For the program it
// notes when the chime was asked for (the platform's sound call) and when
// the pop-up window was first painted after the send; the pop-up comes after
// the chime's pause of 0.6 s.

#include <QApplication>
#include <QFont>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "bench/bench_report.hpp"
#include "bench/percentile.hpp"
#include "desktop/desktop_program.hpp"
#include "desktop/qt_platform.hpp"
#include "feedlib/feed_framing.hpp"
#include "feedlib/program_copy.hpp"
#include "feedlib/udp_sender.hpp"

namespace {

using eew::bench::percentile;
using Clock = std::chrono::steady_clock;
constexpr int kWarmUp = 5;

// The Qt platform on the copied folder and the bench's clock; the chime's
// request is noted as it is made.
class BenchPlatform : public QtPlatform {
  public:
    explicit BenchPlatform(std::string folder) : folder_(std::move(folder)) {}
    std::string program_folder() override { return folder_; }
    eew::DateTime now() override { return clock; }
    void message_box(const std::string& text) override {
        std::fprintf(stderr, "message box: %s\n", text.c_str());
    }
    std::optional<std::string> choose_file(const std::string&) override { return std::nullopt; }
    void play_sound(const std::string& wav_path) override {
        if (wav_path.ends_with("sound.wav")) chime = Clock::now().time_since_epoch().count();
        QtPlatform::play_sound(wav_path);
    }

    eew::DateTime clock;
    std::atomic<Clock::rep> chime{0};

  private:
    std::string folder_;
};

// Notes the first paint of the pop-up window after each send.
class PaintWatch : public QObject {
  public:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint && painted == 0)
            if (auto* w = qobject_cast<QWidget*>(object);
                w && w->window()->objectName() == "popupmap")
                painted = Clock::now().time_since_epoch().count();
        return false;
    }
    std::atomic<Clock::rep> painted{0};
};

void print(const char* name, const std::vector<double>& us, int lost) {
    if (us.empty()) return (void)std::printf("%-14s no samples, %d lost\n", name, lost);
    std::printf("%-14s n %4zu  median %9.1f us  p99 %9.1f us  lost %d\n", name, us.size(),
                percentile(us, 0.5), percentile(us, 0.99), lost);
}

// Waits for `at` to be set, at most two seconds; its time after `sent` in us.
double after(const std::atomic<Clock::rep>& at, Clock::time_point sent) {
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (at == 0 && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    if (at == 0) return -1;
    return std::chrono::duration<double, std::micro>(Clock::time_point(Clock::duration(at.load())) -
                                                     sent)
        .count();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    QFont::insertSubstitution("ＭＳ Ｐゴシック", "IPAPGothic");
    const int count = argc > 1 ? std::atoi(argv[1]) : 200;
    if (count < 1 || count > 5000) {
        std::fputs("usage: eew-bench-new-event [EVENTS (200)]\n", stderr);
        return 2;
    }
    eew::feedlib::ProgramCopy folder(eew::bench::staged_data_folder());
    const int port = eew::feedlib::free_udp_port();
    eew::feedlib::set_config_items(folder.path(), {{"localhost_port", std::to_string(port)},
                                                   {"voice_flag", "1"},   // the chime on
                                                   {"auto_flag", "1"}});  // receiving at once
    BenchPlatform platform(folder.path());
    platform.clock = *eew::DateTime::from_fields(2026, 12, 8, 9, 0, 0);
    DesktopProgram desktop(platform);
    if (auto error = desktop.app().Form_Load()) {
        std::fprintf(stderr, "cannot start: %s\n", error->c_str());
        return 1;
    }
    desktop.start();
    PaintWatch paints;
    qapp.installEventFilter(&paints);

    QUdpSocket bare;
    if (!bare.bind(QHostAddress::LocalHost, 0)) return 1;
    std::atomic<Clock::rep> bare_read{0};
    QObject::connect(&bare, &QUdpSocket::readyRead, [&] {
        while (bare.hasPendingDatagrams())
            bare.receiveDatagram();
        bare_read = Clock::now().time_since_epoch().count();
    });

    std::vector<double> chime, painted, bare_us;
    int lost = 0;
    std::thread sender([&] {
        eew::feedlib::UdpSender to_program(port), to_bare(bare.localPort());
        for (int i = 0; i < kWarmUp + count; ++i) {
            // Quake i, five minutes after the one before.
            eew::DateTime now;
            QMetaObject::invokeMethod(
                &qapp, [&] { now = platform.clock = platform.clock.plus_seconds(300); },
                Qt::BlockingQueuedConnection);
            eew::feedlib::ReportValues r = eew::bench::bench_report(now, 1);
            r.code = "2026120809" + std::to_string(1000 + i % 9000);
            const std::string datagram = eew::feedlib::relay_datagram(eew::feedlib::report_text(r));
            // The bare receive first, while the event loop is idle, as it is
            // when a quake's first report comes.
            bare_read = 0;
            const auto sent_bare = Clock::now();
            to_bare.send(datagram);
            const double b = after(bare_read, sent_bare);
            platform.chime = 0;
            paints.painted = 0;
            const auto sent = Clock::now();
            to_program.send(datagram);
            const double c = after(platform.chime, sent), p = after(paints.painted, sent);
            if (i >= kWarmUp) {
                if (c < 0 || p < 0) ++lost;
                if (c >= 0) chime.push_back(c);
                if (p >= 0) painted.push_back(p);
                if (b >= 0) bare_us.push_back(b);
            }
            // The quake ends: noise, then a tick past the display time.
            to_program.send(eew::feedlib::relay_datagram("noise end of quake"));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            QMetaObject::invokeMethod(
                &qapp,
                [&] {
                    platform.clock = platform.clock.plus_seconds(200);
                    desktop.app().Timer1_Timer();
                    desktop.render_all();
                },
                Qt::BlockingQueuedConnection);
        }
        QMetaObject::invokeMethod(&qapp, &QCoreApplication::quit, Qt::QueuedConnection);
    });
    qapp.exec();
    sender.join();
    std::printf(
        "# first report of a quake to the chime asked for and the pop-up painted, %d quakes\n",
        count);
    print("chime", chime, lost);
    print("pop-up painted", painted, lost);
    print("bare receive", bare_us, 0);
    return lost == 0 ? 0 : 1;
}
