// Any bytes as a waveform packet, decoded into the slots the earlier inputs
// left (as live) and drawn: samples stay bytes, drawings finite.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_properties.hpp"
#include "observed/waveform_packet.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static eew::WaveformPacket w;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    eew::fuzz::waveform_packet_holds(bytes, w);
    return 0;
}
