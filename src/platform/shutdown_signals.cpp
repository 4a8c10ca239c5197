#include "platform/shutdown_signals.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

int pipe_fds[2] = {-1, -1};

// Async-signal-safe: write(2) and errno only. A full pipe already holds a
// pending request, so a failed write loses nothing.
void on_signal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(pipe_fds[1], &byte, 1);
    errno = saved;
}

}  // namespace

ShutdownSignals::ShutdownSignals(std::function<void()> on_signal_handler)
    : on_signal_(std::move(on_signal_handler)) {
    // Without the pipe the default action stays: the program ends unsaved, as
    // it would have without this class.
    if (::pipe2(pipe_fds, O_NONBLOCK | O_CLOEXEC) != 0) return;
    notifier_ = new QSocketNotifier(pipe_fds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { read_pipe(); });
    struct sigaction action = {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : kSignals)
        sigaction(s, &action, nullptr);
}

ShutdownSignals::~ShutdownSignals() {
    if (!notifier_) return;
    for (int s : kSignals)
        std::signal(s, SIG_DFL);
    delete notifier_;
    ::close(pipe_fds[0]);
    ::close(pipe_fds[1]);
    pipe_fds[0] = pipe_fds[1] = -1;
}

void ShutdownSignals::read_pipe() {
    char bytes[16];
    bool any = false;
    while (::read(pipe_fds[0], bytes, sizeof bytes) > 0)
        any = true;
    if (!any) return;
    // Should ending hang, a second signal ends the program the default way.
    for (int s : kSignals)
        std::signal(s, SIG_DFL);
    if (on_signal_) on_signal_();
}
