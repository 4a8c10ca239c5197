#include "fakes/client_process.hpp"

#include <QElapsedTimer>
#include <QThread>
#include <QUdpSocket>
#include <csignal>
#include <filesystem>
#include <regex>

namespace eew::test {
// True once another socket holds the port; ours asks for it exclusively.
static bool port_taken(quint16 port) {
    QUdpSocket probe;
    return !probe.bind(QHostAddress::LocalHost, port, QAbstractSocket::DontShareAddress);
}

quint16 free_udp_port() {
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

std::string copy_program(const TempFolder& folder, const std::string& source_dir,
                         const std::vector<std::pair<int, std::string>>& config_lines,
                         const std::string& binary) {
    namespace fs = std::filesystem;
    const fs::path root(folder.path());
    fs::copy(fs::path(source_dir) / "data", root / "data", fs::copy_options::recursive);
    fs::remove(root / "data" / "24hours.dat");
    std::string config = folder.read("data/tavi.config");
    for (const auto& [line, text] : config_lines)
        config = std::regex_replace(
            config, std::regex("^(([^\n]*\n){" + std::to_string(line - 1) + "})[^\r\n]*"),
            "$01" + text);
    folder.write("data/tavi.config", config);
    if (!binary.empty()) fs::copy(binary, root / "eewclient");
    return (root / "eewclient").string();
}

void start_offscreen(QProcess& program, const std::string& executable) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(QString::fromStdString(executable), {});
}

bool start_listening(QProcess& program, const std::string& executable, quint16 port) {
    start_offscreen(program, executable);
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
