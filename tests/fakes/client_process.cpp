#include "fakes/client_process.hpp"

#include <QElapsedTimer>
#include <QThread>
#include <QUdpSocket>
#include <csignal>

namespace eew::test {

quint16 free_udp_port() {
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

bool port_taken(quint16 port) {
    QUdpSocket probe;
    return !probe.bind(QHostAddress::LocalHost, port, QAbstractSocket::DontShareAddress);
}

bool start_listening(QProcess& program, const std::string& executable, quint16 port) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(QString::fromStdString(executable), {});
    if (!program.waitForStarted(10000)) return false;
    QElapsedTimer waited;
    waited.start();
    while (!port_taken(port) && program.state() == QProcess::Running && waited.elapsed() < 20000)
        QThread::msleep(50);
    return port_taken(port);
}

bool terminate_cleanly(QProcess& program) {
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    if (!program.waitForFinished(20000)) {
        program.kill();
        program.waitForFinished(5000);
        return false;
    }
    return program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0;
}

}  // namespace eew::test
