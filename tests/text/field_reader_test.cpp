#include "text/field_reader.hpp"

#include <gtest/gtest.h>

namespace eew {
namespace {

TEST(FieldReader, TextFieldsEndAtCommaOrLineEndAndKeepTheirCharacters) {
    FieldReader in("f", "  Tokyo Station ,x\r\nlast  \r\n");
    EXPECT_EQ(in.text("a"), "Tokyo Station ");
    EXPECT_EQ(in.text("b"), "x");
    EXPECT_EQ(in.text("c"), "last  ");
    EXPECT_TRUE(in.at_end());
}

TEST(FieldReader, QuotedTextRunsToTheNextQuoteAndSkipsTheSeparatorAfterIt) {
    FieldReader in("f", "\"Osaka, Kita\" , 135.5\r\n\"two\r\nlines\"\r\nnext\r\n");
    EXPECT_EQ(in.text("a"), "Osaka, Kita");
    EXPECT_DOUBLE_EQ(in.number("b"), 135.5);
    EXPECT_EQ(in.text("c"), "two\r\nlines");
    EXPECT_EQ(in.text("d"), "next");
}

TEST(FieldReader, NumbersEndAtABlankCommaOrLineEnd) {
    FieldReader in("f", "1 2,3\r\n4.5abc  -6\r\n\r\n\r\n7\r\n");
    EXPECT_EQ(in.number("1"), 1);
    EXPECT_EQ(in.number("2"), 2);
    EXPECT_EQ(in.number("3"), 3);
    EXPECT_EQ(in.number("4"), 4.5);
    EXPECT_EQ(in.number("5"), -6);
    EXPECT_EQ(in.number("6"), 7);  // blank lines before a number are skipped
}

TEST(FieldReader, EmptyFieldsBetweenCommasAreZeroOrEmpty) {
    FieldReader in("f", ",,x\r\n");
    EXPECT_EQ(in.number("a"), 0);
    EXPECT_EQ(in.text("b"), "");
    EXPECT_EQ(in.text("c"), "x");
}

TEST(FieldReader, LineReadTakesTheRestOfTheLine) {
    FieldReader in("f", "3\r\n2024/04/01 09:00:00\r\n5.1 35 139 12\r\n");
    EXPECT_EQ(in.number("n"), 3);
    EXPECT_EQ(in.line("time"), "2024/04/01 09:00:00");
    EXPECT_EQ(in.number("m"), 5.1);
    EXPECT_EQ(in.line("rest"), "35 139 12");
}

TEST(FieldReader, AcceptsBareLineFeedsAndCarriageReturns) {
    FieldReader in("f", "a\nb\rc");
    EXPECT_EQ(in.text("1"), "a");
    EXPECT_EQ(in.text("2"), "b");
    EXPECT_EQ(in.text("3"), "c");
    EXPECT_TRUE(in.at_end());
}

TEST(FieldReader, ReadingPastTheEndNamesTheFileAndTheItem) {
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
}

TEST(FieldReader, AnUnterminatedQuoteTakesTheRestOfTheFile) {
    FieldReader in("f", "\"open to the end");
    EXPECT_EQ(in.text("a"), "open to the end");
    EXPECT_TRUE(in.at_end());
}

TEST(FieldReader, AMissingFileIsAnErrorNamingIt) {
    try {
        FieldReader::open("/nonexistent/ref.dat");
        FAIL();
    } catch (const DataFileError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/ref.dat"), std::string::npos);
    }
}

}  // namespace
}  // namespace eew
