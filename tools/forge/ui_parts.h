#pragma once
// The visual language shared by every frame, window and button: carved stone and dark
// wood frames, parchment panels, sunken wells and warm gold trim.

#include <cstdint>

#include "canvas.h"

namespace pal {
constexpr TRGB Stone_Dark = Rgb(52, 48, 46);
constexpr TRGB Stone = Rgb(92, 86, 80);
constexpr TRGB Stone_Light = Rgb(148, 140, 126);
constexpr TRGB Wood_Dark = Rgb(46, 30, 20);
constexpr TRGB Wood = Rgb(82, 54, 34);
constexpr TRGB Wood_Light = Rgb(122, 84, 52);
constexpr TRGB Parchment = Rgb(226, 204, 162);
constexpr TRGB Parchment_Dark = Rgb(176, 146, 102);
constexpr TRGB Gold = Rgb(206, 160, 64);
constexpr TRGB Gold_Light = Rgb(252, 222, 134);
constexpr TRGB Gold_Dark = Rgb(128, 90, 36);
constexpr TRGB Ink = Rgb(44, 30, 20);
constexpr TRGB Well = Rgb(30, 27, 26);
constexpr TRGB Well_Edge = Rgb(20, 18, 18);
constexpr TRGB Label = Rgb(232, 206, 150);
constexpr TRGB Shadow = Rgb(18, 16, 16);
constexpr TRGB Blood = Rgb(150, 28, 24);
constexpr TRGB Mana = Rgb(44, 82, 196);
} // namespace pal

// Stone texture with carved block joints (block w x h, 0 for none).
void Stone_Fill(TCanvas& c, int x, int y, int w, int h, uint32_t seed, int block_w = 0,
                int block_h = 0);
// Dark wood with grain running across (horizontal) or down.
void Wood_Fill(TCanvas& c, int x, int y, int w, int h, uint32_t seed, bool horizontal = true);
// Parchment with stains, darkening towards its edges.
void Parchment_Fill(TCanvas& c, int x, int y, int w, int h, uint32_t seed);
// A thick carved stone border with a gold fillet inside it.
void Stone_Frame(TCanvas& c, int x, int y, int w, int h, int thickness, uint32_t seed);
// A thin gold rim: light top-left, dark bottom-right.
void Gold_Rim(TCanvas& c, int x, int y, int w, int h);
// A sunken dark well for lists, slots and text the program draws in white.
void Well(TCanvas& c, int x, int y, int w, int h, TRGB fill = pal::Well);
// A light plate for black titles, centred on (cx, cy).
void Title_Plate(TCanvas& c, int cx, int cy, int w, int h, uint32_t seed);
// A gold rivet.
void Stud(TCanvas& c, int cx, int cy);
// Gold brackets in the four corners of a panel, inset pixels in from its edge.
void Corner_Brackets(TCanvas& c, int x, int y, int w, int h, int inset);
// The standard dialog: stone border, wood body, studs in the corners.
TCanvas Dialog_Base(int w, int h, uint32_t seed, int border = 9);
// The floor diamond of a map square inside a 54 x 54 cell (676 pixels).
bool In_Floor_Diamond(int x, int y);
// The floor diamond raised by up to 27 rows: a full wall block's outline.
bool In_Block_Silhouette(int x, int y);
