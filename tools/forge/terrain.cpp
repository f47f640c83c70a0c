// Terrain pictures of the default module: floors, walls by their joins, doors, chests,
// stairs, water and props for the town, the caves and the crypt, and the 15 border
// overlays. Every picture is one 54 x 54 map cell on pink.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "forge.h"
#include "forge_random.h"
#include "icons.h"
#include "iso.h"
#include "map_pictures.h"
#include "ui_parts.h"

namespace {

enum class TTheme { Town, Cave, Crypt };

constexpr double wall_height = 27;
constexpr double base_height = 6; // a wall's base stays drawn when its upper part hides

uint32_t theme_seed(TTheme t) {
    return 1000u + uint32_t(t) * 97u;
}

double frac(double x) {
    return x - std::floor(x);
}

// Light falls from the upper left; lower parts of sides sit in shadow.
TRGB lit(TRGB base, TFace face, double h, double height) {
    double f = face == TFace::Top ? 1.0 : face == TFace::West ? 0.82 : 0.62;
    if (face != TFace::Top)
        f *= 0.75 + 0.25 * std::clamp(h / std::max(1.0, height), 0.0, 1.0);
    return Shade(base, f);
}

TRGB floor_colour(TTheme t, double u, double v) {
    const uint32_t s = theme_seed(t);
    const double n = Tile_Noise(s, u, v, 4, 3);
    switch (t) {
    case TTheme::Crypt: {
        // Four flagstones per square with dark seams, each slab its own shade.
        const int su = int(u * 2), sv = int(v * 2);
        const double slab = (Hash_Point(s, su, sv) & 63) / 63.0;
        TRGB c = Mix(Rgb(70, 72, 82), Rgb(118, 118, 128), 0.3 + 0.4 * n + 0.3 * slab);
        if (frac(u * 2) < 0.05 || frac(v * 2) < 0.05)
            c = Rgb(44, 44, 52);
        return c;
    }
    case TTheme::Cave: {
        const double grit = (Hash_Point(s, int(u * 40), int(v * 40)) & 255) / 255.0;
        TRGB c = Mix(Rgb(62, 52, 42), Rgb(120, 100, 78), 0.2 + 0.6 * n + 0.15 * grit);
        if (Tile_Noise(s + 9, u, v, 8, 1) > 0.78)
            c = Shade(c, 0.75);
        return c;
    }
    case TTheme::Town: {
        // Cobbles: rows offset by half a stone, rounded darker edges.
        const double cu = u * 4 + (int(v * 4) % 2) * 0.5;
        const double fu = frac(cu), fv = frac(v * 4);
        const double edge = std::min(std::min(fu, 1 - fu), std::min(fv, 1 - fv));
        const double stone = (Hash_Point(s, int(cu), int(v * 4)) & 63) / 63.0;
        TRGB c = Mix(Rgb(92, 84, 72), Rgb(150, 138, 116), 0.25 + 0.35 * n + 0.3 * stone);
        if (edge < 0.08)
            c = Rgb(58, 52, 44);
        else if (edge < 0.16)
            c = Shade(c, 0.85);
        return c;
    }
    }
    return Near_Black;
}

TRGB wall_colour(TTheme t, TFace face, double u, double v, double h) {
    const uint32_t s = theme_seed(t) + 5;
    // Along-the-face coordinate for brick and plank patterns.
    const double along = face == TFace::South ? u : face == TFace::West ? v : u + v;
    switch (t) {
    case TTheme::Crypt: {
        if (face == TFace::Top)
            return Mix(Rgb(52, 52, 62), Rgb(78, 78, 90), Tile_Noise(s, u, v, 4, 2));
        const int row = int(h / 5);
        const double bu = along * 3 + (row % 2) * 0.5;
        const double tone = (Hash_Point(s, int(bu), row) & 63) / 63.0;
        TRGB c = Mix(Rgb(84, 86, 100), Rgb(126, 126, 140), 0.3 + 0.5 * tone);
        if (frac(h / 5) < 0.22 || frac(bu) < 0.06)
            c = Rgb(50, 50, 60);
        return lit(c, face, h, wall_height);
    }
    case TTheme::Cave: {
        const double n = Tile_Noise(s, along, h / 27.0, 4, 3);
        TRGB c = Mix(Rgb(70, 56, 44), Rgb(132, 108, 82), n);
        if (face == TFace::Top)
            return Shade(c, 0.8);
        return lit(c, face, h, wall_height);
    }
    case TTheme::Town: {
        if (face == TFace::Top) {
            // Roof tiles in rows.
            const double r = frac((u - v) * 4);
            return r < 0.2 ? Rgb(90, 40, 30) : Rgb(150, 66, 44);
        }
        // Plaster between dark timbers.
        const bool beam = frac(along * 2) < 0.12 || h < 3 || (h > 24 && h < 27) ||
                          std::abs(frac(along * 2) - (h / 27.0)) < 0.05;
        TRGB c = beam ? Rgb(70, 46, 30)
                      : Mix(Rgb(196, 184, 156), Rgb(222, 212, 186),
                            Tile_Noise(s, along, h / 27.0, 6, 2));
        return lit(c, face, h, wall_height);
    }
    }
    return Near_Black;
}

TRGB rock_colour(TTheme t, TFace face, double u, double v, double h) {
    const uint32_t s = theme_seed(t) + 11;
    const double along = face == TFace::South ? u : face == TFace::West ? v : u + v;
    const double n =
        Tile_Noise(s, face == TFace::Top ? u : along, face == TFace::Top ? v : h / 27.0, 4, 3);
    const TRGB base = t == TTheme::Cave ? Mix(Rgb(52, 42, 34), Rgb(98, 80, 62), n)
                                        : Mix(Rgb(46, 46, 52), Rgb(86, 86, 94), n);
    return face == TFace::Top ? Shade(base, 0.75) : lit(base, face, h, wall_height);
}

// The wall's footprint for its joins: a post in the middle and an arm to every side
// named (single letters name the side the wall end points to, so their arm is opposite).
struct TWall_Shape {
    bool full = false;
    bool n = false, e = false, s = false, w = false;
};

TWall_Shape wall_shape(const std::string& suffix) {
    TWall_Shape shape;
    if (suffix == "ceiling" || suffix == "secret") {
        shape.full = true;
        return shape;
    }
    if (suffix.size() == 1) {
        shape.s = suffix == "n";
        shape.w = suffix == "e";
        shape.n = suffix == "s";
        shape.e = suffix == "w";
        return shape;
    }
    shape.n = suffix.find('n') != std::string::npos;
    shape.e = suffix.find('e') != std::string::npos;
    shape.s = suffix.find('s') != std::string::npos;
    shape.w = suffix.find('w') != std::string::npos;
    return shape;
}

bool in_wall(const TWall_Shape& w, double u, double v) {
    if (w.full)
        return true;
    constexpr double a = 0.25, b = 0.75;
    const bool mid_u = u >= a && u < b, mid_v = v >= a && v < b;
    return (mid_u && mid_v) || (w.n && mid_u && v < b) || (w.s && mid_u && v >= a) ||
           (w.w && mid_v && u < b) || (w.e && mid_v && u >= a);
}

void dark_ground(TCanvas& c, TTheme t) {
    Render_Ground(c, [t](double u, double v) { return Shade(floor_colour(t, u, v), 0.55); });
}

TCanvas wall_piece(TTheme t, const std::string& suffix, bool top) {
    TCanvas c(54, 54);
    const TWall_Shape shape = wall_shape(suffix);
    TSolid solid{
        [shape](double u, double v) { return in_wall(shape, u, v) ? wall_height : 0.0; },
        [t, suffix](TFace f, double u, double v, double h) {
            TRGB col = wall_colour(t, f, u, v, h);
            // A secret door: the faintest outline of a door in the masonry.
            if (suffix == "secret" && f != TFace::Top) {
                const double along = f == TFace::South ? u : v;
                if ((std::abs(along - 0.3) < 0.02 || std::abs(along - 0.7) < 0.02) && h < 20)
                    col = Shade(col, 0.8);
            }
            return col;
        },
        [t](double u, double v) {
            return Shade(wall_colour(t, TFace::West, u, v, 12 + 10 * Tile_Noise(3, u, v, 4, 1)),
                         1.1);
        }};
    if (top) {
        Render_Solid(c, solid, base_height, wall_height);
    } else {
        dark_ground(c, t);
        Render_Solid(c, solid, 0, base_height);
    }
    return c;
}

TCanvas fill_piece(TTheme t, bool top) {
    TCanvas c(54, 54);
    if (t == TTheme::Town) {
        // Marsh grass: a dense, untrodden tangle.
        Render_Ground(c, [](double u, double v) {
            const double n = Tile_Noise(77, u, v, 6, 3);
            return Mix(Rgb(40, 62, 30), Rgb(96, 120, 56), n);
        });
        TForge_Random r(78);
        for (int i = 0; i < 40; ++i) {
            double x, y;
            Iso_Screen(r.Unit(), r.Unit(), 0, x, y);
            c.Line(int(x), int(y), int(x + r.Signed() * 2), int(y - 3 - r.Unit() * 4),
                   Rgb(120, 150, 70));
        }
        return c;
    }
    TSolid solid{[](double, double) { return wall_height; },
                 [t](TFace f, double u, double v, double h) { return rock_colour(t, f, u, v, h); }};
    if (top) {
        Render_Solid(c, solid, base_height, wall_height);
    } else {
        dark_ground(c, t);
        Render_Solid(c, solid, 0, base_height);
    }
    return c;
}

TCanvas floor_piece(TTheme t, const std::string& kind) {
    TCanvas c(54, 54);
    if (kind == "floor") {
        Render_Ground(c, [t](double u, double v) {
            // Light variation: a soft pool of light over the middle of the square.
            const double d = std::hypot(u - 0.5, v - 0.5);
            return Shade(floor_colour(t, u, v), 1.05 - 0.15 * d);
        });
        return c;
    }
    const uint32_t s = theme_seed(t) + (kind == "floor_crack" ? 31 : 37);
    if (kind == "floor_crack") {
        // A few jagged cracks, drawn on the ground only.
        TForge_Random r(s);
        for (int k = 0; k < 2; ++k) {
            double u = 0.2 + 0.6 * r.Unit(), v = 0.2 + 0.6 * r.Unit();
            const double dir = r.Unit() * 6.283;
            for (int i = 0; i < 14; ++i) {
                const double nu = u + std::cos(dir + r.Signed() * 0.9) * 0.05;
                const double nv = v + std::sin(dir + r.Signed() * 0.9) * 0.05;
                double x0, y0, x1, y1;
                Iso_Screen(u, v, 0, x0, y0);
                Iso_Screen(nu, nv, 0, x1, y1);
                c.Line(int(x0), int(y0), int(x1), int(y1), Rgb(30, 28, 30));
                u = std::clamp(nu, 0.05, 0.95);
                v = std::clamp(nv, 0.05, 0.95);
            }
        }
        for (int y = 0; y < 54; ++y)
            for (int x = 0; x < 54; ++x)
                if (!In_Floor_Diamond(x, y))
                    c.Set(x, y, Pink);
        return c;
    }
    // Moss: soft green patches.
    for (int y = 0; y < 54; ++y)
        for (int x = 0; x < 54; ++x) {
            if (!In_Floor_Diamond(x, y))
                continue;
            double u, v;
            Iso_Ground(x + 0.5, y + 0.5, u, v);
            const double n = Tile_Noise(s, u, v, 4, 3);
            if (n > 0.56)
                c.Set(x, y, Mix(Rgb(50, 84, 36), Rgb(96, 140, 60), (n - 0.56) * 3));
        }
    return c;
}

TCanvas water_piece(TTheme t) {
    TCanvas c(54, 54);
    const TRGB deep = t == TTheme::Crypt  ? Rgb(18, 20, 30)
                      : t == TTheme::Cave ? Rgb(20, 40, 54)
                                          : Rgb(34, 54, 46);
    const TRGB shallow = t == TTheme::Crypt  ? Rgb(50, 56, 80)
                         : t == TTheme::Cave ? Rgb(50, 96, 120)
                                             : Rgb(70, 104, 80);
    Render_Ground(c, [&](double u, double v) {
        const double n = Tile_Noise(theme_seed(t) + 41, u, v, 3, 3);
        const double ripple = 0.5 + 0.5 * std::sin((u * 0.7 + v) * 6.283 * 3 + n * 6);
        TRGB col = Mix(deep, shallow, 0.3 * n + 0.35 * ripple);
        if (ripple > 0.93)
            col = Mix(col, Rgb(200, 220, 230), 0.4);
        return col;
    });
    return c;
}

// A solid made of boxes (u0, v0, u1, v1, height) with one colour function.
struct TBox {
    double u0, v0, u1, v1, h;
};

double boxes_height(const std::vector<TBox>& boxes, double u, double v) {
    double h = 0;
    for (const TBox& b : boxes)
        if (u >= b.u0 && u < b.u1 && v >= b.v0 && v < b.v1)
            h = std::max(h, b.h);
    return h;
}

TRGB wood(TFace f, double along, double h, double height) {
    const bool seam = frac(along * 5) < 0.1;
    const bool band = std::abs(h - height * 0.25) < 1.2 || std::abs(h - height * 0.75) < 1.2;
    TRGB c = band ? Rgb(70, 70, 76) : seam ? Rgb(60, 38, 22) : Rgb(132, 88, 52);
    if (f == TFace::Top)
        return Rgb(110, 74, 44);
    return lit(c, f, h, height);
}

TCanvas door_piece(TTheme t, const std::string& kind) {
    TCanvas c(54, 54);
    // "ns": between walls west and east, so the door spans along u; "ew" spans along v.
    const bool along_u = kind.ends_with("_ns");
    const bool open = kind.starts_with("door_open");
    const bool broken = kind == "door_broken";
    std::vector<TBox> posts, slab;
    auto box = [along_u](double a0, double a1, double b0, double b1, double h) {
        return along_u ? TBox{a0, b0, a1, b1, h} : TBox{b0, a0, b1, a1, h};
    };
    posts.push_back(box(0.0, 0.14, 0.38, 0.62, wall_height));
    posts.push_back(box(0.86, 1.0, 0.38, 0.62, wall_height));
    posts.push_back(box(0.0, 1.0, 0.4, 0.6, -1)); // lintel marker (height handled below)
    if (broken) {
        slab.push_back(box(0.2, 0.34, 0.3, 0.7, 3));
        slab.push_back(box(0.55, 0.8, 0.55, 0.68, 2));
    } else if (open) {
        slab.push_back(box(0.14, 0.22, 0.6, 1.0, 23));
    } else {
        slab.push_back(box(0.14, 0.86, 0.45, 0.55, 23));
    }
    TSolid frame{[&posts, along_u](double u, double v) {
                     const double a = along_u ? u : v, b = along_u ? v : u;
                     if (b >= 0.38 && b < 0.62 && (a < 0.14 || a >= 0.86))
                         return wall_height;
                     return 0.0;
                 },
                 [t](TFace f, double u, double v, double h) { return wall_colour(t, f, u, v, h); }};
    TSolid door{[&slab](double u, double v) { return boxes_height(slab, u, v); },
                [along_u, open](TFace f, double u, double v, double h) {
                    const double along = (along_u != open) ? u : v;
                    return wood(f, along, h, 23);
                }};
    Render_Solid(c, door, 0, 30);
    Render_Solid(c, frame, 0, 30);
    // The lintel over the opening.
    TSolid lintel{
        [along_u](double u, double v) {
            const double b = along_u ? v : u;
            return b >= 0.4 && b < 0.6 ? wall_height : 0.0;
        },
        [t](TFace f, double u, double v, double h) { return wall_colour(t, f, u, v, h); }};
    Render_Solid(c, lintel, 23, wall_height);
    (void)posts;
    return c;
}

TCanvas chest_piece(bool open) {
    TCanvas c(54, 54);
    TSolid body{[](double u, double v) {
                    return (u >= 0.28 && u < 0.72 && v >= 0.34 && v < 0.66) ? 11.0 : 0.0;
                },
                [open](TFace f, double u, double v, double h) {
                    if (f == TFace::Top && open)
                        return std::hypot(u - 0.5, v - 0.5) < 0.12 ? pal::Gold : Rgb(40, 26, 18);
                    const bool band =
                        std::abs(h - 9) < 1 || std::abs(u - 0.5) < 0.03 || std::abs(v - 0.5) < 0.03;
                    if (f != TFace::Top && band)
                        return lit(pal::Gold_Dark, f, h, 11);
                    return f == TFace::Top ? Rgb(120, 80, 46)
                                           : wood(f, f == TFace::South ? u : v, h, 11);
                }};
    Render_Solid(c, body, 0, 11);
    if (open) {
        TSolid lid{[](double u, double v) {
                       return (u >= 0.28 && u < 0.72 && v >= 0.3 && v < 0.35) ? 24.0 : 0.0;
                   },
                   [](TFace f, double u, double, double h) { return wood(f, u, h, 24); }};
        Render_Solid(c, lid, 0, 24);
    } else {
        // A rounded lid.
        TSolid lid{[](double u, double v) {
                       if (u < 0.28 || u >= 0.72 || v < 0.34 || v >= 0.66)
                           return 0.0;
                       const double d = (v - 0.5) / 0.16;
                       return 11.0 + 5.0 * std::sqrt(std::max(0.0, 1 - d * d));
                   },
                   [](TFace f, double u, double v, double h) {
                       if (std::abs(u - 0.5) < 0.03)
                           return lit(pal::Gold, f, h, 16);
                       return f == TFace::Top ? Rgb(140, 94, 54) : wood(f, v, h, 16);
                   }};
        Render_Solid(c, lid, 11, 16);
    }
    return c;
}

TCanvas stairs_piece(TTheme t, bool up) {
    TCanvas c(54, 54);
    if (up) {
        TSolid steps{[](double u, double v) {
                         if (u < 0.12 || u >= 0.88 || v < 0.2 || v >= 0.8)
                             return 0.0;
                         return 4.0 * (1 + int((u - 0.12) / 0.76 * 5));
                     },
                     [t](TFace f, double u, double v, double h) {
                         return f == TFace::Top ? Shade(floor_colour(t, u, v), 1.1)
                                                : wall_colour(t, f, u, v, h);
                     }};
        Render_Solid(c, steps, 0, 24);
        return c;
    }
    // Going down: steps sinking into darkness inside a stone rim.
    Render_Ground(c, [t](double u, double v) {
        if (u < 0.12 || u >= 0.88 || v < 0.2 || v >= 0.8)
            return floor_colour(t, u, v);
        const int step = int((u - 0.12) / 0.76 * 5);
        const double depth = 1.0 - step / 5.0;
        TRGB col = Shade(floor_colour(t, u, v), 0.25 + 0.7 * (1 - depth));
        if (frac((u - 0.12) / 0.76 * 5) < 0.12)
            col = Shade(col, 0.5);
        return col;
    });
    return c;
}

// A flame standing at cell point (x, y).
void flame_at(TCanvas& c, double x, double y, int size) {
    Draw_Motif(c, TMotif::Flame, int(x - size / 2.0), int(y - size + 2), size, 5);
}

TCanvas brazier_piece(TTheme t) {
    TCanvas c(54, 54);
    TSolid stand{[](double u, double v) {
                     const double d = std::hypot(u - 0.5, v - 0.5);
                     if (d < 0.2)
                         return 14.0;
                     if (d < 0.06)
                         return 10.0;
                     return 0.0;
                 },
                 [t](TFace f, double, double, double h) {
                     const TRGB metal = t == TTheme::Town ? Rgb(110, 100, 90) : Rgb(90, 80, 70);
                     if (f == TFace::Top)
                         return Rgb(230, 120, 40);
                     return lit(h > 10 ? metal : Shade(metal, 0.7), f, h, 14);
                 }};
    Render_Solid(c, stand, 0, 14);
    double x, y;
    Iso_Screen(0.5, 0.5, 14, x, y);
    flame_at(c, x, y + 2, 18);
    return c;
}

TCanvas pillar_piece(TTheme t, bool top, bool stalagmite) {
    TCanvas c(54, 54);
    const double split = 14, height = stalagmite ? 34 : 38;
    TSolid solid{[stalagmite, height](double u, double v) {
                     const double d = std::hypot(u - 0.5, v - 0.5);
                     if (stalagmite)
                         return d < 0.34 ? height * (1 - d / 0.34) : 0.0;
                     if (d < 0.18)
                         return height;
                     return d < 0.24 ? 4.0 : 0.0; // plinth
                 },
                 [t, stalagmite](TFace f, double u, double v, double h) {
                     if (stalagmite || t == TTheme::Cave)
                         return rock_colour(TTheme::Cave, f == TFace::Top ? TFace::West : f, u, v,
                                            h);
                     const double a = std::atan2(v - 0.5, u - 0.5);
                     const bool flute = frac(a * 8 / 6.283) < 0.2;
                     TRGB base = t == TTheme::Town ? Rgb(190, 176, 150) : Rgb(128, 128, 140);
                     if (flute && f != TFace::Top)
                         base = Shade(base, 0.8);
                     return f == TFace::Top ? base : lit(base, f, h, 38);
                 }};
    if (top)
        Render_Solid(c, solid, split, height);
    else
        Render_Solid(c, solid, 0, split);
    return c;
}

TCanvas bones_piece() {
    TCanvas c(54, 54);
    const TRGB bone = Rgb(214, 206, 180);
    auto seg = [&c, bone](double u0, double v0, double u1, double v1) {
        double x0, y0, x1, y1;
        Iso_Screen(u0, v0, 0, x0, y0);
        Iso_Screen(u1, v1, 0, x1, y1);
        c.Thick_Line(x0, y0, x1, y1, 2, bone);
        c.Fill_Circle(x0, y0, 1.6, bone);
        c.Fill_Circle(x1, y1, 1.6, bone);
    };
    seg(0.25, 0.3, 0.55, 0.4);
    seg(0.6, 0.55, 0.7, 0.85);
    seg(0.3, 0.7, 0.45, 0.55);
    double x, y;
    Iso_Screen(0.55, 0.65, 0, x, y);
    c.Fill_Ellipse(x, y - 3, 5, 4.5, bone);
    c.Fill_Rect(int(x) - 3, int(y), 6, 3, bone);
    c.Fill_Rect(int(x) - 3, int(y) - 4, 2, 2, Rgb(40, 30, 30));
    c.Fill_Rect(int(x) + 1, int(y) - 4, 2, 2, Rgb(40, 30, 30));
    c.Outline(Rgb(40, 34, 30));
    return c;
}

TCanvas mushrooms_piece() {
    TCanvas c(54, 54);
    TForge_Random r(91);
    for (int i = 0; i < 7; ++i) {
        double x, y;
        Iso_Screen(0.2 + 0.6 * r.Unit(), 0.2 + 0.6 * r.Unit(), 0, x, y);
        const double h = 4 + r.Unit() * 6, w = 3 + r.Unit() * 3;
        c.Fill_Rect(int(x) - 1, int(y - h), 2, int(h), Rgb(200, 210, 190));
        c.Fill_Ellipse(x, y - h, w, w * 0.6, Rgb(80, 220, 200));
        c.Fill_Ellipse(x - 1, y - h - 1, w * 0.5, w * 0.3, Rgb(190, 255, 240));
    }
    c.Outline(Rgb(20, 40, 40));
    return c;
}

TCanvas niche_piece(bool top) {
    TCanvas c(54, 54);
    TSolid block{[](double u, double v) {
                     return (u >= 0.1 && u < 0.9 && v >= 0.1 && v < 0.9) ? wall_height : 0.0;
                 },
                 [](TFace f, double u, double v, double h) {
                     TRGB col = wall_colour(TTheme::Crypt, f, u, v, h);
                     const double along = f == TFace::South ? u : v;
                     // An arched recess on each visible face.
                     const double dx = (along - 0.5) / 0.22, dy = (h - 12) / 9;
                     if (f != TFace::Top && h > 4 &&
                         (dx * dx + dy * dy < 1 || (std::abs(dx) < 1 && h < 12)))
                         col = Rgb(30, 28, 36);
                     return col;
                 }};
    Render_Solid(c, block, top ? 14 : 0, top ? wall_height : 14);
    if (!top) {
        // A skull resting in the south recess.
        double x, y;
        Iso_Screen(0.5, 0.9, 7, x, y);
        c.Fill_Ellipse(x, y - 2, 3.5, 3, Rgb(214, 206, 180));
        c.Set(int(x) - 1, int(y) - 2, Rgb(40, 30, 30));
        c.Set(int(x) + 1, int(y) - 2, Rgb(40, 30, 30));
    }
    return c;
}

TCanvas sarcophagus_piece(bool top) {
    TCanvas c(54, 54);
    TSolid box{[](double u, double v) {
                   if (u < 0.3 || u >= 0.7 || v < 0.12 || v >= 0.88)
                       return 0.0;
                   return (u >= 0.33 && u < 0.67 && v >= 0.15 && v < 0.85) ? 15.0 : 11.0;
               },
               [](TFace f, double u, double v, double h) {
                   TRGB col = Rgb(150, 146, 136);
                   if (f == TFace::Top && h > 12 &&
                       (std::abs(u - 0.5) < 0.025 || std::abs(v - 0.35) < 0.02))
                       col = pal::Gold_Dark;
                   if (f != TFace::Top && std::abs(h - 5) < 1)
                       col = Rgb(100, 96, 90);
                   return f == TFace::Top ? col : lit(col, f, h, 15);
               }};
    Render_Solid(c, box, top ? 11 : 0, top ? 15 : 11);
    return c;
}

TCanvas town_prop(const std::string& kind, bool top) {
    TCanvas c(54, 54);
    if (kind == "grass") {
        Render_Ground(c, [](double u, double v) {
            const double n = Tile_Noise(55, u, v, 6, 3);
            return Mix(Rgb(56, 90, 40), Rgb(110, 150, 66), n);
        });
        return c;
    }
    if (kind == "flowers") {
        TForge_Random r(56);
        static constexpr TRGB petals[] = {Rgb(230, 200, 60), Rgb(230, 90, 90), Rgb(220, 220, 240),
                                          Rgb(170, 110, 220)};
        for (int i = 0; i < 16; ++i) {
            double x, y;
            Iso_Screen(0.1 + 0.8 * r.Unit(), 0.1 + 0.8 * r.Unit(), 0, x, y);
            c.Line(int(x), int(y), int(x), int(y) - 3, Rgb(60, 110, 40));
            c.Fill_Circle(x + 0.5, y - 3.5, 1.5, petals[i % 4]);
        }
        return c;
    }
    if (kind == "reeds") {
        TForge_Random r(57);
        for (int i = 0; i < 22; ++i) {
            double x, y;
            Iso_Screen(0.1 + 0.8 * r.Unit(), 0.1 + 0.8 * r.Unit(), 0, x, y);
            const double h = 14 + r.Unit() * 14, lean = r.Signed() * 3;
            // Lower part in the base layer, tips above.
            const double split = 10;
            const double from = top ? split : 0, to = top ? h : std::min(h, split);
            if (to <= from)
                continue;
            c.Thick_Line(x + lean * from / h, y - from, x + lean * to / h, y - to, 1.2,
                         Rgb(120, 130, 60));
            if (top)
                c.Fill_Ellipse(x + lean, y - h + 2, 1.2, 3, Rgb(110, 70, 40));
        }
        return c;
    }
    if (kind == "tree") {
        if (!top) {
            TSolid trunk{
                [](double u, double v) { return std::hypot(u - 0.5, v - 0.5) < 0.08 ? 20.0 : 0.0; },
                [](TFace f, double, double, double h) { return lit(Rgb(96, 64, 40), f, h, 20); }};
            Render_Solid(c, trunk, 0, 20);
            return c;
        }
        double x, y;
        Iso_Screen(0.5, 0.5, 0, x, y);
        // A canopy of overlapping leaf clumps, lit from the upper left.
        TForge_Random r(58);
        for (int i = 0; i < 14; ++i) {
            const double a = r.Unit() * 6.283, d = r.Unit() * 10;
            const double cx = x + std::cos(a) * d, cy = y - 30 + std::sin(a) * d * 0.7;
            c.Fill_Circle(cx, cy, 7, Rgb(40, 80, 36));
            c.Fill_Circle(cx - 1.5, cy - 1.5, 5,
                          Mix(Rgb(60, 110, 46), Rgb(100, 150, 60), r.Unit()));
        }
        c.Outline(Rgb(24, 40, 20));
        return c;
    }
    if (kind == "lamp") {
        TSolid post{
            [](double u, double v) { return std::hypot(u - 0.5, v - 0.5) < 0.05 ? 36.0 : 0.0; },
            [](TFace f, double, double, double h) { return lit(Rgb(60, 56, 52), f, h, 36); }};
        Render_Solid(c, post, top ? 18 : 0, top ? 36 : 18);
        if (top) {
            double x, y;
            Iso_Screen(0.5, 0.5, 36, x, y);
            c.Fill_Rect(int(x) - 4, int(y) - 1, 9, 8, Rgb(60, 56, 52));
            c.Fill_Rect(int(x) - 3, int(y), 7, 6, Rgb(255, 220, 120));
            c.Fill_Rect(int(x) - 1, int(y) + 1, 3, 4, Rgb(255, 250, 210));
            c.Fill_Polygon({{x - 6, y - 1}, {x + 7, y - 1}, {x + 0.5, y - 6}}, Rgb(50, 46, 42));
        }
        return c;
    }
    if (kind == "well") {
        TSolid ring{[](double u, double v) {
                        const double d = std::hypot(u - 0.5, v - 0.5);
                        if (d < 0.25)
                            return 1.0;
                        if (d < 0.36)
                            return 10.0;
                        if (std::abs(u - 0.5) < 0.04 &&
                            (std::abs(v - 0.12) < 0.04 || std::abs(v - 0.88) < 0.04))
                            return 26.0;
                        return 0.0;
                    },
                    [](TFace f, double u, double v, double h) {
                        if (h < 2 && f == TFace::Top)
                            return Rgb(24, 40, 50);
                        if (h > 11)
                            return lit(Rgb(110, 74, 44), f, h, 26);
                        return wall_colour(TTheme::Crypt, f, u, v, h);
                    }};
        Render_Solid(c, ring, 0, 26);
        double x0, y0, x1, y1;
        Iso_Screen(0.5, 0.12, 26, x0, y0);
        Iso_Screen(0.5, 0.88, 26, x1, y1);
        c.Thick_Line(x0, y0, x1, y1, 2, Rgb(90, 60, 36));
        return c;
    }
    return c;
}

struct TTerrain_Name {
    TTheme theme;
    const char* prefix;
};

constexpr TTerrain_Name themes[] = {
    {TTheme::Town, "town_"}, {TTheme::Cave, "cave_"}, {TTheme::Crypt, "crypt_"}};

const char* const wall_suffixes[] = {"ceiling", "e",   "es",   "esw", "ew",    "n",
                                     "ne",      "nes", "nesw", "new", "ns",    "nsw",
                                     "nw",      "s",   "sw",   "w",   "secret"};

TPicture_Entry terrain(std::string name, std::function<TCanvas()> make) {
    return TPicture_Entry{"Pictures/Terrain", std::move(name), "terrain", false, [make] {
                              TCanvas c = make();
                              c.Make_Safe();
                              return c;
                          }};
}

// The border overlays: dark bands on the raised diamond along edges or at corners.
TCanvas border(const std::string& letters) {
    TCanvas c(54, 54);
    auto in_top = [](int x, int y) { return In_Floor_Diamond(x, y + 27); };
    for (int y = 0; y < 27; ++y)
        for (int x = 0; x < 54; ++x) {
            if (!in_top(x, y))
                continue;
            // Distance to each edge of the raised diamond, in pixels across.
            double u, v;
            Iso_Ground(x + 0.5, y + 27.5, u, v);
            const double to_nw = v * 12.5, to_ne = (1 - u) * 12.5, to_se = (1 - v) * 12.5,
                         to_sw = u * 12.5;
            const bool corner_n = u > 0.8 && v<0.2, corner_e = u> 0.8 && v > 0.8,
                       corner_s = u < 0.2 && v > 0.8, corner_w = u < 0.2 && v < 0.2;
            bool dark = false;
            const bool edges = letters.size() >= 2 && letters != "EW" && letters != "NS";
            if (edges) {
                const bool has_n = letters.find('N') != std::string::npos,
                           has_e = letters.find('E') != std::string::npos,
                           has_s = letters.find('S') != std::string::npos,
                           has_w = letters.find('W') != std::string::npos;
                // Edge between two named corners: NE upper right, ES lower right, SW lower
                // left, NW upper left.
                dark |= has_n && has_e && to_ne < 2;
                dark |= has_e && has_s && to_se < 2;
                dark |= has_s && has_w && to_sw < 2;
                dark |= has_n && has_w && to_nw < 2;
            } else {
                for (char ch : letters) {
                    const bool at = ch == 'N'   ? corner_n
                                    : ch == 'E' ? corner_e
                                    : ch == 'S' ? corner_s
                                                : corner_w;
                    dark |= at && (to_nw < 2 || to_ne < 2 || to_se < 2 || to_sw < 2);
                }
            }
            if (dark)
                c.Set(x, y, Near_Black);
        }
    return c;
}

} // namespace

std::vector<TPicture_Entry> Terrain_Pictures() {
    std::vector<TPicture_Entry> list;
    for (const TTerrain_Name& th : themes) {
        const TTheme t = th.theme;
        const std::string p = th.prefix;
        for (const char* s : wall_suffixes) {
            const std::string suffix = s;
            list.push_back(terrain(p + "wall_" + suffix + ".bmp",
                                   [t, suffix] { return wall_piece(t, suffix, false); }));
            list.push_back(terrain(p + "wall_" + suffix + "_top.bmp",
                                   [t, suffix] { return wall_piece(t, suffix, true); }));
        }
        list.push_back(terrain(p + "fill.bmp", [t] { return fill_piece(t, false); }));
        if (t != TTheme::Town)
            list.push_back(terrain(p + "fill_top.bmp", [t] { return fill_piece(t, true); }));
        for (const char* k : {"floor", "floor_crack", "floor_moss"}) {
            const std::string kind = k;
            list.push_back(terrain(p + kind + ".bmp", [t, kind] { return floor_piece(t, kind); }));
        }
        for (const char* k :
             {"door_closed_ns", "door_closed_ew", "door_open_ns", "door_open_ew", "door_broken"}) {
            const std::string kind = k;
            list.push_back(terrain(p + kind + ".bmp", [t, kind] { return door_piece(t, kind); }));
        }
        list.push_back(terrain(p + "chest_closed.bmp", [] { return chest_piece(false); }));
        list.push_back(terrain(p + "chest_open.bmp", [] { return chest_piece(true); }));
        list.push_back(terrain(p + "stairs_up.bmp", [t] { return stairs_piece(t, true); }));
        list.push_back(terrain(p + "stairs_down.bmp", [t] { return stairs_piece(t, false); }));
        list.push_back(terrain(p + "water.bmp", [t] { return water_piece(t); }));
        list.push_back(terrain(p + "bones.bmp", [] { return bones_piece(); }));
        list.push_back(terrain(p + "brazier.bmp", [t] { return brazier_piece(t); }));
        list.push_back(terrain(p + "pillar.bmp", [t] { return pillar_piece(t, false, false); }));
        list.push_back(terrain(p + "pillar_top.bmp", [t] { return pillar_piece(t, true, false); }));
    }
    list.push_back(
        terrain("cave_stalagmite.bmp", [] { return pillar_piece(TTheme::Cave, false, true); }));
    list.push_back(
        terrain("cave_stalagmite_top.bmp", [] { return pillar_piece(TTheme::Cave, true, true); }));
    list.push_back(terrain("cave_mushrooms.bmp", [] { return mushrooms_piece(); }));
    list.push_back(terrain("crypt_niche.bmp", [] { return niche_piece(false); }));
    list.push_back(terrain("crypt_niche_top.bmp", [] { return niche_piece(true); }));
    list.push_back(terrain("crypt_sarcophagus.bmp", [] { return sarcophagus_piece(false); }));
    list.push_back(terrain("crypt_sarcophagus_top.bmp", [] { return sarcophagus_piece(true); }));
    for (const char* k : {"grass", "flowers", "well"}) {
        const std::string kind = k;
        list.push_back(
            terrain(std::string("town_") + k + ".bmp", [kind] { return town_prop(kind, false); }));
    }
    for (const char* k : {"reeds", "tree", "lamp"}) {
        const std::string kind = k;
        list.push_back(
            terrain(std::string("town_") + k + ".bmp", [kind] { return town_prop(kind, false); }));
        list.push_back(terrain(std::string("town_") + k + "_top.bmp",
                               [kind] { return town_prop(kind, true); }));
    }
    // Border overlays, in the order of their overlay numbers.
    for (const char* b : {"N", "E", "S", "W", "ES", "ESW", "EW", "NE", "NES", "NEW", "NS", "NSEW",
                          "NSW", "NW", "SW"}) {
        const std::string letters = b;
        list.push_back(
            terrain("Border_" + letters + ".bmp", [letters] { return border(letters); }));
    }
    return list;
}
