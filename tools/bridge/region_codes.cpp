#include "bridge/region_codes.hpp"

#include <charconv>
#include <map>
#include <string_view>

namespace eew::bridge {

// regions.tsv as it was at build time.
extern const std::string_view kRegionTableText;

namespace {

// Rows are "code TAB key TAB name"; '#' lines are comments.
std::map<int, std::string> read_table(std::string_view text) {
    std::map<int, std::string> keys;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = line.find('\t', tab1 + 1);
        if (line.starts_with('#') || tab1 == std::string_view::npos ||
            tab2 == std::string_view::npos)
            continue;
        int code = 0;
        std::from_chars(line.data(), line.data() + tab1, code);
        keys[code] = std::string(line.substr(tab1 + 1, tab2 - tab1 - 1));
    }
    return keys;
}

}  // namespace

std::string region_key(int code) {
    static const std::map<int, std::string> keys = read_table(kRegionTableText);
    const auto found = keys.find(code);
    return found == keys.end() ? std::string() : found->second;
}

}  // namespace eew::bridge
