#include "config/config_file.hpp"

#include <cassert>
#include <cmath>
#include <limits>

#include "text/field_reader.hpp"
#include "text/number_format.hpp"
#include "text/shift_jis.hpp"
#include "text/whole_file.hpp"

namespace eew {
namespace {

constexpr int kItems = static_cast<int>(kConfigItems.size());

// Reads the items in file order; each call names the item it expects, so that
// a read out of order fails loudly in a debug build instead of shifting them.
class ItemReader {
  public:
    explicit ItemReader(FieldReader& in) : in_(in) {}
    double number(std::string_view name) { return in_.number(label(name)); }
    std::string text(std::string_view name) { return decode_for_display(in_.text(label(name))); }

  private:
    std::string label(std::string_view name) {
        assert(n_ < kItems && kConfigItems[static_cast<std::size_t>(n_)] == name);
        ++n_;
        return "item " + std::to_string(n_) + " of " + std::to_string(kItems) + " (" +
               std::string(name) + ")";
    }
    FieldReader& in_;
    int n_ = 0;
};

// Shift-JIS bytes of a site name, quoted when the reader would otherwise split
// it or drop its leading blanks. Double quotes inside a quoted name cannot be
// carried by the format and become single quotes. A name that Shift-JIS cannot
// carry is kept in UTF-8, which the reader recognises, rather than lost.
std::string name_field(const std::string& utf8) {
    std::string name = utf8;
    for (char& c : name) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    const bool quote =
        name.find(',') != std::string::npos ||
        (!name.empty() && (name.front() == '"' || name.front() == ' ' || name.front() == '\t'));
    if (quote) {
        for (char& c : name) {
            if (c == '"') c = '\'';
        }
    }
    auto sjis = utf8_to_sjis(name);
    std::string bytes = sjis ? *sjis : name;
    return quote ? "\"" + bytes + "\"" : bytes;
}

}  // namespace

std::optional<int> config_item_line(std::string_view name) {
    for (std::size_t i = 0; i < kConfigItems.size(); ++i) {
        if (kConfigItems[i] == name) return static_cast<int>(i) + 1;
    }
    return std::nullopt;
}

int integer_item(double v) {
    if (std::isnan(v)) return 0;
    v = std::round(v);
    if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

Settings read_config(const std::string& path) {
    FieldReader in = FieldReader::open(path);
    ItemReader item(in);
    Settings s;
    s.localhost_port = integer_item(item.number("localhost_port"));
    s.pdata_min = item.number("pdata_min");
    s.magnitude_min = item.number("magnitude_min");
    s.magnitude_min_defalt = s.magnitude_min;
    s.dist_min = item.number("dist_min");
    s.disp_event_minutes = item.number("disp_event_minutes");
    s.sitename1 = item.text("sitename1");
    s.longitude_site1 = item.number("longitude_site1");
    s.latitude_site1 = item.number("latitude_site1");
    s.ampfac1 = item.number("ampfac1");
    s.sitename2 = item.text("sitename2");
    s.longitude_site2 = item.number("longitude_site2");
    s.latitude_site2 = item.number("latitude_site2");
    s.ampfac2 = item.number("ampfac2");
    s.sitename3 = item.text("sitename3");
    s.longitude_site3 = item.number("longitude_site3");
    s.latitude_site3 = item.number("latitude_site3");
    s.ampfac3 = item.number("ampfac3");
    s.select_site = integer_item(item.number("select_site"));
    s.lan_flag = integer_item(item.number("lan_flag"));
    s.voice_flag = integer_item(item.number("voice_flag"));
    s.auto_flag = integer_item(item.number("auto_flag"));
    return s;
}

std::optional<std::string> write_config(const std::string& path, const Settings& s) {
    std::string out;
    auto number = [&](double v) { out += plain_decimal(v) + "\r\n"; };
    auto name = [&](const std::string& v) { out += name_field(v) + "\r\n"; };
    number(s.localhost_port);
    number(s.pdata_min);
    number(s.magnitude_min);
    number(s.dist_min);
    number(s.disp_event_minutes);
    name(s.sitename1);
    number(s.longitude_site1);
    number(s.latitude_site1);
    number(s.ampfac1);
    name(s.sitename2);
    number(s.longitude_site2);
    number(s.latitude_site2);
    number(s.ampfac2);
    name(s.sitename3);
    number(s.longitude_site3);
    number(s.latitude_site3);
    number(s.ampfac3);
    number(s.select_site);
    number(s.lan_flag);
    number(s.voice_flag);
    number(s.auto_flag);
    return write_file_replacing(path, out);
}

}  // namespace eew
