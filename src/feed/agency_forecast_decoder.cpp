#include "feed/agency_forecast_decoder.hpp"

#include <array>

namespace eew {
namespace {

bool is_class_text(std::string_view v) {
    static constexpr std::array<std::string_view, 10> kClasses = {"",   "1",  "2",  "3",  "4",
                                                                  "5-", "5+", "6-", "6+", "7"};
    for (std::string_view c : kClasses)
        if (v == c) return true;
    return false;
}

// Six whole numbers and nothing else: the bridge writes no fraction.
bool is_plain_date_time(std::string_view v) {
    int commas = 0;
    std::size_t digits = 0;
    for (char c : v) {
        if (c == ',' && digits > 0) {
            ++commas;
            digits = 0;
        } else if (c >= '0' && c <= '9' && digits < 4) {
            ++digits;
        } else {
            return false;
        }
    }
    return commas == 5 && digits > 0;
}

// Reads the element front to back; every byte is either a literal of the form
// or part of a quoted value, so a byte outside ASCII fails it.
class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool literal(std::string_view expected) {
        if (text_.substr(at_, expected.size()) != expected) return false;
        at_ += expected.size();
        return true;
    }
    // A value up to its closing quote, which is consumed.
    std::optional<std::string_view> value() {
        const std::size_t start = at_;
        for (; at_ < text_.size(); ++at_) {
            const unsigned char c = static_cast<unsigned char>(text_[at_]);
            if (c == '"') return text_.substr(start, at_++ - start);
            if (c < 0x20 || c > 0x7e || c == '<' || c == '>') return std::nullopt;
        }
        return std::nullopt;
    }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
};

std::optional<AgencyArea> read_area(Reader& in) {
    AgencyArea a;
    const auto code = in.value();
    if (!code || code->size() != 3) return std::nullopt;
    for (char c : *code) {
        if (c < '0' || c > '9') return std::nullopt;
        a.code = a.code * 10 + (c - '0');
    }
    std::optional<std::string_view> lower, upper, arrival, kind;
    if (!in.literal(" from=\"") || !(lower = in.value()) || !is_class_text(*lower) ||
        !in.literal(" to=\"") || !(upper = in.value()) || !is_class_text(*upper) ||
        !in.literal(" arrival=\"") || !(arrival = in.value()) || !in.literal(" kind=\"") ||
        !(kind = in.value()) || !in.literal("/>"))
        return std::nullopt;
    if (kind->size() != 2 || (kind->at(0) != '0' && kind->at(0) != '1') ||
        std::string_view("019").find(kind->at(1)) == std::string_view::npos)
        return std::nullopt;
    a.lower = std::string(*lower);
    a.upper = std::string(*upper);
    a.warning = kind->at(0) == '1';
    a.arrival_kind = kind->at(1);
    if (!arrival->empty()) {
        if (!is_plain_date_time(*arrival)) return std::nullopt;
        a.arrival = DateTime::from_feed_text(*arrival);
        if (!a.arrival) return std::nullopt;
    }
    return a;
}

}  // namespace

std::optional<AgencyForecast> parse_agency_forecast(std::string_view report) {
    const std::size_t start = report.find("<jma_forecast ");
    if (start == std::string_view::npos) return std::nullopt;
    Reader in(report.substr(start));
    AgencyForecast f;
    std::optional<std::string_view> warning, max;
    if (!in.literal("<jma_forecast warning=\"") || !(warning = in.value()) ||
        (*warning != "0" && *warning != "1") || !in.literal(" max=\"") || !(max = in.value()) ||
        !is_class_text(*max) || !in.literal(">"))
        return std::nullopt;
    f.warning = *warning == "1";
    f.max = std::string(*max);
    while (!in.literal("</jma_forecast>")) {
        if (f.areas.size() == AgencyForecast::kMaxAreas || !in.literal("<area code=\""))
            return std::nullopt;
        auto area = read_area(in);
        if (!area) return std::nullopt;
        f.areas.push_back(std::move(*area));
    }
    return f;
}

}  // namespace eew
