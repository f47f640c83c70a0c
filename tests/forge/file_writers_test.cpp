// The bytes of the three file formats, checked field by field.

#include <gtest/gtest.h>
#include <zlib.h>

#include "file_writers.h"
#include "forge_test_util.h"
#include "support/temp_dir.h"

TEST(Forge_File_Writers, BmpIs24BitBottomUpWithPaddedRows) {
    TCanvas c(3, 2, Rgb(1, 2, 3));
    c.Set(0, 0, Rgb(10, 20, 30)); // top-left
    c.Set(2, 1, Rgb(40, 50, 60)); // bottom-right
    const std::string b = Encode_BMP(c);
    const uint32_t stride = 12; // 9 bytes padded to 12
    ASSERT_EQ(b.size(), 54u + 2 * stride);
    EXPECT_EQ(b.substr(0, 2), "BM");
    EXPECT_EQ(Le32(b, 2), b.size());
    EXPECT_EQ(Le32(b, 10), 54u);
    EXPECT_EQ(Le32(b, 14), 40u);
    EXPECT_EQ(Le32(b, 18), 3u);
    EXPECT_EQ(Le32(b, 22), 2u); // positive height: bottom-up
    EXPECT_EQ(Le16(b, 26), 1u);
    EXPECT_EQ(Le16(b, 28), 24u);
    EXPECT_EQ(Le32(b, 30), 0u); // BI_RGB
    EXPECT_EQ(Le32(b, 34), 2 * stride);
    // The first stored row is the bottom one, blue first; the top-left pixel opens row 2.
    EXPECT_EQ(uint8_t(b[54 + 6]), 60);
    EXPECT_EQ(uint8_t(b[54 + 7]), 50);
    EXPECT_EQ(uint8_t(b[54 + 8]), 40);
    EXPECT_EQ(b[54 + 9], '\0');
    EXPECT_EQ(uint8_t(b[54 + stride]), 30);
    EXPECT_EQ(uint8_t(b[54 + stride + 2]), 10);
}

TEST(Forge_File_Writers, WavHasExactlyRiffFmtAndData) {
    const std::vector<int16_t> samples = {0, 1000, -1000, 32767, -32767};
    const std::string b = Encode_WAV(samples);
    ASSERT_EQ(b.size(), 44u + 10u);
    EXPECT_EQ(b.substr(0, 4), "RIFF");
    EXPECT_EQ(Le32(b, 4), 36u + 10u);
    EXPECT_EQ(b.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(Le32(b, 16), 16u);
    EXPECT_EQ(Le16(b, 20), 1u); // PCM
    EXPECT_EQ(Le16(b, 22), 1u); // mono
    EXPECT_EQ(Le32(b, 24), 22050u);
    EXPECT_EQ(Le32(b, 28), 44100u);
    EXPECT_EQ(Le16(b, 32), 2u);
    EXPECT_EQ(Le16(b, 34), 16u);
    EXPECT_EQ(b.substr(36, 4), "data");
    EXPECT_EQ(Le32(b, 40), 10u);
    EXPECT_EQ(int16_t(Le16(b, 46)), 1000);
    EXPECT_EQ(int16_t(Le16(b, 48)), -1000);
}

TEST(Forge_File_Writers, PngInflatesBackToThePixels) {
    TCanvas c(4, 3, Rgb(200, 100, 50));
    c.Set(3, 2, Rgb(1, 2, 3));
    const std::string b = Encode_PNG(c);
    ASSERT_EQ(b.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(b.substr(12, 4), "IHDR");
    auto be32 = [&b](size_t at) {
        return uint32_t(uint8_t(b[at])) << 24 | uint32_t(uint8_t(b[at + 1])) << 16 |
               uint32_t(uint8_t(b[at + 2])) << 8 | uint32_t(uint8_t(b[at + 3]));
    };
    EXPECT_EQ(be32(16), 4u);
    EXPECT_EQ(be32(20), 3u);
    const uint32_t idat_len = be32(33);
    ASSERT_EQ(b.substr(37, 4), "IDAT");
    std::string raw(3 * (1 + 4 * 3), '\0');
    uLongf raw_len = uLongf(raw.size());
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &raw_len,
                         reinterpret_cast<const Bytef*>(b.data() + 41), idat_len),
              Z_OK);
    ASSERT_EQ(raw_len, raw.size());
    EXPECT_EQ(uint8_t(raw[1]), 200); // row 0, first pixel, after the filter byte
    EXPECT_EQ(uint8_t(raw[2 * 13 + 1 + 9]), 1);
    EXPECT_EQ(uint8_t(raw[2 * 13 + 1 + 11]), 3);
}

TEST(Forge_File_Writers, WritingReplacesTheFileAndMakesFolders) {
    TTemp_Dir dir;
    std::string error;
    ASSERT_TRUE(Write_File_Atomic(dir.Path() + "a/b/c.bin", "first", error)) << error;
    ASSERT_TRUE(Write_File_Atomic(dir.Path() + "a/b/c.bin", "second", error)) << error;
    EXPECT_EQ(dir.Read("a/b/c.bin"), "second");
    EXPECT_FALSE(Write_File_Atomic(dir.Path() + "a/b/c.bin/under_a_file", "x", error));
    EXPECT_FALSE(error.empty());
}
