// Buffers, copies with clipping, fills and BMP loading.

#include <gtest/gtest.h>

#include "presentation/bmp_file.h"
#include "presentation/graphics.h"
#include "support/temp_dir.h"

namespace {

class Graphics : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(fg_vbinit(), 0); }
    void TearDown() override { Graphics_Shutdown(); }

    // A buffer filled with one colour.
    static int filled(int w, int h, TColour c) {
        const int handle = fg_vballoc(w, h);
        fg_vbopen(handle);
        Set_Colour(c);
        Clear_Buffer();
        return handle;
    }
    static TColour at(int handle, int x, int y) {
        const TVirtual_Buffer* b = Buffer_Of(handle);
        return b->pixels[size_t(y) * size_t(b->width) + size_t(x)];
    }
    static int count(int handle, TColour c) {
        int n = 0;
        for (TColour p : Buffer_Of(handle)->pixels)
            n += p == c;
        return n;
    }
};

const TColour red = Colour_RGB(255, 0, 0);
const TColour blue = Colour_RGB(0, 0, 255);

TEST_F(Graphics, HandlesAreReusedAndBadOnesRefused) {
    EXPECT_EQ(fg_vballoc(800, 600), 0);
    EXPECT_EQ(fg_vballoc(10, 10), 1);
    EXPECT_EQ(fg_vballoc(0, 10), -1);
    fg_vbfree(0);
    EXPECT_EQ(fg_vbopen(0), -1);
    EXPECT_EQ(fg_vballoc(5, 5), 0);
    EXPECT_EQ(fg_vbopen(300), -1);
    for (int i = 2; i < Max_Virtual_Buffers; ++i)
        ASSERT_EQ(fg_vballoc(1, 1), i);
    EXPECT_EQ(fg_vballoc(1, 1), -1);
}

TEST_F(Graphics, CopyLandsWithItsLowerLeftCornerOnTheDestinationPoint) {
    const int dst = filled(200, 200, 0);
    const int src = filled(30, 30, red);
    // A 20-pixel-high rectangle copied to (x, 119) fills rows 100 to 119.
    Copy_Rect(0, 9, 0, 19, 50, 119, src, dst);
    EXPECT_EQ(at(dst, 50, 100), red);
    EXPECT_EQ(at(dst, 59, 119), red);
    EXPECT_EQ(at(dst, 50, 99), 0u);
    EXPECT_EQ(at(dst, 50, 120), 0u);
    EXPECT_EQ(at(dst, 60, 110), 0u);
    EXPECT_EQ(count(dst, red), 200);
}

TEST_F(Graphics, CopiesClipToBothBuffers) {
    const int dst = filled(800, 600, 0);
    const int src = filled(54, 54, red);
    // A 54 x 54 cell at (790, 5) keeps the 10 columns and the 6 rows that fit.
    Copy_Rect(0, 53, 0, 53, 790, 5, src, dst);
    EXPECT_EQ(count(dst, red), 10 * 6);
    EXPECT_EQ(at(dst, 799, 0), red);
    // Partly off the bottom-left corner: columns 0..23 and rows 567..599 remain.
    Copy_Rect_Transparent(0, 53, 0, 53, -30, 620, src, dst);
    EXPECT_EQ(at(dst, 23, 599), red);
    EXPECT_EQ(at(dst, 24, 599), 0u);
    EXPECT_EQ(at(dst, 0, 566), 0u);
    // A source rectangle past the source's own edge keeps its place: source rows
    // 40..53 of a rectangle ending at row 599 land on rows 539..552.
    Copy_Rect(40, 100, 40, 100, 100, 599, src, dst);
    EXPECT_EQ(at(dst, 113, 539), red);
    EXPECT_EQ(at(dst, 100, 552), red);
    EXPECT_EQ(at(dst, 100, 553), 0u);
    EXPECT_EQ(at(dst, 114, 540), 0u);
    Copy_Rect(-5000, 5000, -5000, 5000, -100000, 100000, src, dst);
    Copy_Rect(-2147483647 - 1, 3, 0, 3, 2147483647, 5, src, dst);
    Copy_Rect_Transparent(0, 3, 0, 3, -2147483647 - 1, -2147483647 - 1, src, dst);
    Copy_Rect(0, 5, 0, 5, 0, 5, src, 77); // no such buffer
    EXPECT_EQ(count(dst, red), 60 + 24 * 33 + 14 * 14);
}

TEST_F(Graphics, TransparentCopySkipsBlackAndOverlappingCopiesAreExact) {
    const int dst = filled(20, 20, blue);
    const int src = filled(4, 1, 0);
    fg_vbopen(src);
    Set_Colour(red);
    Set_Pixel(1, 0);
    Set_Pixel(3, 0);
    Copy_Rect_Transparent(0, 3, 0, 0, 0, 0, src, dst);
    EXPECT_EQ(at(dst, 0, 0), blue);
    EXPECT_EQ(at(dst, 1, 0), red);
    EXPECT_EQ(at(dst, 2, 0), blue);
    Copy_Rect(0, 3, 0, 0, 0, 1, src, dst);
    EXPECT_EQ(at(dst, 0, 1), 0u);

    // Shifting a row right by one within one buffer.
    const int row = filled(5, 1, 0);
    fg_vbopen(row);
    for (int x = 0; x < 5; ++x) {
        Set_Colour(TColour(x + 1));
        Set_Pixel(x, 0);
    }
    Copy_Rect(0, 3, 0, 0, 1, 0, row, row);
    EXPECT_EQ(at(row, 0, 0), 1u);
    EXPECT_EQ(at(row, 1, 0), 1u);
    EXPECT_EQ(at(row, 4, 0), 4u);
}

TEST_F(Graphics, FillsPixelsAndPinkConversionStayInside) {
    const int b = filled(10, 10, 0);
    Set_Colour(Colour_From_RGB(255, 0, 255));
    Fill_Rect(-5, 2, 8, 40);
    EXPECT_EQ(count(b, Colour_RGB(255, 0, 255)), 3 * 2);
    Set_Pixel(-1, 0);
    Set_Pixel(10, 3);
    Set_Pixel(9, 9);
    EXPECT_EQ(Read_Pixel(9, 9), Colour_RGB(255, 0, 255));
    EXPECT_EQ(Read_Pixel(10, 9), 0u);
    Fill_Rect(5, 4, 0, 9); // empty
    Pink_To_Black(b);
    EXPECT_EQ(count(b, 0), 100);
    EXPECT_EQ(Colour_From_RGB(300, -4, 17), Colour_RGB(255, 0, 17));
}

// ---- BMP files of every supported depth ----

std::string u16(int v) {
    return std::string{char(v & 255), char((v >> 8) & 255)};
}
std::string u32(uint32_t v) {
    return u16(int(v & 0xFFFF)) + u16(int(v >> 16));
}

// A 3 x 2 picture with the given depth; rows are written bottom-up unless top_down.
// Pixels, top row first: red green blue / white black pink.
std::string make_bmp(int bits, bool top_down) {
    const TColour pic[2][3] = {
        {Colour_RGB(255, 0, 0), Colour_RGB(0, 255, 0), Colour_RGB(0, 0, 255)},
        {Colour_RGB(255, 255, 255), 0, Colour_RGB(255, 0, 255)}};
    std::vector<TColour> palette = {pic[0][0], pic[0][1], pic[0][2],
                                    pic[1][0], pic[1][1], pic[1][2]};
    if (bits == 1)
        palette = {0, Colour_RGB(255, 255, 255)};
    auto index_of = [&](TColour c) {
        if (bits == 1)
            return c == 0 ? 0 : 1;
        for (size_t i = 0; i < palette.size(); ++i)
            if (palette[i] == c)
                return int(i);
        return 0;
    };
    std::string pal;
    const size_t entries = bits <= 8 ? (size_t(1) << bits) : 0;
    for (size_t i = 0; i < entries; ++i) {
        const TColour c = i < palette.size() ? palette[i] : 0;
        pal += char(Blue_Of(c));
        pal += char(Green_Of(c));
        pal += char(Red_Of(c));
        pal += '\0';
    }
    const int stride = ((3 * bits + 31) / 32) * 4;
    std::string pixels;
    for (int r = 0; r < 2; ++r) {
        const int y = top_down ? r : 1 - r;
        std::string row(size_t(stride), '\0');
        for (int x = 0; x < 3; ++x) {
            const TColour c = bits == 1 ? (pic[y][x] == 0 ? 0 : 1) : pic[y][x];
            const int i = index_of(pic[y][x]);
            if (bits == 1)
                row[0] = char(uint8_t(row[0]) | ((c ? 1 : 0) << (7 - x)));
            else if (bits == 4)
                row[size_t(x / 2)] = char(uint8_t(row[size_t(x / 2)]) | (i << (x % 2 ? 0 : 4)));
            else if (bits == 8)
                row[size_t(x)] = char(i);
            else {
                const size_t at = size_t(x) * size_t(bits / 8);
                row[at] = char(Blue_Of(c));
                row[at + 1] = char(Green_Of(c));
                row[at + 2] = char(Red_Of(c));
            }
        }
        pixels += row;
    }
    const uint32_t offset = 14 + 40 + uint32_t(pal.size());
    std::string out = "BM" + u32(offset + uint32_t(pixels.size())) + u32(0) + u32(offset);
    out += u32(40) + u32(3) + u32(uint32_t(top_down ? -2 : 2)) + u16(1) + u16(bits) + u32(0) +
           u32(uint32_t(pixels.size())) + u32(2835) + u32(2835) + u32(0) + u32(0);
    return out + pal + pixels;
}

TEST(Bmp_File, EveryDepthBothRowOrders) {
    for (int bits : {1, 4, 8, 24, 32}) {
        for (bool top_down : {false, true}) {
            SCOPED_TRACE("bits " + std::to_string(bits) + (top_down ? " top-down" : " bottom-up"));
            TVirtual_Buffer image;
            std::string error;
            ASSERT_TRUE(Decode_BMP(make_bmp(bits, top_down), image, error)) << error;
            ASSERT_EQ(image.width, 3);
            ASSERT_EQ(image.height, 2);
            if (bits == 1) {
                EXPECT_EQ(image.pixels[0], Colour_RGB(255, 255, 255));
                EXPECT_EQ(image.pixels[4], 0u);
                continue;
            }
            EXPECT_EQ(image.pixels[0], Colour_RGB(255, 0, 0));
            EXPECT_EQ(image.pixels[1], Colour_RGB(0, 255, 0));
            EXPECT_EQ(image.pixels[2], Colour_RGB(0, 0, 255));
            EXPECT_EQ(image.pixels[3], Colour_RGB(255, 255, 255));
            EXPECT_EQ(image.pixels[4], 0u);
            EXPECT_EQ(image.pixels[5], Colour_RGB(255, 0, 255));
        }
    }
}

TEST(Bmp_File, BrokenFilesAreRefusedWithAReason) {
    TVirtual_Buffer image;
    std::string error;
    const std::string good = make_bmp(24, false);
    EXPECT_FALSE(Decode_BMP("", image, error));
    EXPECT_FALSE(Decode_BMP("PNG not a bmp at all, really no", image, error));
    EXPECT_FALSE(Decode_BMP(good.substr(0, good.size() - 3), image, error));
    EXPECT_NE(error.find("truncated"), std::string::npos);
    std::string rle = make_bmp(8, false);
    rle[30] = 1;
    EXPECT_FALSE(Decode_BMP(rle, image, error));
    EXPECT_NE(error.find("compressed"), std::string::npos);
    std::string huge = good;
    huge.replace(18, 4, u32(0x7FFFFFFF));
    EXPECT_FALSE(Decode_BMP(huge, image, error));
    std::string bits16 = good;
    bits16.replace(28, 2, u16(16));
    EXPECT_FALSE(Decode_BMP(bits16, image, error));
}

TEST_F(Graphics, ShowBmpDrawsIntoTheActiveBufferClipped) {
    TTemp_Dir dir;
    const std::string path = dir.Write("pic.bmp", make_bmp(24, false));
    const int small = filled(2, 1, blue);
    EXPECT_EQ(fg_showbmp(path), 0);
    EXPECT_EQ(at(small, 0, 0), Colour_RGB(255, 0, 0));
    EXPECT_EQ(at(small, 1, 0), Colour_RGB(0, 255, 0));
    const int big = filled(5, 5, blue);
    EXPECT_EQ(fg_showbmp(path), 0);
    EXPECT_EQ(at(big, 2, 1), Colour_RGB(255, 0, 255));
    EXPECT_EQ(at(big, 3, 0), blue);
    EXPECT_NE(fg_showbmp(dir.Path() + "missing.bmp"), 0);
    EXPECT_NE(Last_Graphics_Error().find("missing.bmp"), std::string::npos);
    EXPECT_EQ(at(big, 0, 0), Colour_RGB(255, 0, 0));
}

} // namespace
