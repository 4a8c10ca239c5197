#pragma once

#include <netinet/in.h>

#include <optional>
#include <string>
#include <string_view>

namespace eew::feedlib {

// A UDP socket that sends datagrams to 127.0.0.1:port. Unconnected, so that a
// receiver that is not (yet) listening does not turn later sends into errors.
class UdpSender {
  public:
    explicit UdpSender(int port);
    ~UdpSender();
    UdpSender(const UdpSender&) = delete;
    UdpSender& operator=(const UdpSender&) = delete;

    // The reason the socket could not be made, if it could not.
    const std::optional<std::string>& failure() const { return failure_; }

    // Sends one datagram; returns the reason when it was not sent whole.
    std::optional<std::string> send(std::string_view datagram);

  private:
    int socket_ = -1;
    sockaddr_in to_{};
    std::optional<std::string> failure_;
};

}  // namespace eew::feedlib
