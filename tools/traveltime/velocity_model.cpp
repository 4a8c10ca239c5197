#include "traveltime/velocity_model.hpp"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace eew::traveltime {
namespace {

std::vector<double> numbers_of(std::string_view line, bool& ok) {
    std::vector<double> values;
    ok = true;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t' || line[pos] == '\r'))
            ++pos;
        if (pos == line.size()) break;
        double value = 0.0;
        auto [end, ec] = std::from_chars(line.data() + pos, line.data() + line.size(), value);
        const std::size_t stop = static_cast<std::size_t>(end - line.data());
        const bool separated =
            stop == line.size() || line[stop] == ' ' || line[stop] == '\t' || line[stop] == '\r';
        if (ec != std::errc() || !separated || !std::isfinite(value)) {
            ok = false;
            return values;
        }
        values.push_back(value);
        pos = stop;
    }
    return values;
}

void check_knot(const VelocityModel& model, const ModelKnot& knot, const std::string& where) {
    if (knot.vp <= 0.0 || knot.vs <= 0.0 || knot.vs >= knot.vp)
        throw ModelError(where + ": velocities must be positive with Vs below Vp");
    if (model.knots.empty()) {
        if (knot.depth_km != 0.0) throw ModelError(where + ": the first depth must be 0");
        return;
    }
    const double previous = model.knots.back().depth_km;
    if (knot.depth_km < previous) throw ModelError(where + ": depths must not decrease");
    const std::size_t n = model.knots.size();
    if (knot.depth_km == previous && n >= 2 && model.knots[n - 2].depth_km == previous)
        throw ModelError(where + ": a depth may be given at most twice");
}

}  // namespace

VelocityModel parse_velocity_model(std::string_view text, const std::string& name) {
    VelocityModel model;
    std::size_t start = 0;
    int line_number = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++line_number;
        if (const std::size_t hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        const std::string where = name + ", line " + std::to_string(line_number);
        bool ok = false;
        const std::vector<double> values = numbers_of(line, ok);
        if (!ok || (!values.empty() && values.size() != 3))
            throw ModelError(where + ": expected three numbers: depth, Vp, Vs");
        if (values.empty()) continue;
        const ModelKnot knot{values[0], values[1], values[2]};
        check_knot(model, knot, where);
        model.knots.push_back(knot);
    }
    if (model.knots.size() < 2 || model.floor_km() <= 0.0)
        throw ModelError(name + ": a model needs knots at two or more depths");
    return model;
}

VelocityModel read_velocity_model(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ModelError(path + ": cannot be read");
    std::ostringstream content;
    content << in.rdbuf();
    return parse_velocity_model(content.str(), path);
}

}  // namespace eew::traveltime
