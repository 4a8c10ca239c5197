#pragma once

#include <optional>
#include <vector>

#include "traveltime/spherical_shells.hpp"
#include "traveltime/velocity_model.hpp"

namespace eew::traveltime {

// All the rays of one wave leaving one source, from straight up through the
// horizontal to straight down, sampled so densely that the travel time between
// neighbouring rays is linear in distance to a few milliseconds. The first arrival
// at a distance is the earliest of all the rays there, so direct, turning
// (refracted) and reflected waves, triplications included, are covered; in a
// sphere the waves that run just below a discontinuity (head waves in a flat
// Earth) are turning rays as well.
class RayFan {
  public:
    // Rays arriving later than `max_seconds` are sampled coarsely, so the
    // answers below hold to a few milliseconds up to that time only. Throws
    // ModelError when the depth lies outside the model or the model is too
    // shallow for the rays that arrive within `max_seconds`.
    RayFan(const VelocityModel& model, Wave wave, double source_depth_km, double max_seconds);

    // The first-arrival time in s at `distance_km` along the surface, or
    // nothing when no ray of the model reaches that far.
    std::optional<double> first_arrival_seconds(double distance_km) const;

    // How far along the surface, in km, the first-arriving front has reached
    // `seconds` after the origin. 0 until the front reaches the surface above
    // the source: the table gives the radius of the circle in which the wave
    // is felt, and before that there is none.
    double front_distance_km(double seconds) const;

  private:
    struct Ray {
        double takeoff = 0.0;  // rad from straight up
        double p = 0.0;        // s/rad
        RayEnd end;
        double km = 0.0;
    };

    Ray shoot(double takeoff) const;
    bool needs_split(const Ray& a, const Ray& b) const;
    void refine(const Ray& a, const Ray& b, int level);

    SphericalShells shells_;
    double max_seconds_;
    std::vector<Ray> rays_;
    std::vector<bool> resolved_;  // resolved_[i]: rays i and i+1 are close neighbours
};

}  // namespace eew::traveltime
