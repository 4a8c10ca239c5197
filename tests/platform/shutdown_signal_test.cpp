#include <gtest/gtest.h>

#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QUdpSocket>
#include <csignal>
#include <filesystem>

#include "fakes/program_folder.hpp"
#include "fakes/temp_folder.hpp"

namespace {

namespace fs = std::filesystem;

// The real program, copied with the shipped data into a temporary program
// folder, started at auto start on a free port, then told to terminate: the
// day's events it holds are saved although "quit" was never clicked.
TEST(ShutdownSignal, TerminationSavesThe24HourList) {
    eew::test::TempFolder folder;
    fs::copy(EEW_CLIENT_BINARY, folder.path() + "/eewclient");
    fs::copy(EEW_SHIPPED_PROGRAM_FOLDER "/data", folder.path() + "/data",
             fs::copy_options::recursive);
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    const quint16 port = probe.localPort();
    probe.close();
    folder.write("data/tavi.config",
                 std::to_string(port) + eew::test::sample_config(1, 1).substr(4));
    const QDateTime hour_ago = QDateTime::currentDateTime().addSecs(-3600);
    const std::string list = "1\r\n" + hour_ago.toString("yyyy/MM/dd hh:mm:ss").toStdString() +
                             "\r\n4.5 35.25 139.5 12\r\n";
    folder.write("data/24hours.dat", list);

    QProcess program;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    program.start(QString::fromStdString(folder.path() + "/eewclient"), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    // Started once it holds the port, which it asks for exclusively.
    QElapsedTimer waited;
    waited.start();
    while (probe.bind(QHostAddress::LocalHost, port, QAbstractSocket::DontShareAddress)) {
        probe.close();
        ASSERT_LT(waited.elapsed(), 20000) << program.readAllStandardError().toStdString();
        QThread::msleep(50);
    }

    fs::remove(folder.path() + "/data/24hours.dat");
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    if (!program.waitForFinished(20000)) program.kill();
    EXPECT_EQ(std::pair(program.exitStatus(), program.exitCode()),
              std::pair(QProcess::NormalExit, 0));
    EXPECT_EQ(folder.read("data/24hours.dat"), list);
}

}  // namespace
