#include "traveltime/front_table.hpp"

#include <cstdio>

#include "traveltime/ray_fan.hpp"

namespace eew::traveltime {

double row_source_depth_km(int row) {
    return kRowStepKm * (row - 1);
}

std::vector<std::vector<double>> front_table(const VelocityModel& model, Wave wave, int rows,
                                             int seconds) {
    std::vector<std::vector<double>> table;
    for (int row = 1; row <= rows; ++row) {
        const RayFan fan(model, wave, row_source_depth_km(row), seconds);
        std::vector<double> distances;
        for (int t = 1; t <= seconds; ++t)
            distances.push_back(fan.front_distance_km(t));
        table.push_back(std::move(distances));
    }
    return table;
}

std::string travel_table_text(const std::vector<std::vector<double>>& rows) {
    std::string text;
    char number[32];
    for (const auto& row : rows) {
        for (std::size_t t = 0; t < row.size(); ++t) {
            std::snprintf(number, sizeof number, "%.3f", row[t]);
            text += number;
            text += (t % 10 == 9 || t + 1 == row.size()) ? "\r\n" : ",";
        }
    }
    return text;
}

}  // namespace eew::traveltime
