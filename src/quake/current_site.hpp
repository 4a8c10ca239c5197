#pragma once

#include <optional>
#include <string>

namespace eew {

// The selected site profile, copied from one of the three; all hazard
// estimates use only this group. Empty (0 and "") when no profile is selected.
struct CurrentSite {
    std::string sitename;
    double longitude_site = 0;
    double latitude_site = 0;
    double ampfac = 0;
    // 1 when the site lies in the eastern (map_on1) or western (map_on2)
    // regional event map's area.
    int map_on1 = 0;
    int map_on2 = 0;
    // The agency's forecast area of the site, when one was chosen.
    std::optional<int> forecast_area{};
};

}  // namespace eew
