#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace eew::test {

// Finds report values by the receiver's marker rules, independently of the
// simulator's own code: each returns the text it would take, or nothing when
// the value counts as missing.
std::optional<std::string> read_code(std::string_view report);
std::optional<std::string> read_sequence(std::string_view report);
std::optional<std::string> read_origin_time(std::string_view report);
// For elements whose start tag carries no attribute: "NAME>" ... "</NAME>".
std::optional<std::string> read_element(std::string_view report, std::string_view name);
// For latitude, longitude and depth: the first occurrence of the bare word,
// then the next ">", then "</NAME>".
std::optional<std::string> read_word_element(std::string_view report, std::string_view name);

// The numeric value of read_element / read_word_element; fails the test when missing.
double read_number(std::string_view report, std::string_view name);

}  // namespace eew::test
