#pragma once

#include <string>
#include <vector>

#include "traveltime/velocity_model.hpp"

namespace eew::traveltime {

constexpr int kTableRows = 81;
constexpr int kTableSeconds = 300;
constexpr double kRowStepKm = 5.0;

// The source depth of table row `row` (1-based), which stands for sources from
// 5 (row - 1) km to under 5 row km. The row is computed for the top of that
// range, not its middle: reported depths are whole kilometres and mostly
// multiples of 5 or 10 km, for which the top is the depth itself; any other
// depth is placed up to 5 km shallower, which brings the wave to sites near
// the epicentre a little early rather than late.
double row_source_depth_km(int row);

// rows[i - 1][t - 1]: the distance in km along the surface that the first
// front of `wave` has reached t seconds after the origin, for a source at
// row_source_depth_km(i); 0 until the front reaches the surface.
std::vector<std::vector<double>> front_table(const VelocityModel& model, Wave wave,
                                             int rows = kTableRows, int seconds = kTableSeconds);

// The table file's text: each row's numbers in order, ten to a line (a row's
// last line may hold fewer), comma-separated, three decimals, CR LF.
std::string travel_table_text(const std::vector<std::vector<double>>& rows);

}  // namespace eew::traveltime
