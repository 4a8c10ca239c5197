#pragma once

#include <string>
#include <utility>
#include <vector>

namespace eew {

// The settings dialog ("setting"): what its controls hold, under their names.
// Filled from the settings when the dialog opens; the user's typing lands
// here and stays until "set and close" applies it or the dialog is closed.
// Texts are UTF-8, exactly as typed.
struct SetformView {
    // The three site columns: option button, name, longitude, latitude,
    // amplification factor.
    bool Option1 = false;
    std::string Text8;  // sitename1
    std::string Text3;  // longitude_site1
    std::string Text4;  // latitude_site1
    std::string Text5;  // ampfac1
    bool Option2 = false;
    std::string Text9;   // sitename2
    std::string Text10;  // longitude_site2
    std::string Text11;  // latitude_site2
    std::string Text12;  // ampfac2
    bool Option3 = false;
    std::string Text13;  // sitename3
    std::string Text14;  // longitude_site3
    std::string Text15;  // latitude_site3
    std::string Text16;  // ampfac3

    // The single column of boxes, and the check boxes beside its first rows.
    std::string Text2;    // localhost_port, "port"
    std::string Text6;    // pdata_min, "min. p data"
    std::string Text7;    // magnitude_min, "min. M"
    std::string Text1;    // dist_min, "max distance"
    std::string Text17;   // disp_event_minutes, "disp duration"
    bool Check1 = false;  // lan_flag, "LAN mode"
    bool Check2 = false;  // voice_flag, "voice alarm"
    bool Check3 = false;  // auto_flag, "auto start"

    // The agency's forecast area of each site column, "forecast area": the
    // chosen area's three-digit code, empty for none; and the areas to choose
    // from, code and name, in the table's order.
    std::string forecast_area1;
    std::string forecast_area2;
    std::string forecast_area3;
    std::vector<std::pair<std::string, std::string>> forecast_area_choices;
};

}  // namespace eew
