// Any bytes as an observation packet, decoded over the last one and drawn on
// every map: at most 300 records shown, drawings finite.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_properties.hpp"
#include "observed/observation_packet.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static eew::ObservationPacket o;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    eew::fuzz::observation_packet_holds(bytes, o);
    return 0;
}
