// The warning reaches a person who cannot see the pop-up: with "PopUP" off, a
// quake's reports bring one critical desktop notification, which each later
// report replaces and the event's end closes; a fake notification service on
// a private bus records what the program asks of it.
#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QTest>

#include "fakes/private_bus.hpp"
#include "fakes/started_desktop.hpp"

namespace eew {
namespace {

class NotificationService : public QDBusVirtualObject {
  public:
    explicit NotificationService(QDBusConnection bus) : bus_(std::move(bus)) {}
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& m, const QDBusConnection&) override {
        const QList<QVariant> a = m.arguments();
        if (m.member() == "Notify") {
            const QVariantMap hints = qdbus_cast<QVariantMap>(a.value(6));
            calls.push_back(QString("notify %1 urgency %2: %3")
                                .arg(a.value(1).toUInt())
                                .arg(hints.value("urgency").toInt())
                                .arg(a.value(3).toString())
                                .toStdString());
            bus_.send(m.createReply(QVariant::fromValue(uint(7))));
            return true;
        }
        if (m.member() == "CloseNotification") {
            calls.push_back("close " + std::to_string(a.value(0).toUInt()));
            bus_.send(m.createReply());
            return true;
        }
        return false;
    }
    std::vector<std::string> calls;

  private:
    QDBusConnection bus_;
};

TEST(DesktopNotice, WithPopUpOffAQuakeBringsOneNotificationThatUpdatesAndClosesWithTheEvent) {
    const test::PrivateBus bus;
    ASSERT_FALSE(bus.address.isEmpty());
    QDBusConnection service_bus = bus.connect("service");
    NotificationService service(service_bus);
    ASSERT_TRUE(service_bus.registerService("org.freedesktop.Notifications"));
    ASSERT_TRUE(service_bus.registerVirtualObject("/org/freedesktop/Notifications", &service));
    {
        test::StartedDesktop d;
        d.platform.environment().set_notification_bus(bus.connect("program"));
        QTest::mouseClick(d.find("main", "Check1"), Qt::LeftButton);  // "PopUP" off
        d.receive(feedlib::report_text({}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return service.calls.size() == 1; }, 5000));
        d.receive(feedlib::report_text({.sequence = 2, .magnitude = 6.8}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return service.calls.size() == 2; }, 5000));
        EXPECT_FALSE(d.showing("popupmap"));
        d.tick(121);  // no report for the idle time: the event ends
        ASSERT_TRUE(QTest::qWaitFor([&] { return service.calls.size() == 3; }, 5000));
    }
    EXPECT_EQ(service.calls, (std::vector<std::string>{
                                 "notify 0 urgency 2: 地震発生 千葉県北西部 M6.5",
                                 "notify 7 urgency 2: 地震発生 千葉県北西部 M6.8", "close 7"}));
    QDBusConnection::disconnectFromBus("program");
    QDBusConnection::disconnectFromBus("service");
}

}  // namespace
}  // namespace eew
