#pragma once

#include <QProcess>
#include <QtGlobal>
#include <string>
#include <utility>
#include <vector>

#include "fakes/temp_folder.hpp"

namespace eew::test {

// A UDP port on the loopback that was free a moment ago.
quint16 free_udp_port();

// Copies the data folder under `source_dir` into `folder`, without its
// 24-hour list, and sets the configuration lines (numbered from 1) given.
// With `binary`, copies it beside the data too and returns the copy's path.
std::string copy_program(const TempFolder& folder, const std::string& source_dir,
                         const std::vector<std::pair<int, std::string>>& config_lines,
                         const std::string& binary = "");

// Starts `executable` with the offscreen platform.
void start_offscreen(QProcess& program, const std::string& executable);

// Starts `executable` with the offscreen platform and waits (at most 20 s)
// until it listens on `port`; false if it never did.
bool start_listening(QProcess& program, const std::string& executable, quint16 port);

// Sends SIGTERM and waits at most 20 s; true if the program then ended
// normally with status 0. A program still running is killed.
bool terminate_cleanly(QProcess& program);

}  // namespace eew::test
