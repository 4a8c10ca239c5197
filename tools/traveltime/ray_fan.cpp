#include "traveltime/ray_fan.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "text/number_format.hpp"

namespace eew::traveltime {
namespace {

constexpr int kStartingRays = 256;
constexpr int kMaxSplits = 40;
constexpr double kMaxGapKm = 20.0;
constexpr double kMaxGapSeconds = 2.5;
// Between two rays the travel time is interpolated linearly in distance; its
// error is about an eighth of the change of slope (p / R) times the gap.
constexpr double kMaxInterpolationSeconds = 0.002;

}  // namespace

RayFan::RayFan(const VelocityModel& model, Wave wave, double source_depth_km, double max_seconds)
    : shells_(model, wave, source_depth_km), max_seconds_(max_seconds) {
    const double grazing_floor = shells_.floor_slowness() * (1.0 + 1e-9);
    const RayEnd floor_ray =
        grazing_floor < shells_.source_slowness() ? shells_.trace(grazing_floor, true) : RayEnd{};
    if (floor_ray.valid && floor_ray.seconds <= max_seconds) {
        throw ModelError("the model ends at " + plain_decimal(model.floor_km()) +
                         " km, too shallow for the rays that arrive within " +
                         plain_decimal(max_seconds) + " s");
    }
    // A source at the surface has no upgoing rays.
    const double first = source_depth_km > 0.0 ? 0.0 : std::numbers::pi / 2;
    const double step = (std::numbers::pi - first) / kStartingRays;
    Ray previous = shoot(first);
    rays_.push_back(previous);
    for (int i = 1; i <= kStartingRays; ++i) {
        const Ray next = shoot(i == kStartingRays ? std::numbers::pi : first + i * step);
        refine(previous, next, 0);
        rays_.push_back(next);
        previous = next;
    }
}

RayFan::Ray RayFan::shoot(double takeoff) const {
    Ray ray;
    ray.takeoff = takeoff;
    ray.p = shells_.source_slowness() * std::sin(takeoff);
    ray.end = shells_.trace(ray.p, takeoff > std::numbers::pi / 2);
    ray.km = ray.end.distance_rad * kEarthRadiusKm;
    return ray;
}

bool RayFan::needs_split(const Ray& a, const Ray& b) const {
    if (!a.end.valid && !b.end.valid) return false;
    if (a.end.valid != b.end.valid) {
        // Find the last ray before the gap, if it matters.
        const Ray& valid = a.end.valid ? a : b;
        return valid.end.seconds <= max_seconds_;
    }
    if (std::min(a.end.seconds, b.end.seconds) > max_seconds_) return false;
    const double gap_km = std::abs(a.km - b.km);
    const double slope_change = std::abs(a.p - b.p) / kEarthRadiusKm;
    return gap_km > kMaxGapKm || std::abs(a.end.seconds - b.end.seconds) > kMaxGapSeconds ||
           slope_change * gap_km / 8 > kMaxInterpolationSeconds;
}

// Adds the rays between `a` and `b` (both excluded) in order, and a flag for
// every gap between neighbours.
void RayFan::refine(const Ray& a, const Ray& b, int level) {
    if (level < kMaxSplits && needs_split(a, b)) {
        const Ray middle = shoot((a.takeoff + b.takeoff) / 2);
        refine(a, middle, level + 1);
        rays_.push_back(middle);
        refine(middle, b, level + 1);
        return;
    }
    resolved_.push_back(a.end.valid && b.end.valid && !needs_split(a, b));
}

std::optional<double> RayFan::first_arrival_seconds(double distance_km) const {
    std::optional<double> best;
    const auto offer = [&](double seconds) {
        if (!best || seconds < *best) best = seconds;
    };
    for (std::size_t i = 0; i < rays_.size(); ++i) {
        const Ray& a = rays_[i];
        if (a.end.valid && a.km == distance_km) offer(a.end.seconds);
        if (i + 1 == rays_.size() || !resolved_[i]) continue;
        const Ray& b = rays_[i + 1];
        if (distance_km < std::min(a.km, b.km) || distance_km > std::max(a.km, b.km) ||
            a.km == b.km)
            continue;
        const double f = (distance_km - a.km) / (b.km - a.km);
        offer(a.end.seconds + f * (b.end.seconds - a.end.seconds));
    }
    return best;
}

double RayFan::front_distance_km(double seconds) const {
    double best = 0.0;
    for (std::size_t i = 0; i < rays_.size(); ++i) {
        const Ray& a = rays_[i];
        if (a.end.valid && a.end.seconds <= seconds) best = std::max(best, a.km);
        if (i + 1 == rays_.size() || !resolved_[i]) continue;
        const Ray& b = rays_[i + 1];
        const double early = std::min(a.end.seconds, b.end.seconds);
        const double late = std::max(a.end.seconds, b.end.seconds);
        if (seconds <= early || seconds >= late) continue;
        const double f = (seconds - a.end.seconds) / (b.end.seconds - a.end.seconds);
        best = std::max(best, a.km + f * (b.km - a.km));
    }
    return best;
}

}  // namespace eew::traveltime
