#include "report_reader.hpp"

#include <gtest/gtest.h>

#include "text/numeric_value.hpp"

namespace eew::test {
namespace {

constexpr auto npos = std::string_view::npos;

std::optional<std::string> span(std::string_view text, std::size_t start, std::size_t end) {
    if (start == npos || end == npos || end <= start || start > text.size()) return std::nullopt;
    return std::string(text.substr(start, end - start));
}

std::size_t after(std::string_view text, std::string_view marker, std::size_t from = 0) {
    const std::size_t at = text.find(marker, from);
    return at == npos ? npos : at + marker.size();
}

}  // namespace

std::optional<std::string> read_code(std::string_view report) {
    const std::size_t start = after(report, "data code=");
    if (start == npos) return std::nullopt;
    const std::size_t word = report.find("sequence", start + 1);
    return span(report, start + 1, word == npos ? npos : word - 2);
}

std::optional<std::string> read_sequence(std::string_view report) {
    const std::size_t start = after(report, "sequence=");
    if (start == npos) return std::nullopt;
    const std::size_t close = report.find('>', start + 1);
    return span(report, start + 1, close == npos ? npos : close - 1);
}

std::optional<std::string> read_origin_time(std::string_view report) {
    const std::size_t p = after(report, "origin_time accuracy=");
    if (p == npos) return std::nullopt;
    const std::size_t start = after(report, ">", p);
    return span(report, start, start == npos ? npos : report.find("</origin_time>", start));
}

std::optional<std::string> read_element(std::string_view report, std::string_view name) {
    const std::size_t start = after(report, std::string(name) + ">");
    const std::string close = "</" + std::string(name) + ">";
    return span(report, start, start == npos ? npos : report.find(close, start));
}

std::optional<std::string> read_word_element(std::string_view report, std::string_view name) {
    const std::size_t p = after(report, name);
    if (p == npos) return std::nullopt;
    const std::size_t start = after(report, ">", p);
    const std::string close = "</" + std::string(name) + ">";
    return span(report, start, start == npos ? npos : report.find(close, start));
}

double read_number(std::string_view report, std::string_view name) {
    const bool word = name == "latitude" || name == "longitude" || name == "depth";
    const auto text = word ? read_word_element(report, name) : read_element(report, name);
    EXPECT_TRUE(text) << name << " missing in " << report;
    return text ? numeric_value(*text) : 0;
}

}  // namespace eew::test
