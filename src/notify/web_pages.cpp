#include "notify/web_pages.hpp"

#include <filesystem>

#include "text/field_reader.hpp"
#include "text/trimmed.hpp"

namespace eew {
namespace {

bool starts_with_ascii_nocase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char c = text[i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != prefix[i]) return false;
    }
    return true;
}

// A browser given anything else might run it as a program or a file, or
// look it up as a search.
bool is_web_address(std::string_view s) {
    const std::size_t scheme = starts_with_ascii_nocase(s, "http://")    ? 7
                               : starts_with_ascii_nocase(s, "https://") ? 8
                                                                         : 0;
    return scheme != 0 && s.size() > scheme && s.find_first_of(" \t") == std::string_view::npos;
}

}  // namespace

std::string_view WebPages::address(WebPage page) const {
    switch (page) {
        case WebPage::long_period:
            return long_period;
        case WebPage::strong_shaking:
            return strong_shaking;
        case WebPage::none:
            break;
    }
    return {};
}

WebPagesFile read_web_pages(const std::string& path) {
    WebPagesFile out;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec) return out;
    try {
        FieldReader in = FieldReader::open(path);
        std::string faults;
        int number = 0;
        for (std::string* page : {&out.pages.long_period, &out.pages.strong_shaking}) {
            ++number;
            const std::string line = in.at_end() ? std::string() : in.line("a page address");
            const std::string_view address = trimmed(line, " \t");
            if (is_web_address(address)) {
                *page = address;
                continue;
            }
            if (!faults.empty()) faults += "; ";
            faults += "line " + std::to_string(number) +
                      (address.empty() ? " is empty" : " is not an http:// or https:// address");
        }
        if (!faults.empty()) {
            out.fault = "The file \"" + path + "\": " + faults +
                        ". The built-in address is used for such a line.";
        }
    } catch (const DataFileError& e) {
        out.fault = std::string(e.what()) + " The built-in addresses of lines 1 and 2 are used.";
    }
    return out;
}

}  // namespace eew
