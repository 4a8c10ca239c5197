#include "feedsim/observed_packets.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

namespace eew::sim {
namespace {

constexpr int kStations = 80;
constexpr double kKmPerDegree = 111.196;
constexpr double kVp = 6.5;  // km/s
constexpr double kVs = 3.7;
constexpr int kSamplesPerSecond = 20;
constexpr int kMaxSamples = 400;
constexpr std::size_t kWaveStations = 30;

// A number right-aligned in `width` characters, with as many of `decimals`
// as fit.
std::string fixed(double value, int width, int decimals = 0) {
    char buffer[64];
    for (int d = decimals; d >= 0; --d) {
        std::snprintf(buffer, sizeof buffer, "%*.*f", width, d, value);
        if (static_cast<int>(std::string_view(buffer).size()) <= width) return buffer;
    }
    return std::string(static_cast<std::size_t>(width), '9');
}

// Peak ground velocity (cm/s) at hypocentral distance x km: grows with
// magnitude, falls with distance, saturating near the source.
double peak_velocity(double magnitude, double depth, double x) {
    const double near = 0.0028 * std::pow(10.0, 0.5 * magnitude);
    return std::pow(10.0,
                    0.58 * magnitude + 0.0038 * depth - 1.29 - std::log10(x + near) - 0.002 * x);
}

// Sample j (0-based, 20 a second from `start`) of a station's trace, 0..255
// around 128: faint noise, the P onset, then an S phase three times larger.
int sample(const Station& s, double start, int j, std::mt19937& noise) {
    const double t = start + static_cast<double>(j) / kSamplesPerSecond;
    const double s_time = s.hypocentral_km / kVs;
    double amplitude = 3;
    if (t >= s.p_time) amplitude = 30 * std::exp(-(t - s.p_time) / 4) + 10;
    if (t >= s_time) amplitude = 100 * std::exp(-(t - s_time) / 6) + 15;
    // Louder stations swing wider, quiet ones stay near the baseline.
    amplitude *= std::clamp(0.4 + 0.3 * std::log10(s.peak_kine + 1), 0.2, 1.0);
    const double jitter = static_cast<double>(noise() % 1000) / 500.0 - 1.0;
    const double wave = std::sin(2 * std::numbers::pi * 3 * t + jitter);
    return std::clamp(static_cast<int>(std::lround(128 + amplitude * wave)), 0, 255);
}

std::string wave_record(const Station& s, double pmin, double elapsed) {
    const int n =
        std::clamp(static_cast<int>((elapsed - pmin) * kSamplesPerSecond), 1, kMaxSamples);
    std::string r = s.code + (s.up ? "U " : "D ") + fixed(s.epicentral_km, 3) + fixed(0, 6) +
                    fixed(0, 6) + fixed(std::min(s.peak_kine * 1000, 9999999.0), 7) +
                    fixed(s.p_time, 6, 2) + fixed(n, 3);
    std::mt19937 noise(static_cast<std::uint32_t>(s.code[1] * 1000 + s.code[3]));
    char hex[3];
    for (int j = 0; j < n; ++j) {
        std::snprintf(hex, sizeof hex, "%02X", sample(s, pmin, j, noise));
        r += hex;
    }
    return r;
}

}  // namespace

std::vector<Station> stations_around(const Quake& q, unsigned index) {
    std::mt19937 g(7000 + index);
    std::vector<Station> stations;
    for (int i = 0; i < kStations; ++i) {
        const double km = 5 + 295 * std::pow(static_cast<double>(g() % 10000) / 10000.0, 1.5);
        const double azimuth = static_cast<double>(g() % 36000) / 100.0 * std::numbers::pi / 180;
        Station s;
        char code[8];
        std::snprintf(code, sizeof code, "S%03d", i + 1);
        s.code = code;
        s.latitude = q.latitude + km * std::cos(azimuth) / kKmPerDegree;
        s.longitude =
            q.longitude +
            km * std::sin(azimuth) / (kKmPerDegree * std::cos(q.latitude * std::numbers::pi / 180));
        s.epicentral_km = km;
        s.hypocentral_km = std::hypot(km, q.depth);
        s.p_time = s.hypocentral_km / kVp;
        s.peak_kine = peak_velocity(q.magnitude, q.depth, s.hypocentral_km);
        s.up = g() % 2 == 0;
        stations.push_back(s);
    }
    std::sort(stations.begin(), stations.end(),
              [](const Station& a, const Station& b) { return a.epicentral_km < b.epicentral_km; });
    return stations;
}

std::vector<std::string> waveform_packets(const std::vector<Station>& stations, double elapsed,
                                          int eqnum, int iseq) {
    std::vector<const Station*> reached;
    for (const Station& s : stations)
        if (s.p_time <= elapsed && reached.size() < kWaveStations) reached.push_back(&s);
    if (reached.empty()) return {};
    // The axis starts two seconds before the first P arrival, on a whole second.
    const double pmin = std::max(0.0, std::floor(reached.front()->p_time) - 2);
    std::vector<std::string> packets;
    for (std::size_t first = 0; first < reached.size(); first += 10) {
        const std::size_t count = std::min<std::size_t>(10, reached.size() - first);
        std::string p = "wave     " + fixed(eqnum, 4) + fixed(iseq, 2) +
                        fixed(static_cast<double>(packets.size() + 1), 2) + fixed(pmin, 6, 1) +
                        fixed(static_cast<double>(count), 2);
        for (std::size_t i = first; i < first + count; ++i)
            p += wave_record(*reached[i], pmin, elapsed);
        packets.push_back(p);
    }
    return packets;
}

std::string observation_packet(const std::vector<Station>& stations, double elapsed) {
    std::string records;
    int count = 0;
    for (const Station& s : stations) {
        if (s.p_time > elapsed) continue;
        // The peak grows until the S phase has passed.
        const double share =
            std::clamp((elapsed - s.p_time) / (s.hypocentral_km / kVs - s.p_time + 2), 0.1, 1.0);
        records += fixed(s.latitude, 5, 2) + fixed(s.longitude, 6, 2) +
                   fixed(std::min(s.peak_kine * share * 1000, 9999999.0), 7);
        ++count;
    }
    return "obs     " + fixed(count, 3) + records;
}

}  // namespace eew::sim
