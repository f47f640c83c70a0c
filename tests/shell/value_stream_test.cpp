#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "shell/value_stream.h"
#include "support/temp_dir.h"

namespace {
std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}

std::string extended(double value) {
    uint8_t out[10];
    Encode_Extended(value, out);
    return std::string(reinterpret_cast<const char*>(out), 10);
}

double decode(const std::string& ten) {
    return Decode_Extended(reinterpret_cast<const uint8_t*>(ten.data()));
}
} // namespace

TEST(Value_Stream, IntegersTakeTheSmallestForm) {
    TValue_Writer writer;
    writer.Write_Longint(127);
    writer.Write_Longint(128);
    writer.Write_Word(40000);
    writer.Write_Boolean(true);
    writer.Write_Boolean(false);
    writer.Write_Longint(-128);
    writer.Write_Longint(-129);
    writer.Write_Longint(32768);
    writer.Write_Longint(-32769);
    writer.Write_Byte(200);
    EXPECT_EQ(writer.Bytes(),
              bytes({2,    0x7F, 3, 0x80, 0, 4, 0x40, 0x9C, 0,    0,    9,    8, 2,   0x80, 3, 0x7F,
                     0xFF, 4,    0, 0x80, 0, 0, 4,    0xFF, 0x7F, 0xFF, 0xFF, 3, 200, 0}));

    TValue_Reader reader(writer.Bytes());
    EXPECT_EQ(reader.Read_Longint(), 127);
    EXPECT_EQ(reader.Read_Longint(), 128);
    EXPECT_EQ(reader.Read_Word(), 40000);
    EXPECT_TRUE(reader.Read_Boolean());
    EXPECT_FALSE(reader.Read_Boolean());
    EXPECT_EQ(reader.Read_Longint(), -128);
    EXPECT_EQ(reader.Read_Longint(), -129);
    EXPECT_EQ(reader.Read_Longint(), 32768);
    EXPECT_EQ(reader.Read_Longint(), -32769);
    EXPECT_EQ(reader.Read_Byte(), 200);
    EXPECT_TRUE(reader.At_End());

    EXPECT_THROW(writer.Write_Integer(int64_t{1} << 40), TStream_Error);
}

TEST(Value_Stream, ReadsKeepTheLowBitsAndTheirTags) {
    // Byte of 300 keeps 44; Word of -1 keeps 65535; a Boolean with any other tag is
    // false and uses up just that byte.
    TValue_Reader reader(bytes({3, 0x2C, 1, 2, 0xFF, 2, 9, 2, 5}));
    EXPECT_EQ(reader.Read_Byte(), 44);
    EXPECT_EQ(reader.Read_Word(), 65535);
    EXPECT_FALSE(reader.Read_Boolean());                // the tag 2
    EXPECT_TRUE(reader.Read_Boolean());                 // the byte 9 that followed it
    EXPECT_DOUBLE_EQ(reader.Read_Float(), 5.0);         // an integer where a number is read
    EXPECT_THROW(reader.Read_Boolean(), TStream_Error); // end of data

    TValue_Reader wrong_tag(bytes({5, 0, 0}));
    EXPECT_THROW(wrong_tag.Read_Longint(), TStream_Error);
    TValue_Reader cut(bytes({4, 1, 2}));
    EXPECT_THROW(cut.Read_Longint(), TStream_Error);
    TValue_Reader text_for_number(bytes({6, 0}));
    EXPECT_THROW(text_for_number.Read_Float(), TStream_Error);
    TValue_Reader number_for_text(bytes({2, 1}));
    EXPECT_THROW(number_for_text.Read_String(), TStream_Error);
}

TEST(Value_Stream, ExtendedFloatsHaveTheirKnownBytes) {
    // 1.0: exponent 16383 (3FFF), integer bit only.
    EXPECT_EQ(extended(1.0), bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
    // -2.5 = -1.25 * 2^1: exponent 4000 with the sign, mantissa A000...
    EXPECT_EQ(extended(-2.5), bytes({0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0}));
    // The double nearest 0.1 is 1.999999999999A * 2^-4: exponent 3FFB, mantissa
    // 8000... | 999999999999A << 11 = CCCCCCCCCCCCD000.
    EXPECT_EQ(extended(0.1), bytes({0x00, 0xD0, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F}));
    EXPECT_EQ(extended(0.0), bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(extended(-0.0), bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}));
    EXPECT_EQ(extended(std::numeric_limits<double>::infinity()),
              bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}));
    EXPECT_EQ(extended(-std::numeric_limits<double>::infinity()),
              bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF}));
    // The smallest subnormal, 2^-1074, becomes a normal number: exponent 16383 - 1074.
    EXPECT_EQ(extended(std::numeric_limits<double>::denorm_min()),
              bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xCD, 0x3B}));

    TValue_Writer writer;
    writer.Write_Float(1.0);
    EXPECT_EQ(writer.Bytes(), bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
}

TEST(Value_Stream, ExtendedFloatsReadBackExactly) {
    const double values[] = {0.1,
                             -2.5,
                             3.141592653589793,
                             1e300,
                             -1e-300,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::denorm_min(),
                             -123456.789e-310,
                             std::numeric_limits<double>::infinity()};
    for (double value : values)
        EXPECT_EQ(decode(extended(value)), value) << value;
    EXPECT_TRUE(std::signbit(decode(extended(-0.0))));
    EXPECT_TRUE(std::isnan(decode(extended(std::numeric_limits<double>::quiet_NaN()))));

    // Extended values outside the double range: too large is infinity, too small 0.
    EXPECT_EQ(decode(bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x7F})),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(decode(bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0xFF})),
              -std::numeric_limits<double>::infinity());
    EXPECT_EQ(decode(bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x00})), 0.0);
    // The full-precision extended 0.1 (mantissa CCCCCCCCCCCCCCCD) rounds to the double 0.1.
    EXPECT_EQ(decode(bytes({0xCD, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F})), 0.1);
}

TEST(Value_Stream, StringsChooseTheirLengthForm) {
    TValue_Writer writer;
    writer.Write_String(std::string(255, 'a'));
    writer.Write_String(std::string(300, 'b'));
    writer.Write_String("");
    const std::string& out = writer.Bytes();
    EXPECT_EQ(out.substr(0, 2), bytes({6, 0xFF}));
    EXPECT_EQ(out.substr(257, 5), bytes({12, 0x2C, 0x01, 0, 0}));
    EXPECT_EQ(out.substr(562), bytes({6, 0}));

    TValue_Reader reader(out);
    EXPECT_EQ(reader.Read_String(), std::string(255, 'a'));
    EXPECT_EQ(reader.Read_String(), std::string(300, 'b'));
    EXPECT_EQ(reader.Read_String(), "");
    EXPECT_TRUE(reader.At_End());
}

TEST(Value_Stream, LengthsBeyondTheDataAreReadErrors) {
    // A long string claiming 2 GB, or a negative length, in a few bytes.
    TValue_Reader huge(bytes({12, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'}));
    EXPECT_THROW(huge.Read_String(), TStream_Error);
    TValue_Reader negative(bytes({12, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}));
    EXPECT_THROW(negative.Read_String(), TStream_Error);
    TValue_Reader short_cut(bytes({6, 10, 'a', 'b', 'c'}));
    EXPECT_THROW(short_cut.Read_String(), TStream_Error);
    TValue_Reader exact(bytes({12, 3, 0, 0, 0, 'a', 'b', 'c'}));
    EXPECT_EQ(exact.Read_String(), "abc");

    // A list count larger than the bytes left fails before anything is read.
    std::vector<uint16_t> words = {1, 2, 3};
    TValue_Reader list(bytes({4, 0xFF, 0xFF, 0, 0, 2, 1}));
    EXPECT_THROW(list.Read_Word_List(words), TStream_Error);
    std::vector<std::string> texts;
    TValue_Reader text_list(bytes({3, 0x10, 0x27, 6, 0}));
    EXPECT_THROW(text_list.Read_String_List(texts), TStream_Error);
}

TEST(Value_Stream, ListsRoundTripAndReplaceTheirTarget) {
    TValue_Writer writer;
    writer.Write_String_List({"Room", "", std::string(256, 'x')});
    writer.Write_Word_List({0, 65535, 300});
    writer.Write_Byte_List({});
    writer.Write_Longint_List({-70000, 5});
    EXPECT_EQ(writer.Bytes().substr(0, 4), bytes({2, 3, 6, 4}));

    TValue_Reader reader(writer.Bytes());
    std::vector<std::string> texts = {"old"};
    std::vector<uint16_t> words = {9, 9};
    std::vector<uint8_t> small = {7};
    std::vector<int32_t> longs;
    reader.Read_String_List(texts);
    reader.Read_Word_List(words);
    reader.Read_Byte_List(small);
    reader.Read_Longint_List(longs);
    EXPECT_EQ(texts, (std::vector<std::string>{"Room", "", std::string(256, 'x')}));
    EXPECT_EQ(words, (std::vector<uint16_t>{0, 65535, 300}));
    EXPECT_TRUE(small.empty());
    EXPECT_EQ(longs, (std::vector<int32_t>{-70000, 5}));
    EXPECT_TRUE(reader.At_End());

    EXPECT_THROW(writer.Write_Byte_List(std::vector<uint8_t>(70000)), TStream_Error);
}

TEST(Value_Stream, FilesAreWrittenWholeAndReadBack) {
    TTemp_Dir dir;
    TValue_Writer writer;
    writer.Write_String(Current_Save_Version);
    writer.Write_Float(-2.5);
    ASSERT_TRUE(writer.Save_To_File(dir.Path() + "Hero.dat"));
    TValue_Reader reader;
    EXPECT_FALSE(reader.Load_From_File(dir.Path() + "missing.dat"));
    ASSERT_TRUE(reader.Load_From_File(dir.Path() + "hero.DAT")); // names match in any case
    EXPECT_EQ(reader.Read_String(), "1.06");
    EXPECT_EQ(reader.Read_Float(), -2.5);
    EXPECT_TRUE(reader.At_End());
}
