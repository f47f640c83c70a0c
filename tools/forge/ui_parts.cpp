#include "ui_parts.h"

#include <algorithm>
#include <cmath>

#include "forge_random.h"

namespace {

// One pixel of stone; joints carved every block_w x block_h when those are not 0.
TRGB stone_at(uint32_t seed, int x, int y, int block_w, int block_h) {
    const double n = Fractal_Noise(seed, x, y, 24, 4);
    const double grain = (Hash_Point(seed ^ 0x51u, x, y) & 255) / 255.0;
    TRGB col = Mix(pal::Stone_Dark, pal::Stone_Light, 0.15 + 0.55 * n + 0.12 * grain);
    if (block_w > 0 && block_h > 0) {
        const int row = y / block_h;
        const int off = (row % 2) * block_w / 2;
        const int bx = (x + off) % block_w, by = y % block_h;
        // Each block a shade of its own, joints carved in with a lit lower lip.
        const uint32_t id = Hash_Point(seed, (x + off) / block_w, row);
        col = Shade(col, 0.9 + (id & 31) / 160.0);
        if (bx == 0 || by == 0)
            col = Shade(col, 0.55);
        else if (bx == 1 || by == 1)
            col = Shade(col, 1.18);
    }
    return col;
}

} // namespace

void Stone_Fill(TCanvas& c, int x, int y, int w, int h, uint32_t seed, int block_w, int block_h) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            c.Set(x + i, y + j, stone_at(seed, x + i, y + j, block_w, block_h));
}

void Wood_Fill(TCanvas& c, int x, int y, int w, int h, uint32_t seed, bool horizontal) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const double along = horizontal ? i + x : j + y;
            const double across = horizontal ? j + y : i + x;
            // Grain: stripes across, bent by slow noise along the board.
            const double bend = Value_Noise(seed, along, across, 40) * 6.0;
            const double stripe = 0.5 + 0.5 * std::sin((across + bend) * 1.3);
            const double n = Fractal_Noise(seed + 3, along / 4.0, across, 6, 3);
            const double t = 0.25 + 0.35 * stripe * n + 0.25 * n;
            c.Set(x + i, y + j, Mix(pal::Wood_Dark, pal::Wood_Light, t));
        }
}

void Parchment_Fill(TCanvas& c, int x, int y, int w, int h, uint32_t seed) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const double n = Fractal_Noise(seed, i, j, 30, 4);
            const double fleck = (Hash_Point(seed ^ 0xA5u, i, j) & 255) / 255.0;
            TRGB col = Mix(pal::Parchment_Dark, pal::Parchment, 0.45 + 0.5 * n + 0.08 * fleck);
            c.Set(x + i, y + j, col);
        }
    c.Vignette(x, y, w, h, std::max(3, std::min(w, h) / 6), 0.28);
}

void Gold_Rim(TCanvas& c, int x, int y, int w, int h) {
    c.Bevel(x, y, w, h, pal::Gold_Light, pal::Gold_Dark, 1);
}

void Stone_Frame(TCanvas& c, int x, int y, int w, int h, int thickness, uint32_t seed) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const int d = std::min(std::min(i, w - 1 - i), std::min(j, h - 1 - j));
            if (d >= thickness)
                continue;
            TRGB col = stone_at(seed, i, j, 0, 0);
            // A rounded moulding: lit on the outer half of the top-left, shaded below.
            const double across = double(d) / std::max(1, thickness - 1);
            const bool upper_left = (i < w - 1 - i ? i : w - 1 - i) == d ? i <= w / 2 : j <= h / 2;
            const double light = upper_left ? 1.25 - 0.5 * across : 0.7 + 0.3 * across;
            c.Set(x + i, y + j, Shade(col, light));
        }
    c.Rect_Outline(x, y, w, h, pal::Shadow);
    Gold_Rim(c, x + thickness - 2, y + thickness - 2, w - 2 * thickness + 4, h - 2 * thickness + 4);
    c.Rect_Outline(x + thickness - 1, y + thickness - 1, w - 2 * thickness + 2,
                   h - 2 * thickness + 2, pal::Shadow);
}

void Well(TCanvas& c, int x, int y, int w, int h, TRGB fill) {
    c.Fill_Rect(x, y, w, h, fill);
    c.Bevel(x - 1, y - 1, w + 2, h + 2, pal::Well_Edge, Shade(pal::Wood_Light, 1.1), 1);
}

void Title_Plate(TCanvas& c, int cx, int cy, int w, int h, uint32_t seed) {
    const int x = cx - w / 2, y = cy - h / 2;
    Parchment_Fill(c, x, y, w, h, seed);
    c.Rect_Outline(x - 2, y - 2, w + 4, h + 4, pal::Shadow);
    Gold_Rim(c, x - 1, y - 1, w + 2, h + 2);
    Stud(c, x - 1, cy);
    Stud(c, x + w, cy);
}

void Stud(TCanvas& c, int cx, int cy) {
    c.Fill_Circle(cx + 0.5, cy + 0.5, 2.6, pal::Gold_Dark);
    c.Fill_Circle(cx + 0.2, cy + 0.2, 1.7, pal::Gold);
    c.Set(cx - 1, cy - 1, pal::Gold_Light);
}

void Corner_Brackets(TCanvas& c, int x, int y, int w, int h, int inset) {
    const int arm = std::min(18, std::min(w, h) / 6);
    const int l = x + inset, t = y + inset, r = x + w - 1 - inset, b = y + h - 1 - inset;
    for (int k = 0; k < 2; ++k) {
        // A shadowed line with a lit one just inside it.
        const TRGB col = k == 0 ? pal::Gold_Dark : pal::Gold;
        c.Fill_Rect(l + k, t + k, arm, 1, col);
        c.Fill_Rect(l + k, t + k, 1, arm, col);
        c.Fill_Rect(r - k - arm + 1, t + k, arm, 1, col);
        c.Fill_Rect(r - k, t + k, 1, arm, col);
        c.Fill_Rect(l + k, b - k, arm, 1, col);
        c.Fill_Rect(l + k, b - k - arm + 1, 1, arm, col);
        c.Fill_Rect(r - k - arm + 1, b - k, arm, 1, col);
        c.Fill_Rect(r - k, b - k - arm + 1, 1, arm, col);
    }
}

TCanvas Dialog_Base(int w, int h, uint32_t seed, int border) {
    TCanvas c(w, h);
    Wood_Fill(c, 0, 0, w, h, seed + 1);
    c.Vignette(border, border, w - 2 * border, h - 2 * border, 18, 0.35);
    Stone_Frame(c, 0, 0, w, h, border, seed);
    Corner_Brackets(c, 0, 0, w, h, border + 3);
    const int s = border / 2;
    Stud(c, s, s);
    Stud(c, w - 1 - s, s);
    Stud(c, s, h - 1 - s);
    Stud(c, w - 1 - s, h - 1 - s);
    return c;
}

bool In_Floor_Diamond(int x, int y) {
    const int j = y - 27;
    if (j < 0 || j > 25)
        return false;
    const int half = j <= 12 ? 2 * j + 1 : 2 * (25 - j) + 1;
    return x >= 27 - half && x <= 26 + half;
}

bool In_Block_Silhouette(int x, int y) {
    for (int dy = 0; dy <= 27; ++dy)
        if (In_Floor_Diamond(x, y + dy))
            return true;
    return false;
}
