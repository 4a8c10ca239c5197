#pragma once

#include <string>

namespace eew {

// The message window ("message"): the warning sentences of the followed
// event, UTF-8. Closing the window resets this struct.
struct MessageView {
    std::string Label1 = "地震が発生しました。";  // fixed
    std::string Label2;                           // headline
    std::string Label3;                           // warning sentence
    std::string Label4;                           // long-period sentence
    std::string Label5;                           // the configured long-period message
    std::string agency_line;  // the agency's forecast for the site's area, or empty
};

}  // namespace eew
