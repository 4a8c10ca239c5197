#include "bridge/telegram_decoder.hpp"

#include <algorithm>
#include <array>

namespace eew::bridge {
namespace {

struct Malformed {
    std::string why;
};

// At most nine digits, so that an int holds them.
int number_of(std::string_view digits) {
    int n = 0;
    for (char c : digits)
        n = n * 10 + (c - '0');
    return n;
}

bool all_unknown(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c == '/'; });
}

constexpr std::array<std::string_view, 9> kIntensityCodes = {"01", "02", "03", "04", "5-",
                                                             "5+", "6-", "6+", "07"};

// Reads the tokens in order; every reader names its field when it fails.
class TokenReader {
  public:
    explicit TokenReader(const std::vector<std::string>& tokens) : tokens_(tokens) {}

    std::string_view next(std::string_view field) {
        if (at_ >= tokens_.size() || tokens_[at_] == kEndToken)
            throw Malformed{"cut short: no " + std::string(field)};
        return tokens_[at_++];
    }
    std::string_view peek() const {
        return at_ < tokens_.size() ? std::string_view(tokens_[at_]) : std::string_view();
    }
    bool done() const { return at_ >= tokens_.size(); }
    void skip() { ++at_; }

  private:
    const std::vector<std::string>& tokens_;
    std::size_t at_ = 0;
};

[[noreturn]] void fail(std::string_view field, std::string_view token, std::string_view form) {
    throw Malformed{std::string(field) + " '" + std::string(token) + "' is not " +
                    std::string(form)};
}

int digits(std::string_view field, std::string_view token, std::size_t width) {
    if (!is_digits(token, width)) fail(field, token, std::to_string(width) + " digits");
    return number_of(token);
}

int one_of(std::string_view field, std::string_view token, std::initializer_list<int> allowed) {
    const int n = digits(field, token, 2);
    if (std::find(allowed.begin(), allowed.end(), n) == allowed.end())
        fail(field, token, "a known value");
    return n;
}

// Digits of `width`, or as many '/' for unknown.
std::optional<int> digits_or_unknown(std::string_view field, std::string_view token,
                                     std::size_t width) {
    if (token.size() == width && all_unknown(token)) return std::nullopt;
    if (!is_digits(token, width))
        fail(field, token, std::to_string(width) + " digits or " + std::string(width, '/'));
    return number_of(token);
}

// A prefix (ND, NCN, RK ...) and its value.
std::string_view after_prefix(std::string_view field, std::string_view token,
                              std::string_view prefix) {
    if (!token.starts_with(prefix)) fail(field, token, "'" + std::string(prefix) + "…'");
    return token.substr(prefix.size());
}

JstTime date_time(std::string_view field, std::string_view token) {
    if (!is_digits(token, 12)) fail(field, token, "12 digits");
    const JstTime t{2000 + number_of(token.substr(0, 2)), number_of(token.substr(2, 2)),
                    number_of(token.substr(4, 2)),        number_of(token.substr(6, 2)),
                    number_of(token.substr(8, 2)),        number_of(token.substr(10, 2))};
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > kDays[t.month - 1] || t.hour > 23 ||
        t.minute > 59 || t.second > 59 || (t.month == 2 && t.day == 29 && t.year % 4 != 0))
        fail(field, token, "a valid date and time");
    return t;
}

std::optional<Intensity> intensity(std::string_view field, std::string_view code) {
    if (code == "//") return std::nullopt;
    const auto* found = std::find(kIntensityCodes.begin(), kIntensityCodes.end(), code);
    if (found == kIntensityCodes.end()) fail(field, code, "an intensity (01 … 07, 5-, 6+ or //)");
    return static_cast<Intensity>(found - kIntensityCodes.begin());
}

CodeDigits code_digits(std::string_view field, std::string_view token, std::string_view prefix) {
    const std::string_view value = after_prefix(field, token, prefix);
    if (value.size() != 5) fail(field, token, std::string(prefix) + " and 5 digits or '/'");
    CodeDigits out;
    for (std::size_t i = 0; i < 5; ++i) {
        if (value[i] == '/') continue;
        if (value[i] < '0' || value[i] > '9')
            fail(field, token, std::string(prefix) + " and 5 digits or '/'");
        out[i] = value[i] - '0';
    }
    return out;
}

// N382 / S382, E1427 / W1427; all '/' when unknown. South and west are negative.
std::optional<int> coordinate(std::string_view field, std::string_view token, char plus, char minus,
                              std::size_t width) {
    if (token.size() == width + 1 && all_unknown(token)) return std::nullopt;
    if (token.empty() || (token[0] != plus && token[0] != minus) ||
        !is_digits(token.substr(1), width))
        fail(field, token,
             std::string{plus} + "/" + minus + " and " + std::to_string(width) + " digits");
    const int tenths = number_of(token.substr(1));
    return token[0] == plus ? tenths : -tenths;
}

void read_header(TokenReader& in, Telegram& t) {
    t.type = one_of("type", in.next("type"), {35, 36, 37, 39});
    const std::string_view office = in.next("office");
    t.office = digits("office", office, 2);
    if (t.office < 1 || t.office > 6) fail("office", office, "01 to 06");
    t.flag = one_of("training flag", in.next("training flag"), {0, 1, 10, 11, 20, 30});
    t.issued = date_time("issue time", in.next("issue time"));
    const std::string_view parts = in.next("part count");
    const std::string_view nf = after_prefix("part count", parts, "C");
    if (!is_digits(nf, 2) || nf[0] == '0' || nf[1] > '1') fail("part count", parts, "Cnf");
    t.parts = nf[0] - '0';
    t.origin = date_time("origin time", in.next("origin time"));
}

void read_identity(TokenReader& in, Telegram& t) {
    const std::string_view id = in.next("earthquake ID");
    t.id = std::string(after_prefix("earthquake ID", id, "ND"));
    if (!is_digits(t.id, 14)) fail("earthquake ID", id, "ND and 14 digits");
    const std::string_view ncn = in.next("report number");
    const std::string_view sn = after_prefix("report number", ncn, "NCN");
    if (!is_digits(sn, 3) && !is_digits(sn, 4))
        fail("report number", ncn, "NCN, a status digit and 2 or 3 digits");
    t.status = sn[0] - '0';
    t.number = number_of(sn.substr(1));
    const std::string_view jd = in.next("public ID");
    t.public_id = std::string(after_prefix("public ID", jd, "JD"));
    if (!is_digits(t.public_id, 14) && !(t.public_id.size() == 14 && all_unknown(t.public_id)))
        fail("public ID", jd, "JD and 14 digits or '/'");
    const std::string_view jn = in.next("public number");
    t.public_number = std::string(after_prefix("public number", jn, "JN"));
    if (!is_digits(t.public_number, 3) && t.public_number != "///")
        fail("public number", jn, "JN and 3 digits or '/'");
}

void read_hypocentre(TokenReader& in, Telegram& t) {
    t.region_code = digits_or_unknown("region code", in.next("region code"), 3);
    t.latitude_tenths = coordinate("latitude", in.next("latitude"), 'N', 'S', 3);
    t.longitude_tenths = coordinate("longitude", in.next("longitude"), 'E', 'W', 4);
    t.depth_km = digits_or_unknown("depth", in.next("depth"), 3);
    t.magnitude_tenths = digits_or_unknown("magnitude", in.next("magnitude"), 2);
    t.max_intensity = intensity("maximum intensity", in.next("maximum intensity"));
    t.accuracy = code_digits("RK", in.next("RK"), "RK");
    t.kind = code_digits("RT", in.next("RT"), "RT");
    t.change = code_digits("RC", in.next("RC"), "RC");
}

AreaForecast read_area(TokenReader& in) {
    AreaForecast a;
    a.area = digits("EBI area", in.next("EBI area"), 3);
    const std::string_view range = in.next("EBI intensity");
    const std::string_view bounds = after_prefix("EBI intensity", range, "S");
    if (bounds.size() != 4) fail("EBI intensity", range, "S and two intensities");
    a.upper = intensity("EBI intensity", bounds.substr(0, 2));
    a.lower = intensity("EBI intensity", bounds.substr(2, 2));
    const std::string_view s = in.next("EBI arrival time");
    if (!all_unknown(s) || s.size() != 6) {
        const int hhmmss = digits("EBI arrival time", s, 6);
        a.s_arrival = ClockTime{hhmmss / 10000, hhmmss / 100 % 100, hhmmss % 100};
        if (a.s_arrival->hour > 23 || a.s_arrival->minute > 59 || a.s_arrival->second > 59)
            fail("EBI arrival time", s, "a time of day");
    }
    const std::string_view y = in.next("EBI warning and arrival");
    if (!is_digits(y, 2) || y[0] > '1' || (y[1] > '1' && y[1] != '9'))
        fail("EBI warning and arrival", y, "0/1 and 0/1/9");
    a.warning = y[0] - '0';
    a.arrival = y[1] - '0';
    return a;
}

}  // namespace

bool is_digits(std::string_view text, std::size_t width) {
    return text.size() == width &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::variant<Telegram, std::string> decode_telegram(const std::vector<std::string>& tokens) {
    try {
        TokenReader in(tokens);
        Telegram t;
        read_header(in, t);
        read_identity(in, t);
        read_hypocentre(in, t);
        if (in.peek() == "EBI") {
            in.skip();
            while (!in.done() && in.peek() != kEndToken)
                t.areas.push_back(read_area(in));
            if (t.areas.empty()) throw Malformed{"EBI without any area"};
        }
        if (in.done()) throw Malformed{"cut short: no 9999="};
        if (in.peek() != kEndToken) fail("end", in.peek(), "EBI or 9999=");
        in.skip();
        if (!in.done()) fail("end", in.peek(), "the end after 9999=");
        return t;
    } catch (const Malformed& m) {
        return m.why;
    }
}

std::pair<std::string, std::string> id_and_number_of(const std::vector<std::string>& tokens) {
    std::pair<std::string, std::string> out{"-", "-"};
    for (const std::string& token : tokens) {
        if (token.starts_with("ND") && out.first == "-") out.first = token.substr(2);
        if (token.starts_with("NCN") && out.second == "-" && is_digits(token.substr(3), 3))
            out.second = std::to_string(number_of(token.substr(4)));
    }
    return out;
}

}  // namespace eew::bridge
