#pragma once

#include <array>
#include <string>

#include "ui/event_window.hpp"

class QLabel;

namespace eew {
struct MessageView;
}

// The message window "message": the fixed first line, the headline, the
// warning sentence, the long-period sentence and the configured long-period
// message, in a proportional Japanese gothic.
class MessageWindow : public EventWindow {
  public:
    MessageWindow();

    // Sets the labels whose text changed since the last render.
    void render(const eew::MessageView& view);

  private:
    std::array<QLabel*, 6> labels_{};  // Label1 … Label5, the agency line
    std::array<std::string, 6> shown_;
};
