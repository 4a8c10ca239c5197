#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace eew {

// The desktop's timers.
enum class TimerId { timer1, timer2 };

// The one queue of datagrams read from the socket and not handled yet, with
// the timer ticks that came while a handler was running (the new-event chime
// lets the event loop run for 0.6 s), in arrival order, so that they run one
// after the other once that handler has finished. A timer
// has at most one tick waiting: a second tick before the first has run adds
// nothing, as a late timer would not fire twice either.
class DeferredEvents {
  public:
    // Bounds of the waiting datagrams. A flood during a pause must not grow
    // memory without limit: when full, the newest are dropped and counted, as
    // a full socket buffer would.
    static constexpr std::size_t kMaxDatagrams = 10000;
    static constexpr std::size_t kMaxBytes = 8 * 1024 * 1024;

    struct Event {
        std::optional<TimerId> tick;  // a timer tick, or else
        std::string datagram;         // a datagram, whole, or a broker's message
        bool from_broker = false;     // the text of a broker's message, not framed
    };

    void add_datagram(std::string_view datagram) { add_message(datagram, false); }
    // A message from the broker: its text, which the broker has not framed.
    void add_broker_message(std::string_view text) { add_message(text, true); }
    void add_tick(TimerId timer);
    // Forgets the waiting datagrams and broker messages, keeping the ticks.
    void drop_datagrams();
    // The oldest waiting event, removed; nothing when none waits.
    std::optional<Event> take();

    // Datagrams dropped for want of room since the program started.
    std::size_t dropped_datagrams() const { return dropped_; }

  private:
    void add_message(std::string_view bytes, bool from_broker);

    std::deque<Event> events_;
    std::size_t datagrams_ = 0;
    std::size_t bytes_ = 0;
    std::size_t dropped_ = 0;
};

}  // namespace eew
