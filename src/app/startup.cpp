#include "app/startup.hpp"

#include <cmath>
#include <filesystem>

#include "app/clock_display.hpp"
#include "app/main_map.hpp"
#include "app/main_state.hpp"
#include "app/program_modes.hpp"
#include "app/report_chain.hpp"
#include "config/config_file.hpp"
#include "draw/colour.hpp"
#include "notify/web_pages.hpp"
#include "text/field_reader.hpp"
#include "view/notice.hpp"
#include "view/platform.hpp"

namespace eew {
namespace {

// Optional, as the time server: a broker's feed beside the socket, and the
// only senders datagrams are taken from. The notice box shows one notice, so
// what is wrong with a file is told in one.
void read_feed_sources(MainState& m, const DateTime& now) {
    const auto tell = [&](const std::vector<std::string>& faults) {
        std::string text;
        for (const std::string& f : faults)
            text += (text.empty() ? "" : " ") + f;
        if (!text.empty()) post_notice(m.main_view, now, text);
    };
    BrokerConfigFile broker = read_broker_config(data_folder(m.paths));
    m.broker.config = std::move(broker.broker);
    tell(broker.faults);
    if (m.broker.config) {
        BrokerClientId id = broker_client_id(data_folder(m.paths));
        m.broker.client_id = id.id;
        if (id.fault) post_notice(m.main_view, now, *id.fault);
    }
    LanSendersFile senders = read_lan_senders(lan_senders_path(m.paths));
    m.feed.lan_senders = std::move(senders.senders);
    tell(senders.faults);
}

}  // namespace
namespace {

void create_folder_if_missing(const std::string& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) std::filesystem::create_directory(folder, ec);
    // A folder that cannot be created is reported when a log is written into
    // it; receiving warnings must not depend on it.
}

void set_display_constants(DisplayConstants& d) {
    d.disp_event_hours = 24;
    d.display_time_max = 120;
    d.depth_color_table = kDepthColorTable;
    for (int i = 1; i <= 6; ++i)
        d.amp_class_threshold[i] = std::pow(10.0, 0.5 * i - 3);
    d.large_m = 5.0;
}

}  // namespace

std::optional<std::string> load_program_state(MainState& m, Platform& platform) {
    try {
        m.paths = build_paths(platform.program_folder());
        create_folder_if_missing(m.paths.logp);
        create_folder_if_missing(m.paths.logp2);

        m.settings = read_config(m.paths.file_config);
        // Optional, as the pages: the agency's forecast for the site is
        // shown only where an area was chosen and can be named.
        SiteAreasFile areas = read_site_areas(site_areas_path(m.paths));
        m.site_areas = areas.areas;
        if (areas.fault) post_notice(m.main_view, platform.now(), *areas.fault);
        try {
            // Without the table areas are shown by their codes; only a table
            // that is there but cannot be read is worth a word.
            const std::string table = forecast_area_table_path(m.paths);
            if (std::filesystem::exists(table))
                m.forecast_area_table = read_forecast_area_table(table);
        } catch (const DataFileError& e) {
            post_notice(m.main_view, platform.now(),
                        std::string(e.what()) + " Forecast areas are shown by their codes.");
        }
        select_current_site(m.settings, m.site_areas, m.site);
        TimeServerFile server = read_time_server(time_server_path(m.paths));
        m.time_server = server.server;
        if (server.fault) post_notice(m.main_view, platform.now(), *server.fault);
        apply_clock_check(m, ClockCheck{});
        read_feed_sources(m, platform.now());

        m.traveltime_table_s = read_travel_table(m.paths.file_traveltime);
        m.traveltime_table_p = read_travel_table(m.paths.file_traveltimep);
        m.lpwave = read_lpwave_settings(m.paths.file_LPwave_set);
        // Optional: a line that cannot be used costs only its own page, and
        // the user learns of it on the main window rather than by a failed start.
        WebPagesFile web = read_web_pages(web_pages_path(m.paths));
        m.web_pages = std::move(web.pages);
        if (web.fault) post_notice(m.main_view, platform.now(), *web.fault);

        set_display_constants(m.display);
        fill_map_catalogue(m.maps);

        // The reference sites are read whether or not a 24-hour list exists:
        // on a first run there is no list, and the sites are needed all the same.
        m.recent = load_recent_events(recent_events_path(m.paths));
        m.refs = read_reference_sites(ref_sites_path(m.paths));

        // Also zeroes the event state, map_flag and the travel-time flags.
        reset_event_state(m);

        set_receiving(m, false);
        m.main_view.Command7.enabled = false;
        // The window starts narrow, the map hidden, "mapOFF" disabled.
        map_off(m, platform);

        m.regions = read_region_table(region_table_path(m.paths));
    } catch (const DataFileError& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

}  // namespace eew
