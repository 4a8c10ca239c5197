#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QUdpSocket>
#include <QtGlobal>
#include <csignal>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fakes/temp_folder.hpp"
#include "feedlib/program_copy.hpp"

namespace eew::test {

// A UDP port on the loopback that was free a moment ago.
inline quint16 free_udp_port() {
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

// Copies the data folder under `source_dir` into `folder`, without its
// 24-hour list, and sets the configuration items named. With `binary`,
// copies it beside the data too and returns the copy's path.
inline std::string copy_program(
    const TempFolder& folder, const std::string& source_dir,
    const std::vector<std::pair<std::string_view, std::string>>& config_items,
    const std::string& binary = "") {
    namespace fs = std::filesystem;
    feedlib::copy_program_data(source_dir + "/data", folder.path());
    feedlib::set_config_items(folder.path(), config_items);
    const fs::path copy = fs::path(folder.path()) / "eewclient";
    if (!binary.empty()) fs::copy(binary, copy);
    return copy.string();
}

// Starts `executable` with the offscreen platform.
inline void start_offscreen(QProcess& program, const std::string& executable) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(QString::fromStdString(executable), {});
}

// Starts `executable` with the offscreen platform and waits (at most 20 s)
// until it listens on `port`, which it then holds exclusively; false if it
// never did.
inline bool start_listening(QProcess& program, const std::string& executable, quint16 port) {
    const auto taken = [port] {
        QUdpSocket probe;
        return !probe.bind(QHostAddress::LocalHost, port, QAbstractSocket::DontShareAddress);
    };
    start_offscreen(program, executable);
    if (!program.waitForStarted(10000)) return false;
    QElapsedTimer waited;
    waited.start();
    while (!taken() && program.state() == QProcess::Running && waited.elapsed() < 20000)
        QThread::msleep(50);
    return taken();
}

// Sends SIGTERM and waits at most 20 s; true if the program then ended
// normally with status 0. A program still running is killed.
inline bool terminate_cleanly(QProcess& program) {
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    if (!program.waitForFinished(20000)) {
        program.kill();
        program.waitForFinished(5000);
        return false;
    }
    return program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0;
}

}  // namespace eew::test
