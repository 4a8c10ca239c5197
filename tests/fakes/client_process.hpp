#pragma once

#include <QProcess>
#include <QtGlobal>
#include <string>

namespace eew::test {

// A UDP port on the loopback that was free a moment ago.
quint16 free_udp_port();

// True once another socket holds the port; ours asks for it exclusively.
bool port_taken(quint16 port);

// Starts `executable` with the offscreen platform and waits (at most 20 s)
// until it listens on `port`; false if it never did.
bool start_listening(QProcess& program, const std::string& executable, quint16 port);

// Sends SIGTERM and waits at most 20 s; true if the program then ended
// normally with status 0. A program still running is killed.
bool terminate_cleanly(QProcess& program);

}  // namespace eew::test
