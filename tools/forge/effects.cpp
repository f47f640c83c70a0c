// The display effects' pictures: "fx_missiles.bmp" (32 x 32 cells, a missile per row,
// eight flight directions across) and "fx_bursts.bmp" (54 x 54 cells, a burst per row,
// six frames across, the last one a faint fade).

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "forge.h"
#include "forge_random.h"
#include "map_pictures.h"
#include "ui_parts.h"

namespace {

constexpr double pi = std::numbers::pi;

enum class TMissile { Arrow, Bolt, Knife, Fire, Frost, Spark, Venom, Shadow, Holy, Bone };

// Screen angle of flight direction frame k (0..7: north-east ... north on the map), in
// radians clockwise from straight up; the diagonals of the view run at 2:1.
double direction_angle(int k) {
    const double slant = std::atan2(2.0, 1.0); // 63.4 degrees from vertical
    const double angles[8] = {0,  slant,      pi / 2,   pi - slant,
                              pi, pi + slant, 1.5 * pi, 2 * pi - slant};
    return angles[k];
}

void missile(TCanvas& c, int ox, int oy, TMissile kind, double angle) {
    TCanvas f(32, 32);
    const double dx = std::sin(angle), dy = -std::cos(angle);
    auto at = [&](double along, double side, double& x, double& y) {
        x = 16 + dx * along - dy * side;
        y = 16 + dy * along + dx * side;
    };
    double x0, y0, x1, y1;
    switch (kind) {
    case TMissile::Arrow:
    case TMissile::Bolt: {
        const double back = kind == TMissile::Arrow ? -11 : -7;
        at(back, 0, x0, y0);
        at(8, 0, x1, y1);
        f.Thick_Line(x0, y0, x1, y1, kind == TMissile::Arrow ? 1.3 : 2.0, Rgb(150, 104, 60));
        double a, b, p, q;
        at(12, 0, a, b);
        at(7, 2.5, p, q);
        double r, s;
        at(7, -2.5, r, s);
        f.Fill_Polygon({{a, b}, {p, q}, {r, s}}, Rgb(210, 214, 224));
        at(back, 2.5, p, q);
        at(back + 4, 0, a, b);
        f.Thick_Line(p, q, a, b, 1.2, Rgb(230, 230, 220));
        at(back, -2.5, p, q);
        f.Thick_Line(p, q, a, b, 1.2, Rgb(230, 230, 220));
        break;
    }
    case TMissile::Knife:
        at(-6, 0, x0, y0);
        at(8, 0, x1, y1);
        f.Thick_Line(x0, y0, x1, y1, 2.5, Rgb(210, 214, 224));
        at(-6, 0, x0, y0);
        at(-2, 0, x1, y1);
        f.Thick_Line(x0, y0, x1, y1, 2.5, Rgb(100, 70, 40));
        break;
    case TMissile::Bone:
        at(-8, 0, x0, y0);
        at(9, 0, x1, y1);
        f.Thick_Line(x0, y0, x1, y1, 2.5, Rgb(226, 218, 194));
        f.Fill_Circle(x0, y0, 2.2, Rgb(226, 218, 194));
        break;
    case TMissile::Holy:
        at(-12, 0, x0, y0);
        at(10, 0, x1, y1);
        f.Thick_Line(x0, y0, x1, y1, 4, Rgb(250, 220, 120));
        f.Thick_Line(x0, y0, x1, y1, 1.8, Rgb(255, 255, 230));
        break;
    default: {
        // A glowing ball with a fading tail.
        TRGB outer, inner;
        switch (kind) {
        case TMissile::Fire:
            outer = Rgb(220, 70, 20), inner = Rgb(255, 220, 120);
            break;
        case TMissile::Frost:
            outer = Rgb(110, 190, 250), inner = Rgb(235, 250, 255);
            break;
        case TMissile::Spark:
            outer = Rgb(240, 220, 60), inner = Rgb(255, 255, 230);
            break;
        case TMissile::Venom:
            outer = Rgb(70, 160, 40), inner = Rgb(180, 240, 110);
            break;
        default:
            outer = Rgb(80, 30, 110), inner = Rgb(180, 120, 230);
            break;
        }
        for (int i = 5; i >= 1; --i) {
            at(-i * 2.4, 0, x0, y0);
            f.Fill_Circle(x0, y0, 4.5 - i * 0.6, Mix(outer, Rgb(60, 50, 50), i / 7.0));
        }
        at(3, 0, x0, y0);
        f.Fill_Circle(x0, y0, 5, outer);
        f.Fill_Circle(x0, y0, 2.6, inner);
        if (kind == TMissile::Spark)
            for (int k = 0; k < 4; ++k) {
                const double a = k * pi / 2 + 0.4;
                f.Thick_Line(x0, y0, x0 + 8 * std::cos(a), y0 + 8 * std::sin(a), 1,
                             Rgb(255, 250, 180));
            }
        if (kind == TMissile::Frost) {
            at(9, 0, x1, y1);
            f.Thick_Line(x0, y0, x1, y1, 2, Rgb(235, 250, 255));
        }
        break;
    }
    }
    f.Outline(Rgb(30, 24, 24));
    c.Blit(f, ox, oy);
}

struct TBurst {
    TRGB outer, inner;
    enum { Particles, Ring, Rays, Cloud, Rise } style;
};

// Frame f of 0..5; the last is a sparse fade.
void burst(TCanvas& c, int ox, int oy, const TBurst& b, int f, uint64_t seed) {
    TCanvas cell(54, 54);
    const double t = (f + 1) / 6.0;
    const double r = 5 + 20 * std::sqrt(t);
    const bool fading = f == 5;
    TForge_Random rnd(seed);
    auto sparse = [&](int x, int y) { return !fading || (x + y) % 3 == 0; };
    switch (b.style) {
    case TBurst::Ring:
        for (int y = 0; y < 54; ++y)
            for (int x = 0; x < 54; ++x) {
                const double d = std::hypot(x - 27, (y - 27) * 1.6);
                if (std::abs(d - r) < 3 && sparse(x, y))
                    cell.Set(x, y, Mix(b.inner, b.outer, std::abs(d - r) / 3));
            }
        break;
    case TBurst::Rays:
        for (int k = 0; k < 12; ++k) {
            const double a = k * pi / 6 + t;
            const double len = r * (k % 2 ? 0.7 : 1.0);
            if (!fading || k % 3 == 0)
                cell.Thick_Line(27, 27, 27 + len * std::cos(a), 27 + len * std::sin(a) * 0.8,
                                fading ? 1 : 2, b.outer);
        }
        if (!fading)
            cell.Fill_Circle(27, 27, 4 + 3 * t, b.inner);
        break;
    case TBurst::Cloud:
        for (int k = 0; k < 12; ++k) {
            const double a = rnd.Unit() * 2 * pi, d = rnd.Unit() * r * 0.7;
            const double pr = 3 + rnd.Unit() * 4 * t + 2;
            const double px = 27 + d * std::cos(a), py = 30 + d * std::sin(a) * 0.7 - 4 * t;
            for (int y = int(py - pr); y <= int(py + pr); ++y)
                for (int x = int(px - pr); x <= int(px + pr); ++x)
                    if (std::hypot(x - px, y - py) < pr && sparse(x, y))
                        cell.Set(x, y, Mix(b.inner, b.outer, std::hypot(x - px, y - py) / pr));
        }
        break;
    case TBurst::Rise:
        for (int k = 0; k < 18; ++k) {
            const double x = 27 + rnd.Signed() * 14, base = 44 - rnd.Unit() * 8;
            const double y = base - t * 30 * (0.6 + 0.4 * rnd.Unit());
            if (!fading || k % 3 == 0) {
                cell.Fill_Circle(x, y, 1.5, b.inner);
                cell.Thick_Line(x, y, x, y + 5, 1, b.outer);
            }
        }
        break;
    case TBurst::Particles:
        for (int k = 0; k < 26; ++k) {
            const double a = rnd.Unit() * 2 * pi, d = (0.3 + 0.7 * rnd.Unit()) * r;
            const double x = 27 + d * std::cos(a), y = 27 + d * std::sin(a) * 0.8;
            if (!fading || k % 3 == 0)
                cell.Fill_Circle(x, y, 1.2 + 2.2 * (1 - t) + rnd.Unit(),
                                 Mix(b.inner, b.outer, d / r));
        }
        if (f < 3)
            cell.Fill_Circle(27, 27, 7 - 2 * f, b.inner);
        break;
    }
    c.Blit(cell, ox, oy);
}

TCanvas missiles_sheet() {
    static constexpr TMissile rows[] = {
        TMissile::Arrow, TMissile::Bolt,  TMissile::Knife,  TMissile::Fire, TMissile::Frost,
        TMissile::Spark, TMissile::Venom, TMissile::Shadow, TMissile::Holy, TMissile::Bone};
    TCanvas c(256, 320);
    for (int r = 0; r < 10; ++r)
        for (int k = 0; k < 8; ++k)
            missile(c, 32 * k, 32 * r, rows[r], direction_angle(k));
    return c;
}

TCanvas bursts_sheet() {
    static const TBurst rows[] = {
        {Rgb(200, 50, 20), Rgb(255, 220, 110), TBurst::Particles},   // Fire Burst
        {Rgb(90, 170, 240), Rgb(235, 250, 255), TBurst::Rays},       // Frost Burst
        {Rgb(230, 210, 60), Rgb(255, 255, 230), TBurst::Rays},       // Lightning Burst
        {Rgb(60, 130, 40), Rgb(150, 220, 90), TBurst::Cloud},        // Poison Cloud
        {Rgb(60, 180, 80), Rgb(200, 255, 200), TBurst::Rise},        // Heal Glow
        {Rgb(50, 90, 220), Rgb(180, 210, 255), TBurst::Rise},        // Mana Glow
        {Rgb(240, 200, 100), Rgb(255, 255, 230), TBurst::Rays},      // Holy Burst
        {Rgb(60, 20, 80), Rgb(150, 90, 200), TBurst::Cloud},         // Shadow Burst
        {Rgb(90, 90, 100), Rgb(180, 180, 190), TBurst::Cloud},       // Summon Smoke
        {Rgb(140, 90, 230), Rgb(240, 220, 255), TBurst::Ring},       // Teleport Flash
        {Rgb(250, 220, 120), Rgb(255, 255, 240), TBurst::Particles}, // Light Flare
        {Rgb(90, 200, 220), Rgb(220, 250, 255), TBurst::Ring},       // Detect Ripple
        {Rgb(200, 60, 40), Rgb(255, 200, 140), TBurst::Ring},        // War Cry
    };
    TCanvas c(324, 54 * 13);
    for (int r = 0; r < 13; ++r)
        for (int f = 0; f < 6; ++f)
            burst(c, 54 * f, 54 * r, rows[r], f, uint64_t(r * 31 + f));
    return c;
}

TPicture_Entry effect(const char* name, TCanvas (*make)()) {
    return TPicture_Entry{"Pictures/SysPics", name, "effects", false, [make] {
                              TCanvas c = make();
                              c.Make_Safe();
                              return c;
                          }};
}

} // namespace

std::vector<TPicture_Entry> Effect_Pictures() {
    return {effect("fx_missiles.bmp", missiles_sheet), effect("fx_bursts.bmp", bursts_sheet)};
}
