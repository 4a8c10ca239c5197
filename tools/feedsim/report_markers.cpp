#include "report_markers.hpp"

namespace eew::sim {
namespace {

std::optional<std::string_view> between(std::string_view text, std::string_view open,
                                        std::string_view close) {
    const std::size_t start = text.find(open);
    if (start == std::string_view::npos) return std::nullopt;
    const std::size_t from = start + open.size();
    const std::size_t end = text.find(close, from);
    if (end == std::string_view::npos) return std::nullopt;
    return text.substr(from, end - from);
}

std::string or_question_mark(std::optional<std::string_view> part) {
    return part && !part->empty() ? std::string(*part) : "?";
}

}  // namespace

std::optional<DateTime> report_send_time(std::string_view report) {
    const auto content = between(report, "send_time>", "</send_time>");
    if (!content) return std::nullopt;
    return DateTime::from_feed_text(*content);
}

std::string report_label(std::string_view report) {
    return or_question_mark(between(report, "data code=\"", "\"")) + "/" +
           or_question_mark(between(report, "sequence=\"", "\""));
}

}  // namespace eew::sim
