#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace eew {
struct ObservationPacket;
struct WaveformPacket;
}  // namespace eew

// What must hold for any input to each decoder and loader that takes bytes
// from outside the program. The libFuzzer targets call these on every input
// they make; the test suite calls them on damaged inputs from fixed seeds.
// A broken invariant throws, naming itself.
namespace eew::fuzz {

struct BrokenInvariant : std::logic_error {
    using std::logic_error::logic_error;
};

// Framed in both modes: 13 bytes or more are framed, the text is inside the
// datagram, waveforms and observations only on the LAN.
void framing_holds(std::string_view datagram);
// A broker's message, which comes unframed: no kind of the local network
// outside LAN mode, and a report taken is known as a repeat at once after.
void broker_message_holds(std::string_view text);
// Text values are slices of the report or their old values, numbers finite,
// magnitudes at most 10, and both readers of the send time agree.
void report_decoder_holds(std::string_view text);
// Decoded over `w` as live: samples stay bytes, station fields keep their
// widths, and every drawing is finite.
void waveform_packet_holds(std::string_view text, WaveformPacket& w);
// Decoded over `o` as live: at most 300 records shown, drawings finite on
// each of the three maps.
void observation_packet_holds(std::string_view text, ObservationPacket& o);
// Lines only with their pacing, within their bounds.
void replay_file_holds(std::string_view bytes);
// Every start-up reader on the file at `path` returns or throws the error
// naming the file.
void data_files_hold(const std::string& path);
// The 24-hour list at `path` loads within its capacity, nothing beyond its
// count, and saves and loads again unchanged.
void recent_events_hold(const std::string& path);

}  // namespace eew::fuzz
