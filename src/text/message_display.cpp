#include "text/message_display.hpp"

#include "text/shift_jis.hpp"

namespace eew {
namespace {

// 65000 -> "65,000".
std::string with_thousands(std::size_t n) {
    const std::string digits = std::to_string(n);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

bool is_utf8_continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

bool is_sjis_lead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The longest prefix of at most `limit` bytes that ends between two
// characters: UTF-8 when the prefix is valid UTF-8 up to its last character,
// else Shift-JIS, whose lead bytes are found by walking from the start.
std::size_t cut_point(std::string_view bytes, std::size_t limit) {
    // A UTF-8 character has at most three continuation bytes; more in a row
    // is not UTF-8, and backing off further could cut the whole text.
    std::size_t utf8_end = limit;
    while (utf8_end > limit - 3 &&
           is_utf8_continuation(static_cast<unsigned char>(bytes[utf8_end])))
        --utf8_end;
    if (!is_utf8_continuation(static_cast<unsigned char>(bytes[utf8_end])) &&
        is_valid_utf8(bytes.substr(0, utf8_end)))
        return utf8_end;
    std::size_t end = 0;
    while (end < limit) {
        const std::size_t len = is_sjis_lead(static_cast<unsigned char>(bytes[end])) ? 2 : 1;
        if (end + len > limit) break;
        end += len;
    }
    return end;
}

}  // namespace

std::string message_box_text(std::string_view bytes) {
    if (bytes.size() <= kShownMessageBytes) return decode_for_display(bytes);
    const std::size_t shown = cut_point(bytes, kShownMessageBytes);
    std::string text = decode_for_display(bytes.substr(0, shown));
    text.append("\n… (cut: ").append(with_thousands(bytes.size()));
    text.append(" bytes received, the first ").append(with_thousands(shown)).append(" shown)");
    return text;
}

std::string display_prefix(std::string_view bytes, std::size_t limit) {
    if (bytes.size() <= limit) return decode_for_display(bytes);
    return decode_for_display(bytes.substr(0, cut_point(bytes, limit))) + "…";
}

}  // namespace eew
