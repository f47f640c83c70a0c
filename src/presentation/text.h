#pragma once
// The text layer: the game's six numbered fonts and the printing every dialog uses.
//
// The fonts come from "goudos.ttf" (regular) and "goudosb.ttf" (bold) in the game's
// "Fonts\" folder; where those are missing a free old-style serif installed on the
// system takes their place (Linux Libertine, else DejaVu Serif). Without any face the
// text is measured at 6 x 12 pixels a character and not drawn.

#include <string>
#include <vector>

#include "presentation/graphics.h"

constexpr int Font_Count = 6;

// Opens the six fonts (font 1 "Goudy Old Style" 10 pt, 2 the same at 9, 3 at 12, 4
// "Goudy Old Style Bold" 18, 5 bold 16, 6 bold 12). Returns false when a face had to
// be left out; report then says which.
bool Load_Fonts(std::string& report);
void Free_Fonts();
// Font 1..6 (a measuring stand-in when it could not be opened); null outside 1..6.
const TText_Font* Font(int N);
// The face files tried for the regular (bold false) or bold fonts, best first.
std::vector<std::string> Font_Candidates(bool bold);

void Text_Begin(int Buffer);
void Text_End();
void Set_Font(int N);
int Current_Font();
void Set_Text_Colour(int R, int G, int B);
void Set_Text_Colour(TColour Colour);
// H: 1 left, 2 centre, 3 right. V: 2 centred, 4 bottom (the y given is the line's
// bottom), 5 top.
void Set_Justify(int H, int V);
void Print_At(int X, int Y, const std::string& Text);
int Text_Width(const std::string& Text);
int Text_Height();

// Word wrap in the current font, left/bottom justified; returns the height used (the
// last baseline minus Y). A word wider than a whole line is cut, keeping at least one
// character on each line, so every text ends.
int Print_Wrapped(int X, int Y, int Width, const std::string& Text, int Max_Height);
// Paragraphs (one per line of the list) scrolled up by Scroll pixels in a box of
// Width x Height; true when the end of the text is in the box (or there is no text).
bool Print_Paragraphs(int X, int Y, int Width, int Scroll, const std::vector<std::string>& Lines,
                      int Height);
