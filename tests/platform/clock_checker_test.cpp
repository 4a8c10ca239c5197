// The clock's check against a local SNTP responder and a time service on a
// private D-Bus: the offset it measures, the replies it discards, a server
// that does not answer, and the system's synchronisation state.
#include "platform/clock_checker.hpp"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QNetworkDatagram>
#include <QProcess>
#include <QTest>
#include <QUdpSocket>
#include <chrono>

#include "clock/sntp.hpp"
#include "fakes/private_bus.hpp"
#include "fakes/started_desktop.hpp"

namespace {

double unix_now() {
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

// Answers each request as `answer` says: a clock `ahead` seconds fast, after
// `delay_ms`, with the request's own send time or a forged one.
struct Responder {
    explicit Responder(double ahead, int delay_ms = 0, bool forged = false) {
        socket.bind(QHostAddress::LocalHost);
        QObject::connect(&socket, &QUdpSocket::readyRead, &socket, [=, this] {
            const QNetworkDatagram d = socket.receiveDatagram();
            const QByteArray request = d.data();
            double t1 = 0;  // the request's transmit field, read back as sent
            for (int i = 40; i < 48; ++i)
                t1 = t1 * 256 + static_cast<unsigned char>(request[i]);
            t1 = t1 / 4294967296.0 - 2'208'988'800.0 + (forged ? 0.5 : 0);
            QTimer::singleShot(delay_ms, &socket, [=, this] {
                const double now = unix_now() + ahead;
                const eew::SntpRequest reply = eew::sntp_reply(t1, now, now);
                socket.writeDatagram(reinterpret_cast<const char*>(reply.data()), reply.size(),
                                     d.senderAddress(), d.senderPort());
            });
        });
    }
    eew::TimeServer server() const { return {"127.0.0.1", socket.localPort()}; }
    QUdpSocket socket;
};

eew::ClockCheck checked(ClockChecker& checker, std::optional<eew::TimeServer> server) {
    std::optional<eew::ClockCheck> result;
    checker.check(server, [&](const eew::ClockCheck& c) { result = c; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 5000));
    return result.value_or(eew::ClockCheck{});
}

TEST(ClockChecker, MeasuresTheOffsetAndDiscardsLateOrForgedReplies) {
    ClockChecker checker{QDBusConnection(QString())};  // no bus: unknown
    Responder ahead(2.4), late(0, 1200), forged(0, 0, true);
    const eew::ClockCheck good = checked(checker, ahead.server());
    ASSERT_TRUE(good.offset_s);
    EXPECT_NEAR(*good.offset_s, 2.4, 0.05);
    EXPECT_EQ(std::pair(good.sync, good.failure), std::pair(eew::TimeSync::unknown, std::string()));
    for (auto [server, why] :
         {std::pair(late.server(),
                    "no answer within 2 s (a reply was discarded: a round trip over 1 s)"),
          {forged.server(),
           "no answer within 2 s (a reply was discarded: a reply to another request)"},
          {eew::TimeServer{"127.0.0.1", 9}, "no answer within 2 s"}}) {
        const eew::ClockCheck c = checked(checker, server);
        EXPECT_EQ(std::pair(c.offset_s.has_value(), c.failure), std::pair(false, std::string(why)));
    }
    EXPECT_EQ(checked(checker, std::nullopt).offset_s, std::nullopt);
}

// systemd's time service as far as the checker asks it: the one property.
class TimeService : public QDBusVirtualObject {
  public:
    explicit TimeService(QDBusConnection bus, bool synchronised)
        : bus_(std::move(bus)), synchronised_(synchronised) {}
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& m, const QDBusConnection&) override {
        if (m.member() != "Get" || m.arguments().value(1).toString() != "NTPSynchronized")
            return false;
        bus_.send(m.createReply(QVariant::fromValue(QDBusVariant(synchronised_))));
        return true;
    }

  private:
    QDBusConnection bus_;
    bool synchronised_;
};

TEST(ClockChecker, ReadsWhetherTheSystemKeepsItsClockSynchronised) {
    const eew::test::PrivateBus private_bus;
    ASSERT_FALSE(private_bus.address.isEmpty());
    for (bool synchronised : {true, false}) {
        const QString name = synchronised ? "synchronised" : "not";
        QDBusConnection bus = private_bus.connect(name);
        TimeService service(bus, synchronised);
        ASSERT_TRUE(bus.registerService("org.freedesktop.timedate1"));
        ASSERT_TRUE(bus.registerVirtualObject("/org/freedesktop/timedate1", &service));
        ClockChecker checker(bus);
        EXPECT_EQ(checked(checker, std::nullopt).sync,
                  synchronised ? eew::TimeSync::synchronised : eew::TimeSync::not_synchronised);
        bus.unregisterObject("/org/freedesktop/timedate1");
        bus.unregisterService("org.freedesktop.timedate1");
        QDBusConnection::disconnectFromBus(name);
    }
    // A bus without the service: unknown, and no error.
    ClockChecker checker(private_bus.connect("empty"));
    EXPECT_EQ(checked(checker, std::nullopt).sync, eew::TimeSync::unknown);
    QDBusConnection::disconnectFromBus("empty");
}

// The main window tells the user, in the notice's colour, that the clock is
// off: the time server configured beside the settings is 2.4 s ahead.
TEST(ClockChecker, TheMainWindowSaysTheClockIsOff) {
    Responder ahead(2.4);
    eew::test::StartedDesktop d{{std::pair<std::string, std::string>(
        "data/timeserver", "127.0.0.1:" + std::to_string(ahead.socket.localPort()) + "\r\n")}};
    EXPECT_EQ(d.shown("main", "clock_line"), "clock: unknown");
    d.program.check_clock();
    EXPECT_TRUE(QTest::qWaitFor([&] { return d.shown("main", "clock_line") != "clock: unknown"; }));
    const eew::Rgb notice = eew::palette_colour(14);
    EXPECT_EQ(std::pair(d.shown("main", "clock_line"),
                        d.find("main", "clock_line")->palette().color(QPalette::Base)),
              std::pair(std::string("clock: +2.4 s off"), QColor(notice.r, notice.g, notice.b)));
}

}  // namespace
