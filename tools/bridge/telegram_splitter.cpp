#include "bridge/telegram_splitter.hpp"

#include <cctype>

#include "bridge/telegram_decoder.hpp"

namespace eew::bridge {
namespace {

constexpr std::size_t kHeaderTokens = 5;
// Far above the longest telegram (every forecast area of the country in the
// EBI block) and the longest token: a stream that never ends a telegram must
// not grow without bound.
constexpr std::size_t kMostTokens = 2000;
constexpr std::size_t kLongestToken = 32;

// type, office, flag, issue time, Cnf: nothing inside a telegram looks like it.
bool header_at(const std::vector<std::string>& t, std::size_t i) {
    return i + kHeaderTokens <= t.size() && is_digits(t[i], 2) && is_digits(t[i + 1], 2) &&
           is_digits(t[i + 2], 2) && is_digits(t[i + 3], 12) && t[i + 4].size() == 3 &&
           t[i + 4][0] == 'C' && is_digits(std::string_view(t[i + 4]).substr(1), 2);
}

// The part count n and the last-part mark f of a header.
int part_count(const std::vector<std::string>& t) {
    return t[4][1] - '0';
}
bool is_last_part(const std::vector<std::string>& t) {
    return t[4][2] == '1';
}

bool same_header(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    for (std::size_t i = 0; i < 4; ++i)
        if (a[i] != b[i]) return false;
    return a[4][1] == b[4][1];
}

}  // namespace

std::vector<TelegramPiece> TelegramSplitter::feed(std::string_view chunk) {
    std::vector<TelegramPiece> out;
    for (char c : chunk) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            if (partial_.size() < kLongestToken) partial_ += c;
        } else if (!partial_.empty()) {
            take_token(std::move(partial_), out);
            partial_.clear();
        }
    }
    return out;
}

std::vector<TelegramPiece> TelegramSplitter::finish() {
    std::vector<TelegramPiece> out = feed(" ");
    if (!tokens_.empty()) out.push_back({std::move(tokens_), "cut short: no 9999="});
    if (!joined_.empty()) {
        std::string why = "cut short: " + missing_part();
        out.push_back({std::move(joined_), std::move(why)});
    }
    tokens_.clear();
    joined_.clear();
    parts_seen_ = 0;
    return out;
}

std::string TelegramSplitter::missing_part() const {
    return "part " + std::to_string(parts_seen_ + 1) + " of " +
           std::to_string(part_count(joined_)) + " missing";
}

void TelegramSplitter::take_token(std::string token, std::vector<TelegramPiece>& out) {
    const bool end = token == kEndToken;
    tokens_.push_back(std::move(token));
    if (!end && tokens_.size() >= kMostTokens) {
        out.push_back(
            {std::move(tokens_), "no 9999= within " + std::to_string(kMostTokens) + " tokens"});
        tokens_.clear();
    }
    if (!end) return;
    // A telegram that lost its end runs into the next one; cut it at every
    // header found after its own start.
    std::vector<std::string> tokens = std::move(tokens_);
    tokens_.clear();
    std::size_t start = 0;
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        if (!header_at(tokens, i)) continue;
        out.push_back(
            {{tokens.begin() + static_cast<long>(start), tokens.begin() + static_cast<long>(i)},
             "no 9999= before the next telegram"});
        start = i;
    }
    complete({tokens.begin() + static_cast<long>(start), tokens.end()}, out);
}

void TelegramSplitter::complete(std::vector<std::string> tokens, std::vector<TelegramPiece>& out) {
    if (!header_at(tokens, 0)) {
        // Not a part of anything: the decoder names what is wrong with it.
        out.push_back({std::move(tokens), ""});
        return;
    }
    if (!joined_.empty() && !same_header(joined_, tokens)) {
        std::string why = missing_part() + " before another telegram";
        out.push_back({std::move(joined_), std::move(why)});
        joined_.clear();
        parts_seen_ = 0;
    }
    const bool last = is_last_part(tokens);
    if (joined_.empty()) {
        joined_ = std::move(tokens);
    } else {
        joined_.pop_back();  // the earlier part's 9999=
        joined_.insert(joined_.end(), tokens.begin() + kHeaderTokens, tokens.end());
    }
    ++parts_seen_;
    const int count = part_count(joined_);
    if (!last && parts_seen_ < count) return;
    TelegramPiece piece{std::move(joined_), ""};
    if (parts_seen_ != count)
        piece.error = std::to_string(parts_seen_) + " part(s) where the header announces " +
                      std::to_string(count);
    else if (!last)
        piece.error = "the last of " + std::to_string(count) + " part(s) is marked to be followed";
    out.push_back(std::move(piece));
    joined_.clear();
    parts_seen_ = 0;
}

}  // namespace eew::bridge
