#pragma once
// A small proportional 5 x 7 pixel alphabet for the few words the pictures themselves
// must show (row labels, column headings, "OK" and "Cancel"), readable at 1x.

#include <string>

#include "canvas.h"

// Width in pixels of text drawn at the scale (each font pixel becomes scale x scale).
int Text_Width(const std::string& text, int scale = 1);
// Height of a line at the scale (7 rows).
inline int Text_Height(int scale = 1) {
    return 7 * scale;
}
// Draws text with its top-left at (x, y). Characters without a glyph draw nothing.
void Draw_Text(TCanvas& canvas, int x, int y, const std::string& text, TRGB colour, int scale = 1);
// Text with a one-pixel shadow down and right, for legibility on textured panels.
void Draw_Text_Shadowed(TCanvas& canvas, int x, int y, const std::string& text, TRGB colour,
                        TRGB shadow, int scale = 1);
// Centred on cx.
void Draw_Text_Centred(TCanvas& canvas, int cx, int y, const std::string& text, TRGB colour,
                       TRGB shadow, int scale = 1);
