#pragma once

#include <array>
#include <string>

#include "draw/colour.hpp"
#include "maps/map_catalogue.hpp"
#include "maps/map_marks.hpp"
#include "observed/amplitude_class.hpp"
#include "observed/observation_packet.hpp"

namespace eew {

// The colour legend of the station marks: the unit and, top to bottom, the
// thresholds of classes 6 down to 1 as "0.000".
struct StationLegend {
    std::string unit;
    std::array<std::string, 6> thresholds;
};

// Adds the marks of the shown records to the event map `index_map`, each a
// square in the colour of its amplitude class, in record order, then the six
// legend squares at x = 610. Does not clear the map. A station whose latitude
// or longitude is empty, not a number or beyond 360 degrees has no place and
// is skipped.
// Returns the legend's texts.
StationLegend draw_observations(const ObservationPacket& o, const MapCatalogue& maps,
                                const MapPictures& pictures, int index_map,
                                const DepthColorTable& depth_color_table,
                                const AmplitudeThresholds& amp_class_threshold);

}  // namespace eew
