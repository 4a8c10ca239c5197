#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace eew::traveltime {

enum class Wave { P, S };

// One line of a velocity model: the velocities in km/s at a depth in km.
struct ModelKnot {
    double depth_km = 0.0;
    double vp = 0.0;
    double vs = 0.0;

    double speed(Wave wave) const { return wave == Wave::P ? vp : vs; }
};

// A one-dimensional Earth model: knots from the surface down, velocities
// linear in depth between them. A depth given twice is a discontinuity (the
// first knot holds the values above it, the second those below).
struct VelocityModel {
    std::vector<ModelKnot> knots;

    double floor_km() const { return knots.back().depth_km; }
};

// A model file that cannot be read or does not describe a usable model.
class ModelError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Parses "depth vp vs" lines (blanks or tabs between the numbers; "#" starts a
// comment; blank lines are ignored). The depths start at 0, never decrease and
// repeat at most twice; the velocities are positive and Vs below Vp. Throws
// ModelError naming `name` and the line at fault.
VelocityModel parse_velocity_model(std::string_view text, const std::string& name);

// Reads and parses the model file at `path`; throws ModelError.
VelocityModel read_velocity_model(const std::string& path);

}  // namespace eew::traveltime
