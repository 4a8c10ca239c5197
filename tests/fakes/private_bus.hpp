#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>

namespace eew::test {

// A D-Bus daemon of the test's own, so that services can be registered and
// asked without the machine's buses; stopped with the object.
struct PrivateBus {
    PrivateBus() {
        daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (daemon.waitForReadyRead(5000)) address = QString::fromUtf8(daemon.readLine()).trimmed();
    }
    ~PrivateBus() {
        daemon.kill();
        daemon.waitForFinished();
    }
    // A connection of its own under `name`, as a client or a service holds one.
    QDBusConnection connect(const QString& name) const {
        return QDBusConnection::connectToBus(address, name);
    }

    QProcess daemon;
    QString address;
};

}  // namespace eew::test
