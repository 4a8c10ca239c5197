#pragma once

#include <optional>
#include <string>

#include "quake/agency_forecast.hpp"
#include "text/date_time.hpp"

namespace eew {

// The report just decoded (the "00" fields), plus the distance and intensity
// estimated for it at the current site.
struct CurrentReport {
    std::string code00;
    std::string sequence00;
    DateTime origintime00;
    DateTime sendtime00;
    double magnitude00 = 0;
    double mip00 = 0;
    double latitude00 = 0;
    double longitude00 = 0;
    double depth00 = 0;
    double pdata00 = 0;
    double azp00 = 0;
    double thp00 = 0;
    double azt00 = 0;
    double tht00 = 0;
    double nobs_pol00 = 0;
    double n_pol_err00 = 0;
    std::string region_name00;  // the region key, raw bytes as received
    // The agency's forecast per area, when the report carries one whole.
    std::optional<AgencyForecast> forecast00{};

    double dist00 = 0;
    double intensity00 = 0;
};

// The followed event's latest report (the plain fields), written only by
// copy_selected_report.
struct FollowedEvent {
    std::string code;
    std::string sequence;
    DateTime origintime;
    DateTime sendtime;
    double magnitude = 0;
    double mip = 0;
    double latitude = 0;
    double longitude = 0;
    double depth = 0;
    double pdata = 0;
    double azp = 0;
    double thp = 0;
    double azt = 0;
    double tht = 0;
    double nobs_pol = 0;
    double n_pol_err = 0;
    std::string region_name;     // display name (UTF-8)
    std::string region_name_en;  // the key as received
    std::optional<AgencyForecast> forecast{};
    double dist = 0;
    double intensity = 0;
    int depth_div = 0;    // 5 km depth index of the travel tables
    int depth_color = 0;  // depth class 1..6
};

// The followed event's values when it became the followed event.
struct FirstReport {
    DateTime origintime_first;
    DateTime sendtime_first;
    double magnitude_first = 0;
    double latitude_first = 0;
    double longitude_first = 0;
    double depth_first = 0;
    int depth_color_first = 0;
};

}  // namespace eew
