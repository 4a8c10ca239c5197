#pragma once

#include <cstdio>
#include <string>

#include "fakes/temp_folder.hpp"
#include "text/shift_jis.hpp"

namespace eew::test {

// "tavi.config" text with three sites (Tokyo, Osaka, Sendai) and the given
// selection, auto-start and LAN switches and feed port.
inline std::string sample_config(int select_site = 1, int auto_flag = 0, int lan_flag = 0,
                                 int port = 9000) {
    // clang-format off
    const std::string lines[] = {
        std::to_string(port), "1", "3.5", "300", "120",
        *utf8_to_sjis("東京"), "139.7", "35.7", "1.5",
        *utf8_to_sjis("大阪"), "135.5", "34.7", "1.2",
        *utf8_to_sjis("仙台"), "140.9", "38.3", "1",
        std::to_string(select_site), std::to_string(lan_flag), "1", std::to_string(auto_flag)};
    // clang-format on
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

// A travel-time table whose entry (i, t) is `km_per_second` x t, written
// `per_line` numbers to a line.
inline std::string linear_travel_table(double km_per_second, int per_line = 10) {
    std::string out;
    char buf[32];
    for (int i = 1; i <= 81; ++i) {
        for (int t = 1; t <= 300; ++t) {
            std::snprintf(buf, sizeof buf, "%.3f", km_per_second * t);
            out += std::string(buf) + (t % per_line == 0 ? "\r\n" : ",");
        }
    }
    return out;
}

// Writes every file start-up needs into `folder`/data: configuration, both
// travel tables (S 4 km/s, P 7 km/s), "LPwave.in" and a 3-row region table.
inline void write_program_files(const TempFolder& folder) {
    folder.write("data/tavi.config", sample_config());
    static const std::string s_table = linear_travel_table(4.0), p_table = linear_travel_table(7.0);
    folder.write("data/traveltime300.dat", s_table);
    folder.write("data/traveltimep300.dat", p_table);
    folder.write("data/LPwave.in", "\"velocity\",3.0\r\n\"" +
                                       *utf8_to_sjis("長周期地震動に注意してください。") +
                                       "\"\r\n\"intensity_min\",0.5\r\n");
    folder.write("data/jmargn_j.csv", "ibaraki_s," + *utf8_to_sjis("茨城県南部") + "\r\n" +
                                          "chiba_nw," + *utf8_to_sjis("千葉県北西部") + "\r\n" +
                                          "tokyo_23," + *utf8_to_sjis("東京都２３区") + "\r\n");
}

}  // namespace eew::test
