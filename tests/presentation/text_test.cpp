// Justification, word wrap and paragraphs. The wrap rules are checked with the
// measuring stand-in (every character 6 x 12), the drawing with a real face.

#include <gtest/gtest.h>

#include "presentation/font.h"
#include "presentation/frame_speed.h"
#include "presentation/graphics.h"
#include "presentation/text.h"

namespace {

class Text : public ::testing::Test {
  protected:
    void SetUp() override {
        fg_vbinit();
        ASSERT_EQ(fg_vballoc(800, 600), Workspace_Buffer);
        Text_Begin(Workspace_Buffer);
    }
    void TearDown() override {
        Text_End();
        EXPECT_EQ(Open_DC_Count(), 0);
        Free_Fonts();
        Graphics_Shutdown();
    }
    // Uses the real faces; false when the machine has none.
    static bool real_fonts() {
        std::string report;
        return Load_Fonts(report) && Font(1)->Is_Open();
    }
    struct TInk {
        int min_x = 9999, max_x = -1, min_y = 9999, max_y = -1;
        bool any() const { return max_x >= 0; }
    };
    static TInk ink(int y0 = 0, int y1 = 599) {
        TInk r;
        const TVirtual_Buffer& b = *Buffer_Of(Workspace_Buffer);
        for (int y = y0; y <= y1; ++y)
            for (int x = 0; x < 800; ++x)
                if (b.pixels[size_t(y) * 800 + size_t(x)] != 0) {
                    r.min_x = std::min(r.min_x, x);
                    r.max_x = std::max(r.max_x, x);
                    r.min_y = std::min(r.min_y, y);
                    r.max_y = std::max(r.max_y, y);
                }
        return r;
    }
    static void clear() {
        Set_Colour(0);
        Clear_Buffer();
    }
};

TEST_F(Text, WrapBreaksBeforeAWordThatWouldPassTheRightEdge) {
    Free_Fonts();
    Set_Font(1);
    ASSERT_EQ(Text_Width("aa "), 18);
    // "aa " fits in 30, "bb " does not fit after it, "cc" fits after "bb ".
    EXPECT_EQ(Print_Wrapped(0, 0, 30, "aa bb cc", 100), 24);
    EXPECT_EQ(Print_Wrapped(0, 0, 36, "aa bb cc", 100), 24);
    EXPECT_EQ(Print_Wrapped(0, 0, 48, "aa bb cc", 100), 12);
    EXPECT_EQ(Print_Wrapped(0, 0, 100, "", 100), 12);
}

TEST_F(Text, AWordWiderThanTheLineIsCutAndNeverLoops) {
    Free_Fonts();
    Set_Font(1);
    // Keeps 5 characters (5 * 6 + 8 < 40), the other 5 and "bb" follow.
    EXPECT_EQ(Print_Wrapped(0, 0, 40, "aaaaaaaaaa bb", 1000), 36);
    // Too narrow for even one character: one per line, and it ends.
    EXPECT_EQ(Print_Wrapped(0, 0, 5, "abcdef", 1000), 72);
    EXPECT_EQ(Print_Wrapped(0, 0, -8, "abcdef", 1000), 72);
    // The box's height stops the text: the last line printed is the second.
    EXPECT_EQ(Print_Wrapped(10, 50, 5, "abcdef", 30), 24);
}

TEST_F(Text, ParagraphsEndAndTellWhetherTheEndIsShown) {
    Free_Fonts();
    Set_Font(3);
    EXPECT_TRUE(Print_Paragraphs(0, 0, 335, 0, {}, 340));
    // A 402-pixel word in a 335-pixel box is printed where it starts.
    EXPECT_TRUE(Print_Paragraphs(0, 0, 335, 0, {std::string(67, 'w') + " end"}, 340));
    // Five one-word paragraphs: baselines 14, 34, 54, 74 and 94 (line height 10).
    const std::vector<std::string> five = {"a", "b", "c", "d", "e"};
    EXPECT_FALSE(Print_Paragraphs(0, 0, 335, 0, five, 50));
    EXPECT_FALSE(Print_Paragraphs(0, 0, 335, 29, five, 50));
    EXPECT_TRUE(Print_Paragraphs(0, 0, 335, 30, five, 50));
}

TEST_F(Text, JustificationPlacesTheTextAroundThePoint) {
    if (!real_fonts())
        GTEST_SKIP() << "no serif face installed";
    Set_Font(3);
    Set_Text_Colour(255, 255, 255);
    const int width = Text_Width("Hello");
    ASSERT_GT(width, 10);

    Set_Justify(1, 4);
    Print_At(400, 100, "Hello");
    EXPECT_EQ(Get_X_Position(), 400 + width);
    TInk left = ink();
    EXPECT_GE(left.min_x, 400);
    EXPECT_LE(left.max_x, 400 + width);
    EXPECT_LE(left.max_y, 100);
    EXPECT_GT(left.max_y, 100 - Text_Height());

    clear();
    Set_Justify(3, 5);
    Print_At(400, 100, "Hello");
    TInk right = ink();
    EXPECT_LE(right.max_x, 400);
    EXPECT_GE(right.min_x, 400 - width);
    EXPECT_GE(right.min_y, 100);

    clear();
    Set_Justify(2, 2);
    Print_At(400, 100, "Hello");
    TInk centre = ink();
    EXPECT_LT(centre.min_x, 400);
    EXPECT_GT(centre.max_x, 400);
    EXPECT_LT(centre.min_y, 100);
    EXPECT_GT(centre.max_y, 100);

    // Text is clipped at the buffer's edges.
    clear();
    Set_Justify(1, 5);
    Print_At(790, 595, "Hello Hello");
    Print_At(-30, -5, "Hello Hello");
    EXPECT_TRUE(ink().any());
}

TEST_F(Text, WrappedTextIsDrawnLineByLineInTheFontsColour) {
    if (!real_fonts())
        GTEST_SKIP() << "no serif face installed";
    Set_Font(1);
    Set_Text_Colour(0, 255, 0);
    const int h = Text_Height();
    const std::string long_word(40, 'm');
    const int used = Print_Wrapped(100, 100, 120, long_word + " tail", 400);
    EXPECT_GE(used, 3 * h);
    // Line by line: the cut word, its rest, and the text after it.
    for (int line = 0; line < 3; ++line) {
        SCOPED_TRACE(line);
        const TInk band = ink(100 + line * h + 1, 100 + (line + 1) * h);
        ASSERT_TRUE(band.any());
        EXPECT_GE(band.min_x, 100);
        EXPECT_LE(band.max_x, 220);
    }
    EXPECT_EQ(Buffer_Of(0)->pixels[0], 0u);
    bool green = false;
    for (TColour p : Buffer_Of(0)->pixels)
        green = green || (Red_Of(p) == 0 && Blue_Of(p) == 0 && Green_Of(p) > 200);
    EXPECT_TRUE(green);
}

TEST_F(Text, LatinOneAndUtf8TextBothMeasure) {
    if (!real_fonts())
        GTEST_SKIP() << "no serif face installed";
    Set_Font(3);
    EXPECT_EQ(Text_Width("caf\xe9"), Text_Width("caf\xc3\xa9"));
    EXPECT_GT(Text_Width("caf\xe9"), Text_Width("caf"));
    for (int n = 1; n <= 6; ++n)
        EXPECT_TRUE(Font(n)->Is_Open()) << n;
    EXPECT_GT(Font(4)->Height(), Font(2)->Height());
}

} // namespace

namespace {

TEST_F(Text, FrameSpeedAveragesEveryFiftyFrames) {
    Free_Fonts();
    TFrame_Speed speed;
    speed.Reset(1000);
    uint32_t now = 1000;
    for (int i = 0; i < 49; ++i)
        speed.Frame(Workspace_Buffer, now += 20);
    EXPECT_EQ(speed.Average(), 0);
    speed.Frame(Workspace_Buffer, now += 20); // the 50th frame: 49 frames of 20 ms so far
    EXPECT_EQ(speed.Average(), 49 * 20 / 50);
    for (int i = 0; i < 50; ++i)
        speed.Frame(Workspace_Buffer, now += 30);
    EXPECT_EQ(speed.Average(), (20 + 49 * 30) / 50);
}

} // namespace
