#include "fakes/started_app.hpp"

#include "fakes/program_folder.hpp"

namespace eew::test {

StartedApp::StartedApp(std::initializer_list<std::pair<std::string, std::string>> extra_files)
    : platform(folder.path()), app(platform) {
    write_program_files(folder);
    for (const auto& [path, content] : extra_files)
        folder.write(path, content);
    platform.clock = *DateTime::from_fields(2024, 4, 1, 9, 0, 6);
    loaded = !app.Form_Load();
}

}  // namespace eew::test
