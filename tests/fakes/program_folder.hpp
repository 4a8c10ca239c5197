#pragma once

#include <string>

#include "fakes/temp_folder.hpp"

namespace eew::test {

// "tavi.config" text with three sites (Tokyo, Osaka, Sendai) and the given
// selection, auto-start and LAN switches and feed port.
std::string sample_config(int select_site = 1, int auto_flag = 0, int lan_flag = 0,
                          int port = 9000);

// A travel-time table whose entry (i, t) is `km_per_second` x t, written
// `per_line` numbers to a line.
std::string linear_travel_table(double km_per_second, int per_line = 10);

// Writes every file start-up needs into `folder`/data: configuration, both
// travel tables (S 4 km/s, P 7 km/s), "LPwave.in" and a 3-row region table.
void write_program_files(const TempFolder& folder);

}  // namespace eew::test
