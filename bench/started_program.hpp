#pragma once

#include <memory>
#include <stdexcept>

#include "app/app.hpp"
#include "bench/bench_report.hpp"
#include "fakes/fake_platform.hpp"
#include "feedlib/program_copy.hpp"

namespace eew::bench {

// The program as started on the shipped files with the voice alarm off, on
// the fake platform of the tests: no window, no sound, every drawing call
// recorded as a line of text.
struct StartedProgram {
    StartedProgram()
        : folder(staged_data_folder()),
          platform(folder.path()),
          app(std::make_unique<App>(platform)) {
        folder.set_config("voice_flag", "0");
        if (auto error = app->Form_Load()) throw std::runtime_error(*error);
    }
    MainState& m() { return app->state(); }

    feedlib::ProgramCopy folder;
    test::FakePlatform platform;
    std::unique_ptr<App> app;
};

}  // namespace eew::bench
