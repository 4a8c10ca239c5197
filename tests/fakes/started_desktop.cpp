#include "fakes/started_desktop.hpp"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <filesystem>

#include "fakes/client_process.hpp"
#include "fakes/program_folder.hpp"
#include "fakes/report_text.hpp"
#include "text/message_display.hpp"
#include "udp_sender.hpp"

namespace eew::test {
namespace {

int prepared_port(const TempFolder& folder,
                  std::initializer_list<std::pair<std::string, std::string>> extra_files) {
    const int port = free_udp_port();
    write_program_files(folder);
    folder.write("data/tavi.config", sample_config(1, 0, 0, port));
    for (const char* image :
         {"japan_map.bmp", "japan_event.bmp", "kanto_event.bmp", "kansai_event.bmp"})
        std::filesystem::copy_file(std::string(EEW_SOURCE_DIR "/data/") + image,
                                   folder.path() + "/data/" + image);
    for (const auto& [path, content] : extra_files)
        folder.write(path, content);
    return port;
}

}  // namespace

StartedDesktop::StartedDesktop(
    std::initializer_list<std::pair<std::string, std::string>> extra_files)
    : port(prepared_port(folder, extra_files)), program(platform) {
    platform.folder = folder.path();
    platform.clock = *DateTime::from_fields(2024, 4, 1, 9, 0, 6);
    app().Form_Load();
    program.render_all();
    program.window().show();
}

QWidget* StartedDesktop::find(const std::string& window, const std::string& name) const {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() != QString::fromStdString(window)) continue;
        if (name.empty()) return w;
        return w->findChild<QWidget*>(QString::fromStdString(name));
    }
    return nullptr;
}

bool StartedDesktop::showing(const std::string& window) const {
    const QWidget* w = find(window);
    return w && w->isVisible() && !w->isMinimized();
}

void StartedDesktop::receive(const std::string& text) {
    app().Winsock1_DataArrival(relay_datagram(text));
    program.render_all();
}

bool StartedDesktop::send(const std::string& text) {
    sim::UdpSender(static_cast<quint16>(port)).send(relay_datagram(text));
    const std::string shown = message_box_text(text);
    return QTest::qWaitFor([&] { return m().main_view.Text4.text == shown; }, 2000);
}

void StartedDesktop::tick(long long seconds) {
    platform.clock = platform.clock->plus_seconds(seconds);
    app().Timer1_Timer();
    program.render_all();
}

}  // namespace eew::test
