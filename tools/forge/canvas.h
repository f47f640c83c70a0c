#pragma once
// A picture being drawn: 0xRRGGBB pixels, top row first, with the small set of shapes,
// gradients, textures and bevels every generated picture is made of. Drawing clips to
// the picture; nothing is anti-aliased, so edges against the pink key stay clean.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using TRGB = uint32_t;

constexpr TRGB Rgb(int r, int g, int b) {
    return TRGB((r & 255) << 16 | (g & 255) << 8 | (b & 255));
}
constexpr int Red_Of(TRGB c) {
    return int(c >> 16 & 255);
}
constexpr int Green_Of(TRGB c) {
    return int(c >> 8 & 255);
}
constexpr int Blue_Of(TRGB c) {
    return int(c & 255);
}

// The colour the engine turns transparent.
constexpr TRGB Pink = Rgb(255, 0, 255);
// The darkest colour that stays opaque at every display depth.
constexpr TRGB Near_Black = Rgb(16, 16, 16);

// a + (b - a) * t, t clamped to 0..1.
TRGB Mix(TRGB a, TRGB b, double t);
// Every channel times factor (lighter above 1), clamped.
TRGB Shade(TRGB c, double factor);

struct TPoint {
    double x = 0, y = 0;
};

class TCanvas {
  public:
    TCanvas() = default;
    TCanvas(int width, int height, TRGB fill = Pink);

    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<TRGB>& Pixels() const { return pixels_; }

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    TRGB Get(int x, int y) const { return Inside(x, y) ? pixels_[size_t(y) * width_ + x] : Pink; }
    void Set(int x, int y, TRGB c) {
        if (Inside(x, y))
            pixels_[size_t(y) * width_ + x] = c;
    }
    // Blends c over the pixel by alpha 0..1 (only where the pixel is not pink).
    void Blend(int x, int y, TRGB c, double alpha);

    void Fill(TRGB c);
    void Fill_Rect(int x, int y, int w, int h, TRGB c);
    void Rect_Outline(int x, int y, int w, int h, TRGB c);
    void Line(int x0, int y0, int x1, int y1, TRGB c);
    void Thick_Line(double x0, double y0, double x1, double y1, double width, TRGB c);
    void Fill_Circle(double cx, double cy, double r, TRGB c);
    void Ring(double cx, double cy, double r, double width, TRGB c);
    void Fill_Ellipse(double cx, double cy, double rx, double ry, TRGB c);
    // Even-odd scanline fill, sampled at pixel centres.
    void Fill_Polygon(const std::vector<TPoint>& points, TRGB c);
    void Vertical_Gradient(int x, int y, int w, int h, TRGB top, TRGB bottom);
    // Raised (light top-left) or sunken (light bottom-right) edges, thickness pixels wide.
    void Bevel(int x, int y, int w, int h, TRGB light, TRGB dark, int thickness = 1);
    // Copies src with its top-left at (x, y); pink pixels of src are skipped.
    void Blit(const TCanvas& src, int x, int y);
    // Copies the w x h rectangle of src at (sx, sy) to (x, y); pink pixels skipped.
    void Blit_Part(const TCanvas& src, int sx, int sy, int w, int h, int x, int y);
    // A one-pixel outline of colour c around every non-pink area (pixels that are pink
    // and touch a non-pink pixel), so figures read on any floor.
    void Outline(TRGB c);
    // Darkens the pixels within radius of the picture's edge, for a worn, framed look.
    void Vignette(int x, int y, int w, int h, int radius, double strength);
    // Makes the picture safe for the engine: no near-black that a 16-bit display turns
    // transparent and no near-pink that it turns into the key; exact pink is kept.
    void Make_Safe();

  private:
    int width_ = 0, height_ = 0;
    std::vector<TRGB> pixels_;
};

// Smooth value noise in 0..1 with features about `scale` pixels across.
double Value_Noise(uint32_t seed, double x, double y, double scale);
// Several octaves of value noise, 0..1.
double Fractal_Noise(uint32_t seed, double x, double y, double scale, int octaves);
