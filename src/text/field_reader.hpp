#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace eew {

// A data file that is missing, unreadable or ends before an item that must be
// there. The message names the file and the item, ready to show to the user.
class DataFileError : public std::runtime_error {
  public:
    DataFileError(std::string file, std::string what)
        : std::runtime_error(what), file_(std::move(file)) {}
    const std::string& file() const { return file_; }

  private:
    std::string file_;
};

// Reads a text file as a stream of delimited fields:
// - blanks before a field are skipped;
// - a text field ends at a comma or a line end and keeps its characters; one
//   that begins with a double quote runs to the next double quote, the quotes
//   are dropped and the separator after them is skipped;
// - a number field ends at a blank, a comma or a line end and is converted by
//   numeric_value(); blank lines before a number are skipped, and a field that
//   does not begin with a number throws DataFileError quoting it;
// - a line read takes the rest of the current line without its line end.
// Line ends are CR LF; a lone LF or CR is accepted as well. Reading a field
// when nothing but blanks and line ends is left throws DataFileError naming
// the file and the item being read.
class FieldReader {
  public:
    // Reads the whole file. Throws DataFileError when it cannot be opened or
    // is not text: a control character other than tab, CR, LF and the old
    // end-of-file mark (^Z) never occurs in these files, Shift-JIS included,
    // so one means a binary or damaged file rather than settings to read.
    static FieldReader open(const std::string& path);

    FieldReader(std::string name, std::string content);

    std::string text(std::string_view item);
    double number(std::string_view item);
    std::string line(std::string_view item);

    // True when only blanks and line ends are left.
    bool at_end() const;

    const std::string& name() const { return name_; }

  private:
    void skip_blanks();
    bool at_line_end() const;
    void skip_line_end();
    void skip_separator();
    [[noreturn]] void fail_at_end(std::string_view item) const;
    void require_more(std::string_view item) const;

    std::string name_;
    std::string data_;
    std::size_t pos_ = 0;
    // Where the trailing blanks and line ends begin: every field checks it,
    // and a long run of them must not be scanned again for each field.
    std::size_t content_end_ = 0;
};

}  // namespace eew
