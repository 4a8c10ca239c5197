// Any bytes as an observation packet, decoded over the last one and drawn on
// every map: at most 300 records shown, drawings finite.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.hpp"
#include "maps/map_catalogue.hpp"
#include "observed/observation_packet.hpp"
#include "observed/station_marks.hpp"

using eew::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static eew::ObservationPacket o;
    static const eew::MapCatalogue maps = [] {
        eew::MapCatalogue m;
        eew::fill_map_catalogue(m);
        return m;
    }();
    eew::decode_observation_packet(std::string_view(reinterpret_cast<const char*>(data), size), o);
    check(eew::shown_records(o) >= 0 && eew::shown_records(o) <= eew::kObsRecords, "records");
    eew::fuzz::FiniteCanvas main_map, event_map, panel;
    const eew::AmplitudeThresholds thresholds{0, 0.0031623, 0.01, 0.031623, 0.1, 0.31623, 1.0};
    for (int index_map = 1; index_map <= 3; ++index_map)
        eew::draw_observations(o, maps, {main_map, event_map, panel}, index_map,
                               eew::kDepthColorTable, thresholds);
    return 0;
}
