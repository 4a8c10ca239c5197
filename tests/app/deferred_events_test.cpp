#include "app/deferred_events.hpp"

#include <gtest/gtest.h>

#include "fakes/report_text.hpp"
#include "fakes/started_app.hpp"

namespace eew {
namespace {

std::string next(DeferredEvents& d) {
    auto e = d.take();
    return !e ? "none" : e->tick ? "tick" : e->datagram.substr(0, 3);
}

TEST(DeferredEvents, ArrivalOrderOneTickPerTimerAndBoundedDatagrams) {
    DeferredEvents d;
    d.add_datagram(std::string(DeferredEvents::kMaxBytes - 1, 'x'));
    d.add_tick(TimerId::timer2);
    d.add_datagram("ab");         // one byte too many: dropped
    d.add_tick(TimerId::timer2);  // one already waits
    d.add_datagram("c");
    EXPECT_EQ(next(d), "xxx");
    EXPECT_EQ(next(d), "tick");
    d.add_tick(TimerId::timer2);
    EXPECT_EQ(next(d), "c");
    EXPECT_EQ(next(d), "tick");
    EXPECT_EQ(next(d), "none");
    for (std::size_t i = 0; i <= DeferredEvents::kMaxDatagrams; ++i)
        d.add_datagram("y");
    EXPECT_EQ(d.dropped_datagrams(), 2u);
}

// A noise message and a watchdog tick arrive during the new-event chime.
TEST(Reentrancy, WhatArrivesDuringTheChimeRunsAfterTheReportChain) {
    test::StartedApp s;
    ASSERT_TRUE(s.loaded);
    MainState& m = s.m();
    s.platform.during_pause = [&] {
        s.app.Winsock1_DataArrival(test::relay_datagram("noise message"));
        s.app.Timer2_Timer();
        EXPECT_EQ(m.main_view.Text4.text.substr(0, 5), "<?xml");
        EXPECT_EQ(m.events.event_flag, 2);
        EXPECT_EQ(m.popup_view.Text15, "");  // the chain has not got that far
    };
    s.app.Winsock1_DataArrival(test::relay_datagram(test::report_xml({})));
    EXPECT_EQ(m.popup_view.Text15, "2024/04/01 09:00:00");
    EXPECT_EQ(m.main_view.Text4.text, "noise message");
    EXPECT_EQ(m.events.event_flag, 3);
    EXPECT_EQ(s.app.dropped_datagrams(), 0u);
}

}  // namespace
}  // namespace eew
