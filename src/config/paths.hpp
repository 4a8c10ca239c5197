#pragma once

#include <array>
#include <string>

namespace eew {

// File and folder paths, built once at start-up from the program folder.
struct Paths {
    std::string mypath;  // the program folder with a trailing separator
    std::string logp;
    std::string logp2;
    std::string file_traveltime;
    std::string file_traveltimep;
    std::string file_24h_map;
    std::string file_japan_map;
    std::string file_kanto_map;
    std::string file_kansai_map;
    std::string file_sound;
    std::string file_config;
    std::string file_LPwave_set;
    std::array<std::string, 11> file_sound_si;  // entries 1..10, "SI0_.wav" .. "SI7_.wav"
    std::string file_sound_area_warning;        // the site's area under the agency's warning
};

// `program_folder` may end with a separator or not.
Paths build_paths(const std::string& program_folder);

// The data folder, with a trailing separator.
std::string data_folder(const Paths& paths);

// Files that have no field of their own and are built where they are used.
std::string recent_events_path(const Paths& paths);        // data/24hours.dat
std::string ref_sites_path(const Paths& paths);            // data/ref.dat
std::string region_table_path(const Paths& paths);         // data/jmargn_j.csv
std::string web_pages_path(const Paths& paths);            // data/web_pages.txt
std::string forecast_area_table_path(const Paths& paths);  // data/forecast_area_table.csv
std::string site_areas_path(const Paths& paths);           // data/forecast_areas
std::string time_server_path(const Paths& paths);          // data/timeserver
std::string lan_senders_path(const Paths& paths);          // data/lan_senders
// The broker's files (broker.conf, broker_client_id) are read in the data
// folder by the broker's configuration.

}  // namespace eew
