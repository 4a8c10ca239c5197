#pragma once

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "config/broker_config.hpp"
#include "fakes/temp_folder.hpp"

namespace eew::test {

// A TCP port on the loopback that was free a moment ago.
inline int free_tcp_port() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    const bool ok = ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
                    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &length) == 0;
    ::close(s);
    return ok ? ntohs(a.sin_port) : 0;
}

// Whether something accepts TCP connections on 127.0.0.1:port.
inline bool accepts_on(int port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<uint16_t>(port));
    const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(s);
    return ok;
}

// Runs a shell command, its output into `log`; true when it succeeded.
inline bool run_quietly(const std::string& command, const std::string& log) {
    return std::system((command + " >>" + log + " 2>&1").c_str()) == 0;
}

// A new certificate authority in `folder`: NAME.pem and NAME.key. Returns the
// certificate's path, or empty when openssl failed.
inline std::string make_test_ca(const std::string& folder, const std::string& name) {
    const std::string base = folder + "/" + name;
    const bool ok = run_quietly(
        "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -days 2 -keyout " +
            base + ".key -out " + base + ".pem -subj /CN=" + name +
            " -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign",
        folder + "/openssl.log");
    return ok ? base + ".pem" : std::string();
}

// A real broker in a test's folder, on free loopback ports, one plain and one
// TLS (a certificate for 127.0.0.1 and localhost from its own authority). Two
// users: "bridge" may only publish under eew/, "display" may only read there.
// Sessions and queued messages are saved when it stops and read at start.
class MosquittoBroker {
  public:
    // The broker's executable, or empty when it is not installed.
    static std::string executable() {
        for (const char* path : {"/usr/sbin/mosquitto", "/usr/bin/mosquitto"})
            if (::access(path, X_OK) == 0) return path;
        return {};
    }

    explicit MosquittoBroker(const TempFolder& folder) : dir_(folder.path() + "/broker") {
        pick_ports();
        std::filesystem::create_directories(dir_ + "/db");
        const std::string log = dir_ + "/setup.log";
        ca_file_ = make_test_ca(dir_, "ca");
        ready_ = !ca_file_.empty() &&
                 run_quietly(
                     "openssl req -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes "
                     "-subj /CN=localhost -keyout " +
                         dir_ + "/server.key -out " + dir_ + "/server.csr",
                     log) &&
                 write(dir_ + "/san", "subjectAltName=IP:127.0.0.1,DNS:localhost\n") &&
                 run_quietly("openssl x509 -req -days 2 -in " + dir_ + "/server.csr -CA " +
                                 ca_file_ + " -CAkey " + dir_ + "/ca.key -CAcreateserial -out " +
                                 dir_ + "/server.pem -extfile " + dir_ + "/san",
                             log) &&
                 run_quietly("mosquitto_passwd -b -c " + dir_ + "/passwd bridge pw-bridge", log) &&
                 run_quietly("mosquitto_passwd -b " + dir_ + "/passwd display pw-display", log) &&
                 write(dir_ + "/acl",
                       "user bridge\ntopic write eew/#\n\nuser display\ntopic read eew/#\n") &&
                 write(dir_ + "/mosquitto.conf", config());
    }
    ~MosquittoBroker() { stop(); }
    MosquittoBroker(const MosquittoBroker&) = delete;
    MosquittoBroker& operator=(const MosquittoBroker&) = delete;

    static BrokerLogin bridge_login() { return {"bridge", "pw-bridge"}; }
    static BrokerLogin display_login() { return {"display", "pw-display"}; }

    // Starts it and waits (at most 10 s) until both ports accept; false if
    // they never did (see log()). The first start may find a port taken since
    // it was picked, by a test beside this one: it picks others and tries
    // again. A restart keeps its ports, which its clients know.
    bool start() {
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (launch()) return started_ = true;
            if (started_ || !ready_) return false;
            pick_ports();
            write(dir_ + "/mosquitto.conf", config());
        }
        return false;
    }
    // SIGTERM, which saves the sessions, and waits (at most 10 s, then kills).
    // start() again brings it back on the same ports with what it saved.
    void stop() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        bool killed = false;
        while (::waitpid(pid_, nullptr, WNOHANG) != pid_) {
            if (!killed && std::chrono::steady_clock::now() > deadline)
                killed = ::kill(pid_, SIGKILL) == 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        pid_ = 0;
    }

    int tls_port() const { return tls_port_; }
    BrokerAddress address() const { return {false, "127.0.0.1", port_}; }
    BrokerAddress tls_address() const { return {true, "127.0.0.1", tls_port_}; }
    const std::string& ca_file() const { return ca_file_; }
    // What it and the setup wrote, for a failure message.
    std::string log() const {
        std::string text;
        for (const char* name : {"/setup.log", "/stderr.log", "/broker.log"}) {
            std::ifstream in(dir_ + name, std::ios::binary);
            text.append(std::istreambuf_iterator<char>(in), {});
        }
        return text;
    }

  private:
    static bool write(const std::string& path, const std::string& text) {
        std::ofstream out(path, std::ios::binary);
        return static_cast<bool>(out << text);
    }

    void pick_ports() {
        port_ = free_tcp_port();
        do {
            tls_port_ = free_tcp_port();
        } while (tls_port_ == port_);
    }

    bool launch() {
        if (!ready_ || pid_ > 0) return false;
        const std::string out = dir_ + "/stderr.log";
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                         0644);
        posix_spawn_file_actions_adddup2(&files, 1, 2);
        const std::string exe = executable();
        const std::string conf = dir_ + "/mosquitto.conf";
        char* argv[] = {const_cast<char*>(exe.c_str()), const_cast<char*>("-c"),
                        const_cast<char*>(conf.c_str()), nullptr};
        const int rc = posix_spawn(&pid_, exe.c_str(), &files, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&files);
        if (rc != 0) {
            pid_ = 0;
            return false;
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            // Ports another process holds accept too: this broker must still
            // run a moment after.
            const bool accepting = accepts_on(port_) && accepts_on(tls_port_);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = 0;
                return false;
            }
            if (accepting) return true;
        }
        return false;
    }

    std::string config() const {
        // Started as root it would drop to its own user and then fail to save
        // into the test's folder.
        return "per_listener_settings false\nallow_anonymous false\nuser root\n"
               "password_file " +
               dir_ + "/passwd\nacl_file " + dir_ +
               "/acl\npersistence true\npersistence_location " + dir_ + "/db/\nlog_dest file " +
               dir_ +
               "/broker.log\nlog_type error\nlog_type warning\nlog_type notice\n"
               "log_type information\nlistener " +
               std::to_string(port_) + " 127.0.0.1\nlistener " + std::to_string(tls_port_) +
               " 127.0.0.1\ncafile " + ca_file_ + "\ncertfile " + dir_ + "/server.pem\nkeyfile " +
               dir_ + "/server.key\n";
    }

    std::string dir_;
    int port_ = 0;
    int tls_port_ = 0;
    std::string ca_file_;
    bool ready_ = false;
    bool started_ = false;  // once started, its ports are kept
    pid_t pid_ = 0;
};

}  // namespace eew::test
