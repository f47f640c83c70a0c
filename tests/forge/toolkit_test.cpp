// The drawing and synthesis toolkit: known values worked out by hand.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "lettering.h"
#include "synth.h"
#include "ui_parts.h"

TEST(Forge_Canvas, ShapesCoverExactlyTheirPixels) {
    TCanvas c(10, 10);
    c.Fill_Polygon({{2, 2}, {6, 2}, {6, 5}, {2, 5}}, Rgb(1, 1, 1));
    int count = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            if (c.Get(x, y) != Pink) {
                ++count;
                EXPECT_TRUE(x >= 2 && x < 6 && y >= 2 && y < 5) << x << "," << y;
            }
    EXPECT_EQ(count, 12);
    // Drawing past the edge clips instead of writing outside.
    c.Fill_Rect(-5, -5, 30, 30, Rgb(9, 9, 9));
    c.Thick_Line(-20, -20, 40, 40, 5, Rgb(8, 8, 8));
    EXPECT_EQ(c.Pixels().size(), 100u);
    EXPECT_EQ(c.Get(0, 9), Rgb(9, 9, 9));
}

TEST(Forge_Canvas, ColourArithmetic) {
    EXPECT_EQ(Mix(Rgb(0, 100, 200), Rgb(100, 200, 0), 0.5), Rgb(50, 150, 100));
    EXPECT_EQ(Mix(Rgb(0, 0, 0), Rgb(100, 100, 100), 2.0), Rgb(100, 100, 100));
    EXPECT_EQ(Shade(Rgb(100, 200, 40), 1.5), Rgb(150, 255, 60));
}

TEST(Forge_Canvas, MakeSafeLiftsColoursThe16BitDisplayWouldTurnTransparent) {
    TCanvas c(4, 1);
    c.Set(0, 0, Rgb(0, 0, 0));
    c.Set(1, 0, Rgb(7, 3, 7));
    c.Set(2, 0, Rgb(250, 2, 252));
    // x 3 stays exact pink: the key the engine expects.
    c.Make_Safe();
    EXPECT_EQ(c.Get(0, 0), Near_Black);
    EXPECT_EQ(c.Get(1, 0), Near_Black);
    EXPECT_EQ(c.Get(2, 0), Rgb(250, 8, 252));
    EXPECT_EQ(c.Get(3, 0), Pink);
}

TEST(Forge_Canvas, OutlineRingsEveryFigure) {
    TCanvas c(5, 5);
    c.Set(2, 2, Rgb(200, 200, 200));
    c.Outline(Rgb(20, 20, 20));
    EXPECT_EQ(c.Get(2, 1), Rgb(20, 20, 20));
    EXPECT_EQ(c.Get(1, 2), Rgb(20, 20, 20));
    EXPECT_EQ(c.Get(1, 1), Pink); // corners are not touched by a 4-neighbour outline
    EXPECT_EQ(c.Get(2, 2), Rgb(200, 200, 200));
}

TEST(Forge_Canvas, NoiseStaysInRangeAndDependsOnTheSeed) {
    double lo = 1, hi = 0, diff = 0;
    for (int i = 0; i < 400; ++i) {
        const double v = Fractal_Noise(5, i * 1.7, i * 0.3, 12, 4);
        lo = std::min(lo, v);
        hi = std::max(hi, v);
        diff += std::abs(v - Fractal_Noise(6, i * 1.7, i * 0.3, 12, 4));
    }
    EXPECT_GE(lo, 0.0);
    EXPECT_LE(hi, 1.0);
    EXPECT_GT(hi - lo, 0.3);
    EXPECT_GT(diff, 10.0);
}

TEST(Forge_Geometry, FloorDiamondHas676PixelsWithTheAgreedCorners) {
    int count = 0;
    for (int y = 0; y < 54; ++y)
        for (int x = 0; x < 54; ++x)
            count += In_Floor_Diamond(x, y);
    EXPECT_EQ(count, 676);
    EXPECT_TRUE(In_Floor_Diamond(26, 27) && In_Floor_Diamond(27, 27));
    EXPECT_FALSE(In_Floor_Diamond(25, 27) || In_Floor_Diamond(28, 27));
    EXPECT_TRUE(In_Floor_Diamond(2, 39) && In_Floor_Diamond(51, 40));
    EXPECT_FALSE(In_Floor_Diamond(1, 39) || In_Floor_Diamond(52, 40));
    EXPECT_TRUE(In_Floor_Diamond(26, 52));
    EXPECT_FALSE(In_Floor_Diamond(26, 53));
    // A block rises 27 rows: its top face starts at row 0.
    EXPECT_TRUE(In_Block_Silhouette(26, 0));
    EXPECT_TRUE(In_Block_Silhouette(2, 30));
    EXPECT_FALSE(In_Block_Silhouette(1, 30));
}

TEST(Forge_Lettering, WidthsAreProportional) {
    EXPECT_EQ(Text_Width("O"), 5);
    EXPECT_EQ(Text_Width("OK"), 11); // 5 + gap + 5
    EXPECT_EQ(Text_Width("i"), 3);   // narrow glyph, no padding
    EXPECT_EQ(Text_Width("OK", 2), 22);
    EXPECT_EQ(Text_Width(""), 0);
    TCanvas c(20, 10);
    Draw_Text(c, 1, 1, "I", Rgb(9, 9, 9));
    // "I" is three columns wide, drawn from x 1: a bar on top, the stem in the middle.
    EXPECT_EQ(c.Get(1, 1), Rgb(9, 9, 9));
    EXPECT_EQ(c.Get(3, 1), Rgb(9, 9, 9));
    EXPECT_EQ(c.Get(4, 1), Pink);
    EXPECT_EQ(c.Get(2, 4), Rgb(9, 9, 9));
    EXPECT_EQ(c.Get(3, 4), Pink);
}

TEST(Forge_Synth, FinishScalesThePeakWithoutClipping) {
    TSound loud = Tone(0.2, 440, 440, TWave::Square, TEnvelope{0.0, 0.0, 0.0});
    for (double& v : loud.samples)
        v *= 5.0; // far beyond full scale
    const std::vector<int16_t> pcm = Finish(loud, 0.8);
    ASSERT_EQ(pcm.size(), size_t(0.2 * 22050));
    int peak = 0;
    for (int16_t v : pcm)
        peak = std::max(peak, std::abs(int(v)));
    EXPECT_NEAR(peak, 0.8 * 32767, 2);
    // Faded in and out: no click at either end.
    EXPECT_LT(std::abs(pcm.front()), 200);
    EXPECT_LT(std::abs(pcm.back()), 200);
    // Silence stays silent rather than dividing by zero.
    for (int16_t v : Finish(Silence(0.05)))
        EXPECT_EQ(v, 0);
}

TEST(Forge_Synth, ToneHasItsPitchAndFiltersShapeTheSpectrum) {
    const TSound a = Tone(1.0, 441, 441, TWave::Sine, TEnvelope{0, 0, 0});
    int crossings = 0;
    for (size_t i = 1; i < a.samples.size(); ++i)
        crossings += (a.samples[i - 1] < 0) != (a.samples[i] < 0);
    EXPECT_NEAR(crossings, 882, 2);
    // A low-pass at 200 Hz leaves far less of a 5 kHz tone than of a 100 Hz one.
    auto energy_after = [](double f) {
        TSound s = Tone(0.5, f, f, TWave::Sine, TEnvelope{0, 0, 0});
        Low_Pass(s, 200);
        double e = 0;
        for (double v : s.samples)
            e += v * v;
        return e;
    };
    EXPECT_GT(energy_after(100), 10 * energy_after(5000));
}

TEST(Forge_Synth, LoopsJoinWithoutAStep) {
    // A tone that starts softly and rings on past the loop's end.
    TSound s = Tone(3.5, 113.3, 113.3, TWave::Sine, TEnvelope{0.05, 0, 0.4});
    const std::vector<int16_t> pcm = Finish_Loop(s, 3.0, 0.7);
    ASSERT_EQ(pcm.size(), size_t(3.0 * 22050));
    // The last sample runs into the first like any neighbouring pair does.
    int largest_step = 0;
    for (size_t i = 1; i < pcm.size(); ++i)
        largest_step = std::max(largest_step, std::abs(pcm[i] - pcm[i - 1]));
    EXPECT_LE(std::abs(pcm.front() - pcm.back()), largest_step + 1);
}
