#include <gtest/gtest.h>

#include "datafiles/data_file.h"

namespace {

TEST(Conversions, BooleansAreTrueOnlyForTrueAndYes) {
    for (const char* yes : {"TRUE", "true", "True", "YES", "yes", "Yes"}) {
        EXPECT_TRUE(Str_To_Bool(yes)) << yes;
    }
    for (const char* no : {"1", "on", "", "FALSE", "no", "TRUE!", "Y", "yess"}) {
        EXPECT_FALSE(Str_To_Bool(no)) << no;
    }
}

TEST(Conversions, WordsAndBytesOutsideTheirRangeReadAsZero) {
    EXPECT_EQ(Str_To_Word("65535"), 65535);
    EXPECT_EQ(Str_To_Word("70000"), 0);
    EXPECT_EQ(Str_To_Word("-1"), 0);
    EXPECT_EQ(Str_To_Word("+42"), 42);
    EXPECT_EQ(Str_To_Word("007"), 7);
    EXPECT_EQ(Str_To_Byte("255"), 255);
    EXPECT_EQ(Str_To_Byte("256"), 0);
    EXPECT_EQ(Str_To_Byte("-1"), 0);
    EXPECT_EQ(Str_To_Byte("300"), 0);
}

TEST(Conversions, LongintsStopShortOfTheLowestValue) {
    EXPECT_EQ(Str_To_Longint("2147483647"), 2147483647);
    EXPECT_EQ(Str_To_Longint("-2147483647"), -2147483647);
    EXPECT_EQ(Str_To_Longint("-2147483648"), 0);
    EXPECT_EQ(Str_To_Longint("2147483648"), 0);
    EXPECT_EQ(Str_To_Longint("99999999999999999999999"), 0);
    EXPECT_EQ(Str_To_Longint("-15"), -15);
}

TEST(Conversions, TextThatIsNotAWholeNumberReadsAsZero) {
    for (const char* bad :
         {"", "abc", "12abc", "1.5", "1e3", "+", "-", " 12", "12 ", "0x10", "$10", "1 000"}) {
        EXPECT_EQ(Str_To_Word(bad), 0) << bad;
        EXPECT_EQ(Str_To_Byte(bad), 0) << bad;
        EXPECT_EQ(Str_To_Longint(bad), 0) << bad;
    }
}

TEST(Conversions, FloatsTakeSignFractionAndExponent) {
    EXPECT_DOUBLE_EQ(Str_To_Float("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(Str_To_Float("-0.25"), -0.25);
    EXPECT_DOUBLE_EQ(Str_To_Float("+3"), 3.0);
    EXPECT_DOUBLE_EQ(Str_To_Float("2.5e2"), 250.0);
    EXPECT_DOUBLE_EQ(Str_To_Float("1E-2"), 0.01);
    EXPECT_DOUBLE_EQ(Str_To_Float(".5"), 0.5);
    EXPECT_DOUBLE_EQ(Str_To_Float("5."), 5.0);
    for (const char* bad :
         {"", "abc", "1.5x", "e5", "1e", "1e+", ".", "-", "inf", "nan", "0x1p3", "1,5", "1e999"}) {
        EXPECT_EQ(Str_To_Float(bad), 0.0) << bad;
    }
}

} // namespace
