#include "app/observed_display.hpp"

#include <string>

#include "app/main_state.hpp"
#include "observed/station_marks.hpp"
#include "observed/waveform_panel.hpp"
#include "view/platform.hpp"

namespace eew {
namespace {

// Packets describe the event of the latest report; they are shown only while
// that is the followed event.
bool for_followed_event(const EventTable& t) {
    return t.i_event_now == t.i_event_selected;
}

MapPictures pictures_of(Platform& p) {
    return {p.canvas(PictureId::main_map), p.canvas(PictureId::event_map),
            p.canvas(PictureId::waveform_panel)};
}

void show_waveform_fields(PopupView& v, const WaveformPanelFields& f) {
    v.wave_row_labels = f.row_labels;
    v.wave_time_axis = f.time_axis;
    v.wave_seq = f.seq;
    v.wave_pkt = f.pkt;
    v.wave_nobsall = f.nobsall;
    v.wave_length = f.length;
}

}  // namespace

void handle_waveform_packet(MainState& m, Platform& p, std::string_view text) {
    if (!for_followed_event(m.events)) return;
    ObservedData& o = m.observed;
    o.wdata = text;
    // The one-second tick puts event_flag back into the box at its next run.
    m.main_view.Text3.text = std::to_string(o.wdata.size());
    decode_waveform_packet(o.wdata, o.waveform);
    const WaveformPacket& w = o.waveform;
    if (w.eqnum * w.iseq * w.ipkt == 0) return;
    const auto fields = draw_waveforms(w, o.wdata.size(), pictures_of(p),
                                       m.display.depth_color_table, m.display.amp_class_threshold);
    if (fields) show_waveform_fields(m.popup_view, *fields);
}

void handle_observation_packet(MainState& m, Platform& p, std::string_view text) {
    if (!for_followed_event(m.events)) return;
    ObservedData& o = m.observed;
    o.odata = text;
    decode_observation_packet(o.odata, o.observations);
    if (o.observations.nobs != 0) draw_station_observations(m, p);
}

void draw_station_observations(MainState& m, Platform& p) {
    const StationLegend legend =
        draw_observations(m.observed.observations, m.maps, pictures_of(p), m.index_map,
                          m.display.depth_color_table, m.display.amp_class_threshold);
    PopupView& v = m.popup_view;
    v.Label29 = legend.unit;
    std::string* const rows[] = {&v.Label30, &v.Label31, &v.Label32,
                                 &v.Label33, &v.Label34, &v.Label35};
    for (std::size_t r = 0; r < legend.thresholds.size(); ++r)
        *rows[r] = legend.thresholds[r];
}

}  // namespace eew
