// Item pictures, 32 x 32 on pink: weapons laid diagonally, armour and clothing face on,
// small things low in the cell so they rest on the floor when dropped.

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "forge.h"
#include "forge_random.h"
#include "icons.h"
#include "map_pictures.h"
#include "ui_parts.h"

namespace {

constexpr double pi = std::numbers::pi;

const TRGB steel = Rgb(196, 200, 212), steel_dark = Rgb(120, 124, 136), iron = Rgb(110, 110, 118),
           wood_c = Rgb(130, 88, 52), wood_d = Rgb(84, 56, 34), leather = Rgb(120, 80, 48),
           bone = Rgb(222, 214, 190), brass = Rgb(200, 160, 70), copper = Rgb(190, 110, 60),
           silver = Rgb(206, 210, 220), gold = pal::Gold;

void line(TCanvas& c, double x0, double y0, double x1, double y1, double w, TRGB col) {
    c.Thick_Line(x0, y0, x1, y1, w, col);
}

// A blade from the hilt at the lower left to the tip at the upper right.
void blade(TCanvas& c, double length, double width, TRGB metal, TRGB grip, TRGB guard) {
    const double hx = 6, hy = 26, d = 0.7071;
    const double gx = hx + 6 * d, gy = hy - 6 * d;
    const double tx = gx + length * d, ty = gy - length * d;
    line(c, gx, gy, tx, ty, width, metal);
    line(c, gx + 1, gy - 1, tx - 1, ty + 1, 1, Shade(metal, 1.2));
    c.Fill_Polygon({{tx - width * 0.5, ty + width * 0.5},
                    {tx + 2, ty - 2},
                    {tx + width * 0.4, ty + width * 0.9}},
                   metal);
    line(c, gx - 4 * d, gy - 4 * d, gx + 4 * d, gy + 4 * d, 2.5, guard);
    line(c, hx, hy, gx, gy, 2.2, grip);
    c.Fill_Circle(hx - 0.5, hy + 0.5, 1.7, guard);
}

void haft(TCanvas& c, double length, TRGB col) {
    line(c, 5, 28, 5 + length * 0.7071, 28 - length * 0.7071, 2.2, col);
}

void axe(TCanvas& c, double size, TRGB head, bool double_bit) {
    haft(c, 28, wood_c);
    const double x = 22, y = 11;
    c.Fill_Polygon(
        {{x - 2, y - 2}, {x + size * 0.4, y - size}, {x + size, y - size * 0.2}, {x + 2, y + 2}},
        head);
    if (double_bit)
        c.Fill_Polygon({{x - 2, y - 2},
                        {x - size, y + size * 0.2},
                        {x - size * 0.4, y + size},
                        {x + 2, y + 2}},
                       head);
    line(c, x + size * 0.4, y - size, x + size, y - size * 0.2, 1, Shade(head, 1.3));
}

void mace(TCanvas& c, const std::string& kind) {
    if (kind == "cudgel") {
        line(c, 6, 27, 22, 11, 3, wood_d);
        line(c, 16, 17, 25, 8, 6, wood_c);
        c.Fill_Circle(21, 11, 1, wood_d);
        return;
    }
    haft(c, 22, kind == "bellhammer" ? wood_c : iron);
    const double x = 22, y = 10;
    if (kind == "flanged") {
        for (int i = 0; i < 6; ++i) {
            const double a = i * pi / 3;
            line(c, x, y, x + 6 * std::cos(a), y + 6 * std::sin(a), 2.5, steel_dark);
        }
        c.Fill_Circle(x, y, 3.5, steel);
    } else if (kind == "bellhammer") {
        c.Fill_Polygon({{x - 6, y - 5}, {x + 2, y - 9}, {x + 6, y + 1}, {x - 2, y + 5}}, brass);
        line(c, x - 5, y - 4, x + 1, y - 7, 1, pal::Gold_Light);
    } else {
        c.Fill_Circle(x, y, 5, iron);
        for (int i = 0; i < 8; ++i) {
            const double a = i * pi / 4;
            c.Set(int(x + 6 * std::cos(a)), int(y + 6 * std::sin(a)), steel);
        }
        c.Fill_Circle(x - 1.5, y - 1.5, 1.5, steel);
    }
}

void bow(TCanvas& c, bool longbow) {
    const double r = longbow ? 17 : 13;
    for (double a = -1.15; a <= 1.15; a += 0.02) {
        const double x = 6 + r * std::cos(a) * 0.6, y = 16 + r * std::sin(a);
        c.Fill_Circle(x + 4, y, 1.3, wood_c);
    }
    line(c, 6 + r * std::cos(1.15) * 0.6 + 4, 16 - r * std::sin(1.15),
         6 + r * std::cos(1.15) * 0.6 + 4, 16 + r * std::sin(1.15), 0.8, Rgb(230, 230, 210));
    c.Fill_Rect(int(6 + r * 0.6 + 2), 14, 3, 4, leather);
}

void crossbow(TCanvas& c, bool heavy) {
    line(c, 16, 28, 16, 6, heavy ? 4 : 3, wood_c);
    const TRGB arms = heavy ? iron : wood_d;
    for (double a = 0; a <= pi; a += 0.03)
        c.Fill_Circle(16 + 12 * std::cos(a), 13 - 5 * std::sin(a), heavy ? 1.5 : 1.1, arms);
    line(c, 4, 13, 28, 13, 0.8, Rgb(230, 230, 210));
    c.Fill_Rect(14, 20, 4, 3, iron);
}

void ammo(TCanvas& c, bool bolts, TRGB head) {
    for (int i = 0; i < 3; ++i) {
        const double o = (i - 1) * 4;
        const double x0 = 6 + o, y0 = 28, x1 = 24 + o, y1 = bolts ? 12 : 6;
        line(c, x0, y0, x1, y1, 1.2, wood_c);
        c.Fill_Polygon({{x1 + 3, y1 - 3}, {x1 - 2, y1}, {x1 + 1, y1 + 2}}, head);
        c.Fill_Polygon({{x0, y0}, {x0 - 2, y0 - 4}, {x0 + 3, y0 - 3}},
                       bolts ? Rgb(80, 60, 40) : Rgb(220, 220, 210));
    }
}

void spear(TCanvas& c, bool glaive) {
    line(c, 3, 30, 24, 9, 1.8, wood_c);
    if (glaive) {
        c.Fill_Polygon({{22, 11}, {24, 2}, {30, 1}, {27, 8}, {24, 12}}, steel);
        line(c, 24, 3, 29, 2, 1, Shade(steel, 1.2));
    } else {
        c.Fill_Polygon({{22, 11}, {25, 4}, {30, 2}, {28, 7}, {24, 12}}, steel);
        line(c, 19, 10, 24, 15, 1.5, iron); // boar crossbar
    }
}

void staff(TCanvas& c, const std::string& kind) {
    line(c, 5, 30, 25, 5, 2.2, kind == "ashwood" ? Rgb(170, 150, 120) : wood_c);
    if (kind == "embers") {
        c.Fill_Circle(26, 4, 3.5, Rgb(220, 90, 30));
        c.Fill_Circle(26, 4, 2, Rgb(255, 210, 100));
    } else if (kind == "ironshod") {
        line(c, 5, 30, 8, 26, 3, iron);
        line(c, 22, 9, 25, 5, 3, iron);
    } else {
        c.Fill_Circle(25, 5, 2, Rgb(150, 130, 100));
    }
}

void wand(TCanvas& c, TRGB tip) {
    line(c, 8, 26, 23, 9, 2, wood_d);
    c.Fill_Circle(24, 8, 2.5, tip);
    c.Fill_Circle(23.5, 7.5, 1, Shade(tip, 1.5));
}

void scepter(TCanvas& c, TRGB metal, bool tide) {
    line(c, 7, 28, 21, 12, 2.2, metal);
    if (tide) {
        c.Fill_Circle(23, 9, 4, Rgb(60, 150, 170));
        c.Fill_Circle(22, 8, 1.5, Rgb(200, 250, 250));
    } else {
        c.Fill_Polygon({{19, 10}, {24, 4}, {28, 8}, {23, 14}}, metal);
        c.Fill_Circle(23.5, 9, 1.5, Rgb(200, 40, 40));
    }
}

void armour(TCanvas& c, const std::string& kind) {
    TRGB base = kind == "chain"     ? steel_dark
                : kind == "plate"   ? steel
                : kind == "robe"    ? Rgb(70, 60, 120)
                : kind == "scale"   ? Rgb(140, 130, 96)
                : kind == "studded" ? Rgb(110, 72, 44)
                                    : leather;
    const double bottom = kind == "robe" ? 31 : 27;
    c.Fill_Polygon({{9, 4},
                    {13, 4},
                    {16, 7},
                    {19, 4},
                    {23, 4},
                    {29, 9},
                    {26, 14},
                    {24, 12},
                    {24, bottom},
                    {8, bottom},
                    {8, 12},
                    {6, 14},
                    {3, 9}},
                   base);
    for (int y = 6; y < int(bottom); ++y)
        for (int x = 4; x < 29; ++x) {
            if (c.Get(x, y) != base)
                continue;
            TRGB p = base;
            if (kind == "chain" && (x + y) % 2 == 0)
                p = steel;
            else if (kind == "scale" && (x + (y / 3) * 2) % 4 == 0)
                p = Shade(base, 0.7);
            else if (kind == "studded" && x % 4 == 0 && y % 4 == 0)
                p = silver;
            else if (kind == "plate" && x > 10 && x < 14)
                p = Rgb(236, 238, 246);
            c.Set(x, y, p);
        }
    if (kind == "robe")
        line(c, 16, 7, 16, 30, 1, pal::Gold);
    if (kind == "jerkin" || kind == "studded")
        line(c, 8, 20, 24, 20, 1.5, wood_d);
}

void helm(TCanvas& c, const std::string& kind) {
    const TRGB metal = kind == "cap" ? leather : steel;
    c.Fill_Ellipse(16, 16, 10, 10, metal);
    c.Fill_Rect(6, 16, 21, 8, metal);
    if (kind == "iron") {
        c.Fill_Rect(15, 16, 3, 10, steel_dark);
        line(c, 6, 17, 26, 17, 1.5, steel_dark);
    } else if (kind == "visored") {
        c.Fill_Rect(8, 17, 17, 2, Rgb(30, 30, 34));
        for (int x = 10; x < 24; x += 3)
            c.Set(x, 21, Rgb(30, 30, 34));
        line(c, 16, 4, 16, 10, 2, Rgb(170, 40, 40));
    } else {
        line(c, 6, 22, 26, 22, 1.5, wood_d);
    }
    c.Fill_Circle(12, 11, 1.6, Shade(metal, 1.35));
}

void shield(TCanvas& c, const std::string& kind) {
    if (kind == "round") {
        c.Fill_Circle(16, 17, 12, wood_c);
        c.Ring(16, 17, 11.5, 1.5, iron);
        c.Fill_Circle(16, 17, 3, steel);
        for (int x = 8; x < 26; x += 5)
            line(c, x, 7, x, 27, 0.7, wood_d);
        return;
    }
    if (kind == "tower") {
        c.Fill_Rect(7, 3, 18, 27, Rgb(120, 40, 36));
        c.Rect_Outline(7, 3, 18, 27, iron);
        line(c, 16, 5, 16, 28, 2, pal::Gold);
        line(c, 9, 12, 23, 12, 2, pal::Gold);
        return;
    }
    c.Fill_Polygon({{6, 4}, {26, 4}, {26, 14}, {16, 30}, {6, 14}}, Rgb(50, 70, 130));
    line(c, 16, 5, 16, 26, 2.5, silver);
    line(c, 7, 12, 25, 12, 2.5, silver);
}

void boots(TCanvas& c, const std::string& kind) {
    const TRGB col = kind == "greaves" ? steel : kind == "soft" ? Rgb(150, 120, 90) : leather;
    for (int k = 0; k < 2; ++k) {
        const int x = 5 + k * 12;
        c.Fill_Rect(x, 8, 7, 16, col);
        c.Fill_Polygon(
            {{double(x), 22}, {x + 7.0, 22}, {x + 12.0, 26}, {x + 12.0, 29}, {double(x), 29}}, col);
        c.Fill_Rect(x, 28, 12, 2, Shade(col, 0.6));
        if (kind == "hobnail")
            for (int i = 0; i < 5; ++i)
                c.Set(x + 1 + i * 2, 29, silver);
        if (kind == "greaves")
            line(c, x + 1, 10, x + 1, 22, 1, Rgb(240, 240, 250));
    }
}

void gloves(TCanvas& c, bool chain) {
    const TRGB col = chain ? steel_dark : leather;
    for (int k = 0; k < 2; ++k) {
        const double x = 9 + k * 14;
        c.Fill_Ellipse(x, 18, 6, 7, col);
        for (int f = 0; f < 4; ++f)
            line(c, x - 4.5 + f * 3, 14, x - 4.5 + f * 3, 7, 2.2, col);
        line(c, x + (k ? -6 : 6), 17, x + (k ? -9 : 9), 13, 2.5, col);
        c.Fill_Rect(int(x) - 6, 24, 12, 5, Shade(col, 0.75));
    }
    if (chain)
        for (int y = 6; y < 29; y += 2)
            for (int x = 2; x < 30; x += 2)
                if (c.Get(x, y) == col)
                    c.Set(x, y, steel);
}

void belt(TCanvas& c, const std::string& kind) {
    const TRGB col = kind == "rope" ? Rgb(190, 170, 120) : leather;
    c.Ring(16, 18, 11, 3, col);
    c.Fill_Rect(3, 8, 26, 9, Pink);
    c.Fill_Rect(12, 24, 8, 6, kind == "rope" ? col : brass);
    c.Fill_Rect(14, 26, 4, 2, kind == "rope" ? Shade(col, 0.7) : Rgb(60, 50, 30));
    if (kind == "plated")
        for (double a = 0.3; a < pi - 0.3; a += 0.5)
            c.Fill_Rect(int(16 + 11 * std::cos(a)) - 1, int(18 + 11 * std::sin(a)) - 1, 3, 3,
                        steel);
    if (kind == "rope")
        line(c, 17, 29, 19, 31, 1.5, col);
}

void ring(TCanvas& c, TRGB metal, TRGB gem) {
    c.Ring(16, 22, 6, 2.2, metal);
    c.Fill_Circle(16, 15, 3, gem);
    c.Fill_Circle(15, 14, 1, Shade(gem, 1.6));
}

void amulet(TCanvas& c, bool bone_kind) {
    for (double a = 0.2; a < pi - 0.2; a += 0.08)
        c.Set(int(16 + 10 * std::cos(a)), int(6 + 11 * std::sin(a)) - 4,
              bone_kind ? Rgb(150, 120, 80) : silver);
    if (bone_kind) {
        c.Fill_Polygon({{13, 16}, {19, 16}, {16, 28}}, bone);
    } else {
        c.Fill_Circle(16, 20, 5, silver);
        c.Fill_Circle(16, 20, 3, Rgb(60, 120, 220));
    }
}

void potion(TCanvas& c, TRGB liquid, bool large) {
    const double r = large ? 9 : 7, cy = large ? 20 : 22;
    c.Fill_Rect(14, int(cy - r - 6), 5, 7, Rgb(200, 210, 215));
    c.Fill_Rect(13, int(cy - r - 8), 7, 3, wood_c);
    c.Fill_Circle(16.5, cy, r, Rgb(200, 210, 215));
    c.Fill_Circle(16.5, cy + 0.5, r - 1.2, liquid);
    c.Fill_Rect(int(16.5 - r), int(cy - r), int(2 * r + 1), int(r * 0.6), Rgb(200, 210, 215));
    c.Fill_Circle(13, cy - 1, 1.5, Shade(liquid, 1.7));
}

void scroll(TCanvas& c, TRGB ribbon) {
    c.Fill_Rect(7, 10, 18, 14, pal::Parchment);
    c.Fill_Ellipse(16, 10, 10, 2.5, pal::Parchment_Dark);
    c.Fill_Ellipse(16, 24, 10, 2.5, pal::Parchment_Dark);
    for (int y = 13; y < 22; y += 3)
        line(c, 10, y, 22, y, 0.8, Rgb(130, 100, 70));
    c.Fill_Rect(15, 9, 3, 16, ribbon);
}

void food(TCanvas& c, const std::string& kind) {
    if (kind == "bread") {
        c.Fill_Ellipse(16, 22, 12, 7, Rgb(190, 130, 60));
        c.Fill_Ellipse(15, 20, 10, 4.5, Rgb(220, 170, 90));
        for (int x = 9; x < 24; x += 5)
            line(c, x, 18, x + 2, 22, 1, Rgb(160, 100, 40));
    } else if (kind == "cheese") {
        c.Fill_Polygon({{5, 26}, {27, 26}, {27, 18}, {9, 14}}, Rgb(240, 200, 80));
        c.Fill_Polygon({{9, 14}, {27, 18}, {22, 13}}, Rgb(255, 226, 120));
        c.Fill_Circle(14, 22, 1.5, Rgb(200, 160, 50));
        c.Fill_Circle(21, 21, 1.2, Rgb(200, 160, 50));
    } else if (kind == "eel") {
        for (int i = 0; i < 22; ++i)
            c.Fill_Circle(5 + i, 22 + 3 * std::sin(i * 0.45), 2.6 - i * 0.05, Rgb(120, 100, 70));
        c.Set(26, 21, Rgb(30, 30, 30));
    } else {
        c.Fill_Rect(14, 18, 4, 10, Rgb(230, 220, 200));
        c.Fill_Ellipse(16, 17, 9, 5, Rgb(170, 90, 60));
        c.Fill_Circle(13, 15, 1.3, Rgb(240, 220, 200));
        c.Fill_Circle(19, 16, 1.1, Rgb(240, 220, 200));
    }
}

void coins(TCanvas& c, int piles) {
    TForge_Random r(uint64_t(piles) * 13);
    const int count = piles == 1 ? 3 : piles == 2 ? 8 : 16;
    for (int i = 0; i < count; ++i) {
        const double x = 16 + r.Signed() * (4 + piles * 3), y = 25 - r.Unit() * (2 + piles * 3);
        c.Fill_Ellipse(x, y + 1, 4, 2, pal::Gold_Dark);
        c.Fill_Ellipse(x, y, 4, 2, gold);
        c.Set(int(x) - 1, int(y) - 1, pal::Gold_Light);
    }
}

void key(TCanvas& c, TRGB metal) {
    c.Ring(9, 12, 4.5, 2.2, metal);
    line(c, 12, 15, 25, 28, 2.2, metal);
    line(c, 20, 23, 17, 26, 2, metal);
    line(c, 24, 27, 21, 30, 2, metal);
}

void torch(TCanvas& c) {
    line(c, 10, 29, 19, 12, 3, wood_c);
    c.Fill_Rect(17, 11, 5, 4, Rgb(90, 70, 50));
    Draw_Motif(c, TMotif::Flame, 13, 0, 14, 2);
}

void lantern(TCanvas& c) {
    c.Ring(16, 7, 3, 1.2, iron);
    c.Fill_Rect(9, 10, 14, 3, iron);
    c.Fill_Rect(10, 13, 12, 13, Rgb(255, 210, 110));
    c.Fill_Rect(14, 15, 4, 8, Rgb(255, 250, 210));
    c.Rect_Outline(10, 13, 12, 13, iron);
    line(c, 16, 13, 16, 26, 1, iron);
    c.Fill_Rect(9, 26, 14, 3, iron);
}

void treasure(TCanvas& c, const std::string& kind) {
    if (kind == "chalice") {
        c.Fill_Polygon({{8, 6}, {24, 6}, {21, 15}, {11, 15}}, gold);
        c.Fill_Rect(15, 15, 3, 9, pal::Gold_Dark);
        c.Fill_Ellipse(16, 26, 7, 2.5, gold);
        c.Fill_Circle(16, 10, 1.5, Rgb(200, 40, 60));
        line(c, 10, 7, 12, 13, 1, pal::Gold_Light);
    } else if (kind == "reliquary") {
        c.Fill_Rect(6, 14, 20, 13, gold);
        c.Fill_Polygon({{5, 14}, {27, 14}, {16, 6}}, pal::Gold_Dark);
        line(c, 16, 16, 16, 25, 1.5, Rgb(200, 40, 60));
        line(c, 12, 19, 20, 19, 1.5, Rgb(200, 40, 60));
        c.Rect_Outline(6, 14, 20, 13, pal::Gold_Dark);
    } else {
        for (double a = 0; a < 2 * pi; a += 0.35)
            c.Fill_Circle(16 + 9 * std::cos(a), 14 + 7 * std::sin(a), 1.4, Rgb(120, 60, 40));
        line(c, 16, 21, 16, 30, 1.5, silver);
        line(c, 13, 24, 19, 24, 1.5, silver);
    }
}

// A carved stone with a glowing rune; the vigil's rune burns gold, the ward's blue.
void glyph(TCanvas& c, bool vigil) {
    const TRGB rune = vigil ? Rgb(255, 210, 110) : Rgb(120, 220, 255);
    c.Fill_Polygon({{6, 8}, {26, 6}, {27, 27}, {5, 28}}, Rgb(110, 106, 100));
    line(c, 16, 10, 16, 24, 1.5, rune);
    if (vigil) {
        line(c, 10, 14, 22, 14, 1.5, rune);
        c.Fill_Polygon({{12, 24}, {20, 24}, {16, 19}}, rune);
    } else {
        line(c, 11, 13, 21, 21, 1.5, rune);
        line(c, 21, 13, 11, 21, 1.5, rune);
    }
    c.Ring(16, 17, 7, 1, Shade(rune, 0.75));
}

void orb(TCanvas& c) {
    c.Fill_Circle(16, 17, 10, Rgb(40, 110, 130));
    c.Fill_Circle(16, 17, 7, Rgb(70, 160, 170));
    c.Fill_Circle(13, 13, 3, Rgb(210, 250, 250));
    c.Fill_Ellipse(16, 28, 7, 2, brass);
}

void clapper(TCanvas& c) {
    line(c, 16, 4, 16, 22, 3, iron);
    c.Fill_Circle(16, 24, 5, iron);
    c.Fill_Circle(14.5, 22.5, 1.5, steel);
    c.Ring(16, 4, 2.5, 1.5, iron);
}

void psalter(TCanvas& c) {
    c.Fill_Rect(7, 6, 18, 22, Rgb(60, 30, 30));
    c.Fill_Rect(23, 7, 3, 20, pal::Parchment);
    line(c, 16, 10, 16, 22, 2, gold);
    line(c, 12, 14, 20, 14, 2, gold);
    c.Rect_Outline(7, 6, 18, 22, pal::Gold_Dark);
}

TRGB potion_colour(const std::string& name) {
    if (name.find("red") != std::string::npos)
        return Rgb(200, 26, 30);
    if (name.find("blue") != std::string::npos)
        return Rgb(40, 80, 220);
    if (name.find("green") != std::string::npos)
        return Rgb(60, 170, 50);
    if (name.find("gold") != std::string::npos)
        return Rgb(230, 180, 40);
    return Rgb(40, 34, 44); // black
}

TRGB scroll_ribbon(const std::string& kind) {
    if (kind == "fire")
        return Rgb(210, 70, 30);
    if (kind == "heal")
        return Rgb(60, 170, 70);
    if (kind == "holy")
        return Rgb(240, 220, 120);
    if (kind == "light")
        return Rgb(250, 240, 180);
    if (kind == "blink")
        return Rgb(140, 90, 220);
    return Rgb(60, 120, 200); // reveal
}

// Draws the item named by its file name (without ".bmp").
TCanvas item(const std::string& n) {
    TCanvas c(32, 32);
    auto after = [&n](const char* prefix) { return n.substr(std::string(prefix).size()); };
    if (n.starts_with("sword_")) {
        const std::string k = after("sword_");
        const double len = k == "short" ? 13 : k == "long" ? 20 : k == "broad" ? 17 : 18;
        blade(c, len, k == "broad" ? 4.5 : 3, k == "grave" ? Rgb(120, 150, 130) : steel, leather,
              k == "grave" ? Rgb(80, 90, 80) : pal::Gold);
    } else if (n.starts_with("dagger_")) {
        const std::string k = after("dagger_");
        blade(c, 9, 2.8,
              k == "bone"       ? bone
              : k == "rusted"   ? Rgb(150, 100, 70)
              : k == "mourning" ? Rgb(70, 70, 90)
                                : steel,
              k == "mourning" ? Rgb(40, 40, 50) : leather, k == "bone" ? bone : steel_dark);
    } else if (n.starts_with("axe_")) {
        const std::string k = after("axe_");
        axe(c,
            k == "hatchet"    ? 6
            : k == "headsman" ? 10
                              : 8,
            k == "headsman" ? Rgb(150, 150, 160) : steel, k == "war");
    } else if (n.starts_with("mace_")) {
        mace(c, after("mace_"));
    } else if (n.starts_with("bow_")) {
        bow(c, after("bow_") == "long");
    } else if (n.starts_with("crossbow_")) {
        crossbow(c, after("crossbow_") == "heavy");
    } else if (n.starts_with("ammo_arrows")) {
        ammo(c, false, n.ends_with("barbed") ? Rgb(160, 60, 50) : steel);
    } else if (n.starts_with("ammo_bolts")) {
        ammo(c, true, n.ends_with("iron") ? iron : steel);
    } else if (n.starts_with("spear_")) {
        spear(c, after("spear_") == "glaive");
    } else if (n.starts_with("staff_")) {
        staff(c, after("staff_"));
    } else if (n.starts_with("wand_")) {
        wand(c, after("wand_") == "frost" ? Rgb(140, 210, 255) : Rgb(240, 110, 40));
    } else if (n.starts_with("scepter_")) {
        scepter(c, after("scepter_") == "bronze" ? Rgb(180, 120, 60) : silver,
                after("scepter_") == "tide");
    } else if (n.starts_with("armor_")) {
        armour(c, after("armor_"));
    } else if (n.starts_with("helm_")) {
        helm(c, after("helm_"));
    } else if (n.starts_with("shield_")) {
        shield(c, after("shield_"));
    } else if (n.starts_with("boots_")) {
        boots(c, after("boots_"));
    } else if (n.starts_with("gloves_")) {
        gloves(c, after("gloves_") == "chain");
    } else if (n.starts_with("belt_")) {
        belt(c, after("belt_"));
    } else if (n.starts_with("ring_")) {
        const std::string k = after("ring_");
        ring(c,
             k == "gold"     ? gold
             : k == "copper" ? copper
                             : silver,
             k == "gold"     ? Rgb(200, 30, 40)
             : k == "copper" ? Rgb(60, 170, 80)
                             : Rgb(60, 110, 220));
    } else if (n.starts_with("amulet_")) {
        amulet(c, after("amulet_") == "bone");
    } else if (n.starts_with("potion_")) {
        potion(c, potion_colour(n), n.ends_with("_large"));
    } else if (n.starts_with("scroll_")) {
        scroll(c, scroll_ribbon(after("scroll_")));
    } else if (n.starts_with("food_")) {
        food(c, after("food_"));
    } else if (n.starts_with("gold_")) {
        const std::string k = after("gold_");
        coins(c, k == "small" ? 1 : k == "medium" ? 2 : 3);
    } else if (n.starts_with("key_")) {
        key(c, after("key_") == "brass" ? brass : iron);
    } else if (n == "torch") {
        torch(c);
    } else if (n == "lantern") {
        lantern(c);
    } else if (n.starts_with("treasure_")) {
        treasure(c, after("treasure_"));
    } else if (n.starts_with("glyph_")) {
        glyph(c, n == "glyph_vigil");
    } else if (n.starts_with("orb_")) {
        orb(c);
    } else if (n == "quest_clapper") {
        clapper(c);
    } else if (n == "quest_psalter") {
        psalter(c);
    } else {
        Draw_Motif(c, TMotif::Circle_Empty, 4, 4, 24); // a name we have no drawing for
    }
    c.Outline(Rgb(24, 20, 18));
    return c;
}

const char* const item_names[] = {"ammo_arrows",
                                  "ammo_arrows_barbed",
                                  "ammo_bolts",
                                  "ammo_bolts_iron",
                                  "amulet_bone",
                                  "amulet_silver",
                                  "armor_chain",
                                  "armor_jerkin",
                                  "armor_plate",
                                  "armor_robe",
                                  "armor_scale",
                                  "armor_studded",
                                  "axe_bearded",
                                  "axe_hatchet",
                                  "axe_headsman",
                                  "axe_war",
                                  "belt_leather",
                                  "belt_plated",
                                  "belt_rope",
                                  "boots_greaves",
                                  "boots_hobnail",
                                  "boots_soft",
                                  "bow_hunting",
                                  "bow_long",
                                  "crossbow_heavy",
                                  "crossbow_light",
                                  "dagger_bone",
                                  "dagger_mourning",
                                  "dagger_plain",
                                  "dagger_rusted",
                                  "food_bread",
                                  "food_cheese",
                                  "food_eel",
                                  "food_mushroom",
                                  "gloves_chain",
                                  "gloves_leather",
                                  "glyph_vigil",
                                  "glyph_warding",
                                  "gold_large",
                                  "gold_medium",
                                  "gold_small",
                                  "helm_cap",
                                  "helm_iron",
                                  "helm_visored",
                                  "key_brass",
                                  "key_iron",
                                  "lantern",
                                  "mace_bellhammer",
                                  "mace_cudgel",
                                  "mace_flanged",
                                  "mace_iron",
                                  "orb_stillwater",
                                  "potion_black",
                                  "potion_blue",
                                  "potion_blue_large",
                                  "potion_gold",
                                  "potion_green",
                                  "potion_red",
                                  "potion_red_large",
                                  "quest_clapper",
                                  "quest_psalter",
                                  "ring_copper",
                                  "ring_gold",
                                  "ring_silver",
                                  "scepter_bronze",
                                  "scepter_tide",
                                  "scroll_blink",
                                  "scroll_fire",
                                  "scroll_heal",
                                  "scroll_holy",
                                  "scroll_light",
                                  "scroll_reveal",
                                  "shield_kite",
                                  "shield_round",
                                  "shield_tower",
                                  "spear_boar",
                                  "spear_glaive",
                                  "staff_ashwood",
                                  "staff_embers",
                                  "staff_ironshod",
                                  "sword_broad",
                                  "sword_grave",
                                  "sword_long",
                                  "sword_short",
                                  "torch",
                                  "treasure_chalice",
                                  "treasure_reliquary",
                                  "treasure_rosary",
                                  "wand_cinders",
                                  "wand_frost"};

} // namespace

std::vector<TPicture_Entry> Item_Pictures() {
    std::vector<TPicture_Entry> list;
    for (const char* n : item_names) {
        const std::string name = n;
        list.push_back(TPicture_Entry{"Pictures/Items", name + ".bmp", "items", false, [name] {
                                          TCanvas c = item(name);
                                          c.Make_Safe();
                                          return c;
                                      }});
    }
    return list;
}
