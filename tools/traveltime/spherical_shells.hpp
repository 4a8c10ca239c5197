#pragma once

#include <cstddef>
#include <vector>

#include "traveltime/velocity_model.hpp"

namespace eew::traveltime {

constexpr double kEarthRadiusKm = 6371.0;

// A ray's end on the surface: the angle it has travelled round the Earth's
// centre and the time it took. `valid` is false for a ray that turns below the
// model's floor or cannot reach the surface.
struct RayEnd {
    bool valid = false;
    double distance_rad = 0.0;
    double seconds = 0.0;
};

// The model cut into thin spherical shells, for one wave and one source depth.
// Within a shell the velocity follows v = a r^b, the law under which the ray
// integrals of a sphere have a closed form, so a ray is traced exactly through
// shells thin enough (at most `max_shell_km`) for that law to match the
// model's linear change with depth.
class SphericalShells {
  public:
    // The source sits at the top of a shell; at a discontinuity it takes the
    // velocity below it. Throws ModelError when the depth is outside the model.
    SphericalShells(const VelocityModel& model, Wave wave, double source_depth_km,
                    double max_shell_km = 1.0);

    // r / v at the source, in s: the largest ray parameter a ray leaving the
    // source can have (the horizontal ray).
    double source_slowness() const { return shells_[source_].eta_top; }

    // r / v at the model's floor: rays of a smaller parameter turn below it.
    double floor_slowness() const { return shells_.back().eta_bot; }

    // Traces the ray of parameter `p` (s/rad, at most source_slowness()) that
    // leaves the source upwards or downwards. A downgoing ray turns where the
    // velocity has grown to r / p, or is reflected where a discontinuity stops
    // it, and returns to the surface.
    RayEnd trace(double p, bool downward) const;

  private:
    struct Shell {
        double r_top, r_bot;      // km
        double eta_top, eta_bot;  // r / v, s
        double c;                 // d ln(eta) / d ln(r): 1 - b of v = a r^b
    };
    struct Leg {
        double distance_rad = 0.0;
        double seconds = 0.0;
    };

    void add_shells(double depth_top, double v_top, double depth_bot, double v_bot);
    // Adds the crossing of a whole shell; false when the ray cannot cross it.
    static bool add_full_shell(const Shell& shell, double p, Leg& leg);

    std::vector<Shell> shells_;
    std::size_t source_ = 0;
};

}  // namespace eew::traveltime
