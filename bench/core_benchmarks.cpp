// The report decoder, the whole report chain and start-up, on the fake
// platform of the tests: no window, every drawing call recorded as text.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/bench_report.hpp"
#include "bench/started_program.hpp"
#include "feed/framing.hpp"
#include "feed/report_decoder.hpp"
#include "feedlib/program_copy.hpp"

namespace eew::bench {
namespace {

// The feed's sequence numbers run to 999.
constexpr int kLastSequence = 999;

void BM_parse_report(benchmark::State& state) {
    const std::string datagram = report_datagram(test::FakePlatform().clock, 7);
    const std::string text = *frame_message(datagram, false);
    CurrentReport report;
    for (auto _ : state) {
        benchmark::DoNotOptimize(parse_report(text, report));
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(text.size()) + " bytes");
}
BENCHMARK(BM_parse_report);

// Datagram bytes to the warning output: framing, dispatch, decoding, the
// event table, estimates, travel times, the pop-up's fields, the warning
// sentences and the mechanism panel, for the followed event's next report.
void BM_report_chain(benchmark::State& state) {
    StartedProgram program;
    test::FakePlatform& platform = program.platform;
    std::vector<std::string> datagrams;
    for (int sequence = 0; sequence <= kLastSequence; ++sequence)
        datagrams.push_back(report_datagram(platform.clock, sequence));
    // The first report makes the event new: the pop-up comes up once.
    program.app->Winsock1_DataArrival(datagrams[1]);
    for (auto& [picture, canvas] : platform.canvases)
        canvas.calls.clear();
    int sequence = 1;
    std::size_t drawn = 0;
    for (auto _ : state) {
        sequence = sequence == kLastSequence ? 2 : sequence + 1;
        program.app->Winsock1_DataArrival(datagrams[static_cast<std::size_t>(sequence)]);
        for (auto& [picture, canvas] : platform.canvases) {
            drawn += canvas.calls.size();
            canvas.calls.clear();
        }
    }
    if (program.m().popup_view.Text20 != std::to_string(sequence))
        state.SkipWithError("the reports did not reach the pop-up");
    state.counters["drawing_calls"] =
        benchmark::Counter(static_cast<double>(drawn), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_report_chain);

// Form_Load on the shipped data folder: configuration, travel tables,
// region and reference tables, the 24-hour list, start of reception and the
// main map (recorded, not rendered).
void BM_Form_Load(benchmark::State& state) {
    feedlib::ProgramCopy folder(staged_data_folder());
    for (auto _ : state) {
        test::FakePlatform platform(folder.path());
        auto app = std::make_unique<App>(platform);
        if (auto error = app->Form_Load()) state.SkipWithError(error->c_str());
        benchmark::DoNotOptimize(app->state().settings);
    }
}
BENCHMARK(BM_Form_Load)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace eew::bench
