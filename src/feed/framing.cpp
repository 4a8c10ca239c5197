#include "feed/framing.hpp"

namespace eew {

std::optional<std::string> frame_message(std::string_view datagram, bool lan_mode) {
    if (datagram.size() < 13) return std::nullopt;
    const std::size_t start = lan_mode ? 0 : 2;
    const std::size_t end = datagram.size() - 1;  // the last byte is dropped
    return std::string(datagram.substr(start, end - start));
}

MessageKind message_kind(std::string_view text, bool lan_mode) {
    const std::string_view head = text.substr(0, 10);
    auto contains = [&](std::string_view word) { return head.find(word) != head.npos; };
    if (contains("noise")) return MessageKind::noise;
    if (contains("xml")) return MessageKind::report;
    if (lan_mode && contains("wave")) return MessageKind::waveform;
    if (lan_mode && contains("obs")) return MessageKind::observation;
    return MessageKind::ignored;
}

}  // namespace eew
