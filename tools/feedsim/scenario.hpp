#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "feedlib/report_text.hpp"

namespace eew::sim {

// One simulated earthquake as a scenario file describes it.
struct Quake {
    int line = 0;            // the line of its "quake" keyword
    long long origin = 0;    // origin time, whole seconds after the simulator starts
    double longitude = 0;    // final epicentre, degrees east
    double latitude = 0;     // degrees north
    double depth = 0;        // final depth, km
    double magnitude = 0;    // final magnitude
    int reports = 0;         // number of reports
    long long interval = 0;  // whole seconds between reports
    std::string region;      // region key as the reports carry it
    std::string code;        // empty: derived from the origin time
    std::optional<feedlib::Mechanism> mechanism;
    std::optional<long long> noise_delay;  // seconds after the last report
};

struct Scenario {
    std::vector<Quake> quakes;
};

// What is wrong with a scenario file, and where; line 0 means the file as a whole.
struct ScenarioError {
    int line = 0;
    std::string what;
};

// Reads a scenario file (format in tools/scenarios/README.md). Stops at the
// first error.
std::variant<Scenario, ScenarioError> parse_scenario(std::string_view text);

}  // namespace eew::sim
