#include "app/deferred_events.hpp"

#include <algorithm>
#include <deque>

namespace eew {

void DeferredEvents::add_message(std::string_view datagram, bool from_broker) {
    if (datagrams_ >= kMaxDatagrams || datagram.size() > kMaxBytes - bytes_) {
        ++dropped_;
        return;
    }
    events_.push_back({std::nullopt, std::string(datagram), from_broker});
    ++datagrams_;
    bytes_ += datagram.size();
}

void DeferredEvents::add_tick(TimerId timer) {
    const bool waiting = std::any_of(events_.begin(), events_.end(),
                                     [timer](const Event& e) { return e.tick == timer; });
    if (!waiting) events_.push_back({timer, {}, false});
}

void DeferredEvents::drop_datagrams() {
    std::erase_if(events_, [](const Event& e) { return !e.tick; });
    datagrams_ = 0;
    bytes_ = 0;
}

std::optional<DeferredEvents::Event> DeferredEvents::take() {
    if (events_.empty()) return std::nullopt;
    Event e = std::move(events_.front());
    events_.pop_front();
    if (!e.tick) {
        --datagrams_;
        bytes_ -= e.datagram.size();
    }
    return e;
}

}  // namespace eew
