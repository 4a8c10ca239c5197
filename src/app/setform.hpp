#pragma once

#include <optional>
#include <string>

#include "config/site_areas.hpp"
#include "quake/forecast_area_table.hpp"
#include "view/setform_view.hpp"

namespace eew {

struct MainState;
struct Settings;
class Platform;

// The dialog's controls as the settings stand: numbers in plain decimal, the
// option button of `select_site` (none for a value other than 1..3), each
// check box checked when its flag is 1, each site's forecast area by its code
// among the table's areas.
SetformView load_setform(const Settings& settings, const SiteAreas& areas,
                         const ForecastAreaTable& table);

// "set and close": applies the dialog's controls to the settings and the
// current site, rewrites the configuration file, closes the dialog and
// redraws the main map. Nothing is validated: a box that does not begin with
// a number gives 0. `magnitude_min_defalt` keeps the value read at start-up.
// A switch of LAN mode rebinds a receiving socket at once. The changes stay
// in force when the file cannot be written; the message returned for the
// user then names the file and the reason.
std::optional<std::string> set_and_close(MainState& state, Platform& platform);

}  // namespace eew
