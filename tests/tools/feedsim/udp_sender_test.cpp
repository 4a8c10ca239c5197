#include "udp_sender.hpp"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include "feed_framing.hpp"

namespace eew::sim {
namespace {

TEST(UdpSender, DatagramArrivesWholeOnTheLoopbackPort) {
    const int receiver = ::socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_GE(receiver, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(receiver, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    socklen_t length = sizeof address;
    ASSERT_EQ(::getsockname(receiver, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const timeval wait{5, 0};
    ::setsockopt(receiver, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);

    UdpSender sender(ntohs(address.sin_port));
    ASSERT_FALSE(sender.failure());
    const std::string datagram = make_datagram("<?xml version=\"1.0\"?><r/>", Framing::relay);
    EXPECT_EQ(sender.send(datagram), std::nullopt);

    char buffer[256];
    const ssize_t got = ::recv(receiver, buffer, sizeof buffer, 0);
    ::close(receiver);
    EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(std::max<ssize_t>(got, 0))), datagram);
}

}  // namespace
}  // namespace eew::sim
