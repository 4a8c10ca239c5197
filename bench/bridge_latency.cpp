// eew-bench-bridge: the time from a telegram line written to the bridge's
// standard input to its report datagram on the receiver's port. Starts
// eew-bridge (the path given) on a free loopback port, writes SAMPLES
// telegrams of distinct earthquakes one at a time, each as one line with its
// agency forecast, 10 ms apart, waits for the datagram and prints the median, 99th
// percentile and maximum. The first 20 are left out (the bridge warming up).

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "bench/percentile.hpp"

namespace {

constexpr int kWarmUp = 20;
// The bridge leaves 5 ms after each datagram it sends from standard input, so
// that a receiver takes them one by one; telegrams come farther apart live.
constexpr auto kSpacing = std::chrono::milliseconds(10);

// A full telegram of its own earthquake ID, on one line, with three areas.
std::string telegram_line(int i) {
    char line[512];
    std::snprintf(line, sizeof line,
                  "37 03 00 110415233453 C11 110415233416 ND2011041523%04d NCN005 "
                  "JD////////////// JN/// 251 N370 E1408 010 66 6+ RK66324 RT01/// RC13/// "
                  "EBI 251 S6+6- ////// 11 300 S5+5- ////// 11 321 S0404 233455 00 9999=\n",
                  i % 10000);
    return line;
}

}  // namespace

using eew::bench::percentile;

int main(int argc, char** argv) {
    const int samples = argc > 2 ? std::atoi(argv[2]) : 1000;
    if (argc < 2 || samples <= kWarmUp || samples > 10000) {
        std::fputs("usage: eew-bench-bridge PATH_TO_EEW_BRIDGE [SAMPLES (1000)]\n", stderr);
        return 2;
    }
    const int udp = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(udp, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(udp, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        std::perror("bind");
        return 1;
    }
    timeval wait{2, 0};
    setsockopt(udp, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    const std::string command = std::string(argv[1]) + " --port " +
                                std::to_string(ntohs(address.sin_port)) + " - >/dev/null";
    FILE* bridge = popen(command.c_str(), "w");
    if (!bridge) {
        std::perror("popen");
        return 1;
    }
    std::vector<double> us;
    int lost = 0;
    char buffer[65536];
    for (int i = 0; i < samples; ++i) {
        const std::string line = telegram_line(i);
        const auto start = std::chrono::steady_clock::now();
        std::fputs(line.c_str(), bridge);
        std::fflush(bridge);
        if (recv(udp, buffer, sizeof buffer, 0) <= 0) {
            ++lost;
            continue;
        }
        const std::chrono::duration<double, std::micro> took =
            std::chrono::steady_clock::now() - start;
        if (i >= kWarmUp) us.push_back(took.count());
        std::this_thread::sleep_for(kSpacing);
    }
    pclose(bridge);
    close(udp);
    if (us.empty()) {
        std::fputs("no datagram arrived\n", stderr);
        return 1;
    }
    std::printf("# telegram line on standard input to datagram, %zu samples\n", us.size());
    std::printf("bridge  median %8.1f us  p99 %8.1f us  max %8.1f us  lost %d\n",
                percentile(us, 0.5), percentile(us, 0.99), percentile(us, 1.0), lost);
    return lost == 0 ? 0 : 1;
}
