// eew-traveltime MODEL FOLDER
// Writes the S and P travel tables of the velocity model file MODEL into
// FOLDER as "traveltime300.dat" and "traveltimep300.dat".
#include <cstdio>
#include <exception>
#include <string>

#include "text/whole_file.hpp"
#include "traveltime/front_table.hpp"
#include "traveltime/velocity_model.hpp"

namespace {

namespace tt = eew::traveltime;

bool write_table(const tt::VelocityModel& model, tt::Wave wave, const std::string& path) {
    const auto rows = tt::front_table(model, wave);
    if (const auto error = eew::write_file_replacing(path, tt::travel_table_text(rows))) {
        std::fprintf(stderr, "eew-traveltime: %s\n", error->c_str());
        return false;
    }
    std::printf("%s: %d depths, %.3f km at %d s from the surface\n", path.c_str(),
                static_cast<int>(rows.size()), rows.front().back(), tt::kTableSeconds);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: eew-traveltime MODEL FOLDER\n");
        return 2;
    }
    const std::string folder =
        std::string(argv[2]) + (std::string(argv[2]).ends_with('/') ? "" : "/");
    try {
        const auto model = tt::read_velocity_model(argv[1]);
        const bool ok = write_table(model, tt::Wave::S, folder + "traveltime300.dat") &&
                        write_table(model, tt::Wave::P, folder + "traveltimep300.dat");
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "eew-traveltime: %s\n", e.what());
        return 1;
    }
}
