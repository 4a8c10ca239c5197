#pragma once

#include <array>
#include <optional>
#include <string>

#include "clock/clock_check.hpp"
#include "clock/time_server.hpp"
#include "config/broker_config.hpp"
#include "config/lan_senders.hpp"
#include "config/paths.hpp"
#include "config/settings.hpp"
#include "config/site_areas.hpp"
#include "feed/recent_events.hpp"
#include "feed/repeat_filter.hpp"
#include "maps/map_catalogue.hpp"
#include "mechanism/focal_mechanism.hpp"
#include "notify/web_pages.hpp"
#include "observed/observed_data.hpp"
#include "quake/estimates.hpp"
#include "quake/event_table.hpp"
#include "quake/forecast_area_table.hpp"
#include "quake/lpwave_settings.hpp"
#include "quake/reference_sites.hpp"
#include "quake/region_table.hpp"
#include "quake/report_fields.hpp"
#include "quake/travel_table.hpp"
#include "quake/travel_times.hpp"
#include "replay/replay_state.hpp"
#include "text/date_time.hpp"
#include "view/main_view.hpp"
#include "view/message_view.hpp"
#include "view/popup_view.hpp"
#include "view/setform_view.hpp"

namespace eew {

// Fixed values set at start-up.
struct DisplayConstants {
    int disp_event_hours = 0;                     // length of the main map's recent-events window
    double display_time_max = 0;                  // seconds without a report that end an event
    double large_m = 0;                           // events this large are also logged apart
    std::array<int, 7> depth_color_table{};       // palette index per depth class 1..6
    std::array<double, 7> amp_class_threshold{};  // peak value per amplitude class 1..6
};

// What the feed connection and dispatch keep between datagrams.
struct FeedState {
    std::string received_data00;  // raw bytes of the message being handled
    DateTime latest_rev_time;     // when the last report arrived
    std::string last_message;     // the last message taken, as the last-message box shows it
    std::string old_text;         // `last_message` at the previous watchdog tick
    bool silent = false;          // the watchdog found nothing new since its last look
    int bound_port = 0;           // the port the last "start" bound the socket to
    // Counts each time the socket was closed or opened anew: datagrams read
    // before that are not handled after it.
    int socket_changes = 0;

    // The only senders datagrams are taken from; nothing: anyone's.
    std::optional<LanSenders> lan_senders;
    std::size_t refused_datagrams = 0;  // from other senders, since the start
    std::size_t refused_told = 0;       // how many of them a notice has told of
    SenderAddress last_refused{};       // the sender of the last one refused
    std::optional<DateTime> refused_told_at;
};

// The feed from a message broker, beside the socket.
struct BrokerFeed {
    std::optional<BrokerConfig> config;  // nothing: no broker is used
    std::string client_id;               // kept at the broker with the subscription
    bool open = false;                   // "start" opened it and "stop" did not close it
    bool connected = false;
    std::string reason;  // why the last try failed or the connection broke
    RepeatFilter taken;  // the reports taken from it
};

// What the program is doing, as the handlers decide it. The main window's
// controls show it and are written from it (program_modes.hpp), never read
// back to decide.
struct ProgramModes {
    bool receiving = false;        // the feed socket is open
    bool popups_on = true;         // "PopUP": events come up in their windows
    bool web_popup_on = false;     // "LIVO PopUP": the web pages open
    bool event_announced = false;  // a report passed the filter since the last reset
};

// All program-wide state (`main`), created at start-up and kept until the
// program ends. Handlers read and write it directly.
struct MainState {
    Paths paths;
    Settings settings;
    CurrentSite site;
    DisplayConstants display;
    MapCatalogue maps;
    int index_map = 0;  // the pop-up's event map: 1 eastern, 2 western, 3 whole country

    TravelTable traveltime_table_s;
    TravelTable traveltime_table_p;
    LongPeriodSettings lpwave;
    ReferenceSites refs;
    RegionTable regions;
    RecentEvents recent;
    WebPages web_pages;    // what the web pop-up opens
    SiteAreas site_areas;  // the forecast area chosen for each site
    ForecastAreaTable forecast_area_table;
    std::optional<TimeServer> time_server;  // the clock is compared with it, when there is one
    ClockCheck clock;                       // the clock's last check

    ProgramModes modes;
    FeedState feed;
    BrokerFeed broker;
    EventTable events;
    CurrentReport report;
    FollowedEvent followed;
    FirstReport first;
    Estimates estimates;
    TravelTimes travel;
    // 1 while long-period ground motion is announced for the followed event.
    int longEVstop = 0;
    // 1 once the web pop-up opened a page; cleared only by the event-table reset.
    int webpopup_ind = 0;
    // What the pop-up's mechanism panel shows; nothing while the panel is
    // empty, as after the pop-up was closed.
    std::optional<FocalMechanism> mechanism_shown;
    // The event whose warning for the site's area has sounded its alarm and
    // still stands: the alarm sounds once, and again only when the area
    // newly comes under the warning.
    std::string area_warned_code;
    // A desktop notification tells of a quake the pop-up does not show.
    bool desktop_notice_shown = false;
    ReplayState replay;
    ObservedData observed;  // the local network's waveform and observation packets

    MainView main_view;
    PopupView popup_view;
    MessageView message_view;
    SetformView setform_view;
};

}  // namespace eew
