#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a call on the user-interface thread,
// so that a terminated program still ends the way "quit" does. The signal
// handler only writes a byte into a pipe, the one thing that is safe there;
// the pipe's read end is watched by the event loop. A signal that arrives
// before the loop runs waits in the pipe; a second signal after the first
// was taken ends the program at once. One instance per program.
class ShutdownSignals : public QObject {
  public:
    explicit ShutdownSignals(std::function<void()> on_signal);
    ~ShutdownSignals() override;
    ShutdownSignals(const ShutdownSignals&) = delete;
    ShutdownSignals& operator=(const ShutdownSignals&) = delete;

  private:
    void read_pipe();

    std::function<void()> on_signal_;
    QSocketNotifier* notifier_ = nullptr;
};
