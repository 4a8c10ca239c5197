#include <gtest/gtest.h>

#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <filesystem>

#include "fakes/client_process.hpp"
#include "fakes/program_folder.hpp"
#include "fakes/temp_folder.hpp"

namespace {

namespace fs = std::filesystem;

using eew::test::free_udp_port;
using eew::test::port_taken;

// The real program, copied with the shipped data into a temporary program
// folder, started at auto start on a free port, then told to terminate: the
// day's events it holds are saved although "quit" was never clicked.
TEST(ShutdownSignal, TerminationSavesThe24HourList) {
    eew::test::TempFolder folder;
    const fs::path root(folder.path());
    fs::copy(EEW_CLIENT_BINARY, root / "eewclient");
    fs::copy(fs::path(EEW_SHIPPED_PROGRAM_FOLDER) / "data", root / "data",
             fs::copy_options::recursive);
    const quint16 port = free_udp_port();
    std::string config = eew::test::sample_config(1, 1);
    config.replace(0, 4, std::to_string(port));
    folder.write("data/tavi.config", config);
    const std::string list =
        "1\r\n" +
        QDateTime::currentDateTime().addSecs(-3600).toString("yyyy/MM/dd hh:mm:ss").toStdString() +
        "\r\n4.5 35.25 139.5 12\r\n";
    folder.write("data/24hours.dat", list);

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(QString::fromStdString((root / "eewclient").string()), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    QElapsedTimer waited;
    waited.start();
    while (!port_taken(port) && program.state() == QProcess::Running && waited.elapsed() < 20000)
        QThread::msleep(50);
    ASSERT_TRUE(port_taken(port)) << program.readAllStandardError().toStdString();

    fs::remove(root / "data" / "24hours.dat");
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    const bool ended = program.waitForFinished(20000);
    if (!ended) program.kill();
    ASSERT_TRUE(ended);
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    ASSERT_TRUE(folder.exists("data/24hours.dat"));
    EXPECT_EQ(folder.read("data/24hours.dat"), list);
}

}  // namespace
