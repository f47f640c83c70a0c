// Dialog and window backgrounds: each exactly its control's size, fully opaque, with
// light plates where the program prints black titles, dark wells where it prints white
// text or fills lists, and sockets where its buttons sit.

#include <cmath>
#include <cstring>
#include <string>

#include "icons.h"
#include "lettering.h"
#include "system_pictures.h"
#include "ui_parts.h"

namespace {

uint32_t seed_of(const char* name) {
    uint32_t h = 2166136261u;
    for (const char* p = name; *p; ++p)
        h = (h ^ uint8_t(*p)) * 16777619u;
    return h;
}

// A recess behind a button of w x h at (x, y).
void socket(TCanvas& c, int x, int y, int w, int h) {
    c.Fill_Rect(x - 2, y - 2, w + 4, h + 4, Shade(pal::Wood_Dark, 0.8));
    c.Rect_Outline(x - 3, y - 3, w + 6, h + 6, pal::Gold_Dark);
}

void close_socket(TCanvas& c, int x, int y) {
    socket(c, x, y, 23, 23);
}

void title(TCanvas& c, int cx, int cy, int w, uint32_t seed) {
    Title_Plate(c, cx, cy, w, 24, seed);
}

// A grid of item slot wells, 32 x 32 on a 40-pixel pitch.
void slot_grid(TCanvas& c, int x, int y, int columns, int rows) {
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < columns; ++k)
            Well(c, x + 40 * k, y + 40 * r, 32, 32, Rgb(36, 32, 30));
}

// The gravestone, skull and candles of the death dialog, drawn apart and clipped to
// its well.
void death_art(TCanvas& out, int ox, int oy, int w, int h, uint32_t seed) {
    TCanvas c(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const double n = Fractal_Noise(seed, i, j, 40, 3);
            const double glow = std::exp(-std::pow((i - w / 2.0) / (w * 0.45), 2) -
                                         std::pow((j - h * 0.62) / (h * 0.55), 2));
            c.Set(i, j, Mix(Rgb(22, 20, 28), Rgb(110, 60, 30), 0.15 * n + 0.6 * glow));
        }
    const int gx = w / 2, gy = h - 30;
    c.Fill_Ellipse(gx, gy + 30, w * 0.46, 26, Rgb(50, 40, 30));
    // The stone: a rounded slab, textured, lit from the candles.
    TCanvas stone(w, h);
    Stone_Fill(stone, 0, 0, w, h, seed + 5);
    TCanvas shape(w, h);
    shape.Fill_Rect(gx - 45, gy - 120, 90, 134, Rgb(1, 1, 1));
    shape.Fill_Ellipse(gx, gy - 120, 45, 38, Rgb(1, 1, 1));
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (shape.Get(i, j) != Pink) {
                const bool edge = shape.Get(i - 1, j) == Pink || shape.Get(i + 1, j) == Pink ||
                                  shape.Get(i, j - 1) == Pink;
                const double lit = 1.0 - std::abs(i - gx) / 90.0;
                c.Set(i, j, edge ? pal::Shadow : Shade(stone.Get(i, j), 0.8 + 0.4 * lit));
            }
    c.Fill_Rect(gx - 4, gy - 136, 8, 50, Rgb(64, 60, 56));
    c.Fill_Rect(gx - 20, gy - 122, 40, 8, Rgb(64, 60, 56));
    Draw_Text_Centred(c, gx, gy - 68, "R.I.P.", Rgb(56, 52, 48), Rgb(170, 164, 150), 2);
    Draw_Motif(c, TMotif::Skull, gx - 24, gy - 28, 48, 9);
    for (int side = -1; side <= 1; side += 2) {
        const int cx = gx + side * 120;
        c.Fill_Rect(cx - 6, gy - 40, 12, 54, Rgb(226, 214, 180));
        c.Fill_Rect(cx - 6, gy - 40, 3, 54, Rgb(250, 244, 220));
        c.Fill_Rect(cx - 1, gy - 46, 2, 6, Rgb(40, 30, 20));
        Draw_Motif(c, TMotif::Flame, cx - 9, gy - 66, 18, 3);
    }
    Well(out, ox, oy, w, h);
    out.Blit(c, ox, oy);
}

// The title art of the opening picture and main menu.
void logo(TCanvas& c, int cx, int y, int scale) {
    const std::string word = "KRELVANE";
    const int w = Text_Width(word, scale);
    const int x = cx - w / 2;
    Draw_Text(c, x + scale, y + scale, word, pal::Shadow, scale);
    Draw_Text(c, x, y, word, pal::Gold_Dark, scale);
    // Gold lit from above: a lighter band over the upper half of every letter.
    TCanvas top(w + scale, 7 * scale);
    Draw_Text(top, 0, 0, word, pal::Gold_Light, scale);
    for (int j = 0; j < 7 * scale; ++j)
        for (int i = 0; i < w; ++i)
            if (top.Get(i, j) != Pink)
                c.Set(x + i, y + j, Mix(pal::Gold_Light, pal::Gold, double(j) / (7 * scale)));
}

// A dungeon arch with torches: the splash behind the logo.
void arch_art(TCanvas& c, int x, int y, int w, int h, uint32_t seed) {
    Stone_Fill(c, x, y, w, h, seed, 24, 12);
    const int cx = x + w / 2, base = y + h;
    const double rx = w * 0.28, ry = h * 0.62;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const double dx = (x + i - cx) / rx, dy = (y + j - (base - ry * 0.6)) / ry;
            if ((dy > 0 && std::abs(dx) < 1) || dx * dx + dy * dy < 1) {
                const double depth = std::min(1.0, std::hypot(dx, dy * 0.8));
                c.Set(x + i, y + j, Mix(Rgb(120, 66, 30), Rgb(24, 20, 22), 0.35 + 0.65 * depth));
            }
        }
    for (int side = -1; side <= 1; side += 2) {
        const int tx = int(cx + side * (rx + 22));
        c.Fill_Rect(tx - 2, base - int(ry * 0.9), 5, 16, pal::Wood_Light);
        Draw_Motif(c, TMotif::Flame, tx - 10, base - int(ry * 0.9) - 20, 20, 4);
    }
}

TCanvas dialog(const char* name) {
    const uint32_t s = seed_of(name);
    const std::string n = name;
    if (n == "Dlg_Quests.bmp" || n == "Dlg_ErrorList.bmp") {
        TCanvas c = Dialog_Base(427, 515, s);
        title(c, n == "Dlg_Quests.bmp" ? 207 : 213, 47, 190, s);
        Well(c, 43, 68, 331, 373, Rgb(55, 55, 55));
        close_socket(c, 354, 449);
        if (n == "Dlg_Quests.bmp") {
            // The same picture serves the file selection, whose OK and Cancel sit here.
            socket(c, 271, 449, 51, 23);
            socket(c, 327, 449, 23, 23);
        }
        return c;
    }
    if (n == "Dlg_OverviewMap.bmp") {
        TCanvas c = Dialog_Base(459, 515, s);
        title(c, 229, 33, 240, s);
        Well(c, 24, 54, 400, 400, Near_Black);
        close_socket(c, 406, 462);
        return c;
    }
    if (n == "Dlg_GameMenu.bmp") {
        TCanvas c = Dialog_Base(307, 410, s);
        title(c, 153, 33, 170, s);
        // One dark panel serves the game menu's rows and the options' toggles alike.
        Well(c, 18, 52, 271, 288, Rgb(40, 30, 24));
        for (int i = 0; i < 6; ++i) {
            c.Fill_Rect(68, 66 + 44 * i, 212, 22, Rgb(30, 24, 20));
            c.Rect_Outline(68, 66 + 44 * i, 212, 22, pal::Gold_Dark);
        }
        close_socket(c, 253, 357);
        return c;
    }
    if (n == "Dlg_LoadSave.bmp") {
        TCanvas c = Dialog_Base(307, 410, s);
        title(c, 153, 43, 170, s);
        for (int i = 0; i < 10; ++i) {
            socket(c, 18, 70 + 29 * i, 23, 23);
            Well(c, 54, 74 + 29 * i, 219, 17, Rgb(30, 26, 24));
        }
        socket(c, 172, 359, 51, 23);
        socket(c, 225, 359, 51, 23);
        return c;
    }
    if (n == "Dlg_Message.bmp") {
        TCanvas c = Dialog_Base(309, 213, s);
        title(c, 148, 31, 200, s);
        Well(c, 16, 50, 270, 108, Rgb(44, 36, 32));
        close_socket(c, 255, 160);
        return c;
    }
    if (n == "Dlg_Talk.bmp") {
        TCanvas c = Dialog_Base(267, 179, s);
        for (int i = 0; i < 5; ++i)
            socket(c, 16, 17 + 27 * i, 224, 23);
        return c;
    }
    if (n == "Win_Inventory.bmp") {
        TCanvas c = Dialog_Base(189, 281, s, 7);
        Draw_Text_Centred(c, 94, 11, "Inventory", pal::Label, pal::Shadow);
        slot_grid(c, 13, 25, 4, 5);
        Well(c, 8, 222, 173, 50, Rgb(34, 28, 24));
        return c;
    }
    if (n == "Win_Inventory_Tabs.bmp") {
        TCanvas c(178, 184);
        static constexpr int left[] = {0, 45, 90, 135}, right[] = {44, 89, 134, 177};
        for (int row = 0; row < 4; ++row) {
            Wood_Fill(c, 0, 46 * row, 178, 46, s);
            for (int t = 0; t < 4; ++t) {
                const bool chosen = t == row;
                const int x = left[t], w = right[t] - left[t] + 1, y = 46 * row;
                TCanvas tab(w, 46);
                Stone_Fill(tab, 0, 0, w, 46, s + uint32_t(t));
                for (int j = 0; j < 46; ++j)
                    for (int i = 0; i < w; ++i)
                        tab.Set(i, j, Shade(tab.Get(i, j), chosen ? 1.15 : 0.62));
                tab.Bevel(0, 0, w, 46, chosen ? pal::Gold_Light : pal::Stone, pal::Gold_Dark, 1);
                tab.Rect_Outline(0, 0, w, 46, pal::Shadow);
                const std::string label = std::to_string(t + 1);
                Draw_Text_Centred(tab, w / 2, 16, label,
                                  chosen ? pal::Gold_Light : pal::Stone_Light, pal::Shadow, 2);
                c.Blit(tab, x, y + (chosen ? 0 : 3));
                if (!chosen)
                    c.Fill_Rect(x, y, w, 3, pal::Wood_Dark);
            }
        }
        return c;
    }
    if (n == "Win_Stats.bmp") {
        TCanvas c = Dialog_Base(304, 172, s, 7);
        Well(c, 10, 12, 138, 140, Rgb(36, 30, 26));
        Well(c, 150, 12, 142, 140, Rgb(36, 30, 26));
        auto label = [&c](int x, int bottom, const char* text) {
            Draw_Text_Shadowed(c, x, bottom - 9, text, pal::Label, pal::Shadow);
        };
        label(14, 36, "Str");
        label(82, 36, "Dex");
        label(14, 59, "Int");
        label(82, 59, "Con");
        label(14, 82, "Attack");
        label(14, 105, "Defense");
        label(14, 128, "Status");
        static constexpr const char* resist[] = {"Fire", "Cold", "Lightning", "Magic", "Poison"};
        static constexpr TMotif marks[] = {TMotif::Flame, TMotif::Snowflake, TMotif::Bolt,
                                           TMotif::Shield_Star, TMotif::Drop_Green};
        for (int i = 0; i < 5; ++i) {
            Draw_Motif(c, marks[i], 153, 20 + 23 * i, 15, uint32_t(i));
            label(170, 36 + 23 * i, resist[i]);
        }
        for (int y : {37, 60, 83, 106, 129})
            c.Fill_Rect(12, y, 134, 1, Rgb(70, 56, 40));
        for (int y : {37, 60, 83, 106})
            c.Fill_Rect(152, y, 138, 1, Rgb(70, 56, 40));
        return c;
    }
    if (n == "Dlg_MM.bmp") {
        TCanvas c = Dialog_Base(266, 200, s, 8);
        arch_art(c, 8, 8, 250, 184, s);
        logo(c, 133, 22, 4);
        Draw_Text_Centred(c, 133, 170, "A dungeon adventure", pal::Label, pal::Shadow);
        return c;
    }
    if (n == "Dlg_Intro.bmp") {
        TCanvas c = Dialog_Base(270, 560, s);
        arch_art(c, 9, 9, 252, 186, s);
        logo(c, 135, 30, 4);
        Well(c, 22, 196, 226, 318, Rgb(34, 28, 24));
        return c;
    }
    if (n == "Dlg_SelectModule.bmp" || n == "Dlg_SelectCharacter.bmp") {
        const bool character = n == "Dlg_SelectCharacter.bmp";
        TCanvas c = Dialog_Base(696, 504, s, 10);
        title(c, 171, 47, 270, s);
        title(c, 495, 47, 270, s + 1);
        if (!character) {
            Well(c, 35, 68, 277, 356, Rgb(55, 55, 55));
            Well(c, 332, 64, 339, 230, Rgb(34, 28, 24));
            Well(c, 332, 298, 339, 118, Rgb(30, 26, 24));
        } else {
            Draw_Text_Shadowed(c, 143 - Text_Width("New"), 87, "New", pal::Label, pal::Shadow);
            Draw_Text_Shadowed(c, 203, 87, "Existing", pal::Label, pal::Shadow);
            socket(c, 148, 79, 23, 23);
            socket(c, 175, 79, 23, 23);
            Well(c, 35, 148, 277, 276, Rgb(55, 55, 55));
            Well(c, 332, 66, 339, 356, Rgb(34, 28, 24));
            Well(c, 465, 156, 132, 26, Rgb(24, 22, 20));
            c.Rect_Outline(341, 217, 310, 196, pal::Gold_Dark);
        }
        socket(c, 255, 432, 200, 38);
        socket(c, 463, 432, 200, 38);
        if (character)
            socket(c, 33, 432, 200, 38);
        return c;
    }
    if (n == "Win_Char.bmp") {
        TCanvas c = Dialog_Base(331, 356, s, 6);
        Well(c, 10, 10, 311, 336, Rgb(34, 28, 24));
        return c;
    }
    if (n == "Dlg_Dead.bmp") {
        TCanvas c = Dialog_Base(460, 572, s, 10);
        title(c, 224, 47, 160, s);
        death_art(c, 30, 66, 400, 262, s);
        Parchment_Fill(c, 45, 336, 354, 146, s + 3);
        Gold_Rim(c, 44, 335, 356, 148);
        close_socket(c, 395, 507);
        return c;
    }
    if (n == "Dlg_HighScores.bmp") {
        TCanvas c = Dialog_Base(696, 552, s, 10);
        title(c, 347, 46, 220, s);
        Well(c, 60, 80, 576, 412, Rgb(34, 28, 24));
        for (int i = 0; i < 10; ++i)
            if (i % 2 == 0)
                c.Fill_Rect(62, 95 + 42 * i - 18, 572, 36, Rgb(44, 36, 30));
        auto heading = [&c](int x, int right_x, const char* text) {
            const int at = right_x ? right_x - Text_Width(text) : x;
            Draw_Text_Shadowed(c, at, 66, text, pal::Gold_Light, pal::Shadow);
        };
        heading(86, 0, "No.");
        heading(148, 0, "Name");
        heading(320, 0, "Class");
        heading(0, 460, "Level");
        heading(0, 598, "Experience");
        close_socket(c, 641, 497);
        return c;
    }
    if (n == "Dlg_Statistics.bmp") {
        TCanvas c = Dialog_Base(338, 410, s);
        title(c, 167, 34, 170, s);
        Well(c, 20, 52, 298, 108, Rgb(36, 30, 26));
        static constexpr const char* attributes[] = {"Strength", "Intelligence", "Dexterity",
                                                     "Constitution"};
        static constexpr TMotif attribute_marks[] = {TMotif::Fist, TMotif::Book, TMotif::Feather,
                                                     TMotif::Heart};
        for (int i = 0; i < 4; ++i) {
            const int bottom = 76 + 25 * i;
            Draw_Motif(c, attribute_marks[i], 26, bottom - 15, 17, uint32_t(i));
            Draw_Text_Shadowed(c, 48, bottom - 10, attributes[i], pal::Label, pal::Shadow);
            Well(c, 150, bottom - 17, 62, 20, Rgb(26, 22, 20));
        }
        Well(c, 20, 170, 298, 108, Rgb(36, 30, 26));
        Draw_Text_Shadowed(c, 256, 174, "%", pal::Gold_Light, pal::Shadow);
        static constexpr const char* pools[] = {"Health", "Mana", "Hunger", "Weight"};
        static constexpr TMotif pool_marks[] = {TMotif::Drop_Red, TMotif::Crystal_Blue,
                                                TMotif::Drumstick, TMotif::Weight};
        for (int i = 0; i < 4; ++i) {
            const int bottom = 192 + 25 * i;
            Draw_Motif(c, pool_marks[i], 26, bottom - 8, 17, uint32_t(i + 4));
            Draw_Text_Shadowed(c, 48, bottom - 3, pools[i], pal::Label, pal::Shadow);
        }
        Well(c, 20, 352, 250, 26, Rgb(30, 26, 22));
        close_socket(c, 285, 357);
        return c;
    }
    if (n == "Dlg_SpellList.bmp" || n == "Dlg_Store.bmp") {
        const bool store = n == "Dlg_Store.bmp";
        TCanvas c = Dialog_Base(619, 307, s);
        title(c, 307, 32, 240, s);
        Well(c, 14, 45, 206, store ? 207 : 178, Rgb(34, 28, 24));
        for (int i = 0; i < (store ? 7 : 6); ++i)
            socket(c, 18, 49 + 29 * i, 23, 23);
        Well(c, 226, 48, 362, 200, Rgb(30, 26, 24));
        slot_grid(c, 231, 52, 9, 5);
        Well(c, 226, 246, 330, 30, Rgb(30, 26, 24));
        close_socket(c, 563, 251);
        return c;
    }
    if (n == "Dlg_SpellSelection.bmp") {
        TCanvas c = Dialog_Base(307, 450, s);
        title(c, 153, 42, 230, s);
        for (int r = 0; r < 2; ++r)
            for (int k = 0; k < 5; ++k)
                socket(c, 49 + 40 * k, 60 + 40 * r, 38, 38);
        // The open book: two parchment pages on a leather cover.
        c.Fill_Rect(36, 152, 235, 192, Rgb(90, 30, 26));
        c.Rect_Outline(36, 152, 235, 192, pal::Gold_Dark);
        Parchment_Fill(c, 44, 158, 109, 180, s + 2);
        Parchment_Fill(c, 154, 158, 109, 180, s + 3);
        c.Fill_Rect(152, 156, 3, 184, Rgb(60, 20, 18));
        static constexpr int places[12][2] = {{54, 176},  {96, 183},  {54, 217},  {96, 224},
                                              {54, 258},  {96, 265},  {161, 183}, {203, 176},
                                              {161, 224}, {203, 217}, {161, 265}, {203, 258}};
        for (const auto& p : places)
            c.Rect_Outline(p[0] - 1, p[1] - 1, 40, 40, Rgb(150, 120, 80));
        socket(c, 112, 309, 23, 23);
        socket(c, 160, 309, 23, 23);
        socket(c, 40, 354, 18, 28);
        socket(c, 239, 354, 18, 28);
        close_socket(c, 256, 393);
        return c;
    }
    if (n == "Dlg_MapGen.bmp") {
        TCanvas c(800, 600, Near_Black);
        Stone_Frame(c, 0, 0, 800, 600, 8, s);
        Well(c, 10, 10, 200, 220, Rgb(20, 20, 20));
        Well(c, 590, 10, 200, 220, Rgb(20, 20, 20));
        c.Fill_Rect(300, 22, 200, 22, Rgb(40, 32, 26));
        c.Rect_Outline(300, 22, 200, 22, pal::Gold_Dark);
        return c;
    }
    if (n == "Dlg_Progress.bmp") {
        TCanvas c = Dialog_Base(333, 134, s);
        title(c, 168, 48, 290, s);
        Well(c, 24, 87, 286, 20, Rgb(26, 24, 30));
        return c;
    }
    if (n == "Dlg_ModuleText.bmp") {
        TCanvas c = Dialog_Base(448, 504, s, 10);
        title(c, 224, 60, 320, s);
        Parchment_Fill(c, 52, 76, 351, 350, s + 4);
        Gold_Rim(c, 51, 75, 353, 352);
        for (int x : {319, 344, 369})
            close_socket(c, x, 429);
        return c;
    }
    if (n == "Dlg_Container.bmp") {
        TCanvas c = Dialog_Base(313, 299, s);
        title(c, 150, 32, 140, s);
        Well(c, 48, 95, 208, 128, Rgb(30, 26, 24));
        slot_grid(c, 56, 103, 5, 3);
        close_socket(c, 265, 249);
        return c;
    }
    if (n == "Dlg_Conversation.bmp") {
        TCanvas c = Dialog_Base(507, 307, s);
        Well(c, 12, 22, 54, 54, Rgb(30, 26, 24));
        Gold_Rim(c, 10, 20, 58, 58);
        title(c, 285, 29, 330, s);
        Well(c, 21, 87, 195, 163, Rgb(55, 55, 55));
        Well(c, 228, 54, 256, 196, Rgb(34, 28, 24));
        close_socket(c, 455, 255);
        return c;
    }
    if (n == "Dlg_GiveItem.bmp") {
        TCanvas c = Dialog_Base(267, 179, s);
        title(c, 140, 36, 170, s);
        Well(c, 17, 61, 54, 54, Rgb(30, 26, 24));
        Gold_Rim(c, 15, 59, 58, 58);
        slot_grid(c, 79, 73, 4, 1);
        close_socket(c, 213, 125);
        return c;
    }
    if (n == "Dlg_Difficulty.bmp") {
        TCanvas c = Dialog_Base(266, 354, s);
        title(c, 131, 33, 180, s);
        for (int y : {67, 112, 157, 202, 282})
            socket(c, 28, y, 200, 38);
        return c;
    }
    return TCanvas(1, 1, Near_Black);
}

} // namespace

TCanvas Make_Dialog(const char* name) {
    TCanvas c = dialog(name);
    c.Make_Safe();
    return c;
}
