#include "text/shift_jis.hpp"

#include <iconv.h>

#include <cerrno>

namespace eew {
namespace {

// glibc's "CP932", not "SHIFT_JIS": the latter maps 0x5C to the yen sign and
// rejects the vendor extensions.
constexpr const char* kCodePage = "CP932";

bool is_lead_byte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::optional<std::string> convert(std::string_view in) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        // iconv never writes through its input pointer; it only lacks const.
        char* inbuf = const_cast<char*>(in.data());
        std::size_t inleft = in.size();
        std::string out;
        char buf[1024];
        while (inleft > 0) {
            char* outbuf = buf;
            std::size_t outleft = sizeof buf;
            std::size_t rc = iconv(cd_, &inbuf, &inleft, &outbuf, &outleft);
            out.append(buf, static_cast<std::size_t>(outbuf - buf));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) return std::nullopt;
        }
        char* outbuf = buf;
        std::size_t outleft = sizeof buf;
        if (iconv(cd_, nullptr, nullptr, &outbuf, &outleft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        out.append(buf, static_cast<std::size_t>(outbuf - buf));
        return out;
    }

  private:
    iconv_t cd_;
};

}  // namespace

std::optional<std::string> sjis_to_utf8(std::string_view sjis) {
    Converter c("UTF-8", kCodePage);
    return c.convert(sjis);
}

std::optional<std::string> utf8_to_sjis(std::string_view utf8) {
    if (!is_valid_utf8(utf8)) return std::nullopt;
    Converter c(kCodePage, "UTF-8");
    return c.convert(utf8);
}

bool is_valid_utf8(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int extra;
        unsigned min;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000;
        } else {
            return false;
        }
        unsigned cp = c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n) return false;
            unsigned char cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

std::string decode_for_display(std::string_view bytes) {
    if (is_valid_utf8(bytes)) return std::string(bytes);
    if (auto utf8 = sjis_to_utf8(bytes)) return *utf8;
    // Neither: keep what is readable, character by character. Only double-byte
    // characters go through the converter; a call per byte would cost
    // milliseconds on a long damaged message.
    Converter converter("UTF-8", kCodePage);
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c >= 0xA1 && c <= 0xDF) {
            // Half-width katakana: U+FF61 … U+FF9F.
            const unsigned cp = 0xFF61 + (c - 0xA1);
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (auto two = is_lead_byte(c) && i + 1 < bytes.size()
                                  ? converter.convert(bytes.substr(i, 2))
                                  : std::nullopt) {
            out += *two;
            ++i;
        } else {
            out += "\xEF\xBF\xBD";
        }
    }
    return out;
}

}  // namespace eew
