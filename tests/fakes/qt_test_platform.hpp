#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "desktop/qt_platform.hpp"

namespace eew::test {

// The real Qt platform, optionally on a program folder and clock of the
// test's, with its two modal dialogs recorded instead of shown: a test that
// reached one would otherwise wait for a click that never comes. While a
// dialog is "open", `during_dialog` runs, as the events the real dialog's own
// event loop delivers meanwhile. Ending the program is recorded, not done.
class QtTestPlatform : public QtPlatform {
  public:
    eew::DateTime now() override { return clock ? *clock : QtPlatform::now(); }
    std::string program_folder() override {
        return folder.empty() ? QtPlatform::program_folder() : folder;
    }
    void message_box(const std::string& text) override {
        messages.push_back(text);
        if (during_dialog) during_dialog();
    }
    std::optional<std::string> choose_file(const std::string& start_folder) override {
        dialog_folders.push_back(start_folder);
        if (during_dialog) during_dialog();
        return chosen_file;
    }
    void end_program(int code) override { exit_code = code; }
    // Played as the program plays them, and recorded.
    void play_sound(const std::string& wav_path) override {
        sounds.push_back(wav_path);
        QtPlatform::play_sound(wav_path);
    }
    void play_sound_next(const std::string& wav_path) override {
        sounds.push_back("then " + wav_path);
        QtPlatform::play_sound_next(wav_path);
    }

    std::optional<eew::DateTime> clock;  // empty: the computer's clock
    std::string folder;                  // the program folder; empty: the executable's
    std::vector<std::string> messages;
    std::vector<std::string> dialog_folders;
    std::vector<std::string> sounds;
    std::optional<std::string> chosen_file;
    std::function<void()> during_dialog;
    std::optional<int> exit_code;
};

}  // namespace eew::test
