// The main game screen: character panel, character information, description panel and
// the two button ledges around a near-black map area the view is drawn over.

#include <cmath>

#include "icons.h"
#include "lettering.h"
#include "system_pictures.h"
#include "ui_parts.h"

namespace {

// A slot well with a faint silhouette of what belongs in it.
void slot(TCanvas& c, int x, int y, TMotif hint) {
    Well(c, x, y, 32, 32, Rgb(36, 32, 30));
    TCanvas ghost(32, 32);
    Draw_Motif(ghost, hint, 4, 4, 24);
    for (int j = 0; j < 32; ++j)
        for (int i = 0; i < 32; ++i)
            if (ghost.Get(i, j) != Pink)
                c.Set(x + i, y + j, Rgb(52, 48, 44));
    c.Rect_Outline(x - 2, y - 2, 36, 36, pal::Gold_Dark);
}

// A panel of wood framed in stone (thinner than a dialog's border).
void panel(TCanvas& c, int x, int y, int w, int h, uint32_t seed) {
    Wood_Fill(c, x, y, w, h, seed);
    c.Vignette(x, y, w, h, 10, 0.3);
    Stone_Frame(c, x, y, w, h, 6, seed + 1);
    Corner_Brackets(c, x, y, w, h, 8);
}

} // namespace

TCanvas Make_Main_UI() {
    TCanvas c(800, 600, Near_Black);
    // The map area: near-black with the faintest texture so unseen squares read as void.
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const double n = Fractal_Noise(4242, x, y, 60, 3);
            const int v = 16 + int(n * 8);
            c.Set(x, y, Rgb(v, v - 1 < 16 ? 16 : v - 1, v + 1));
        }

    // Top band: character panel, information and description.
    panel(c, 0, 0, 177, 233, 10);
    panel(c, 177, 0, 331, 152, 20);
    panel(c, 508, 0, 292, 194, 30);

    // Character panel: a body outline behind the ten equipment slots.
    {
        TCanvas body(177, 233);
        body.Fill_Circle(96, 32, 16, Rgb(60, 44, 30));
        body.Fill_Polygon({{70, 52},
                           {122, 52},
                           {134, 120},
                           {116, 130},
                           {112, 182},
                           {80, 182},
                           {76, 130},
                           {58, 120}},
                          Rgb(60, 44, 30));
        c.Blit(body, 0, 0);
    }
    slot(c, 80, 16, TMotif::Helmet);
    slot(c, 121, 29, TMotif::Circle_Empty);
    slot(c, 80, 61, TMotif::Shield);
    slot(c, 80, 106, TMotif::Weight);
    slot(c, 80, 186, TMotif::Boots);
    slot(c, 121, 106, TMotif::Sword);
    slot(c, 39, 106, TMotif::Shield);
    slot(c, 121, 146, TMotif::Circle_Empty);
    slot(c, 39, 146, TMotif::Circle_Empty);
    slot(c, 16, 65, TMotif::Fist);
    // Where a held potion or food is given to the character.
    Well(c, 32, 21, 33, 33, Rgb(50, 36, 30));
    Draw_Motif(c, TMotif::Drumstick, 35, 24, 27, 1);
    c.Rect_Outline(30, 19, 37, 37, pal::Gold);
    Well(c, 10, 194, 20, 30, Rgb(30, 26, 24));

    // Character information.
    // The engine shows columns 5..48 of the character's picture here, clear of the name.
    Well(c, 180, 8, 44, 54, Rgb(30, 26, 24));
    Gold_Rim(c, 178, 6, 48, 58);
    static constexpr TMotif value_marks[] = {TMotif::Star, TMotif::Scroll, TMotif::Arrow_Up,
                                             TMotif::Coins};
    for (int i = 0; i < 4; ++i) {
        const int bottom = 69 + 25 * i;
        Draw_Motif(c, value_marks[i], 186, bottom - 18, 23, uint32_t(i));
        c.Fill_Rect(210, bottom - 16, 140, 19, Rgb(40, 30, 22));
    }
    c.Fill_Rect(228, 18, 140, 34, Rgb(40, 30, 22)); // name and class
    static constexpr TMotif bar_marks[] = {TMotif::Drop_Red, TMotif::Crystal_Blue,
                                           TMotif::Drumstick, TMotif::Weight};
    for (int i = 0; i < 4; ++i) {
        const int y = 15 + 27 * i;
        Draw_Motif(c, bar_marks[i], 374, y - 5, 23, uint32_t(i + 4));
        Well(c, 400, y, 101, 13, Rgb(26, 22, 20));
        c.Rect_Outline(398, y - 2, 105, 17, pal::Gold_Dark);
    }
    Well(c, 370, 117, 32, 32, Rgb(30, 26, 24));
    c.Rect_Outline(368, 115, 36, 36, pal::Gold_Dark);
    c.Fill_Rect(404, 124, 80, 18, Rgb(40, 30, 22));
    Well(c, 486, 117, 20, 30, Rgb(30, 26, 24));

    // Description panel: picture well, text body, and a bottom border low enough that
    // the program's copy of rows 114..193 continues the panel seamlessly.
    Well(c, 520, 12, 54, 54, Rgb(30, 26, 24));
    Gold_Rim(c, 518, 10, 58, 58);
    c.Fill_Rect(514, 74, 280, 112, Rgb(36, 28, 22));
    // Rows 115..169 repeat row 114, so the grown panel shows no seam.
    for (int y = 115; y < 170; ++y)
        for (int x = 508; x < 800; ++x)
            c.Set(x, y, c.Get(x, 114));

    // Bottom left ledge of the five main buttons.
    panel(c, 0, 530, 276, 70, 40);
    for (int i = 0; i < 5; ++i) {
        c.Fill_Circle(9 + 51 * i + 25.5, 540 + 25.5, 27, Rgb(30, 24, 20));
        c.Ring(9 + 51 * i + 25.5, 540 + 25.5, 27, 1.5, pal::Gold_Dark);
    }
    // Bottom right: spell book, ten quick slots, two drink buttons.
    panel(c, 520, 500, 280, 100, 50);
    panel(c, 704, 432, 96, 74, 60);
    c.Fill_Rect(706, 494, 92, 12, Shade(pal::Wood, 0.9));
    c.Fill_Circle(529 + 25.5, 540 + 25.5, 27, Rgb(30, 24, 20));
    c.Ring(529 + 25.5, 540 + 25.5, 27, 1.5, pal::Gold_Dark);
    for (int r = 0; r < 2; ++r)
        for (int k = 0; k < 5; ++k) {
            const int x = 593 + 40 * k, y = r == 0 ? 511 : 553;
            Well(c, x, y, 38, 38, Rgb(30, 24, 20));
        }
    for (int x : {713, 753})
        Well(c, x, 442, 38, 38, Rgb(30, 24, 20));
    c.Make_Safe();
    return c;
}
