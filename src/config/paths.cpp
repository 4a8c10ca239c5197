#include "config/paths.hpp"

#include <filesystem>

namespace eew {
namespace {

// The program names its folders with "\" (and the region table with "/");
// both stand for the platform's own separator here.
constexpr char kSep = std::filesystem::path::preferred_separator;

}  // namespace

std::string data_folder(const Paths& paths) {
    return paths.mypath + "data" + kSep;
}

Paths build_paths(const std::string& program_folder) {
    Paths p;
    p.mypath = program_folder;
    if (p.mypath.empty() || p.mypath.back() != kSep) p.mypath += kSep;
    p.logp = p.mypath + "log" + kSep;
    p.logp2 = p.logp + "large_events" + kSep;
    const std::string data = data_folder(p);
    p.file_traveltime = data + "traveltime300.dat";
    p.file_traveltimep = data + "traveltimep300.dat";
    p.file_24h_map = data + "japan_map.bmp";
    p.file_japan_map = data + "japan_event.bmp";
    p.file_kanto_map = data + "kanto_event.bmp";
    p.file_kansai_map = data + "kansai_event.bmp";
    p.file_sound = data + "sound.wav";
    p.file_config = data + "tavi.config";
    p.file_LPwave_set = data + "LPwave.in";
    static constexpr const char* kClassSounds[] = {"SI0_.wav", "SI1_.wav", "SI2_.wav", "SI3_.wav",
                                                   "SI4_.wav", "SI5-.wav", "SI5+.wav", "SI6-.wav",
                                                   "SI6+.wav", "SI7_.wav"};
    for (int i = 1; i <= 10; ++i)
        p.file_sound_si[i] = data + kClassSounds[i - 1];
    p.file_sound_area_warning = data + "area_warning.wav";
    return p;
}

std::string recent_events_path(const Paths& paths) {
    return data_folder(paths) + "24hours.dat";
}
std::string ref_sites_path(const Paths& paths) {
    return data_folder(paths) + "ref.dat";
}
std::string region_table_path(const Paths& paths) {
    return data_folder(paths) + "jmargn_j.csv";
}
std::string web_pages_path(const Paths& paths) {
    return data_folder(paths) + "web_pages.txt";
}
std::string forecast_area_table_path(const Paths& paths) {
    return data_folder(paths) + "forecast_area_table.csv";
}
std::string site_areas_path(const Paths& paths) {
    return data_folder(paths) + "forecast_areas";
}
std::string time_server_path(const Paths& paths) {
    return data_folder(paths) + "timeserver";
}
std::string lan_senders_path(const Paths& paths) {
    return data_folder(paths) + "lan_senders";
}

}  // namespace eew
