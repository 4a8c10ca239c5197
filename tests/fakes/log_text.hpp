#pragma once

#include <string>
#include <vector>

namespace eew::test {

// A log as the program writes it: each report, its arrival time, LF CR LF;
// then CR LF.
inline std::string log_text(const std::vector<std::string>& reports) {
    std::string text;
    for (const std::string& r : reports)
        text += r + "2024/04/01 09:00:06\n\r\n";
    return text + "\r\n";
}

}  // namespace eew::test
