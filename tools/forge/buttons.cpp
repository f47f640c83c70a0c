#include "buttons.h"

#include <algorithm>
#include <cmath>

#include "ui_parts.h"

namespace {

bool inside_shape(TButton_Shape shape, int w, int h, int x, int y) {
    switch (shape) {
    case TButton_Shape::Square:
        return true;
    case TButton_Shape::Round: {
        const double dx = x + 0.5 - w / 2.0, dy = y + 0.5 - h / 2.0;
        return dx * dx + dy * dy <= (w / 2.0) * (w / 2.0);
    }
    case TButton_Shape::Rounded: {
        const int r = std::min(h / 2, 14);
        const int cx = std::clamp(x, r, w - 1 - r), cy = std::clamp(y, r, h - 1 - r);
        const double dx = x - cx, dy = y - cy;
        return dx * dx + dy * dy <= double(r) * r;
    }
    }
    return true;
}

// Distance in pixels from the shape's edge, up to 4.
int edge_distance(TButton_Shape shape, int w, int h, int x, int y) {
    for (int d = 0; d < 4; ++d)
        for (int dy = -d - 1; dy <= d + 1; ++dy)
            for (int dx = -d - 1; dx <= d + 1; ++dx)
                if (std::max(std::abs(dx), std::abs(dy)) == d + 1) {
                    const int px = x + dx, py = y + dy;
                    if (px < 0 || py < 0 || px >= w || py >= h ||
                        !inside_shape(shape, w, h, px, py))
                        return d;
                }
    return 4;
}

} // namespace

void Button_Plate(TCanvas& cell, TButton_Shape shape, int row, uint32_t seed) {
    const int w = cell.Width(), h = cell.Height();
    TCanvas stone(w, h);
    Stone_Fill(stone, 0, 0, w, h, seed);
    const bool pressed = row == Row_Pressed;
    const double body = row == Row_Hover ? 1.12 : pressed ? 0.8 : 0.92;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!inside_shape(shape, w, h, x, y)) {
                cell.Set(x, y, Pink);
                continue;
            }
            const int d = edge_distance(shape, w, h, x, y);
            TRGB col = Shade(stone.Get(x, y), body);
            // Light falls from the upper left: raised plates catch it at the top-left rim,
            // pressed ones inside the lower-right.
            const double lean = (double(x) / w + double(y) / h) - 1.0; // -1 top-left .. 1
            if (d == 0)
                col = pal::Shadow;
            else if (d == 1)
                col = row == Row_Hover ? pal::Gold_Light : pal::Gold;
            else if (d == 2)
                col = lean < 0 ? (pressed ? pal::Gold_Dark : pal::Gold_Light) : pal::Gold_Dark;
            else if (d == 3)
                col = Shade(col, (lean < 0) != pressed ? 1.25 : 0.7);
            cell.Set(x, y, col);
        }
}

void Disable_Look(TCanvas& cell) {
    for (int y = 0; y < cell.Height(); ++y)
        for (int x = 0; x < cell.Width(); ++x) {
            const TRGB c = cell.Get(x, y);
            if (c == Pink)
                continue;
            const int grey = (Red_Of(c) * 3 + Green_Of(c) * 5 + Blue_Of(c) * 2) / 10;
            cell.Set(x, y, Shade(Mix(c, Rgb(grey, grey, grey), 0.8), 0.6));
        }
}

TCanvas Button_Strip(int w, int h, int columns, TButton_Shape shape, uint32_t seed,
                     const TButton_Content& content) {
    TCanvas strip(w * columns, h * 4);
    for (int col = 0; col < columns; ++col)
        for (int row = 0; row < 4; ++row) {
            TCanvas cell(w, h);
            Button_Plate(cell, shape, row, seed + uint32_t(col));
            const int shift = row == Row_Pressed ? 1 : 0;
            if (content)
                content(cell, col, shift, shift);
            if (row == Row_Hover) {
                // A warm glow on the content too.
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        if (cell.Get(x, y) != Pink)
                            cell.Set(x, y, Shade(cell.Get(x, y), 1.08));
            }
            if (row == Row_Disabled)
                Disable_Look(cell);
            // Keep the outer edge intact after the content.
            strip.Blit(cell, col * w, row * h);
        }
    return strip;
}
