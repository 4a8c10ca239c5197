#include "feedsim/scenario.hpp"

#include <charconv>
#include <cmath>
#include <map>

namespace eew::sim {
namespace {

// Thrown inside the parser only; parse_scenario turns it into its result.
struct Failure {
    ScenarioError error;
};

[[noreturn]] void fail(int line, std::string what) {
    throw Failure{{line, std::move(what)}};
}

struct Line {
    int number = 0;
    std::string_view key;
    std::vector<std::string_view> values;
};

std::vector<std::string_view> words_of(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (true) {
        i = text.find_first_not_of(" \t", i);
        if (i == std::string_view::npos) break;
        const std::size_t end = std::min(text.find_first_of(" \t", i), text.size());
        words.push_back(text.substr(i, end - i));
        i = end;
    }
    return words;
}

// Appended rather than concatenated: GCC 12 at -O2 warns falsely (-Wrestrict)
// on a literal added to a temporary string.
std::string quoted(std::string_view word) {
    std::string text = "'";
    text.append(word).push_back('\'');
    return text;
}

double number(const Line& l, std::size_t i, double lo, double hi) {
    const std::string_view w = l.values[i];
    double v = 0;
    const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
    if (ec != std::errc() || end != w.data() + w.size() || !std::isfinite(v))
        fail(l.number, std::string(l.key) + ": " + quoted(w) + " is not a number");
    if (v < lo || v > hi)
        fail(l.number, std::string(l.key) + ": " + quoted(w) + " is outside " +
                           std::to_string(static_cast<long long>(lo)) + " to " +
                           std::to_string(static_cast<long long>(hi)));
    return v;
}

long long whole(const Line& l, std::size_t i, long long lo, long long hi) {
    const std::string_view w = l.values[i];
    long long v = 0;
    const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
    if (ec != std::errc() || end != w.data() + w.size())
        fail(l.number, std::string(l.key) + ": " + quoted(w) + " is not a whole number");
    if (v < lo || v > hi)
        fail(l.number, std::string(l.key) + ": " + quoted(w) + " is outside " + std::to_string(lo) +
                           " to " + std::to_string(hi));
    return v;
}

bool is_name_character(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-';
}

std::string name(const Line& l) {
    const std::string_view w = l.values[0];
    for (char c : w)
        if (!is_name_character(c))
            fail(l.number, std::string(l.key) + ": " + quoted(w) +
                               " may hold only letters, digits, '_' and '-'");
    return std::string(w);
}

// The report's reader takes the first occurrence of these words anywhere in the
// text, and the code is written before their elements.
std::string code(const Line& l) {
    std::string c = name(l);
    for (std::string_view word : {"sequence", "latitude", "longitude", "depth"})
        if (c.find(word) != std::string::npos)
            fail(l.number, "code: " + quoted(c) + " must not contain the word " + quoted(word));
    return c;
}

struct Keyword {
    std::size_t values;
    const char* meaning;
    bool required;
};

const std::map<std::string_view, Keyword>& keywords() {
    static const std::map<std::string_view, Keyword> table = {
        {"origin", {1, "SECONDS", true}},
        {"epicentre", {2, "LONGITUDE LATITUDE", true}},
        {"depth", {1, "KM", true}},
        {"magnitude", {1, "M", true}},
        {"reports", {2, "COUNT INTERVAL", true}},
        {"region", {1, "KEY", true}},
        {"code", {1, "CODE", false}},
        {"mechanism", {6, "AZP THP AZT THT NOBS_POL NMIN_POL_ERR", false}},
        {"noise", {1, "DELAY", false}},
    };
    return table;
}

void apply(const Line& l, Quake& q) {
    if (l.key == "origin") {
        q.origin = whole(l, 0, 0, 86400);
    } else if (l.key == "epicentre") {
        q.longitude = number(l, 0, -180, 180);
        q.latitude = number(l, 1, -90, 90);
    } else if (l.key == "depth") {
        q.depth = number(l, 0, 0, 800);
    } else if (l.key == "magnitude") {
        q.magnitude = number(l, 0, 0, 10);
    } else if (l.key == "reports") {
        q.reports = static_cast<int>(whole(l, 0, 1, 99));
        q.interval = whole(l, 1, 1, 3600);
    } else if (l.key == "region") {
        q.region = name(l);
    } else if (l.key == "code") {
        q.code = code(l);
    } else if (l.key == "mechanism") {
        feedlib::Mechanism m{number(l, 0, 0, 360),
                             number(l, 1, 0, 180),
                             number(l, 2, 0, 360),
                             number(l, 3, 0, 180),
                             0,
                             0};
        const long long observations = whole(l, 4, 0, 9999);
        m.nobs_pol = static_cast<double>(observations);
        m.nmin_pol_err = static_cast<double>(whole(l, 5, 0, observations));
        q.mechanism = m;
    } else {
        q.noise_delay = whole(l, 0, 0, 3600);
    }
}

class Parser {
  public:
    Scenario run(std::string_view text) {
        int number = 0;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            take(parse_line(++number, text.substr(start, end - start)));
            start = end + 1;
        }
        finish_quake();
        if (scenario_.quakes.empty()) fail(0, "no quake (a quake starts with a line 'quake')");
        return std::move(scenario_);
    }

  private:
    static Line parse_line(int number, std::string_view text) {
        text = text.substr(0, text.find('#'));
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        Line l{number, {}, words_of(text)};
        if (!l.values.empty()) {
            l.key = l.values.front();
            l.values.erase(l.values.begin());
        }
        return l;
    }

    void take(const Line& l) {
        if (l.key.empty()) return;
        if (l.key == "quake") {
            if (!l.values.empty()) fail(l.number, "quake takes no values");
            finish_quake();
            current_ = Quake{};
            current_->line = l.number;
            seen_.clear();
            return;
        }
        const auto k = keywords().find(l.key);
        if (k == keywords().end()) fail(l.number, "unknown keyword " + quoted(l.key));
        if (!current_)
            fail(l.number, quoted(l.key) + " before the first quake (start one with 'quake')");
        if (const auto s = seen_.find(l.key); s != seen_.end())
            fail(l.number,
                 quoted(l.key) + " given twice (first on line " + std::to_string(s->second) + ")");
        if (l.values.size() != k->second.values)
            fail(l.number, std::string(l.key) + " takes " + k->second.meaning + ", got " +
                               std::to_string(l.values.size()) + " value(s)");
        seen_[l.key] = l.number;
        apply(l, *current_);
    }

    void finish_quake() {
        if (!current_) return;
        for (const auto& [key, k] : keywords())
            if (k.required && !seen_.contains(key))
                fail(current_->line, "quake has no " + quoted(key));
        for (const Quake& other : scenario_.quakes) {
            const std::string where = " as the quake on line " + std::to_string(other.line);
            if (!current_->code.empty() && other.code == current_->code)
                fail(current_->line, "quake has the same code" + where);
            if (current_->code.empty() && other.code.empty() && other.origin == current_->origin)
                fail(current_->line, "quake has the same origin, and so the same code," + where +
                                         "; give one a code");
        }
        scenario_.quakes.push_back(std::move(*current_));
        current_.reset();
    }

    Scenario scenario_;
    std::optional<Quake> current_;
    std::map<std::string_view, int> seen_;
};

}  // namespace

std::variant<Scenario, ScenarioError> parse_scenario(std::string_view text) {
    try {
        return Parser().run(text);
    } catch (const Failure& f) {
        return f.error;
    }
}

}  // namespace eew::sim
