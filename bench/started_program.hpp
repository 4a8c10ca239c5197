#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/app.hpp"
#include "counting_canvas.hpp"
#include "fakes/fake_platform.hpp"
#include "program_copy.hpp"

namespace eew::bench {

// The fake platform of the tests. With `counting`, drawing goes to canvases
// that only count their calls instead of its recording ones.
class BenchPlatform : public test::FakePlatform {
  public:
    BenchPlatform(std::string folder, bool counting)
        : FakePlatform(std::move(folder)), counting_(counting) {}
    Canvas& canvas(PictureId picture) override {
        // Also creates the pop-up on first use, as on the desktop.
        Canvas& recording = FakePlatform::canvas(picture);
        return counting_ ? counted[picture] : recording;
    }

    std::map<PictureId, CountingCanvas> counted;

  private:
    bool counting_;
};

// The program as started on the shipped files with the voice alarm off, on
// the fake platform: no window, no sound, drawing counted or recorded.
struct StartedProgram {
    explicit StartedProgram(bool counting = true)
        : platform(folder.path(), counting), app(std::make_unique<App>(platform)) {
        folder.set_config_line(20, "0");
        if (auto error = app->Form_Load()) throw std::runtime_error(*error);
    }
    MainState& m() { return app->state(); }

    ProgramCopy folder;
    BenchPlatform platform;
    std::unique_ptr<App> app;
};

}  // namespace eew::bench
