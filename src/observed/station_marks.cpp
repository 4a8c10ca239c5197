#include "observed/station_marks.hpp"

#include <cmath>
#include <cstdio>
#include <optional>

#include "text/numeric_value.hpp"

namespace eew {
namespace {

constexpr int kEventMap = 1;
constexpr double kLegendX = 610;
constexpr double kLegendY = 580;
constexpr double kLegendRow = 16;

// Longitude or latitude in degrees. Beyond a full turn the text is no place
// on the earth (and would project to an infinite pixel): no mark.
std::optional<double> coordinate(const std::string& text) {
    if (!starts_with_number(text)) return std::nullopt;
    const double degrees = numeric_value(text);
    if (std::abs(degrees) > 360) return std::nullopt;
    return degrees;
}

std::string three_decimals(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    return buffer;
}

}  // namespace

StationLegend draw_observations(const ObservationPacket& o, const MapCatalogue& maps,
                                const MapPictures& pictures, int index_map,
                                const DepthColorTable& depth_color_table,
                                const AmplitudeThresholds& amp_class_threshold) {
    const int records = shown_records(o);
    for (int i = 1; i <= records; ++i) {
        const auto r = static_cast<std::size_t>(i);
        const auto longitude = coordinate(o.obs_longitude[r]);
        const auto latitude = coordinate(o.obs_latitude[r]);
        if (!longitude || !latitude) continue;
        const int cls = amplitude_class(o.obs_peak[r] / 1000, amp_class_threshold);
        draw_station_mark(maps, pictures, *longitude, *latitude, index_map,
                          depth_color_table[static_cast<std::size_t>(7 - cls)]);
    }
    StationLegend legend;
    legend.unit = "kine";
    for (std::size_t row = 1; row <= 6; ++row) {
        draw_panel_box(pictures, kLegendX, kLegendY + kLegendRow * static_cast<double>(row - 1),
                       kEventMap, depth_color_table[row]);
        legend.thresholds[row - 1] = three_decimals(amp_class_threshold[7 - row]);
    }
    return legend;
}

}  // namespace eew
