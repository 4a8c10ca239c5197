#include "feedsim/feed_message.hpp"

namespace eew::sim {

std::string_view kind_name(MessageKind kind) {
    switch (kind) {
        case MessageKind::report:
            return "report";
        case MessageKind::noise:
            return "noise";
        case MessageKind::wave:
            return "wave";
        case MessageKind::obs:
            return "obs";
        case MessageKind::raw:
            break;
    }
    return "raw";
}

void apply_speed(std::vector<FeedMessage>& messages, double speed) {
    for (FeedMessage& m : messages)
        m.offset /= speed;
}

}  // namespace eew::sim
