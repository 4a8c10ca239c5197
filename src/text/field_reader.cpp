#include "text/field_reader.hpp"

#include <fstream>
#include <sstream>

#include "text/numeric_value.hpp"

namespace eew {
namespace {

bool is_text_byte(unsigned char c) {
    return c >= 0x20 || c == '\t' || c == '\r' || c == '\n' || c == 0x1A;
}

// A field as quoted in a message: its first characters, any byte but
// printable ASCII shown as "?" (a message must stay valid UTF-8).
std::string quoted(std::string_view field) {
    std::string shown(field.substr(0, 20));
    for (char& c : shown)
        if (c < 0x20 || c > 0x7E) c = '?';
    return "\"" + shown + (field.size() > 20 ? "...\"" : "\"");
}

}  // namespace

FieldReader FieldReader::open(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw DataFileError(path, "The file \"" + path + "\" is missing or cannot be read.");
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) throw DataFileError(path, "The file \"" + path + "\" cannot be read.");
    std::string data = content.str();
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (!is_text_byte(static_cast<unsigned char>(data[i])))
            throw DataFileError(path, "The file \"" + path + "\" is not a text file (byte " +
                                          std::to_string(i + 1) + " is a control character).");
    }
    return FieldReader(path, std::move(data));
}

FieldReader::FieldReader(std::string name, std::string content)
    : name_(std::move(name)), data_(std::move(content)) {
    const std::size_t last = data_.find_last_not_of(" \t\r\n");
    content_end_ = last == std::string::npos ? 0 : last + 1;
}

void FieldReader::skip_blanks() {
    while (pos_ < data_.size() && (data_[pos_] == ' ' || data_[pos_] == '\t'))
        ++pos_;
}

bool FieldReader::at_line_end() const {
    return pos_ < data_.size() && (data_[pos_] == '\r' || data_[pos_] == '\n');
}

void FieldReader::skip_line_end() {
    if (pos_ < data_.size() && data_[pos_] == '\r') ++pos_;
    if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
}

void FieldReader::skip_separator() {
    skip_blanks();
    if (pos_ < data_.size() && data_[pos_] == ',') {
        ++pos_;
    } else if (at_line_end()) {
        skip_line_end();
    }
}

bool FieldReader::at_end() const {
    return pos_ >= content_end_;
}

void FieldReader::fail_at_end(std::string_view item) const {
    throw DataFileError(name_, "The file \"" + name_ + "\" ends before " + std::string(item) + ".");
}

void FieldReader::require_more(std::string_view item) const {
    if (at_end()) fail_at_end(item);
}

std::string FieldReader::text(std::string_view item) {
    require_more(item);
    skip_blanks();
    std::string value;
    if (pos_ < data_.size() && data_[pos_] == '"') {
        std::size_t close = data_.find('"', pos_ + 1);
        if (close == std::string::npos) close = data_.size();
        value = data_.substr(pos_ + 1, close - pos_ - 1);
        pos_ = close < data_.size() ? close + 1 : close;
    } else {
        std::size_t end = pos_;
        while (end < data_.size() && data_[end] != ',' && data_[end] != '\r' && data_[end] != '\n')
            ++end;
        value = data_.substr(pos_, end - pos_);
        pos_ = end;
    }
    skip_separator();
    return value;
}

double FieldReader::number(std::string_view item) {
    require_more(item);
    while (pos_ < data_.size() && (data_[pos_] == ' ' || data_[pos_] == '\t' || at_line_end()))
        ++pos_;
    std::size_t end = pos_;
    while (end < data_.size() && data_[end] != ' ' && data_[end] != '\t' && data_[end] != ',' &&
           data_[end] != '\r' && data_[end] != '\n')
        ++end;
    const std::string_view field = std::string_view(data_).substr(pos_, end - pos_);
    if (!starts_with_number(field)) {
        throw DataFileError(name_, "The file \"" + name_ + "\" has " + quoted(field) +
                                       " where a number should be: " + std::string(item) + ".");
    }
    double value = numeric_value(field);
    pos_ = end;
    skip_separator();
    return value;
}

std::string FieldReader::line(std::string_view item) {
    if (pos_ >= data_.size()) fail_at_end(item);
    std::size_t end = pos_;
    while (end < data_.size() && data_[end] != '\r' && data_[end] != '\n')
        ++end;
    std::string value = data_.substr(pos_, end - pos_);
    pos_ = end;
    skip_line_end();
    return value;
}

}  // namespace eew
