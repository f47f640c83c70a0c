#pragma once
// The description panel in the upper right corner of the game screen: a picture, a
// title, a short text and labelled values for whatever the pointer rests on (the one
// subject record of ui_hooks.h). The panel is first described as a list of printed
// lines, then drawn from that list, so what it says can be read without pixels.

#include <cstdint>
#include <string>
#include <vector>

#include "presentation/graphics.h"
#include "presentation/ui_hooks.h"

class TMap;
class TMonster;

// One printed line: left- and bottom-justified at (X, Y) unless Centred.
struct TDescription_Line {
    std::string Text;
    TColour Colour = Colour_RGB(255, 255, 255);
    int Font = 1;
    int X = 0, Y = 0;
    bool Centred = false;
};

// What the picture at the panel's corner shows.
enum class TDescription_Picture { None, Item, Creature, Square, Spell, Topic };

struct TDescription {
    TDescription_Picture Picture = TDescription_Picture::None;
    int Picture_X = 520, Picture_Y = 12;
    std::vector<TDescription_Line> Lines;
    // A creature's health bar: its frame at (Bar_X, Bar_Y) (top-left), the red part
    // Bar_Width pixels from x 604.
    bool Has_Bar = false;
    int Bar_X = 0, Bar_Y = 0, Bar_Width = 0;
    // The lines reached y 170: the panel is lengthened downwards.
    bool Extended = false;

    bool Empty() const { return Picture == TDescription_Picture::None && Lines.empty(); }
};

// The help topics 1..32 (buttons and the figures of the statistics panels).
constexpr int32_t Topic_Count = 32;
std::string Topic_Title(int32_t topic);
std::string Topic_Text(int32_t topic);
// "(Hotkey G)" and the like for buttons (topics 1..11); empty for the figures.
std::string Topic_Hotkey(int32_t topic);

// The panel's lines for the subject on the map (the current one when null), with the
// character whose requirements and spells are shown. A subject whose item or creature
// has gone describes nothing.
TDescription Describe_Subject(const TDescription_Subject& subject, const TPrice_Display& prices,
                              TMap* map, const TMonster* player);

// The text cut at blanks into lines no wider than the width in the font; a word wider
// than a line stands alone on its line.
std::vector<std::string> Wrap_Lines(const std::string& text, int font, int width);

// A bar's filled width: Trunc(101 x current / maximum), 0..101; empty for a maximum of 0.
int32_t Description_Bar_Width(double current, double maximum);

// Draws the installed panel's subject into the buffer; a subject that has gone is
// cleared. Background is the game screen's picture the lengthened panel copies from
// (-1: none).
void Draw_Description_Panel(int Buffer, int Background);
