#include "app/deferred_events.hpp"

#include <gtest/gtest.h>

#include "fakes/report_text.hpp"
#include "fakes/started_app.hpp"

namespace eew {
namespace {

std::string next(DeferredEvents& d) {
    auto e = d.take();
    if (!e) return "none";
    return e->tick ? "tick" : e->datagram;
}

TEST(DeferredEvents, RunInArrivalOrderWithOneTickWaitingPerTimer) {
    DeferredEvents d;
    d.add_datagram("a");
    d.add_tick(TimerId::timer2);
    d.add_datagram("b");
    d.add_tick(TimerId::timer2);  // the first still waits: nothing added
    EXPECT_EQ(next(d), "a");
    EXPECT_EQ(next(d), "tick");
    d.add_tick(TimerId::timer2);  // the earlier one has run: this one waits
    EXPECT_EQ(next(d), "b");
    EXPECT_EQ(next(d), "tick");
    EXPECT_EQ(next(d), "none");
}

TEST(DeferredEvents, DatagramsBeyondTheBoundsAreDroppedAndCounted) {
    DeferredEvents d;
    for (std::size_t i = 0; i < DeferredEvents::kMaxDatagrams + 2; ++i)
        d.add_datagram("x");
    EXPECT_EQ(d.dropped_datagrams(), 2u);
    d.take();  // room for one more
    d.add_datagram("y");
    EXPECT_EQ(d.dropped_datagrams(), 2u);

    DeferredEvents bytes;
    bytes.add_datagram(std::string(DeferredEvents::kMaxBytes - 1, 'x'));
    bytes.add_datagram("ab");
    bytes.add_tick(TimerId::timer2);  // ticks take no room
    bytes.add_datagram("c");
    EXPECT_EQ(bytes.dropped_datagrams(), 1u);
    EXPECT_EQ(next(bytes).size(), DeferredEvents::kMaxBytes - 1);
    EXPECT_EQ(next(bytes), "tick");
    EXPECT_EQ(next(bytes), "c");
}

// A noise message and a watchdog tick arrive during the new-event chime.
TEST(Reentrancy, WhatArrivesDuringTheChimeRunsAfterTheReportChain) {
    test::StartedApp s;
    ASSERT_TRUE(s.loaded);
    MainState& m = s.m();
    s.app.Command1_Click();  // receiving, so a tick with nothing new marks the feed red
    const std::string report = test::report_xml(test::ReportValues{});
    std::string seen_in_pause;
    s.platform.during_pause = [&] {
        s.app.Winsock1_DataArrival(test::relay_datagram("noise message"));
        s.app.Timer2_Timer();
        seen_in_pause = m.main_view.Text4.text;
        EXPECT_EQ(m.events.event_flag, 2);
        EXPECT_EQ(m.popup_view.Text15, "");  // the chain has not got that far
    };
    s.app.Winsock1_DataArrival(test::relay_datagram(report));
    EXPECT_EQ(seen_in_pause.substr(0, 5), "<?xml");
    // Then the noise message ran, and the tick after it found an event
    // winding down, so it left the box alone.
    EXPECT_EQ(m.events.event_flag, 3);
    EXPECT_EQ(m.main_view.Text4.text, "noise message");
    EXPECT_EQ(m.main_view.Text4.back, kWhite);
    EXPECT_EQ(m.popup_view.Text15, "2024/04/01 09:00:00");
    EXPECT_EQ(s.app.dropped_datagrams(), 0u);
}

}  // namespace
}  // namespace eew
