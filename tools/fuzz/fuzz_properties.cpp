#include "fuzz/fuzz_properties.hpp"

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>

#include "config/config_file.hpp"
#include "draw/canvas.hpp"
#include "feed/agency_forecast_decoder.hpp"
#include "feed/framing.hpp"
#include "feed/repeat_filter.hpp"
#include "feed/recent_events.hpp"
#include "feed/report_decoder.hpp"
#include "maps/map_catalogue.hpp"
#include "observed/observation_packet.hpp"
#include "observed/station_marks.hpp"
#include "observed/waveform_packet.hpp"
#include "observed/waveform_panel.hpp"
#include "quake/lpwave_settings.hpp"
#include "quake/reference_sites.hpp"
#include "quake/region_table.hpp"
#include "quake/travel_table.hpp"
#include "replay/replay_file.hpp"
#include "text/field_reader.hpp"
#include "text/report_elements.hpp"

namespace eew::fuzz {
namespace {

void check(bool holds, const char* what) {
    if (!holds) throw BrokenInvariant(what);
}

// Draws nothing and insists on finite coordinates: a NaN or an infinity
// reaching the painter would draw garbage or nothing.
class FiniteCanvas : public Canvas {
  public:
    void clear() override {}
    bool load_background(const std::string&) override { return true; }
    void remove_background() override {}
    void line(float x1, float y1, float x2, float y2, Colour, int) override {
        finite({x1, y1, x2, y2});
    }
    void square(float x1, float y1, float x2, float y2, Colour, int, bool) override {
        finite({x1, y1, x2, y2});
    }
    void circle(float x, float y, float radius, Colour, int) override { finite({x, y, radius}); }
    void filled_circle(float x, float y, float radius, Colour, Colour, int) override {
        finite({x, y, radius});
    }
    void point(float x, float y, Colour) override { finite({x, y}); }
    void text(float x, float y, const std::string&, Colour) override { finite({x, y}); }

  private:
    static void finite(std::initializer_list<float> values) {
        for (float v : values)
            check(std::isfinite(v), "a drawing coordinate is finite");
    }
};

const AmplitudeThresholds kThresholds{0, 0.0031623, 0.01, 0.031623, 0.1, 0.31623, 1.0};

}  // namespace

void framing_holds(std::string_view datagram) {
    for (bool lan : {false, true}) {
        const auto text = frame_message(datagram, lan);
        check(text.has_value() == (datagram.size() >= 13),
              "datagrams of 13 bytes or more are framed");
        if (!text) continue;
        check(datagram.substr(lan ? 0 : 2, datagram.size() - (lan ? 1 : 3)) == *text,
              "the text is inside");
        const MessageKind kind = message_kind(*text, lan);
        check(lan || (kind != MessageKind::waveform && kind != MessageKind::observation),
              "waveforms and observations only in LAN mode");
    }
}

void broker_message_holds(std::string_view text) {
    for (bool lan : {false, true}) {
        const MessageKind kind = message_kind(text, lan);
        check(lan || (kind != MessageKind::waveform && kind != MessageKind::observation),
              "waveforms and observations only in LAN mode");
    }
    RepeatFilter filter;
    check(!filter.repeats(text) && filter.repeats(text), "a text taken is a repeat at once after");
    check(!filter.repeats(std::string(text) + "."), "a longer text is no repeat");
}

void report_decoder_holds(std::string_view text) {
    CurrentReport r;
    r.code00 = r.sequence00 = "\x01old";
    parse_report(text, r);
    for (const std::string& s : {r.code00, r.sequence00, r.region_name00})
        check(s == "\x01old" || text.find(s) != text.npos, "a text value is a slice of the report");
    for (double x : {r.magnitude00, r.mip00, r.latitude00, r.longitude00, r.depth00, r.pdata00,
                     r.azp00, r.thp00, r.azt00, r.tht00, r.nobs_pol00, r.n_pol_err00})
        check(std::isfinite(x), "numbers are finite");
    check(r.magnitude00 <= 10 && r.mip00 <= 10, "magnitude and mip are at most 10");
    DateTime send;
    extract_send_time(text, send);
    check(send.text() == r.sendtime00.text(), "both readers of the send time agree");
    if (const auto forecast = parse_agency_forecast(text)) {
        const std::size_t start = text.find("<jma_forecast ");
        const std::size_t end = text.find("</jma_forecast>", start);
        check(end != text.npos && std::all_of(text.begin() + start, text.begin() + end,
                                              [](char c) { return c > 0 && c < 127; }),
              "a forecast is read only from a whole ASCII element");
        check(forecast->areas.size() <= AgencyForecast::kMaxAreas, "at most 200 areas");
        for (const AgencyArea& a : forecast->areas)
            check(a.code >= 0 && a.code <= 999 &&
                      std::string_view("019").find(a.arrival_kind) != std::string_view::npos,
                  "areas are three digits with a known arrival kind");
    }
}

void waveform_packet_holds(std::string_view text, WaveformPacket& w) {
    decode_waveform_packet(text, w);
    for (std::size_t s = 0; s < w.wave_samples.size(); ++s) {
        check(w.wave_station_code[s].size() <= 4 && w.wave_polarity[s].size() <= 2,
              "station fields keep their widths");
        for (double v : w.wave_samples[s])
            check(v >= 0 && v <= 255 && v == std::floor(v), "samples are bytes");
    }
    FiniteCanvas main_map, event_map, panel;
    draw_waveforms(w, text.size(), {main_map, event_map, panel}, kDepthColorTable, kThresholds);
}

void observation_packet_holds(std::string_view text, ObservationPacket& o) {
    static const MapCatalogue maps = [] {
        MapCatalogue m;
        fill_map_catalogue(m);
        return m;
    }();
    decode_observation_packet(text, o);
    check(shown_records(o) >= 0 && shown_records(o) <= kObsRecords, "at most 300 records shown");
    FiniteCanvas main_map, event_map, panel;
    for (int index_map = 1; index_map <= 3; ++index_map)
        draw_observations(o, maps, {main_map, event_map, panel}, index_map, kDepthColorTable,
                          kThresholds);
}

void replay_file_holds(std::string_view bytes) {
    std::istringstream in{std::string(bytes)};
    const ReplayFile f = read_replay_file(in);
    check((f.outcome == ReplayLoad::ok) == !f.lines.empty(), "lines only when ok");
    check(f.offsets.size() == f.lines.size(), "one offset a line");
    check(f.offsets.empty() || f.offsets[0] == 0, "paced from the first line");
    check(f.lines.size() < ReplayState::kMaxLines, "fewer than 100 reports");
    for (const std::string& line : f.lines)
        check(line.size() <= kMaxReplayLineBytes, "lines within their bound");
}

void data_files_hold(const std::string& path) {
    const std::function<void()> readers[] = {
        [&] { read_config(path); }, [&] { read_lpwave_settings(path); },
        [&] { read_region_table(path); }, [&] { read_travel_table(path); },
        [&] {
            const int n = read_reference_sites(path).ref_number;
            check(n >= 0 && n <= ReferenceSites::kCapacity, "reference sites counted");
        }};
    for (const auto& read : readers) {
        try {
            read();
        } catch (const DataFileError& e) {
            check(std::string(e.what()).find(path) != std::string::npos, "errors name the file");
        }
    }
}

void recent_events_hold(const std::string& path) {
    const RecentEvents list = load_recent_events(path);
    const int n = list.total_event_number;
    check(n >= 0 && n <= RecentEvents::kCapacity, "the count is within the capacity");
    for (std::size_t i = static_cast<std::size_t>(n) + 1; i <= RecentEvents::kCapacity; ++i)
        check(list.recent_event_time[i].empty() &&
                  list.recent_event_data[i] == decltype(list.recent_event_data[i]){},
              "nothing beyond the count");
    check(!save_recent_events(path, list), "the list saves");
    const RecentEvents again = load_recent_events(path);
    check(again.total_event_number == n && again.recent_event_time == list.recent_event_time &&
              again.recent_event_data == list.recent_event_data,
          "a saved list loads unchanged");
}

}  // namespace eew::fuzz
