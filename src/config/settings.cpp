#include "config/settings.hpp"

#include "maps/map_catalogue.hpp"

namespace eew {

void select_current_site(const Settings& s, const SiteAreas& areas, CurrentSite& site) {
    switch (s.select_site) {
        case 1:
            site = {s.sitename1, s.longitude_site1, s.latitude_site1, s.ampfac1};
            break;
        case 2:
            site = {s.sitename2, s.longitude_site2, s.latitude_site2, s.ampfac2};
            break;
        case 3:
            site = {s.sitename3, s.longitude_site3, s.latitude_site3, s.ampfac3};
            break;
        default:
            site = {};
            break;
    }
    if (s.select_site >= 1 && s.select_site <= 3) site.forecast_area = areas[s.select_site];
    site.map_on1 = site_in_eastern_map(site.longitude_site, site.latitude_site);
    site.map_on2 = site_in_western_map(site.longitude_site);
}

}  // namespace eew
