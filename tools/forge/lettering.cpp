#include "lettering.h"

#include <array>
#include <cstdint>

namespace {

struct TGlyph {
    char ch;
    std::array<uint8_t, 7> rows; // bit 4 = leftmost column
};

constexpr TGlyph glyphs[] = {
    {'A', {14, 17, 17, 31, 17, 17, 17}}, {'B', {30, 17, 17, 30, 17, 17, 30}},
    {'C', {14, 17, 16, 16, 16, 17, 14}}, {'D', {28, 18, 17, 17, 17, 18, 28}},
    {'E', {31, 16, 16, 30, 16, 16, 31}}, {'F', {31, 16, 16, 30, 16, 16, 16}},
    {'G', {14, 17, 16, 23, 17, 17, 15}}, {'H', {17, 17, 17, 31, 17, 17, 17}},
    {'I', {14, 4, 4, 4, 4, 4, 14}},      {'J', {7, 2, 2, 2, 2, 18, 12}},
    {'K', {17, 18, 20, 24, 20, 18, 17}}, {'L', {16, 16, 16, 16, 16, 16, 31}},
    {'M', {17, 27, 21, 21, 17, 17, 17}}, {'N', {17, 17, 25, 21, 19, 17, 17}},
    {'O', {14, 17, 17, 17, 17, 17, 14}}, {'P', {30, 17, 17, 30, 16, 16, 16}},
    {'Q', {14, 17, 17, 17, 21, 18, 13}}, {'R', {30, 17, 17, 30, 20, 18, 17}},
    {'S', {15, 16, 16, 14, 1, 1, 30}},   {'T', {31, 4, 4, 4, 4, 4, 4}},
    {'U', {17, 17, 17, 17, 17, 17, 14}}, {'V', {17, 17, 17, 17, 17, 10, 4}},
    {'W', {17, 17, 17, 21, 21, 21, 10}}, {'X', {17, 17, 10, 4, 10, 17, 17}},
    {'Y', {17, 17, 10, 4, 4, 4, 4}},     {'Z', {31, 1, 2, 4, 8, 16, 31}},
    {'a', {0, 0, 14, 1, 15, 17, 15}},    {'b', {16, 16, 22, 25, 17, 17, 30}},
    {'c', {0, 0, 14, 16, 16, 17, 14}},   {'d', {1, 1, 13, 19, 17, 17, 15}},
    {'e', {0, 0, 14, 17, 31, 16, 14}},   {'f', {6, 9, 8, 28, 8, 8, 8}},
    {'g', {0, 15, 17, 17, 15, 1, 14}},   {'h', {16, 16, 22, 25, 17, 17, 17}},
    {'i', {4, 0, 12, 4, 4, 4, 14}},      {'j', {2, 0, 6, 2, 2, 18, 12}},
    {'k', {16, 16, 18, 20, 24, 20, 18}}, {'l', {12, 4, 4, 4, 4, 4, 14}},
    {'m', {0, 0, 26, 21, 21, 17, 17}},   {'n', {0, 0, 22, 25, 17, 17, 17}},
    {'o', {0, 0, 14, 17, 17, 17, 14}},   {'p', {0, 0, 30, 17, 30, 16, 16}},
    {'q', {0, 0, 13, 19, 15, 1, 1}},     {'r', {0, 0, 22, 25, 16, 16, 16}},
    {'s', {0, 0, 14, 16, 14, 1, 30}},    {'t', {8, 8, 28, 8, 8, 9, 6}},
    {'u', {0, 0, 17, 17, 17, 19, 13}},   {'v', {0, 0, 17, 17, 17, 10, 4}},
    {'w', {0, 0, 17, 17, 21, 21, 10}},   {'x', {0, 0, 17, 10, 4, 10, 17}},
    {'y', {0, 0, 17, 17, 15, 1, 14}},    {'z', {0, 0, 31, 2, 4, 8, 31}},
    {'0', {14, 17, 19, 21, 25, 17, 14}}, {'1', {4, 12, 4, 4, 4, 4, 14}},
    {'2', {14, 17, 1, 2, 4, 8, 31}},     {'3', {31, 2, 4, 2, 1, 17, 14}},
    {'4', {2, 6, 10, 18, 31, 2, 2}},     {'5', {31, 16, 30, 1, 1, 17, 14}},
    {'6', {6, 8, 16, 30, 17, 17, 14}},   {'7', {31, 1, 2, 4, 8, 8, 8}},
    {'8', {14, 17, 17, 14, 17, 17, 14}}, {'9', {14, 17, 17, 15, 1, 2, 12}},
    {'.', {0, 0, 0, 0, 0, 12, 12}},      {',', {0, 0, 0, 0, 12, 4, 8}},
    {':', {0, 12, 12, 0, 12, 12, 0}},    {'%', {24, 25, 2, 4, 8, 19, 3}},
    {'/', {0, 1, 2, 4, 8, 16, 0}},       {'-', {0, 0, 0, 31, 0, 0, 0}},
    {'!', {4, 4, 4, 4, 4, 0, 4}},        {'?', {14, 17, 1, 2, 4, 0, 4}},
    {'\'', {12, 4, 8, 0, 0, 0, 0}},      {'(', {2, 4, 8, 8, 8, 4, 2}},
    {')', {8, 4, 2, 2, 2, 4, 8}},        {'+', {0, 4, 4, 31, 4, 4, 0}},
};

const TGlyph* find_glyph(char ch) {
    for (const auto& g : glyphs)
        if (g.ch == ch)
            return &g;
    return nullptr;
}

// First and last used column (0 = leftmost) of a glyph.
void glyph_columns(const TGlyph& g, int& first, int& last) {
    uint8_t used = 0;
    for (uint8_t r : g.rows)
        used |= r;
    first = 0;
    last = 4;
    while (first < 4 && !(used & (16 >> first)))
        ++first;
    while (last > first && !(used & (16 >> last)))
        --last;
}

// Advance of one character in font pixels, the gap included.
int advance(char ch) {
    const TGlyph* g = find_glyph(ch);
    if (!g)
        return 3;
    int first, last;
    glyph_columns(*g, first, last);
    return last - first + 2;
}

} // namespace

int Text_Width(const std::string& text, int scale) {
    int w = 0;
    for (char ch : text)
        w += advance(ch);
    return w > 0 ? (w - 1) * scale : 0;
}

void Draw_Text(TCanvas& canvas, int x, int y, const std::string& text, TRGB colour, int scale) {
    for (char ch : text) {
        if (const TGlyph* g = find_glyph(ch)) {
            int first, last;
            glyph_columns(*g, first, last);
            for (int row = 0; row < 7; ++row)
                for (int col = first; col <= last; ++col)
                    if (g->rows[row] & (16 >> col))
                        canvas.Fill_Rect(x + (col - first) * scale, y + row * scale, scale, scale,
                                         colour);
        }
        x += advance(ch) * scale;
    }
}

void Draw_Text_Shadowed(TCanvas& canvas, int x, int y, const std::string& text, TRGB colour,
                        TRGB shadow, int scale) {
    Draw_Text(canvas, x + 1, y + 1, text, shadow, scale);
    Draw_Text(canvas, x, y, text, colour, scale);
}

void Draw_Text_Centred(TCanvas& canvas, int cx, int y, const std::string& text, TRGB colour,
                       TRGB shadow, int scale) {
    Draw_Text_Shadowed(canvas, cx - Text_Width(text, scale) / 2, y, text, colour, shadow, scale);
}
