// Monster pictures and class portraits: full-body figures standing on the square (feet
// near (27, 44)), one picture at rest and one attacking, built from a few body plans so
// the classes tell apart at a glance: people with their gear, skeletons, ghouls,
// beasts, vermin, spiders, heaps, ghosts and the drowned; the bosses stand larger and
// glow.

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

enum class TBody { Person, Skeleton, Ghoul, Hound, Rat, Lizard, Worm, Spider, Heap, Ghost, Wisp };
enum class TGear { None, Sword, Axe, Staff, Bow, Sack, Hammer, Bell_Staff, Pipe, Dagger, Book };

struct TLook {
    TBody body = TBody::Person;
    TRGB skin = Rgb(222, 180, 140);
    TRGB cloth = Rgb(90, 70, 50); // tunic or robe
    TRGB trim = Rgb(60, 46, 34);  // legs, belt, hood
    TRGB hair = Rgb(80, 56, 36);
    TGear gear = TGear::None;
    bool robe = false;
    bool hood = false;
    bool armour = false; // mail over the body
    bool shield = false;
    bool crown = false; // a crown of bells
    bool chains = false;
    double scale = 1.0; // bosses stand larger
    TRGB glow = Pink;   // an aura, or Pink for none
    TRGB eyes = Rgb(30, 24, 20);
};

struct TPainter {
    TCanvas& c;
    double scale;
    bool attack;
    // Figure space: x centred on 27, y up from the feet at 44, scaled for bosses.
    double X(double x) const { return 27 + x * scale; }
    double Y(double y) const { return 44 - y * scale; }
    void ell(double x, double y, double rx, double ry, TRGB col) const {
        c.Fill_Ellipse(X(x), Y(y), rx * scale, ry * scale, col);
    }
    void line(double x0, double y0, double x1, double y1, double w, TRGB col) const {
        c.Thick_Line(X(x0), Y(y0), X(x1), Y(y1), std::max(1.0, w * scale), col);
    }
    void poly(std::initializer_list<std::pair<double, double>> pts, TRGB col) const {
        std::vector<TPoint> v;
        for (auto [x, y] : pts)
            v.push_back({X(x), Y(y)});
        c.Fill_Polygon(v, col);
    }
};

void shadow(TCanvas& c, double rx) {
    c.Fill_Ellipse(27, 45, rx, rx * 0.35, Rgb(24, 22, 24));
}

// A held item from the hand at (x, y) pointing along angle (0 = up).
void gear_at(const TPainter& p, TGear gear, double x, double y, double angle) {
    const double dx = std::sin(angle), dy = std::cos(angle);
    switch (gear) {
    case TGear::Sword:
    case TGear::Dagger: {
        const double len = gear == TGear::Sword ? 16 : 8;
        p.line(x, y, x + dx * len, y + dy * len, 2, Rgb(210, 214, 224));
        p.line(x - dy * 3, y + dx * 3, x + dy * 3, y - dx * 3, 1.5, pal::Gold_Dark);
        break;
    }
    case TGear::Axe:
        p.line(x - dx * 3, y - dy * 3, x + dx * 14, y + dy * 14, 1.5, pal::Wood_Light);
        p.poly({{x + dx * 10, y + dy * 10},
                {x + dx * 15 + dy * 6, y + dy * 15 - dx * 6},
                {x + dx * 9 + dy * 6, y + dy * 9 - dx * 6}},
               Rgb(180, 186, 196));
        break;
    case TGear::Hammer:
        p.line(x - dx * 3, y - dy * 3, x + dx * 12, y + dy * 12, 1.5, pal::Wood_Light);
        p.line(x + dx * 12 - dy * 4, y + dy * 12 + dx * 4, x + dx * 12 + dy * 4,
               y + dy * 12 - dx * 4, 4, Rgb(110, 110, 120));
        break;
    case TGear::Staff:
    case TGear::Bell_Staff:
        p.line(x - dx * 14, y - dy * 14, x + dx * 14, y + dy * 14, 1.5, pal::Wood_Light);
        if (gear == TGear::Bell_Staff)
            p.poly({{x + dx * 14 - 3, y + dy * 14},
                    {x + dx * 14 + 3, y + dy * 14},
                    {x + dx * 14 + 2, y + dy * 14 + 4},
                    {x + dx * 14 - 2, y + dy * 14 + 4}},
                   pal::Gold);
        else
            p.ell(x + dx * 14, y + dy * 14, 2, 2, Rgb(120, 200, 255));
        break;
    case TGear::Bow:
        p.c.Ring(p.X(x + 2), p.Y(y), 9 * p.scale, 1.5, pal::Wood_Light);
        p.c.Fill_Rect(int(p.X(x + 2) - 10 * p.scale), int(p.Y(y) - 10 * p.scale), int(10 * p.scale),
                      int(21 * p.scale), Pink);
        p.line(x + 2, y + 9, x + 2, y - 9, 0.8, Rgb(220, 220, 200));
        break;
    case TGear::Sack:
        p.ell(x + 2, y - 4, 5, 6, Rgb(150, 130, 100));
        p.line(x, y + 1, x + 3, y + 2, 1, Rgb(100, 80, 60));
        break;
    case TGear::Pipe:
        p.line(x, y, x + 4, y + 2, 1, Rgb(120, 90, 60));
        break;
    case TGear::Book:
        p.poly({{x - 3, y - 3}, {x + 4, y - 3}, {x + 4, y + 3}, {x - 3, y + 3}}, Rgb(110, 40, 36));
        break;
    case TGear::None:
        break;
    }
}

void person(const TPainter& p, const TLook& l) {
    const bool attack = p.attack;
    const bool bones = l.body == TBody::Skeleton;
    const bool ghoul = l.body == TBody::Ghoul;
    const double hunch = ghoul ? 3 : 0;
    const TRGB leg = bones ? l.skin : l.trim;
    // Legs.
    if (!l.robe) {
        p.line(-3, 14, -4 - (attack ? 2 : 0), 1, bones ? 1.5 : 3, leg);
        p.line(3, 14, 4 + (attack ? 2 : 0), 1, bones ? 1.5 : 3, leg);
        p.ell(-4.5 - (attack ? 2 : 0), 1, 2.5, 1.2, Rgb(50, 36, 26));
        p.ell(4.5 + (attack ? 2 : 0), 1, 2.5, 1.2, Rgb(50, 36, 26));
    }
    // Body.
    if (l.robe) {
        p.poly({{-5 + hunch, 28}, {5 + hunch, 28}, {9, 0}, {-9, 0}}, l.cloth);
        p.line(0 + hunch, 27, 0, 2, 1, Shade(l.cloth, 0.75));
    } else if (bones) {
        p.line(0, 28, 0, 14, 1.5, l.skin); // spine
        for (int r = 0; r < 4; ++r)
            p.line(-5, 26 - r * 3, 5, 26 - r * 3, 1, l.skin); // ribs
        p.ell(0, 14, 4, 2, l.skin);                           // pelvis
    } else {
        p.poly({{-6 + hunch, 29}, {6 + hunch, 29}, {5, 13}, {-5, 13}}, l.cloth);
        p.line(-5, 15, 5, 15, 1.5, l.trim); // belt
    }
    if (l.armour) {
        // Mail: a grey coat with a ring texture, over the tunic.
        p.poly({{-6 + hunch, 28}, {6 + hunch, 28}, {5.5, 12}, {-5.5, 12}}, Rgb(126, 128, 138));
        for (int y = int(p.Y(28)); y <= int(p.Y(12)); ++y)
            for (int x = int(p.X(-6)); x <= int(p.X(6 + hunch)); ++x)
                if ((x + y) % 2 == 0 && p.c.Get(x, y) == Rgb(126, 128, 138))
                    p.c.Set(x, y, Rgb(168, 170, 180));
        p.line(-5, 15, 5, 15, 1.5, l.trim);
    }
    if (l.chains) {
        p.line(-6, 26, 6, 16, 1, Rgb(120, 120, 128));
        p.line(-6, 10, 5, 4, 1, Rgb(120, 120, 128));
    }
    // Head.
    const double hx = hunch * 1.3, hy = 34 - hunch;
    p.ell(hx, hy, 4.5, 5, l.skin);
    if (bones) {
        p.ell(hx - 1.8, hy + 0.5, 1.3, 1.5, Rgb(30, 24, 24));
        p.ell(hx + 1.8, hy + 0.5, 1.3, 1.5, Rgb(30, 24, 24));
        p.line(hx - 2, hy - 3, hx + 2, hy - 3, 0.8, Rgb(90, 80, 70));
    } else {
        if (l.hood) {
            p.poly({{hx - 6, hy - 2},
                    {hx - 5, hy + 5},
                    {hx, hy + 8},
                    {hx + 5, hy + 5},
                    {hx + 6, hy - 2},
                    {hx + 4, hy + 3},
                    {hx - 4, hy + 3}},
                   l.trim);
        } else {
            p.ell(hx, hy + 3.5, 4.8, 2.5, l.hair);
        }
        p.c.Set(int(p.X(hx - 1.8)), int(p.Y(hy)), l.eyes);
        p.c.Set(int(p.X(hx + 1.8)), int(p.Y(hy)), l.eyes);
        if (attack)
            p.ell(hx, hy - 2.5, 1.3, 1, Rgb(80, 20, 20));
    }
    if (l.crown) {
        for (int i = -2; i <= 2; ++i)
            p.poly({{hx + i * 2.2 - 1, hy + 5},
                    {hx + i * 2.2 + 1, hy + 5},
                    {hx + i * 2.2 + 1.3, hy + 2.5},
                    {hx + i * 2.2 - 1.3, hy + 2.5}},
                   pal::Gold);
    }
    // Arms: at rest the weapon arm hangs forward; attacking it swings up and out.
    const TRGB arm = bones ? l.skin : (l.robe ? l.cloth : l.skin);
    const double reach = ghoul ? 4 : 0;
    const double sx = 6 + hunch, sy = 27;
    double hx2, hy2, angle;
    if (attack) {
        hx2 = sx + 8 + reach;
        hy2 = sy + 4;
        angle = pi * 0.3;
    } else {
        hx2 = sx + 2;
        hy2 = sy - 12 - reach;
        angle = pi * 0.15;
    }
    p.line(sx, sy, hx2, hy2, bones ? 1.2 : 2.5, arm);
    p.line(-sx + 2 * hunch, sy, -sx - 1 + 2 * hunch - (attack ? 3 : 0), sy - 12 - reach,
           bones ? 1.2 : 2.5, arm);
    if (ghoul) {
        for (int k = -1; k <= 1; ++k)
            p.line(hx2, hy2, hx2 + 2 + k, hy2 - 2.5, 0.7, Rgb(230, 230, 210));
    }
    gear_at(p, l.gear, hx2, hy2, angle);
    if (l.shield) {
        p.ell(-sx - 1, sy - 9, 5, 6.5, Rgb(110, 60, 40));
        p.ell(-sx - 1, sy - 9, 3.5, 5, Rgb(150, 90, 50));
        p.ell(-sx - 1, sy - 9, 1.2, 1.2, pal::Gold);
    }
}

void hound(const TPainter& p, const TLook& l, bool rat, bool lizard) {
    const double lunge = p.attack ? 4 : 0;
    const double h = rat ? 0.55 : lizard ? 0.4 : 1.0;
    // Tail, legs, body, head.
    if (rat)
        p.line(-9, 4, -17, 2, 1, Rgb(200, 150, 150));
    else if (lizard)
        p.line(-9, 3, -19, 1, 2, l.skin);
    else
        p.line(-10, 16 * h, -15, 20 * h + 4, 1.8, l.skin);
    for (double x : {-7.0, -3.0, 5.0, 9.0}) {
        const double spread = lizard ? 4 : 0;
        p.line(x + lunge * (x > 0), 12 * h, x + lunge * (x > 0) + (x > 0 ? spread : -spread), 0,
               rat ? 1.2 : 2, Shade(l.skin, 0.8));
    }
    p.ell(1 + lunge / 2, 14 * h + 2, 11, 6 * h + 1.5, l.skin);
    p.ell(0 + lunge / 2, 16 * h + 3, 8, 3 * h + 1, Shade(l.skin, 1.15));
    const double hx = 13 + lunge, hy = 18 * h + 4;
    p.ell(hx, hy, rat ? 4 : 5, rat ? 3.2 : 4, l.skin);
    p.ell(hx + 4, hy - 1.5, 3, 2, Shade(l.skin, 0.9)); // snout
    if (!lizard)
        p.poly({{hx - 3, hy + 2}, {hx - 1, hy + 7}, {hx + 1, hy + 2}}, Shade(l.skin, 0.8)); // ear
    p.c.Set(int(p.X(hx + 1)), int(p.Y(hy + 1)), l.eyes);
    if (p.attack) {
        p.poly({{hx + 3, hy - 2.5}, {hx + 8, hy - 5}, {hx + 7, hy - 1.5}}, Rgb(120, 30, 30));
        p.line(hx + 4, hy - 2.6, hx + 7, hy - 4.2, 0.6, Rgb(240, 240, 230));
    }
    if (l.body == TBody::Hound && l.cloth != l.skin) {
        // Skinless: sinew stripes along the body.
        for (double x = -7; x <= 8; x += 3)
            p.line(x, 14 * h - 2, x + 1, 14 * h + 6, 0.8, l.cloth);
    }
}

void worm(const TPainter& p, const TLook& l) {
    const double lift = p.attack ? 6 : 0;
    for (int i = 0; i < 6; ++i) {
        const double x = -12 + i * 4.5, y = 5 + (i == 5 ? lift : 0) + std::sin(i * 0.9) * 1.5;
        p.ell(x, y, 4.2, 4.5 - i * 0.2, i % 2 ? l.skin : Shade(l.skin, 0.88));
    }
    const double hx = 11, hy = 5 + lift;
    p.ell(hx + 2.5, hy, 2, 2.5, Shade(l.skin, 0.6));
    if (p.attack)
        p.ell(hx + 3, hy, 1.2, 1.5, Rgb(120, 30, 30));
}

void spider(const TPainter& p, const TLook& l) {
    const double rear = p.attack ? 4 : 0;
    for (int side = -1; side <= 1; side += 2)
        for (int k = 0; k < 4; ++k) {
            const double ky = 10 + k * 1.5;
            const double kx = side * (6 + k * 1.5);
            p.line(side * 2, 9 + rear * (k == 0), kx, ky + 5 + rear * (k == 0), 1.2, l.skin);
            p.line(kx, ky + 5 + rear * (k == 0), kx + side * 4, 0 + (k == 0 ? rear * 2 : 0), 1.2,
                   l.skin);
        }
    p.ell(-2, 10, 8, 6, l.skin);
    p.ell(-3, 11.5, 4, 2.5, Rgb(226, 220, 200)); // the skull mark
    p.ell(6, 9 + rear, 4, 3.5, Shade(l.skin, 1.2));
    for (int i = 0; i < 4; ++i)
        p.c.Set(int(p.X(5 + i * 1.0)), int(p.Y(10 + rear)), Rgb(220, 40, 30));
}

void heap(const TPainter& p, const TLook& l) {
    const double rise = p.attack ? 5 : 0;
    p.poly({{-14, 0}, {-10, 12 + rise * 0.5}, {-3, 20 + rise}, {5, 18 + rise}, {12, 10}, {15, 0}},
           l.skin);
    p.ell(-3, 15 + rise, 6, 4, Shade(l.skin, 1.2));
    p.line(-8, 6, -2, 9, 1.5, Rgb(214, 206, 180)); // bones in the mud
    p.line(4, 4, 9, 8, 1.5, Rgb(214, 206, 180));
    p.ell(0, 17 + rise, 1.2, 1.2, Rgb(230, 200, 80));
    p.ell(4, 16 + rise, 1.2, 1.2, Rgb(230, 200, 80));
    if (p.attack)
        p.line(10, 10, 17, 20, 3, l.skin); // a lashing limb
}

void ghost(const TPainter& p, const TLook& l) {
    const double spread = p.attack ? 6 : 0;
    p.poly({{-7, 30}, {7, 30}, {10, 10}, {6, 4}, {3, 8}, {0, 2}, {-3, 8}, {-6, 4}, {-10, 10}},
           l.cloth);
    p.ell(0, 32, 6, 6, l.cloth);
    p.ell(-2, 32, 1.5, 2, l.eyes);
    p.ell(2, 32, 1.5, 2, l.eyes);
    p.ell(0, 28.5, 1.5, p.attack ? 2.5 : 1.2, Rgb(40, 36, 50));
    p.line(6, 24, 12 + spread, 20 + spread, 2.5, l.cloth);
    p.line(-6, 24, -12 - spread, 20 + spread, 2.5, l.cloth);
    if (l.gear == TGear::Bell_Staff) {
        // A bell held out.
        p.poly({{11 + spread, 20 + spread},
                {15 + spread, 20 + spread},
                {16 + spread, 14 + spread},
                {10 + spread, 14 + spread}},
               pal::Gold);
    }
}

void wisp(const TPainter& p, const TLook& l) {
    const double flare = p.attack ? 1.4 : 1.0;
    for (int r = 9; r > 0; r -= 2)
        p.ell(0, 24, r * flare, r * 1.2 * flare, Mix(l.glow, Rgb(255, 250, 230), 1.0 - r / 10.0));
    p.ell(-2, 25, 1, 1.4, Rgb(60, 40, 30));
    p.ell(2, 25, 1, 1.4, Rgb(60, 40, 30));
    p.poly({{-4, 16}, {4, 16}, {1, 6}}, Mix(l.glow, l.cloth, 0.5));
}

TCanvas figure(const TLook& l, bool attack) {
    TCanvas c(54, 54);
    // An aura behind bosses and glowing things.
    if (l.glow != Pink && l.body != TBody::Wisp)
        for (int y = 0; y < 54; ++y)
            for (int x = 0; x < 54; ++x) {
                const double d = std::hypot((x - 27) / 22.0, (y - 26) / 24.0);
                if (d < 1 && ((x + y) % 2 == 0 || d < 0.6))
                    c.Set(x, y, Mix(l.glow, Rgb(40, 30, 40), d));
            }
    TCanvas f(54, 54);
    shadow(f, 10 * l.scale);
    TPainter p{f, l.scale, attack};
    switch (l.body) {
    case TBody::Person:
    case TBody::Skeleton:
    case TBody::Ghoul:
        person(p, l);
        break;
    case TBody::Hound:
        hound(p, l, false, false);
        break;
    case TBody::Rat:
        hound(p, l, true, false);
        break;
    case TBody::Lizard:
        hound(p, l, false, true);
        break;
    case TBody::Worm:
        worm(p, l);
        break;
    case TBody::Spider:
        spider(p, l);
        break;
    case TBody::Heap:
        heap(p, l);
        break;
    case TBody::Ghost:
        ghost(p, l);
        break;
    case TBody::Wisp:
        wisp(p, l);
        break;
    }
    f.Outline(Rgb(22, 18, 18));
    if (attack && l.body != TBody::Wisp) {
        // A bright slash arc in front of the figure.
        for (double a = -0.9; a < 0.9; a += 0.05) {
            const double r = 17 * l.scale;
            f.Set(int(27 + 4 + r * std::cos(a)), int(24 + r * std::sin(a)), Rgb(255, 250, 220));
            f.Set(int(27 + 3 + r * std::cos(a)), int(24 + r * std::sin(a)), Rgb(250, 210, 120));
        }
    }
    c.Blit(f, 0, 0);
    return c;
}

struct TMonster {
    const char* name; // file name without ".bmp"
    TLook look;
};

TLook person_look(TRGB cloth, TRGB trim, TGear gear) {
    TLook l;
    l.cloth = cloth;
    l.trim = trim;
    l.gear = gear;
    return l;
}

std::vector<TMonster> monsters() {
    std::vector<TMonster> m;
    auto add = [&m](const char* name, TLook l) { m.push_back({name, l}); };
    TLook l;

    l = person_look(Rgb(90, 96, 110), Rgb(60, 60, 70), TGear::Bell_Staff);
    l.robe = true;
    l.hair = Rgb(190, 190, 196);
    add("warden_ilsabet", l);
    l = person_look(Rgb(110, 96, 70), Rgb(70, 60, 44), TGear::Pipe);
    l.hair = Rgb(210, 210, 210);
    add("old_fennick", l);
    l = person_look(Rgb(210, 206, 196), Rgb(60, 60, 70), TGear::Book);
    l.robe = true;
    l.hood = true;
    add("sister_aldwyn", l);
    l = person_look(Rgb(120, 80, 50), Rgb(60, 44, 30), TGear::Hammer);
    l.skin = Rgb(200, 150, 110);
    l.hair = Rgb(40, 30, 24);
    add("brannoc_smith", l);
    l = person_look(Rgb(70, 100, 70), Rgb(50, 60, 40), TGear::None);
    l.robe = true;
    l.hair = Rgb(150, 150, 150);
    add("mother_quenby", l);
    l = person_look(Rgb(80, 100, 60), Rgb(70, 56, 40), TGear::Bow);
    l.hood = true;
    add("tamsin_reed", l);
    l = person_look(Rgb(120, 70, 50), Rgb(50, 40, 34), TGear::Staff);
    l.robe = true;
    l.hood = true;
    add("brother_oswin", l);

    l = TLook{};
    l.body = TBody::Hound;
    l.skin = Rgb(140, 140, 146);
    l.cloth = l.skin;
    add("stray_hound", l);
    l.skin = Rgb(170, 60, 50);
    l.cloth = Rgb(230, 200, 180);
    l.eyes = Rgb(255, 220, 60);
    add("charnel_hound", l);
    l = TLook{};
    l.body = TBody::Rat;
    l.skin = Rgb(110, 84, 64);
    l.eyes = Rgb(220, 40, 30);
    add("cellar_rat", l);
    l = TLook{};
    l.body = TBody::Lizard;
    l.skin = Rgb(226, 222, 210);
    l.eyes = Rgb(226, 222, 210);
    add("pale_crawler", l);
    l = TLook{};
    l.body = TBody::Worm;
    l.skin = Rgb(226, 214, 170);
    add("bloated_maggot", l);
    l.skin = Rgb(70, 60, 56);
    add("cave_leech", l);
    l = TLook{};
    l.body = TBody::Spider;
    l.skin = Rgb(44, 40, 46);
    add("crypt_spider", l);
    l = TLook{};
    l.body = TBody::Heap;
    l.skin = Rgb(100, 84, 60);
    add("silt_golem", l);

    l = TLook{};
    l.body = TBody::Skeleton;
    l.skin = Rgb(222, 214, 190);
    l.gear = TGear::Sword;
    add("restless_bones", l);
    l.gear = TGear::Bow;
    add("tomb_archer", l);
    l.gear = TGear::None;
    l.chains = true;
    l.skin = Rgb(200, 190, 166);
    add("bound_skeleton", l);
    l.chains = false;
    l.skin = Rgb(222, 214, 190);
    l.gear = TGear::Staff;
    l.robe = true;
    l.cloth = Rgb(70, 40, 60);
    add("bone_acolyte", l);
    l = TLook{};
    l.body = TBody::Skeleton;
    l.skin = Rgb(210, 200, 176);
    l.gear = TGear::Axe;
    l.armour = true;
    l.shield = true;
    l.scale = 1.15;
    add("ossuary_keeper", l);

    l = TLook{};
    l.body = TBody::Ghoul;
    l.skin = Rgb(150, 156, 150);
    l.cloth = Rgb(90, 84, 70);
    l.trim = Rgb(70, 66, 56);
    l.eyes = Rgb(230, 220, 80);
    add("ossuary_ghoul", l);
    l.skin = Rgb(130, 140, 120);
    l.cloth = Rgb(80, 70, 56);
    l.eyes = Rgb(255, 60, 40);
    l.scale = 1.3;
    l.glow = Rgb(120, 40, 30);
    add("gravemaw", l);

    l = person_look(Rgb(110, 100, 80), Rgb(60, 50, 40), TGear::Sack);
    l.hood = true;
    l.trim = Rgb(70, 60, 50);
    add("grave_robber", l);
    l = person_look(Rgb(80, 80, 84), Rgb(50, 50, 56), TGear::Dagger);
    l.skin = Rgb(190, 186, 176);
    l.hair = Rgb(150, 150, 150);
    l.armour = true;
    l.scale = 1.1;
    l.glow = Rgb(70, 70, 90);
    add("corwen_stave", l);

    l = person_look(Rgb(70, 90, 80), Rgb(50, 60, 56), TGear::None);
    l.skin = Rgb(140, 170, 150);
    l.chains = true;
    l.hair = Rgb(60, 90, 50);
    add("drowned_thrall", l);
    l = person_look(Rgb(100, 120, 110), Rgb(80, 96, 90), TGear::Dagger);
    l.body = TBody::Ghoul;
    l.skin = Rgb(110, 130, 120);
    l.eyes = Rgb(250, 250, 200);
    add("eelkin_lurker", l);
    l = person_look(Rgb(70, 90, 50), Rgb(50, 60, 40), TGear::Staff);
    l.robe = true;
    l.hood = true;
    l.trim = Rgb(60, 80, 44);
    l.skin = Rgb(170, 180, 140);
    add("mire_witch", l);
    l = person_look(Rgb(60, 90, 110), Rgb(40, 60, 76), TGear::Dagger);
    l.robe = true;
    l.eyes = Rgb(230, 240, 250);
    add("tideborn_zealot", l);

    l = TLook{};
    l.body = TBody::Ghost;
    l.cloth = Rgb(150, 156, 170);
    l.eyes = Rgb(30, 30, 40);
    add("wailing_shade", l);
    l.cloth = Rgb(170, 190, 210);
    l.gear = TGear::Bell_Staff;
    add("bell_wraith", l);
    l = TLook{};
    l.body = TBody::Wisp;
    l.glow = Rgb(220, 120, 50);
    l.cloth = Rgb(120, 110, 100);
    add("ashen_wisp", l);

    l = person_look(Rgb(60, 80, 90), Rgb(40, 50, 56), TGear::Bell_Staff);
    l.robe = true;
    l.crown = true;
    l.skin = Rgb(150, 176, 170);
    l.hair = Rgb(40, 60, 60);
    l.eyes = Rgb(180, 255, 240);
    l.scale = 1.3;
    l.glow = Rgb(40, 120, 130);
    add("vessaryn", l);
    return m;
}

// Class portraits: the three callings with varied faces and colours.
std::vector<TMonster> portraits() {
    std::vector<TMonster> m;
    static const TRGB skins[] = {Rgb(232, 190, 150), Rgb(200, 150, 110), Rgb(150, 104, 70),
                                 Rgb(226, 180, 150), Rgb(180, 130, 96)};
    static const TRGB hairs[] = {Rgb(80, 56, 36), Rgb(40, 30, 24), Rgb(190, 150, 80),
                                 Rgb(140, 60, 30), Rgb(120, 120, 120)};
    static const char* fighter_names[] = {"HumanFighter1", "HumanFighter2", "HumanFighter3",
                                          "HumanFighter4", "HumanFighter5"};
    for (int i = 0; i < 5; ++i) {
        TLook l = person_look(Rgb(120, 50 + i * 10, 40), Rgb(70, 60, 50),
                              i % 2 ? TGear::Axe : TGear::Sword);
        l.armour = true;
        l.shield = true;
        l.skin = skins[i];
        l.hair = hairs[i];
        m.push_back({fighter_names[i], l});
    }
    static const char* scholar_names[] = {"HumanScholar1", "HumanScholar2", "HumanScholar3",
                                          "HumanScholar4"};
    for (int i = 0; i < 4; ++i) {
        TLook l = person_look(Rgb(50 + i * 20, 40, 110 - i * 10), Rgb(40, 30, 60), TGear::Staff);
        l.robe = true;
        l.skin = skins[(i + 1) % 5];
        l.hair = hairs[(i + 2) % 5];
        l.hood = i % 2 == 1;
        m.push_back({scholar_names[i], l});
    }
    static const char* stalker_names[] = {"HumanStalker1", "HumanStalker2", "HumanStalker3",
                                          "HumanStalker4"};
    for (int i = 0; i < 4; ++i) {
        TLook l = person_look(Rgb(70, 90 + i * 8, 50), Rgb(60, 50, 36),
                              i % 2 ? TGear::Dagger : TGear::Bow);
        l.hood = i % 2 == 0;
        l.skin = skins[(i + 3) % 5];
        l.hair = hairs[(i + 1) % 5];
        m.push_back({stalker_names[i], l});
    }
    return m;
}

TPicture_Entry monster_picture(std::string name, TLook look, bool attack) {
    return TPicture_Entry{"Pictures/Monsters", std::move(name), "monsters", false, [look, attack] {
                              TCanvas c = figure(look, attack);
                              c.Make_Safe();
                              return c;
                          }};
}

} // namespace

std::vector<TPicture_Entry> Monster_Pictures() {
    std::vector<TPicture_Entry> list;
    for (const TMonster& m : monsters()) {
        list.push_back(monster_picture(std::string(m.name) + ".bmp", m.look, false));
        list.push_back(monster_picture(std::string(m.name) + "_attack.bmp", m.look, true));
    }
    for (const TMonster& m : portraits())
        list.push_back(monster_picture(std::string(m.name) + ".bmp", m.look, false));
    return list;
}
