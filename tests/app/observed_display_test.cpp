#include "app/observed_display.hpp"

#include <gtest/gtest.h>

#include "fakes/started_app.hpp"
#include "observed/packet_text.hpp"

namespace eew {
namespace {

using test::obs_header;
using test::obs_record;
using test::wave_header;
using test::wave_record;

struct ObservedDisplay : ::testing::Test {
    ObservedDisplay() { m().settings.lan_flag = 1; }
    void receive(const std::string& text) { s.app.Winsock1_DataArrival(text + "\n"); }
    MainState& m() { return s.m(); }
    test::RecordingCanvas& canvas(PictureId id) { return s.platform.canvases[id]; }

    test::StartedApp s;
};

TEST_F(ObservedDisplay, PacketsAreShownOnlyWhileTheLatestReportIsOfTheFollowedEvent) {
    const std::string wave =
        wave_header(7, 2, 1, 100, 1) + wave_record("ABCD", "U ", 12, 10, 101, "0000");
    const std::string obs = obs_header(1) + obs_record("36.5", "135.0", 500);
    m().index_map = 1;
    m().events.i_event_now = 2;
    m().events.i_event_selected = 1;
    receive(wave);
    receive(obs);
    EXPECT_TRUE(m().observed.wdata.empty());
    EXPECT_EQ(m().observed.observations.nobs, 0);
    EXPECT_TRUE(canvas(PictureId::waveform_panel).calls.empty());
    EXPECT_TRUE(canvas(PictureId::event_map).calls.empty());

    m().events.i_event_now = 1;
    receive(wave);
    EXPECT_EQ(m().main_view.Text3.text, std::to_string(wave.size()));
    const PopupView& v = m().popup_view;
    EXPECT_EQ(v.wave_row_labels[0], "ABCD U 12");
    EXPECT_EQ(v.wave_time_axis[2], "120");
    EXPECT_EQ(v.wave_seq + v.wave_pkt + v.wave_nobsall, "211");
    EXPECT_EQ(v.wave_length, std::to_string(wave.size()));
    EXPECT_EQ(canvas(PictureId::waveform_panel).calls.front(), "clear");

    receive(obs);
    EXPECT_EQ(canvas(PictureId::event_map).calls.front(), "filled square -4 353 4 361 c14 w1");
    EXPECT_EQ(v.Label29 + v.Label30 + v.Label35, "kine1.0000.003");
}

TEST_F(ObservedDisplay, EveryFrameRedrawsTheMarksOfTheLastPacket) {
    m().index_map = 1;
    receive(obs_header(1) + obs_record("36.5", "135.0", 1000));
    test::RecordingCanvas& map = canvas(PictureId::event_map);
    map.calls.clear();
    draw_station_observations(m(), s.platform);
    ASSERT_EQ(map.calls.size(), 7u);
    EXPECT_EQ(map.calls.front(), "filled square -4 353 4 361 c12 w1");

    // An empty packet adds nothing at once and leaves only the legend to the frames.
    map.calls.clear();
    receive(obs_header(0) + "  ");  // padded past the shortest datagram taken
    EXPECT_TRUE(map.calls.empty());
    draw_station_observations(m(), s.platform);
    EXPECT_EQ(map.calls.size(), 6u);
}

}  // namespace
}  // namespace eew
