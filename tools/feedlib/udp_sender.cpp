#include "feedlib/udp_sender.hpp"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace eew::feedlib {

UdpSender::UdpSender(int port) {
    to_.sin_family = AF_INET;
    to_.sin_port = htons(static_cast<std::uint16_t>(port));
    to_.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socket_ = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (socket_ < 0) failure_ = std::string("cannot open a UDP socket: ") + std::strerror(errno);
}

UdpSender::~UdpSender() {
    if (socket_ >= 0) ::close(socket_);
}

std::optional<std::string> UdpSender::send(std::string_view datagram) {
    if (failure_) return failure_;
    const ssize_t sent = ::sendto(socket_, datagram.data(), datagram.size(), 0,
                                  reinterpret_cast<const sockaddr*>(&to_), sizeof to_);
    if (sent < 0) return std::string("send failed: ") + std::strerror(errno);
    if (static_cast<std::size_t>(sent) != datagram.size()) return "datagram sent in part";
    return std::nullopt;
}

}  // namespace eew::feedlib
