#include "text/field_reader.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace eew {
namespace {

// Reads `content` as the fields named by `reads` ('t' text, 'n' number, 'l'
// line), numbers printed back as text.
std::vector<std::string> read_fields(const std::string& content, std::string_view reads) {
    FieldReader in("f", content);
    std::vector<std::string> out;
    for (char kind : reads) {
        if (kind == 't') out.push_back(in.text("t"));
        if (kind == 'l') out.push_back(in.line("l"));
        if (kind == 'n') out.push_back((std::ostringstream() << in.number("n")).str());
    }
    EXPECT_TRUE(in.at_end()) << content;
    return out;
}

TEST(FieldReader, ReadsTextNumberAndLineFields) {
    struct Case {
        std::string content;
        std::string_view reads;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        // Text ends at a comma or line end and keeps its characters.
        {"  Tokyo Station ,x\r\nlast  \r\n", "ttt", {"Tokyo Station ", "x", "last  "}},
        // A quoted text runs to the next quote; the separator after it is skipped.
        {"\"Osaka, Kita\" , 135.5\r\n\"two\r\nlines\"\r\nnext\r\n",
         "tntt",
         {"Osaka, Kita", "135.5", "two\r\nlines", "next"}},
        {"\"open to the end", "t", {"open to the end"}},
        // Numbers end at a blank, comma or line end; blank lines before one are skipped.
        {"1 2,3\r\n4.5abc  -6\r\n\r\n\r\n7\r\n", "nnnnnn", {"1", "2", "3", "4.5", "-6", "7"}},
        {",,x\r\n", "ntt", {"0", "", "x"}},
        {"3\r\n2024/04/01 09:00:00\r\n5.1 35 139 12\r\n",
         "nlnl",
         {"3", "2024/04/01 09:00:00", "5.1", "35 139 12"}},
        {"a\nb\rc", "ttt", {"a", "b", "c"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(read_fields(c.content, c.reads), c.fields) << c.content;
}

TEST(FieldReader, ReadingPastTheEndOrAMissingFileIsAnErrorNamingTheFile) {
    FieldReader in("/data/tavi.config", "1\r\n  \r\n");
    in.number("item 1 of 21");
    try {
        in.number("item 2 of 21 (pdata_min)");
        FAIL() << "no error past the end";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.file(), "/data/tavi.config");
        EXPECT_STREQ(e.what(),
                     "The file \"/data/tavi.config\" ends before item 2 of 21 (pdata_min).");
    }
    EXPECT_THROW(in.text("t"), DataFileError);
    FieldReader lines("f", "only\r\n");
    EXPECT_EQ(lines.line("1"), "only");
    EXPECT_THROW(lines.line("2"), DataFileError);
    try {
        FieldReader::open("/nonexistent/ref.dat");
        FAIL();
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.file(), "/nonexistent/ref.dat");
    }
}

}  // namespace
}  // namespace eew
