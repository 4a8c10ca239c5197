#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace eew::sim {

// wave and obs: the local network's waveform and station-observation packets.
enum class MessageKind { report, noise, wave, obs, raw };

// One message to send and when.
struct FeedMessage {
    double offset = 0;  // seconds after the start
    MessageKind kind = MessageKind::raw;
    std::string label;  // "code/sequence" of a report, the code a noise message closes
    std::string text;
};

std::string_view kind_name(MessageKind kind);

// Divides every offset by `speed` (> 1 plays faster).
void apply_speed(std::vector<FeedMessage>& messages, double speed);

}  // namespace eew::sim
