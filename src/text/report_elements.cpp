#include "text/report_elements.hpp"

namespace eew {
namespace {

Pos length_of(std::string_view s) {
    return static_cast<Pos>(s.size());
}

}  // namespace

Pos find_from(std::string_view text, std::string_view marker, Pos from) {
    const std::size_t at = text.find(marker, static_cast<std::size_t>(from));
    return at == std::string_view::npos ? -1 : static_cast<Pos>(at);
}

std::optional<std::string_view> value_between(std::string_view text, Pos start, Pos end) {
    if (end <= start || start < 0 || start >= length_of(text)) return std::nullopt;
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

std::optional<std::string_view> element_value(std::string_view text, std::string_view open,
                                              std::string_view close, EndSearch search) {
    const Pos start = find_from(text, open, 0) + length_of(open);
    const Pos end = find_from(text, close, search == EndSearch::after_start ? start : 0);
    return value_between(text, start, end);
}

std::optional<std::string_view> value_after_attributes(std::string_view text, std::string_view open,
                                                       std::string_view close) {
    const Pos p = find_from(text, open, 0) + length_of(open);
    const Pos start = find_from(text, ">", p) + 1;
    return value_between(text, start, find_from(text, close, start));
}

std::optional<std::string_view> send_time_value(std::string_view text) {
    return element_value(text, "send_time>", "</send_time>");
}

bool extract_send_time(std::string_view text, DateTime& out) {
    const auto value = send_time_value(text);
    if (!value) return false;
    const std::optional<DateTime> decoded = DateTime::from_feed_text(*value);
    if (!decoded) return false;
    out = *decoded;
    return true;
}

}  // namespace eew
