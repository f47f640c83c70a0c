// The picture sheets the engine cuts icons, markers, overlays and frames from.

#include <cmath>
#include <numbers>

#include "buttons.h"
#include "icons.h"
#include "system_pictures.h"
#include "ui_parts.h"

namespace {

constexpr double pi = std::numbers::pi;

// A bar frame: dark wood with a gold rim around a sunken trough.
void bar_frame(TCanvas& c, int x, int y, int w, int h, uint32_t seed) {
    Wood_Fill(c, x, y, w, h, seed);
    c.Rect_Outline(x, y, w, h, pal::Shadow);
    Gold_Rim(c, x + 1, y + 1, w - 2, h - 2);
    const int inset = h / 4 + 1;
    Well(c, x + inset + 2, y + inset, w - 2 * inset - 4, h - 2 * inset, pal::Well);
}

// A 32 x 32 face; step 0..5 more hurt, 6 panic, 7 poisoned.
void face(TCanvas& c, int x, int y, int step) {
    TCanvas f(32, 32);
    const bool poisoned = step == 7;
    TRGB skin = poisoned ? Rgb(150, 186, 110) : Rgb(226, 182, 142);
    if (step >= 1 && step <= 5)
        skin = Mix(skin, Rgb(190, 160, 150), step * 0.14);
    f.Fill_Ellipse(16, 17, 11, 13, skin);
    f.Fill_Ellipse(16, 8, 12, 6, Rgb(96, 60, 34)); // hair
    f.Fill_Rect(5, 6, 4, 10, Rgb(96, 60, 34));
    f.Fill_Rect(23, 6, 4, 10, Rgb(96, 60, 34));
    const TRGB eye = Rgb(40, 30, 26);
    if (step == 6) {
        f.Fill_Circle(11.5, 16, 2.6, Rgb(250, 250, 250));
        f.Fill_Circle(20.5, 16, 2.6, Rgb(250, 250, 250));
        f.Set(11, 16, eye);
        f.Set(20, 16, eye);
        f.Fill_Ellipse(16, 25, 2.5, 3, Rgb(90, 30, 30));
        f.Line(7, 11, 13, 12, eye);
        f.Line(24, 11, 18, 12, eye);
    } else {
        const bool shut = step >= 4;
        if (shut) {
            f.Line(9, 16, 13, 16, eye);
            f.Line(18, 16, 22, 16, eye);
        } else {
            f.Fill_Rect(10, 15, 3, 2, eye);
            f.Fill_Rect(19, 15, 3, 2, eye);
        }
        f.Line(9, 13, 13, 13 + (step >= 2 ? 1 : 0), Rgb(90, 60, 34));
        f.Line(18, 13 + (step >= 2 ? 1 : 0), 22, 13, Rgb(90, 60, 34));
        // Mouth: a smile turning into a grimace.
        const int bend = 2 - step;
        for (int i = -3; i <= 3; ++i)
            f.Set(16 + i, 24 + (bend * (9 - i * i)) / 9 * (bend > 0 ? 1 : 1), Rgb(120, 50, 40));
        if (step >= 2)
            f.Fill_Rect(22, 19, 3, 2, Rgb(170, 40, 40)); // cut
        if (step >= 3)
            f.Fill_Rect(8, 20, 3, 4, Rgb(150, 30, 30));
        if (step >= 5)
            f.Fill_Rect(13, 27, 2, 4, Rgb(170, 30, 30));
        if (poisoned) {
            f.Fill_Circle(24, 26, 2, Rgb(90, 200, 60));
            f.Fill_Circle(27, 22, 1.5, Rgb(90, 200, 60));
        }
    }
    f.Outline(pal::Shadow);
    c.Blit(f, x, y);
}

// Burst of a damage frame: r is the size (0 small .. 2 large).
void damage_burst(TCanvas& c, int x, int y, int row, int r) {
    TCanvas f(32, 32);
    const double s = 0.5 + 0.25 * r; // reach
    const double cx = 16, cy = 16;
    auto spikes = [&](int count, TRGB outer, TRGB inner, double len, double rot) {
        std::vector<TPoint> pts;
        for (int i = 0; i < count * 2; ++i) {
            const double a = rot + i * pi / count;
            const double rr = (i % 2 ? 0.4 : 1.0) * len;
            pts.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
        }
        f.Fill_Polygon(pts, outer);
        for (auto& p : pts) {
            p.x = cx + (p.x - cx) * 0.55;
            p.y = cy + (p.y - cy) * 0.55;
        }
        f.Fill_Polygon(pts, inner);
    };
    switch (row) {
    case 0: // physical
        spikes(5 + r, Rgb(200, 30, 30), Rgb(255, 230, 200), 15 * s, 0.3);
        break;
    case 1: // miss: a grey swoosh
        for (int i = 0; i < 3 + r; ++i)
            f.Ring(16, 20, 6 + i * 2.5 * s, 1.2,
                   Mix(Rgb(220, 220, 220), Rgb(120, 120, 130), i / 4.0));
        f.Fill_Rect(0, 20, 32, 12, Pink);
        break;
    case 2: // cold
        for (int i = 0; i < 3; ++i) {
            const double a = i * pi / 3 + 0.2;
            f.Thick_Line(cx - std::cos(a) * 14 * s, cy - std::sin(a) * 14 * s,
                         cx + std::cos(a) * 14 * s, cy + std::sin(a) * 14 * s, 2.5,
                         Rgb(150, 210, 255));
        }
        f.Fill_Circle(cx, cy, 4 * s, Rgb(230, 246, 255));
        break;
    case 5: { // lightning
        double px = 8, py = 2;
        for (int i = 0; i < 6; ++i) {
            const double nx = (i % 2 ? 8 : 24) - (2 - r) * 2 * (i % 2 ? -1 : 1), ny = py + 5;
            f.Thick_Line(px, py, nx, ny, 2 + r, Rgb(255, 236, 80));
            f.Thick_Line(px, py, nx, ny, 1, Rgb(255, 255, 220));
            px = nx;
            py = ny;
        }
        break;
    }
    case 6: { // fire
        TCanvas flame(32, 32);
        Draw_Motif(flame, TMotif::Flame, int(16 - 16 * s), int(16 - 14 * s), int(32 * s));
        f.Blit(flame, 0, 0);
        break;
    }
    case 7: // poison
        for (int i = 0; i < 4 + r * 2; ++i) {
            const double a = i * 2.3;
            f.Fill_Circle(cx + std::cos(a) * 8 * s, cy + std::sin(a) * 7 * s, 3 + r,
                          Rgb(90, 180, 50));
        }
        f.Fill_Circle(cx, cy, 4 + r, Rgb(170, 240, 110));
        break;
    case 8: // dispel undead
        spikes(8, Rgb(255, 240, 160), Rgb(255, 255, 240), 15 * s, 0.0);
        break;
    case 9: // magic
        for (int i = 0; i < 4 + r * 2; ++i) {
            const double a = i * 2 * pi / (4 + r * 2);
            const double px = cx + std::cos(a) * 10 * s, py = cy + std::sin(a) * 10 * s;
            f.Thick_Line(px - 3, py, px + 3, py, 1.5, Rgb(220, 150, 255));
            f.Thick_Line(px, py - 3, px, py + 3, 1.5, Rgb(220, 150, 255));
        }
        f.Fill_Circle(cx, cy, 3 + r * 1.5, Rgb(170, 80, 240));
        f.Fill_Circle(cx, cy, 1.5 + r, Rgb(250, 220, 255));
        break;
    default:
        return; // unassigned rows stay pink
    }
    f.Outline(Rgb(40, 24, 20));
    c.Blit(f, x, y);
}

struct TSpell_Look {
    TMotif motif;
    TMotif badge; // a small second motif in the upper right, or Blank
    TRGB back;
};

// One icon per "Picture ID" of the default spells, in that order.
constexpr TSpell_Look spell_looks[] = {
    {TMotif::Sword, TMotif::Blank, Rgb(70, 74, 86)},         // Blade Mastery
    {TMotif::Axe, TMotif::Blank, Rgb(86, 60, 44)},           // Axe Mastery
    {TMotif::Mace, TMotif::Blank, Rgb(74, 70, 60)},          // Mace Mastery
    {TMotif::Shield, TMotif::Blank, Rgb(80, 80, 90)},        // Iron Skin
    {TMotif::Helmet, TMotif::Blank, Rgb(60, 70, 90)},        // Stalwart
    {TMotif::Exclamation, TMotif::Blank, Rgb(120, 30, 24)},  // Battle Cry
    {TMotif::Shield, TMotif::Shield, Rgb(90, 66, 40)},       // Shield Wall
    {TMotif::Door, TMotif::Fist, Rgb(70, 50, 36)},           // Door Breaker
    {TMotif::Heart, TMotif::Arrow_Up, Rgb(60, 90, 70)},      // Second Wind
    {TMotif::Skull, TMotif::Exclamation, Rgb(100, 30, 30)},  // Intimidate
    {TMotif::Bow, TMotif::Blank, Rgb(60, 80, 50)},           // Bow Mastery
    {TMotif::Dagger, TMotif::Blank, Rgb(70, 60, 70)},        // Knife Mastery
    {TMotif::Crossbow, TMotif::Blank, Rgb(80, 70, 50)},      // Crossbow Drill
    {TMotif::Boots, TMotif::Swirl, Rgb(40, 30, 60)},         // Shadowstep
    {TMotif::Eye, TMotif::Blank, Rgb(50, 80, 70)},           // Keen Eye
    {TMotif::Key, TMotif::Blank, Rgb(80, 70, 40)},           // Lockcraft
    {TMotif::Feather, TMotif::Boots, Rgb(50, 60, 80)},       // Quiet Feet
    {TMotif::Dagger, TMotif::Drop_Green, Rgb(30, 70, 30)},   // Venomed Edge
    {TMotif::Eye, TMotif::Arrow_Up, Rgb(40, 90, 40)},        // Hunter's Sense
    {TMotif::Arrow_Volley, TMotif::Chains, Rgb(80, 60, 40)}, // Pinning Shot
    {TMotif::Cloud_Grey, TMotif::Blank, Rgb(56, 56, 64)},    // Smoke Veil
    {TMotif::Fireball, TMotif::Blank, Rgb(120, 36, 20)},     // Cinder Bolt
    {TMotif::Ice_Shard, TMotif::Blank, Rgb(30, 70, 120)},    // Frost Shard
    {TMotif::Bolt, TMotif::Blank, Rgb(60, 60, 110)},         // Chain Spark
    {TMotif::Flame, TMotif::Flame, Rgb(110, 30, 16)},        // Ember Storm
    {TMotif::Snowflake, TMotif::Blank, Rgb(40, 90, 140)},    // Frost Nova
    {TMotif::Sun, TMotif::Blank, Rgb(50, 40, 90)},           // Witchlight
    {TMotif::Hand_Heal, TMotif::Blank, Rgb(40, 110, 60)},    // Mend Flesh
    {TMotif::Drop_Green, TMotif::Check, Rgb(40, 80, 60)},    // Purge Venom
    {TMotif::Pentagram, TMotif::Close, Rgb(70, 60, 90)},     // Break Hex
    {TMotif::Skull, TMotif::Pentagram, Rgb(40, 60, 40)},     // Call Bonewright
    {TMotif::Wisp, TMotif::Blank, Rgb(60, 56, 56)},          // Call Ashen Wisp
    {TMotif::Swirl, TMotif::Blank, Rgb(40, 30, 80)},         // Blink
    {TMotif::Eye, TMotif::Skull, Rgb(100, 30, 40)},          // Sense Malice
    {TMotif::Eye, TMotif::Door, Rgb(100, 80, 30)},           // Reveal Hidden
    {TMotif::Crystal_Blue, TMotif::Blank, Rgb(24, 40, 100)}, // Mana Font
    {TMotif::Book_Star, TMotif::Blank, Rgb(70, 60, 40)},     // Arcane Study
    {TMotif::Shield, TMotif::Flame, Rgb(110, 50, 20)},       // Searing Ward
    {TMotif::Sleep, TMotif::Blank, Rgb(40, 40, 90)},         // Sleep Mist
    {TMotif::Pentagram, TMotif::Blank, Rgb(70, 24, 80)},     // Hex of Frailty
    {TMotif::Holy, TMotif::Blank, Rgb(120, 100, 50)},        // Holy Smite
    {TMotif::Skull, TMotif::Snowflake, Rgb(30, 60, 100)},    // Grave Chill
    {TMotif::Cloud_Green, TMotif::Blank, Rgb(40, 80, 30)},   // Venom Spray
    {TMotif::Hand_Heal, TMotif::Moon, Rgb(50, 24, 60)},      // Dark Mending
    {TMotif::Arrow_Volley, TMotif::Skull, Rgb(60, 56, 50)},  // Bone Arrow
    {TMotif::Skull, TMotif::Drop_Blue, Rgb(24, 70, 80)},     // Raise the Drowned
};

void spell_icon(TCanvas& c, int x, int y, int index) {
    const TSpell_Look& look = spell_looks[index];
    c.Vertical_Gradient(x, y, 38, 38, Shade(look.back, 1.5), Shade(look.back, 0.7));
    for (int j = 0; j < 38; ++j)
        for (int i = 0; i < 38; ++i) {
            const double n = Value_Noise(uint32_t(index + 77), i, j, 6);
            c.Set(x + i, y + j, Shade(c.Get(x + i, y + j), 0.85 + 0.3 * n));
        }
    if (look.badge == TMotif::Blank) {
        Draw_Motif(c, look.motif, x + 4, y + 3, 30, uint32_t(index));
    } else {
        Draw_Motif(c, look.motif, x + 2, y + 6, 28, uint32_t(index));
        Draw_Motif(c, look.badge, x + 20, y + 2, 16, uint32_t(index));
    }
    // The level number is written at the lower right: keep that corner dark.
    for (int j = 26; j < 38; ++j)
        for (int i = 26; i < 38; ++i)
            if (i + j >= 60)
                c.Set(x + i, y + j, Shade(c.Get(x + i, y + j), 0.45));
    c.Bevel(x, y, 38, 38, pal::Gold_Light, pal::Gold_Dark, 1);
    c.Rect_Outline(x + 1, y + 1, 36, 36, Shade(look.back, 0.5));
}

// Cells past the last spell: a plain carved plate, so the sheet stays opaque.
void spare_icon(TCanvas& c, int x, int y) {
    Stone_Fill(c, x, y, 38, 38, uint32_t(x + y));
    c.Bevel(x, y, 38, 38, pal::Stone_Light, pal::Stone_Dark, 2);
}

} // namespace

int Spell_Icon_Count() {
    return int(std::size(spell_looks));
}

TCanvas Make_Misc() {
    TCanvas c(184, 163);
    bar_frame(c, 0, 0, 134, 20, 11);
    bar_frame(c, 0, 20, 111, 23, 12);
    bar_frame(c, 0, 43, 134, 28, 13);
    static constexpr TMotif status[] = {
        TMotif::Check,  TMotif::Exclamation, TMotif::Drop_Green,  TMotif::Eye_Closed,
        TMotif::Chains, TMotif::Sleep,       TMotif::Heart_Charm, TMotif::Circle_Empty};
    for (int k = 0; k < 8; ++k)
        Draw_Motif(c, status[k], 23 * k, 71, 23, uint32_t(k));
    static constexpr TMotif grid[] = {
        TMotif::Fist,         TMotif::Book,        TMotif::Feather,        TMotif::Heart,
        TMotif::Shield,       TMotif::Shield_Star, TMotif::Helmet,         TMotif::Sun,
        TMotif::Circle_Empty, TMotif::Snowflake,   TMotif::Bolt,           TMotif::Flame,
        TMotif::Drop_Green,   TMotif::Drop_Red,    TMotif::Crystal_Blue,   TMotif::Drumstick,
        TMotif::Weight,       TMotif::Coins,       TMotif::Star,           TMotif::Scroll,
        TMotif::Arrow_Up,     TMotif::Sword,       TMotif::Crossed_Swords, TMotif::Blank};
    for (int n = 0; n < 24; ++n)
        Draw_Motif(c, grid[n], 23 * (n % 8), 94 + 23 * (n / 8), 23, uint32_t(n));
    return c;
}

TCanvas Make_Gen() {
    TCanvas c(504, 96);
    for (int k = 0; k < 8; ++k)
        face(c, 32 * (k % 4), 32 * (k / 4), k);
    // The pointer: its hot spot is the top-left pixel, so the tip sits there.
    {
        TCanvas p(32, 32);
        const std::vector<TPoint> arrow = {{0, 0},   {0, 21}, {5, 16}, {9, 25},
                                           {13, 23}, {9, 15}, {16, 15}};
        p.Fill_Polygon(arrow, pal::Gold_Dark);
        std::vector<TPoint> inner = {{1.5, 3},   {1.5, 17.5}, {5.5, 13.5}, {9.8, 22.5},
                                     {11, 21.8}, {7, 13},     {12.5, 13}};
        p.Fill_Polygon(inner, pal::Gold);
        p.Line(2, 4, 2, 15, pal::Gold_Light);
        p.Line(3, 5, 9, 11, pal::Gold_Light);
        p.Outline(pal::Shadow);
        p.Set(0, 0, pal::Gold_Light);
        c.Blit(p, 128, 0);
    }
    Draw_Motif(c, TMotif::Quill, 160, 0, 17, 1);
    Draw_Motif(c, TMotif::Check, 192, 0, 17, 2);
    // The square mask: the floor diamond, non-black on pink.
    for (int y = 0; y < 54; ++y)
        for (int x = 0; x < 54; ++x)
            if (In_Floor_Diamond(x, y))
                c.Set(216 + x, y, Rgb(255, 255, 255));
    Draw_Motif(c, TMotif::Cross_Red, 224, 64, 32, 3);
    // Secret door: a keyhole in a gold ring.
    {
        TCanvas m(32, 32);
        m.Ring(16, 16, 11, 3, pal::Gold);
        m.Fill_Circle(16, 13, 4, Rgb(30, 26, 24));
        m.Fill_Polygon({{13, 14}, {19, 14}, {20, 24}, {12, 24}}, Rgb(30, 26, 24));
        m.Outline(pal::Shadow);
        c.Blit(m, 256, 64);
    }
    // Sensed creature: a red eye.
    {
        TCanvas m(32, 32);
        m.Fill_Ellipse(16, 16, 13, 7, Rgb(200, 40, 30));
        m.Fill_Ellipse(16, 16, 5, 6, Rgb(255, 210, 60));
        m.Fill_Ellipse(16, 16, 1.5, 5, Rgb(30, 20, 20));
        m.Outline(pal::Shadow);
        c.Blit(m, 288, 64);
    }
    // Equipment slot background.
    Stone_Fill(c, 320, 64, 32, 32, 91);
    Well(c, 322, 66, 28, 28, Rgb(40, 36, 34));
    c.Rect_Outline(320, 64, 32, 32, pal::Gold_Dark);
    // Health-bar frame of the description panel: its trough starts 29 pixels in.
    bar_frame(c, 371, 10, 133, 21, 92);
    Wood_Fill(c, 373, 12, 25, 17, 93);
    Draw_Motif(c, TMotif::Heart, 376, 11, 19, 4);
    Well(c, 371 + 29, 14, 101, 13, pal::Well);
    return c;
}

TCanvas Make_Tilegen() {
    TCanvas c(324, 54);
    for (int level = 0; level < 3; ++level)
        for (int y = 0; y < 54; ++y)
            for (int x = 0; x < 54; ++x) {
                if (!In_Block_Silhouette(x, y))
                    continue;
                bool dark;
                if (level == 0)
                    dark = x % 2 == 0 && y % 2 == 0;
                else if (level == 1)
                    dark = (x + y) % 2 == 0;
                else
                    dark = !(x % 2 == 1 && y % 2 == 1);
                if (dark)
                    c.Set(54 * level + x, y, Near_Black);
            }
    for (int y = 0; y < 54; ++y)
        for (int x = 0; x < 54; ++x)
            if (In_Floor_Diamond(x, y) &&
                (!In_Floor_Diamond(x - 1, y) || !In_Floor_Diamond(x + 1, y) ||
                 !In_Floor_Diamond(x, y - 1) || !In_Floor_Diamond(x, y + 1)))
                c.Set(270 + x, y, Rgb(70, 70, 70));
    return c;
}

TCanvas Make_Damage_FX() {
    TCanvas c(96, 320);
    for (int row = 0; row < 10; ++row)
        for (int f = 0; f < 3; ++f)
            damage_burst(c, 32 * f, 32 * row, row, f);
    return c;
}

TCanvas Make_Spells() {
    const int rows = (Spell_Icon_Count() + 17) / 18;
    TCanvas c(684, 38 * rows);
    for (int i = 0; i < rows * 18; ++i) {
        if (i < Spell_Icon_Count())
            spell_icon(c, 38 * (i % 18), 38 * (i / 18), i);
        else
            spare_icon(c, 38 * (i % 18), 38 * (i / 18));
    }
    return c;
}

TCanvas Make_Spell_Containers() {
    return Button_Strip(38, 38, 5, TButton_Shape::Square, 301,
                        [](TCanvas& cell, int col, int x, int y) {
                            switch (col) {
                            case 0: // empty quick slot
                                Well(cell, 5 + x, 5 + y, 28, 28, Rgb(34, 30, 28));
                                break;
                            case 1: // a slot holding a spell or scroll
                                Well(cell, 4 + x, 4 + y, 30, 30, Rgb(50, 40, 30));
                                cell.Rect_Outline(3 + x, 3 + y, 32, 32, pal::Gold_Light);
                                break;
                            case 2: // the selected slot glows green
                                Well(cell, 4 + x, 4 + y, 30, 30, Rgb(30, 70, 34));
                                cell.Rect_Outline(2 + x, 2 + y, 34, 34, Rgb(80, 220, 90));
                                cell.Rect_Outline(3 + x, 3 + y, 32, 32, Rgb(40, 160, 50));
                                break;
                            case 3:
                                Draw_Motif(cell, TMotif::Potion_Red, 4 + x, 4 + y, 30);
                                break;
                            case 4:
                                Draw_Motif(cell, TMotif::Potion_Blue, 4 + x, 4 + y, 30);
                                break;
                            }
                        });
}
