#pragma once

#include <string>

#include "config/site_areas.hpp"
#include "quake/current_site.hpp"

namespace eew {

// The user's settings, one field per item of "tavi.config", in file order.
struct Settings {
    int localhost_port = 0;
    double pdata_min = 0;
    double magnitude_min = 0;
    double dist_min = 0;
    double disp_event_minutes = 0;
    std::string sitename1;
    double longitude_site1 = 0;
    double latitude_site1 = 0;
    double ampfac1 = 0;
    std::string sitename2;
    double longitude_site2 = 0;
    double latitude_site2 = 0;
    double ampfac2 = 0;
    std::string sitename3;
    double longitude_site3 = 0;
    double latitude_site3 = 0;
    double ampfac3 = 0;
    int select_site = 0;
    int lan_flag = 0;
    int voice_flag = 0;
    int auto_flag = 0;

    // The configured minimum magnitude as read at start-up; the "PopUP" box
    // restores `magnitude_min` to it, whatever the settings dialog set since.
    double magnitude_min_defalt = 0;
};

// Copies profile `select_site` (1..3) of `settings` into `site` with its
// forecast area and recomputes the map flags. Any other value empties the
// current site.
void select_current_site(const Settings& settings, const SiteAreas& areas, CurrentSite& site);

}  // namespace eew
