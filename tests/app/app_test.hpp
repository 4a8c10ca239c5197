#pragma once

#include <gtest/gtest.h>

#include "fakes/report_text.hpp"
#include "fakes/started_app.hpp"

namespace eew::test {

// The started program every handler test drives: datagrams in, ticks on.
struct AppTest : ::testing::Test {
    void receive(const std::string& text) { s.app.Winsock1_DataArrival(relay_datagram(text)); }
    void receive(const ReportValues& r) { receive(report_xml(r)); }
    void tick(long long seconds = 1) {
        s.platform.advance(seconds);
        s.app.Timer1_Timer();
    }

    StartedApp s;
    MainState& m = s.m();
    std::vector<std::string>& event_map = s.platform.canvases[PictureId::event_map].calls;
};

}  // namespace eew::test
