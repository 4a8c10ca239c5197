#include "platform/clock_checker.hpp"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QHostInfo>
#include <QNetworkDatagram>
#include <chrono>

#include "clock/sntp.hpp"

namespace {

double unix_now() {
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

}  // namespace

ClockChecker::ClockChecker(QDBusConnection bus) : bus_(std::move(bus)) {
    timeout_.setSingleShot(true);
    connect(&timeout_, &QTimer::timeout, this, [this] { finish("no answer within 2 s"); });
    connect(&socket_, &QUdpSocket::readyRead, this, [this] { take_reply(); });
}

void ClockChecker::check(std::optional<eew::TimeServer> server,
                         std::function<void(eew::ClockCheck)> done) {
    ++generation_;
    timeout_.stop();
    socket_.close();
    server_ = std::move(server);
    done_ = std::move(done);
    result_ = {};
    if (!bus_.isConnected()) {
        QTimer::singleShot(0, this, [this, g = generation_] {
            if (g == generation_) ask_server();
        });
        return;
    }
    QDBusMessage get =
        QDBusMessage::createMethodCall("org.freedesktop.timedate1", "/org/freedesktop/timedate1",
                                       "org.freedesktop.DBus.Properties", "Get");
    get << QString("org.freedesktop.timedate1") << QString("NTPSynchronized");
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(get, 2000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, g = generation_](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                if (g != generation_) return;
                const QDBusPendingReply<QDBusVariant> reply = *w;
                // No time service (no systemd, a container): unknown, not an error.
                if (!reply.isError() && reply.value().variant().typeId() == QMetaType::Bool)
                    result_.sync = reply.value().variant().toBool()
                                       ? eew::TimeSync::synchronised
                                       : eew::TimeSync::not_synchronised;
                ask_server();
            });
}

void ClockChecker::ask_server() {
    if (!server_) return finish();
    QHostInfo::lookupHost(QString::fromStdString(server_->host), this,
                          [this, g = generation_](const QHostInfo& info) {
                              if (g != generation_) return;
                              if (info.addresses().isEmpty())
                                  return finish("cannot find " + info.hostName());
                              const QHostAddress address = info.addresses().first();
                              socket_.close();
                              socket_.bind(address.protocol() == QAbstractSocket::IPv6Protocol
                                               ? QHostAddress::AnyIPv6
                                               : QHostAddress::AnyIPv4);
                              sent_at_ = unix_now();
                              const eew::SntpRequest request = eew::sntp_request(sent_at_);
                              socket_.writeDatagram(reinterpret_cast<const char*>(request.data()),
                                                    request.size(), address,
                                                    static_cast<quint16>(server_->port));
                              timeout_.start(kReplyTimeoutMs);
                          });
}

// A stray or discarded datagram leaves the exchange waiting for the right one
// until the time runs out.
void ClockChecker::take_reply() {
    while (socket_.hasPendingDatagrams()) {
        const QNetworkDatagram d = socket_.receiveDatagram();
        const double arrived = unix_now();
        if (!timeout_.isActive()) continue;
        const QByteArray bytes = d.data();
        const auto read =
            eew::read_sntp_reply({reinterpret_cast<const unsigned char*>(bytes.constData()),
                                  static_cast<std::size_t>(bytes.size())},
                                 sent_at_, arrived);
        if (const auto* m = std::get_if<eew::SntpMeasure>(&read)) {
            result_.offset_s = m->offset_s;
            return finish();
        }
        result_.failure = std::get<std::string>(read);
    }
}

void ClockChecker::finish(const QString& failure) {
    timeout_.stop();
    socket_.close();
    if (!failure.isEmpty())
        result_.failure =
            result_.failure.empty()
                ? failure.toStdString()
                : failure.toStdString() + " (a reply was discarded: " + result_.failure + ")";
    ++generation_;
    if (done_) done_(result_);
}
