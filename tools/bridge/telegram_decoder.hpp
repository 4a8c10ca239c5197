#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "bridge/telegram.hpp"

namespace eew::bridge {

// The token that ends a telegram.
inline constexpr std::string_view kEndToken = "9999=";

// Decodes the whitespace-separated tokens of one telegram, its parts already
// joined, from the type to the closing "9999=". Every token must have its
// exact width and form; the first one that does not gives a one-line reason
// naming the field and what was found, and nothing is decoded.
std::variant<Telegram, std::string> decode_telegram(const std::vector<std::string>& tokens);

// Whether `text` is exactly `width` decimal digits.
bool is_digits(std::string_view text, std::size_t width);

// The earthquake ID and report number written in the tokens, as far as they
// can be made out, for naming a telegram that does not decode; "-" for each
// that cannot.
std::pair<std::string, std::string> id_and_number_of(const std::vector<std::string>& tokens);

}  // namespace eew::bridge
