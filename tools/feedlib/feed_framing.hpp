#pragma once

#include <string>
#include <string_view>

namespace eew::feedlib {

// How a message is wrapped into one datagram. The receiver skips the two
// prefix bytes of relay framing unread and always drops the datagram's last
// byte, so neither is ever part of the message text.
enum class Framing { relay, lan };

// Two blanks: should a receiver in LAN mode take a relay datagram, the prefix
// becomes leading blanks, which leave the kind word within the first ten
// characters and put no NUL into a text.
inline constexpr std::string_view kRelayPrefix = "  ";
// A line feed, so that a plain UDP listener (nc -lu PORT) shows one message per line.
inline constexpr char kTrailer = '\n';

// The datagram carrying `text`: relay framing gives prefix + text + trailer,
// LAN framing text + trailer.
std::string make_datagram(std::string_view text, Framing framing);

// The datagram of a relay carrying `text`, as the relay sends every message.
inline std::string relay_datagram(std::string_view text) {
    return make_datagram(text, Framing::relay);
}

// The shortest text the receiver accepts in this framing: it ignores
// datagrams of fewer than 13 bytes.
std::size_t shortest_accepted_text(Framing framing);

}  // namespace eew::feedlib
