#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// Paces a render for handlers that may run thousands of times a second
// (datagrams): request() renders now unless a render ran in the last
// `interval_ms`, and otherwise once at its end, so a flood costs a few renders
// a second while a lone report still shows at once.
class RenderPacer {
  public:
    RenderPacer(int interval_ms, std::function<void()> render) : render_(std::move(render)) {
        timer_.setSingleShot(true);
        timer_.setInterval(interval_ms);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (!pending_) return;
            pending_ = false;
            render_();
            timer_.start();
        });
    }

    void request() {
        if (timer_.isActive()) {
            pending_ = true;
            return;
        }
        render_();
        timer_.start();
    }

  private:
    std::function<void()> render_;
    QTimer timer_;
    bool pending_ = false;
};
