#include "text/field_reader.hpp"

#include <gtest/gtest.h>

namespace eew {
namespace {

TEST(FieldReader, ReadsTextNumberAndLineFields) {
    FieldReader in("f",
                   "  Tokyo Station ,\"Osaka, Kita\" , 135.5\r\n\"two\r\nlines\"\r\n"
                   "1 2,4.5abc  -6\r\n\r\n\r\n7\r\n2024/04/01 09:00:00\r\nlast  ");
    for (const char* text : {"Tokyo Station ", "Osaka, Kita"})
        EXPECT_EQ(in.text("t"), text);
    EXPECT_EQ(in.number("n"), 135.5);
    EXPECT_EQ(in.text("t"), "two\r\nlines");  // a quoted text runs to the next quote
    for (double number : {1.0, 2.0, 4.5, -6.0, 7.0})
        EXPECT_EQ(in.number("n"), number);
    EXPECT_EQ(in.line("l"), "2024/04/01 09:00:00");
    EXPECT_EQ(in.text("t"), "last  ");
    EXPECT_TRUE(in.at_end());
}

TEST(FieldReader, ReadingPastTheEndOrAMissingFileIsAnError) {
    FieldReader in("f", "1\r\n  \r\n");
    in.number("1");
    EXPECT_THROW(in.number("2"), DataFileError);
    EXPECT_THROW(FieldReader::open("/nonexistent/ref.dat"), DataFileError);
}

}  // namespace
}  // namespace eew
