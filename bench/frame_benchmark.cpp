// One frame of the pop-up's event map, drawn with the program's QPainter
// canvas at its 671 x 700 pixels over the regional map: site, epicentre,
// 300 station marks with their legend, and the S and P fronts 30 s after
// the origin.

#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/presentation.hpp"
#include "bench/bench_report.hpp"
#include "bench/started_program.hpp"
#include "maps/event_map.hpp"
#include "observed/station_marks.hpp"
#include "quake/travel_times.hpp"
#include "ui/picture_area.hpp"
#include "ui/popup_window.hpp"

namespace eew::bench {
namespace {

constexpr long long kLapse = 30;

std::string degrees(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

// Stations on a grid of 20 x 15 around the epicentre, 0.1 degree apart,
// with peaks across every amplitude class.
ObservationPacket three_hundred_stations(const FollowedEvent& f) {
    ObservationPacket o;
    o.nobs = kObsRecords;
    for (int i = 1; i <= kObsRecords; ++i) {
        const auto r = static_cast<std::size_t>(i);
        o.obs_longitude[r] = degrees(f.longitude - 1.0 + 0.1 * ((i - 1) % 20));
        o.obs_latitude[r] = degrees(f.latitude - 0.75 + 0.1 * ((i - 1) / 20));
        o.obs_peak[r] = 10.0 * (i % 97) * (i % 13);
    }
    return o;
}

// Arg 0: the drawing alone; arg 1: also the picture composed as the widget's
// paint event composes it (background, map image, drawing layer).
void BM_event_map_frame(benchmark::State& state) {
    StartedProgram program;
    program.app->Winsock1_DataArrival(report_datagram(program.platform.clock, 1));
    const MainState& m = program.m();
    const FollowedEvent& f = m.followed;

    PopupWindow popup(15);
    PictureArea& map = popup.event_map();
    if (!map.load_background(event_map_image(m.index_map, m.paths.file_kanto_map,
                                             m.paths.file_kansai_map, m.paths.file_japan_map)))
        state.SkipWithError("no map image");
    const MapPictures pictures{popup.waveform_panel(), map, popup.waveform_panel()};
    const ObservationPacket stations = three_hundred_stations(f);

    EventMapFrame frame;
    frame.marks = {m.site.longitude_site, m.site.latitude_site, f.longitude, f.latitude,
                   f.depth_color,         m.index_map};
    frame.s_front_km = wave_front_distance(m.traveltime_table_s, Wave::s, f.depth_div, kLapse);
    frame.p_front_km = wave_front_distance(m.traveltime_table_p, Wave::p, f.depth_div, kLapse);
    LongPeriodWave wave = long_period_wave(m);
    wave.lapse = kLapse;
    const auto draw_stations = [&] {
        draw_observations(stations, m.maps, pictures, m.index_map, m.display.depth_color_table,
                          m.display.amp_class_threshold);
    };
    const bool composed = state.range(0) == 1;
    for (auto _ : state) {
        draw_event_map_frame(m.maps, pictures, m.display.depth_color_table, wave, frame,
                             draw_stations);
        if (composed) benchmark::DoNotOptimize(map.rendered());
    }
}
BENCHMARK(BM_event_map_frame)->ArgName("composed")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace eew::bench
