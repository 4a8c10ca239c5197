#include "feedsim/scenario_plan.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

#include "feedlib/report_text.hpp"
#include "feedsim/observed_packets.hpp"

namespace eew::sim {
namespace {

using feedlib::ReportValues;

// Fixed, so that every run sends the same reports; each quake gets its own stream.
constexpr std::uint32_t kWobbleSeed = 2024;

// A value in [-1, 1]. mt19937's output is fixed by the standard, unlike the
// library's distributions, so the wobble is the same on every platform.
double wobble(std::mt19937& generator) {
    return static_cast<double>(generator()) / 4294967295.0 * 2.0 - 1.0;
}

std::string derived_code(const DateTime& origin) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d%02d", origin.year(), origin.month(),
                  origin.day(), origin.hour(), origin.minute(), origin.second());
    return buffer;
}

// Report k of a quake: early reports underestimate the magnitude and miss the
// epicentre; both settle on the final values by the last report.
ReportValues evolve(const Quake& q, int k, std::mt19937& generator) {
    const double rest = q.reports > 1 ? 1.0 - static_cast<double>(k) / (q.reports - 1) : 0.0;
    const double settle = rest * rest;
    const double first_magnitude = std::max(q.magnitude - 1.5, q.magnitude * 0.6);
    ReportValues r;
    r.sequence = k + 1;
    r.magnitude = q.magnitude - (q.magnitude - first_magnitude) * settle;
    r.mip = std::max(0.0, r.magnitude - 0.3 * rest);
    r.latitude = std::clamp(q.latitude + 0.3 * settle * wobble(generator), -90.0, 90.0);
    r.longitude = std::clamp(q.longitude + 0.3 * settle * wobble(generator), -180.0, 180.0);
    r.depth = std::max(0.0, q.depth + (10 + 0.05 * q.depth) * settle * wobble(generator));
    r.p_data = 2 + 3 * k;
    r.mechanism = {};
    if (q.mechanism) {
        // Polarities accumulate as more stations report.
        const double share = static_cast<double>(k + 1) / q.reports;
        r.mechanism = *q.mechanism;
        r.mechanism.nobs_pol = std::round(q.mechanism->nobs_pol * share);
        r.mechanism.nmin_pol_err = std::round(q.mechanism->nmin_pol_err * share);
    }
    r.region = q.region;
    return r;
}

// What the stations have recorded by the report sent at `offset`: its
// waveform packets a tenth of a second apart, then the observations.
void add_observed(std::vector<FeedMessage>& out, const std::vector<Station>& stations,
                  const Quake& q, std::uint32_t index, long long offset, const std::string& label,
                  int sequence) {
    const double elapsed = static_cast<double>(offset - q.origin);
    double at = static_cast<double>(offset);
    const int eqnum = static_cast<int>(index % 9999) + 1;
    const auto packets = waveform_packets(stations, elapsed, eqnum, sequence);
    for (std::size_t p = 0; p < packets.size(); ++p)
        out.push_back(
            {at += 0.1, MessageKind::wave, label + " pkt " + std::to_string(p + 1), packets[p]});
    out.push_back({at + 0.1, MessageKind::obs, label, observation_packet(stations, elapsed)});
}

void add_quake(std::vector<FeedMessage>& out, const Quake& q, std::uint32_t index,
               const DateTime& start, bool observed) {
    const std::vector<Station> stations =
        observed ? stations_around(q, index) : std::vector<Station>{};
    const DateTime origin = start.plus_seconds(q.origin);
    const std::string code = q.code.empty() ? derived_code(origin) : q.code;
    std::mt19937 generator(kWobbleSeed + index);
    const long long first = q.origin + first_report_delay(q.depth);
    long long offset = first;
    for (int k = 0; k < q.reports; ++k) {
        offset = first + k * q.interval;
        ReportValues r = feedlib::at_feed_precision(evolve(q, k, generator));
        r.code = code;
        r.origin_time = feedlib::feed_date_time(origin) + ".0";
        r.send_time = feedlib::feed_date_time(start.plus_seconds(offset));
        const std::string label = code + "/" + std::to_string(r.sequence);
        out.push_back({static_cast<double>(offset), MessageKind::report, label, report_text(r)});
        if (observed) add_observed(out, stations, q, index, offset, label, r.sequence);
    }
    if (q.noise_delay)
        out.push_back({static_cast<double>(offset + *q.noise_delay), MessageKind::noise, code,
                       "noise: end of event " + code});
}

}  // namespace

long long first_report_delay(double depth) {
    return 3 + std::llround(depth / 8.0);
}

std::vector<FeedMessage> plan_scenario(const Scenario& scenario, const DateTime& start,
                                       bool observed_packets) {
    std::vector<FeedMessage> messages;
    for (std::size_t i = 0; i < scenario.quakes.size(); ++i)
        add_quake(messages, scenario.quakes[i], static_cast<std::uint32_t>(i), start,
                  observed_packets);
    std::stable_sort(
        messages.begin(), messages.end(),
        [](const FeedMessage& a, const FeedMessage& b) { return a.offset < b.offset; });
    return messages;
}

}  // namespace eew::sim
