#include "icons.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "ui_parts.h"

namespace {

constexpr double pi = std::numbers::pi;

// Unit-square drawing onto a square canvas of side s.
struct TPen {
    TCanvas& c;
    double s;
    TPoint P(double u, double v) const { return {u * s, v * s}; }
    void poly(std::initializer_list<std::pair<double, double>> pts, TRGB col) const {
        std::vector<TPoint> v;
        for (auto [u, w] : pts)
            v.push_back(P(u, w));
        c.Fill_Polygon(v, col);
    }
    void circ(double u, double v, double r, TRGB col) const {
        c.Fill_Circle(u * s, v * s, r * s, col);
    }
    void ell(double u, double v, double ru, double rv, TRGB col) const {
        c.Fill_Ellipse(u * s, v * s, ru * s, rv * s, col);
    }
    void line(double u0, double v0, double u1, double v1, double w, TRGB col) const {
        c.Thick_Line(u0 * s, v0 * s, u1 * s, v1 * s, std::max(1.0, w * s), col);
    }
    void ring(double u, double v, double r, double w, TRGB col) const {
        c.Ring(u * s, v * s, r * s, std::max(1.0, w * s), col);
    }
    void rect(double u, double v, double w, double h, TRGB col) const {
        poly({{u, v}, {u + w, v}, {u + w, v + h}, {u, v + h}}, col);
    }
};

void arrow(const TPen& p, double angle, TRGB col) {
    // An arrow pointing at `angle` (0 = up, clockwise), centred.
    auto rot = [angle](double u, double v) {
        const double cu = u - 0.5, cv = v - 0.5;
        const double ca = std::cos(angle), sa = std::sin(angle);
        return std::pair<double, double>{0.5 + cu * ca - cv * sa, 0.5 + cu * sa + cv * ca};
    };
    p.poly({rot(0.5, 0.14), rot(0.86, 0.52), rot(0.64, 0.52), rot(0.64, 0.86), rot(0.36, 0.86),
            rot(0.36, 0.52), rot(0.14, 0.52)},
           col);
    p.poly({rot(0.5, 0.22), rot(0.72, 0.46), rot(0.5, 0.46)}, Shade(col, 1.3));
}

void flame(const TPen& p, double cx, double cy, double sc) {
    auto f = [&](double u, double v) {
        return std::pair<double, double>{cx + (u - 0.5) * sc, cy + (v - 0.5) * sc};
    };
    p.poly({f(0.5, 0.05), f(0.7, 0.35), f(0.82, 0.3), f(0.85, 0.62), f(0.7, 0.9), f(0.3, 0.9),
            f(0.15, 0.62), f(0.22, 0.38), f(0.34, 0.46)},
           Rgb(214, 64, 24));
    p.poly({f(0.5, 0.3), f(0.66, 0.6), f(0.62, 0.86), f(0.38, 0.86), f(0.34, 0.62)},
           Rgb(250, 150, 40));
    p.poly({f(0.5, 0.55), f(0.58, 0.74), f(0.54, 0.86), f(0.46, 0.86), f(0.42, 0.74)},
           Rgb(255, 232, 120));
}

void drop(const TPen& p, TRGB col) {
    p.circ(0.5, 0.62, 0.26, col);
    p.poly({{0.5, 0.1}, {0.74, 0.55}, {0.26, 0.55}}, col);
    p.circ(0.41, 0.62, 0.07, Shade(col, 1.6));
}

void potion(const TPen& p, TRGB liquid) {
    p.rect(0.42, 0.12, 0.16, 0.2, Rgb(200, 190, 170));
    p.rect(0.4, 0.08, 0.2, 0.08, Rgb(120, 80, 40));
    p.circ(0.5, 0.62, 0.3, Rgb(190, 200, 205));
    p.circ(0.5, 0.64, 0.26, liquid);
    p.rect(0.24, 0.5, 0.52, 0.06, Rgb(190, 200, 205));
    p.circ(0.4, 0.56, 0.06, Shade(liquid, 1.7));
}

void book(const TPen& p, TRGB cover) {
    p.poly({{0.1, 0.22}, {0.5, 0.3}, {0.9, 0.22}, {0.9, 0.8}, {0.5, 0.88}, {0.1, 0.8}}, cover);
    p.poly({{0.16, 0.24}, {0.48, 0.31}, {0.48, 0.8}, {0.16, 0.74}}, pal::Parchment);
    p.poly({{0.52, 0.31}, {0.84, 0.24}, {0.84, 0.74}, {0.52, 0.8}}, pal::Parchment);
    for (double v = 0.4; v < 0.72; v += 0.11) {
        p.line(0.22, v, 0.42, v + 0.03, 0.035, pal::Parchment_Dark);
        p.line(0.58, v + 0.03, 0.78, v, 0.035, pal::Parchment_Dark);
    }
}

void scroll(const TPen& p) {
    p.rect(0.2, 0.18, 0.6, 0.64, pal::Parchment);
    p.ell(0.5, 0.18, 0.34, 0.07, pal::Parchment_Dark);
    p.ell(0.5, 0.82, 0.34, 0.07, pal::Parchment_Dark);
    for (double v = 0.32; v < 0.72; v += 0.12)
        p.line(0.3, v, 0.7, v, 0.04, Rgb(120, 90, 60));
}

void star(const TPen& p, double cx, double cy, double r, TRGB col) {
    std::vector<TPoint> pts;
    for (int i = 0; i < 10; ++i) {
        const double a = -pi / 2 + i * pi / 5;
        const double rr = (i % 2 ? r * 0.45 : r);
        pts.push_back(p.P(cx + rr * std::cos(a), cy + rr * std::sin(a)));
    }
    p.c.Fill_Polygon(pts, col);
}

void shield(const TPen& p, TRGB face) {
    p.poly({{0.2, 0.15}, {0.8, 0.15}, {0.8, 0.5}, {0.5, 0.9}, {0.2, 0.5}}, pal::Gold_Dark);
    p.poly({{0.25, 0.2}, {0.75, 0.2}, {0.75, 0.49}, {0.5, 0.83}, {0.25, 0.49}}, face);
    p.line(0.5, 0.2, 0.5, 0.8, 0.06, pal::Gold);
}

void sword(const TPen& p, double ax, double ay, double bx, double by) {
    // Blade from a (tip) to b (hilt end).
    const double dx = bx - ax, dy = by - ay;
    const double gx = ax + dx * 0.72, gy = ay + dy * 0.72;
    p.line(ax, ay, gx, gy, 0.1, Rgb(210, 215, 225));
    p.line(ax, ay, gx, gy, 0.03, Rgb(250, 250, 255));
    p.line(gx - dy * 0.25, gy + dx * 0.25, gx + dy * 0.25, gy - dx * 0.25, 0.08, pal::Gold);
    p.line(gx, gy, bx, by, 0.08, pal::Wood);
    p.circ(bx, by, 0.05, pal::Gold);
}

void draw_plain(const TPen& p, TMotif m, uint32_t seed) {
    switch (m) {
    case TMotif::Blank:
        break;
    case TMotif::Fist:
        p.rect(0.28, 0.3, 0.44, 0.36, Rgb(222, 170, 130));
        for (int i = 0; i < 4; ++i)
            p.circ(0.33 + i * 0.11, 0.32, 0.07, Rgb(236, 188, 148));
        p.ell(0.3, 0.52, 0.1, 0.14, Rgb(236, 188, 148));
        p.rect(0.36, 0.66, 0.3, 0.22, Rgb(150, 80, 40));
        break;
    case TMotif::Book:
        book(p, Rgb(120, 40, 34));
        break;
    case TMotif::Feather:
        p.poly({{0.78, 0.1}, {0.86, 0.22}, {0.5, 0.66}, {0.3, 0.72}, {0.36, 0.52}},
               Rgb(236, 236, 226));
        p.line(0.8, 0.16, 0.2, 0.88, 0.05, Rgb(150, 140, 120));
        break;
    case TMotif::Heart:
    case TMotif::Heart_Charm: {
        const TRGB col = m == TMotif::Heart ? Rgb(200, 30, 36) : Rgb(232, 96, 168);
        p.circ(0.34, 0.38, 0.2, col);
        p.circ(0.66, 0.38, 0.2, col);
        p.poly({{0.15, 0.45}, {0.85, 0.45}, {0.5, 0.88}}, col);
        p.circ(0.3, 0.34, 0.06, Shade(col, 1.6));
        if (m == TMotif::Heart_Charm)
            p.line(0.12, 0.82, 0.88, 0.18, 0.05, pal::Gold_Light);
        break;
    }
    case TMotif::Shield:
        shield(p, Rgb(70, 90, 150));
        break;
    case TMotif::Shield_Star:
        shield(p, Rgb(90, 50, 140));
        star(p, 0.5, 0.45, 0.2, pal::Gold_Light);
        break;
    case TMotif::Shield_Ice:
        shield(p, Rgb(90, 160, 210));
        break;
    case TMotif::Helmet:
        p.ell(0.5, 0.5, 0.3, 0.32, Rgb(160, 165, 175));
        p.rect(0.2, 0.5, 0.6, 0.3, Rgb(160, 165, 175));
        p.rect(0.3, 0.46, 0.4, 0.08, Rgb(40, 40, 46));
        p.rect(0.46, 0.46, 0.08, 0.3, Rgb(130, 135, 145));
        p.line(0.5, 0.16, 0.5, 0.3, 0.06, pal::Gold);
        break;
    case TMotif::Sun:
        for (int i = 0; i < 8; ++i) {
            const double a = i * pi / 4;
            p.line(0.5 + 0.22 * std::cos(a), 0.5 + 0.22 * std::sin(a), 0.5 + 0.42 * std::cos(a),
                   0.5 + 0.42 * std::sin(a), 0.07, Rgb(250, 190, 60));
        }
        p.circ(0.5, 0.5, 0.22, Rgb(255, 220, 90));
        p.circ(0.45, 0.45, 0.08, Rgb(255, 246, 190));
        break;
    case TMotif::Snowflake:
        for (int i = 0; i < 3; ++i) {
            const double a = i * pi / 3;
            const double ca = std::cos(a) * 0.4, sa = std::sin(a) * 0.4;
            p.line(0.5 - ca, 0.5 - sa, 0.5 + ca, 0.5 + sa, 0.08, Rgb(190, 230, 255));
        }
        p.circ(0.5, 0.5, 0.08, Rgb(240, 250, 255));
        break;
    case TMotif::Bolt:
        p.poly({{0.6, 0.06},
                {0.26, 0.54},
                {0.48, 0.54},
                {0.36, 0.94},
                {0.76, 0.4},
                {0.54, 0.4},
                {0.7, 0.06}},
               Rgb(255, 224, 60));
        break;
    case TMotif::Flame:
        flame(p, 0.5, 0.5, 1.0);
        break;
    case TMotif::Drop_Green:
        drop(p, Rgb(70, 170, 50));
        break;
    case TMotif::Drop_Red:
        drop(p, Rgb(190, 24, 30));
        break;
    case TMotif::Crystal_Blue:
        p.poly({{0.5, 0.08}, {0.78, 0.4}, {0.5, 0.92}, {0.22, 0.4}}, Rgb(50, 100, 230));
        p.poly({{0.5, 0.08}, {0.5, 0.92}, {0.22, 0.4}}, Rgb(90, 150, 250));
        p.poly({{0.5, 0.16}, {0.6, 0.38}, {0.5, 0.5}}, Rgb(190, 220, 255));
        break;
    case TMotif::Drumstick:
        p.ell(0.42, 0.42, 0.26, 0.22, Rgb(170, 90, 40));
        p.ell(0.38, 0.38, 0.14, 0.1, Rgb(210, 130, 70));
        p.line(0.56, 0.56, 0.82, 0.82, 0.09, Rgb(240, 230, 210));
        p.circ(0.84, 0.78, 0.06, Rgb(240, 230, 210));
        p.circ(0.78, 0.86, 0.06, Rgb(240, 230, 210));
        break;
    case TMotif::Weight:
        p.poly({{0.3, 0.32}, {0.7, 0.32}, {0.86, 0.86}, {0.14, 0.86}}, Rgb(110, 110, 118));
        p.ring(0.5, 0.22, 0.1, 0.06, Rgb(110, 110, 118));
        p.line(0.36, 0.4, 0.26, 0.78, 0.05, Rgb(150, 150, 160));
        break;
    case TMotif::Coins:
        for (int i = 0; i < 3; ++i) {
            const double v = 0.72 - i * 0.14;
            p.ell(0.42, v, 0.28, 0.1, pal::Gold_Dark);
            p.ell(0.42, v - 0.03, 0.28, 0.09, pal::Gold);
        }
        p.ell(0.68, 0.5, 0.2, 0.2, pal::Gold_Dark);
        p.ell(0.68, 0.48, 0.18, 0.18, pal::Gold);
        p.ell(0.66, 0.46, 0.08, 0.08, pal::Gold_Light);
        break;
    case TMotif::Star:
        star(p, 0.5, 0.54, 0.42, pal::Gold);
        star(p, 0.5, 0.54, 0.2, pal::Gold_Light);
        break;
    case TMotif::Scroll:
        scroll(p);
        break;
    case TMotif::Arrow_Up:
        arrow(p, 0.0, Rgb(90, 200, 90));
        break;
    case TMotif::Sword:
        sword(p, 0.84, 0.16, 0.18, 0.82);
        break;
    case TMotif::Crossed_Swords:
        sword(p, 0.84, 0.16, 0.2, 0.8);
        sword(p, 0.16, 0.16, 0.8, 0.8);
        break;
    case TMotif::Check:
        p.line(0.16, 0.5, 0.4, 0.76, 0.14, Rgb(70, 190, 60));
        p.line(0.4, 0.76, 0.86, 0.2, 0.14, Rgb(70, 190, 60));
        break;
    case TMotif::Exclamation:
        p.poly({{0.38, 0.1}, {0.62, 0.1}, {0.56, 0.64}, {0.44, 0.64}}, Rgb(240, 200, 40));
        p.circ(0.5, 0.8, 0.09, Rgb(240, 200, 40));
        break;
    case TMotif::Eye_Closed:
        p.ell(0.5, 0.5, 0.38, 0.22, Rgb(222, 180, 140));
        p.line(0.14, 0.5, 0.86, 0.5, 0.07, Rgb(70, 40, 30));
        for (double u = 0.28; u < 0.8; u += 0.15)
            p.line(u, 0.52, u - 0.04, 0.68, 0.04, Rgb(70, 40, 30));
        break;
    case TMotif::Chains:
        for (int i = 0; i < 4; ++i)
            p.ring(0.22 + i * 0.19, 0.3 + i * 0.14, 0.12, 0.06, Rgb(170, 170, 180));
        break;
    case TMotif::Sleep:
        for (int i = 0; i < 2; ++i) {
            const double o = i * 0.36, sc = i ? 0.3 : 0.42;
            p.line(0.1 + o, 0.5 - o, 0.1 + o + sc, 0.5 - o, 0.08, Rgb(180, 190, 255));
            p.line(0.1 + o + sc, 0.5 - o, 0.1 + o, 0.5 - o + sc, 0.08, Rgb(180, 190, 255));
            p.line(0.1 + o, 0.5 - o + sc, 0.1 + o + sc, 0.5 - o + sc, 0.08, Rgb(180, 190, 255));
        }
        break;
    case TMotif::Circle_Empty:
        p.ring(0.5, 0.5, 0.3, 0.1, pal::Stone_Light);
        break;
    case TMotif::Cross_Red:
        p.ring(0.5, 0.5, 0.38, 0.12, Rgb(210, 30, 30));
        p.line(0.26, 0.74, 0.74, 0.26, 0.12, Rgb(210, 30, 30));
        break;
    case TMotif::Eye:
        p.ell(0.5, 0.5, 0.42, 0.24, Rgb(236, 230, 210));
        p.circ(0.5, 0.5, 0.17, Rgb(60, 140, 90));
        p.circ(0.5, 0.5, 0.08, Rgb(20, 24, 20));
        p.circ(0.45, 0.44, 0.04, Rgb(250, 250, 250));
        break;
    case TMotif::Skull:
        p.ell(0.5, 0.42, 0.32, 0.3, Rgb(226, 220, 200));
        p.rect(0.32, 0.6, 0.36, 0.24, Rgb(226, 220, 200));
        p.circ(0.38, 0.44, 0.09, Rgb(40, 30, 30));
        p.circ(0.62, 0.44, 0.09, Rgb(40, 30, 30));
        p.poly({{0.5, 0.54}, {0.55, 0.64}, {0.45, 0.64}}, Rgb(40, 30, 30));
        for (double u = 0.38; u < 0.66; u += 0.08)
            p.line(u, 0.72, u, 0.84, 0.03, Rgb(100, 90, 80));
        break;
    case TMotif::Cog:
        for (int i = 0; i < 8; ++i) {
            const double a = i * pi / 4;
            p.line(0.5, 0.5, 0.5 + 0.42 * std::cos(a), 0.5 + 0.42 * std::sin(a), 0.14,
                   Rgb(170, 170, 176));
        }
        p.circ(0.5, 0.5, 0.3, Rgb(170, 170, 176));
        p.circ(0.5, 0.5, 0.12, pal::Stone_Dark);
        p.ring(0.5, 0.5, 0.24, 0.04, Rgb(210, 210, 215));
        break;
    case TMotif::Trophy:
        p.poly({{0.22, 0.14}, {0.78, 0.14}, {0.7, 0.46}, {0.5, 0.58}, {0.3, 0.46}}, pal::Gold);
        p.ring(0.2, 0.3, 0.1, 0.05, pal::Gold);
        p.ring(0.8, 0.3, 0.1, 0.05, pal::Gold);
        p.rect(0.45, 0.56, 0.1, 0.16, pal::Gold_Dark);
        p.rect(0.3, 0.72, 0.4, 0.12, pal::Gold);
        p.line(0.34, 0.2, 0.38, 0.42, 0.05, pal::Gold_Light);
        break;
    case TMotif::Door:
        p.rect(0.24, 0.12, 0.52, 0.8, pal::Wood_Light);
        p.ell(0.5, 0.14, 0.26, 0.1, pal::Wood_Light);
        for (double u = 0.37; u < 0.7; u += 0.13)
            p.line(u, 0.1, u, 0.9, 0.03, pal::Wood_Dark);
        p.line(0.24, 0.34, 0.76, 0.34, 0.06, Rgb(80, 80, 86));
        p.line(0.24, 0.7, 0.76, 0.7, 0.06, Rgb(80, 80, 86));
        p.circ(0.66, 0.54, 0.05, pal::Gold);
        break;
    case TMotif::Quill:
        scroll(p);
        p.poly({{0.9, 0.06}, {0.94, 0.16}, {0.6, 0.56}, {0.5, 0.6}, {0.54, 0.5}},
               Rgb(240, 240, 232));
        p.line(0.92, 0.1, 0.46, 0.66, 0.04, Rgb(60, 50, 40));
        break;
    case TMotif::Map:
        p.poly({{0.1, 0.2},
                {0.37, 0.12},
                {0.63, 0.22},
                {0.9, 0.14},
                {0.9, 0.8},
                {0.63, 0.88},
                {0.37, 0.78},
                {0.1, 0.86}},
               pal::Parchment);
        p.line(0.37, 0.12, 0.37, 0.78, 0.03, pal::Parchment_Dark);
        p.line(0.63, 0.22, 0.63, 0.88, 0.03, pal::Parchment_Dark);
        p.line(0.2, 0.7, 0.45, 0.5, 0.04, Rgb(150, 40, 30));
        p.line(0.45, 0.5, 0.7, 0.45, 0.04, Rgb(150, 40, 30));
        p.line(0.66, 0.38, 0.78, 0.52, 0.05, Rgb(170, 30, 30));
        p.line(0.78, 0.38, 0.66, 0.52, 0.05, Rgb(170, 30, 30));
        break;
    case TMotif::Figure:
        p.circ(0.5, 0.22, 0.12, Rgb(222, 180, 140));
        p.poly({{0.32, 0.36}, {0.68, 0.36}, {0.62, 0.64}, {0.38, 0.64}}, Rgb(60, 90, 160));
        p.line(0.34, 0.4, 0.2, 0.6, 0.08, Rgb(60, 90, 160));
        p.line(0.66, 0.4, 0.8, 0.6, 0.08, Rgb(60, 90, 160));
        p.line(0.43, 0.64, 0.4, 0.9, 0.09, Rgb(90, 60, 40));
        p.line(0.57, 0.64, 0.6, 0.9, 0.09, Rgb(90, 60, 40));
        break;
    case TMotif::Book_Star:
        p.rect(0.2, 0.12, 0.6, 0.76, Rgb(60, 40, 110));
        p.rect(0.74, 0.16, 0.08, 0.68, pal::Parchment);
        p.line(0.22, 0.14, 0.22, 0.86, 0.05, pal::Gold_Dark);
        star(p, 0.48, 0.5, 0.22, pal::Gold_Light);
        break;
    case TMotif::Scroll_Out:
        scroll(p);
        arrow(p, pi / 2, Rgb(90, 200, 90));
        break;
    case TMotif::Chest:
        p.rect(0.14, 0.42, 0.72, 0.42, pal::Wood_Light);
        p.ell(0.5, 0.42, 0.36, 0.2, pal::Wood);
        p.rect(0.14, 0.4, 0.72, 0.06, pal::Gold);
        p.rect(0.44, 0.4, 0.12, 0.18, pal::Gold);
        p.rect(0.14, 0.8, 0.72, 0.05, pal::Gold_Dark);
        break;
    case TMotif::Potion_Red:
        potion(p, Rgb(200, 26, 30));
        break;
    case TMotif::Potion_Blue:
        potion(p, Rgb(40, 80, 220));
        break;
    case TMotif::Plus:
        p.rect(0.42, 0.18, 0.16, 0.64, pal::Gold_Light);
        p.rect(0.18, 0.42, 0.64, 0.16, pal::Gold_Light);
        break;
    case TMotif::Minus:
        p.rect(0.18, 0.42, 0.64, 0.16, pal::Gold_Light);
        break;
    case TMotif::Close:
        p.line(0.24, 0.24, 0.76, 0.76, 0.16, pal::Gold_Light);
        p.line(0.76, 0.24, 0.24, 0.76, 0.16, pal::Gold_Light);
        break;
    case TMotif::Up:
        p.poly({{0.5, 0.2}, {0.84, 0.72}, {0.16, 0.72}}, pal::Gold_Light);
        break;
    case TMotif::Down:
        p.poly({{0.16, 0.28}, {0.84, 0.28}, {0.5, 0.8}}, pal::Gold_Light);
        break;
    case TMotif::Left:
        p.poly({{0.2, 0.5}, {0.72, 0.16}, {0.72, 0.84}}, pal::Gold_Light);
        break;
    case TMotif::Right:
        p.poly({{0.8, 0.5}, {0.28, 0.16}, {0.28, 0.84}}, pal::Gold_Light);
        break;
    case TMotif::Gem_On:
        p.circ(0.5, 0.5, 0.34, pal::Gold_Dark);
        p.circ(0.5, 0.5, 0.27, Rgb(60, 200, 80));
        p.circ(0.42, 0.42, 0.1, Rgb(200, 255, 200));
        break;
    case TMotif::Gem_Off:
        p.circ(0.5, 0.5, 0.34, pal::Gold_Dark);
        p.circ(0.5, 0.5, 0.27, Rgb(40, 52, 44));
        p.circ(0.42, 0.42, 0.07, Rgb(80, 96, 84));
        break;
    case TMotif::Orb_Purple:
        p.circ(0.5, 0.5, 0.36, Rgb(110, 40, 170));
        p.circ(0.5, 0.5, 0.24, Rgb(170, 90, 230));
        p.circ(0.4, 0.4, 0.09, Rgb(240, 210, 255));
        break;
    case TMotif::Cloud_Green: {
        static constexpr double puffs[4][3] = {
            {0.32, 0.56, 0.2}, {0.56, 0.44, 0.24}, {0.7, 0.62, 0.18}, {0.46, 0.66, 0.18}};
        for (const auto& q : puffs)
            p.circ(q[0], q[1], q[2], Rgb(90, 170, 60));
        p.circ(0.52, 0.4, 0.1, Rgb(170, 230, 120));
        break;
    }
    case TMotif::Holy:
        for (int i = 0; i < 12; ++i) {
            const double a = i * pi / 6;
            p.line(0.5, 0.5, 0.5 + 0.44 * std::cos(a), 0.5 + 0.44 * std::sin(a), 0.05,
                   Rgb(255, 240, 170));
        }
        p.rect(0.44, 0.2, 0.12, 0.6, Rgb(255, 255, 230));
        p.rect(0.28, 0.36, 0.44, 0.12, Rgb(255, 255, 230));
        break;
    case TMotif::Swirl:
        for (int i = 0; i < 40; ++i) {
            const double a = i * 0.38, r = 0.04 + i * 0.009;
            p.circ(0.5 + r * std::cos(a), 0.5 + r * std::sin(a), 0.05, Rgb(140 + i * 2, 100, 240));
        }
        break;
    case TMotif::Hand_Heal:
        p.ell(0.5, 0.62, 0.3, 0.22, Rgb(230, 186, 146));
        p.rect(0.44, 0.12, 0.12, 0.4, Rgb(255, 255, 230));
        p.rect(0.3, 0.26, 0.4, 0.12, Rgb(255, 255, 230));
        break;
    case TMotif::Pentagram: {
        p.ring(0.5, 0.5, 0.38, 0.05, Rgb(220, 60, 50));
        std::vector<TPoint> pts;
        for (int i = 0; i < 5; ++i) {
            const double a = -pi / 2 + i * 4 * pi / 5;
            pts.push_back(p.P(0.5 + 0.36 * std::cos(a), 0.5 + 0.36 * std::sin(a)));
        }
        for (int i = 0; i < 5; ++i)
            p.c.Thick_Line(pts[i].x, pts[i].y, pts[(i + 1) % 5].x, pts[(i + 1) % 5].y,
                           std::max(1.0, 0.05 * p.s), Rgb(220, 60, 50));
        break;
    }
    case TMotif::Boots:
        p.poly({{0.3, 0.14}, {0.56, 0.14}, {0.56, 0.64}, {0.86, 0.72}, {0.86, 0.86}, {0.3, 0.86}},
               Rgb(110, 70, 40));
        p.rect(0.28, 0.14, 0.3, 0.08, Rgb(140, 96, 56));
        break;
    case TMotif::Fireball:
        p.circ(0.56, 0.46, 0.3, Rgb(214, 64, 24));
        p.poly({{0.3, 0.3}, {0.08, 0.9}, {0.6, 0.72}}, Rgb(214, 64, 24));
        p.circ(0.58, 0.44, 0.2, Rgb(250, 150, 40));
        p.circ(0.6, 0.42, 0.1, Rgb(255, 236, 140));
        break;
    case TMotif::Ice_Shard:
        p.poly({{0.86, 0.14}, {0.62, 0.56}, {0.2, 0.86}, {0.44, 0.42}}, Rgb(120, 200, 250));
        p.poly({{0.86, 0.14}, {0.44, 0.42}, {0.52, 0.5}}, Rgb(220, 244, 255));
        break;
    case TMotif::Arrow_Volley:
        for (int i = 0; i < 3; ++i) {
            const double o = i * 0.18 - 0.18;
            p.line(0.18 + o, 0.82, 0.78 + o, 0.22, 0.05, pal::Wood_Light);
            p.poly({{0.84 + o, 0.16}, {0.7 + o, 0.2}, {0.8 + o, 0.3}}, Rgb(200, 200, 210));
        }
        break;
    case TMotif::Web:
        for (int i = 0; i < 8; ++i) {
            const double a = i * pi / 4;
            p.line(0.5, 0.5, 0.5 + 0.44 * std::cos(a), 0.5 + 0.44 * std::sin(a), 0.03,
                   Rgb(230, 230, 230));
        }
        p.ring(0.5, 0.5, 0.16, 0.03, Rgb(230, 230, 230));
        p.ring(0.5, 0.5, 0.32, 0.03, Rgb(230, 230, 230));
        break;
    case TMotif::Axe:
        p.line(0.3, 0.9, 0.62, 0.18, 0.08, pal::Wood_Light);
        p.poly({{0.52, 0.12}, {0.86, 0.2}, {0.9, 0.5}, {0.64, 0.42}, {0.58, 0.3}},
               Rgb(180, 186, 196));
        p.line(0.86, 0.22, 0.9, 0.48, 0.04, Rgb(240, 240, 250));
        break;
    case TMotif::Mace:
        p.line(0.26, 0.86, 0.58, 0.42, 0.08, pal::Wood_Light);
        p.circ(0.64, 0.34, 0.2, Rgb(150, 150, 160));
        for (int i = 0; i < 6; ++i) {
            const double a = i * pi / 3;
            p.line(0.64, 0.34, 0.64 + 0.28 * std::cos(a), 0.34 + 0.28 * std::sin(a), 0.07,
                   Rgb(190, 190, 200));
        }
        p.circ(0.58, 0.28, 0.06, Rgb(220, 220, 230));
        break;
    case TMotif::Bow:
        p.ring(0.2, 0.5, 0.5, 0.07, pal::Wood_Light);
        p.rect(0.0, 0.0, 0.2, 1.0, Pink);
        p.line(0.36, 0.04, 0.36, 0.96, 0.02, Rgb(230, 230, 220));
        p.line(0.2, 0.5, 0.9, 0.5, 0.04, pal::Wood);
        p.poly({{0.94, 0.5}, {0.82, 0.44}, {0.82, 0.56}}, Rgb(200, 200, 210));
        break;
    case TMotif::Dagger:
        sword(p, 0.74, 0.26, 0.28, 0.72);
        break;
    case TMotif::Crossbow:
        p.line(0.5, 0.16, 0.5, 0.9, 0.1, pal::Wood_Light);
        p.ring(0.5, 0.62, 0.42, 0.07, Rgb(150, 150, 160));
        p.rect(0.0, 0.5, 1.0, 0.5, Pink);
        p.line(0.5, 0.16, 0.5, 0.9, 0.1, pal::Wood_Light);
        p.line(0.1, 0.46, 0.9, 0.46, 0.02, Rgb(230, 230, 220));
        p.poly({{0.5, 0.04}, {0.42, 0.18}, {0.58, 0.18}}, Rgb(200, 200, 210));
        break;
    case TMotif::Key:
        p.ring(0.3, 0.3, 0.16, 0.08, pal::Gold);
        p.line(0.4, 0.4, 0.84, 0.84, 0.09, pal::Gold);
        p.line(0.66, 0.66, 0.56, 0.78, 0.08, pal::Gold);
        p.line(0.78, 0.78, 0.68, 0.9, 0.08, pal::Gold);
        break;
    case TMotif::Cloud_Grey: {
        static constexpr double puffs[4][3] = {
            {0.32, 0.56, 0.2}, {0.56, 0.44, 0.24}, {0.7, 0.62, 0.18}, {0.46, 0.66, 0.18}};
        for (const auto& q : puffs)
            p.circ(q[0], q[1], q[2], Rgb(150, 150, 160));
        p.circ(0.52, 0.4, 0.1, Rgb(210, 210, 220));
        break;
    }
    case TMotif::Wisp:
        p.circ(0.5, 0.4, 0.22, Rgb(200, 190, 170));
        p.poly({{0.3, 0.44}, {0.7, 0.44}, {0.56, 0.9}, {0.5, 0.7}, {0.42, 0.86}},
               Rgb(200, 190, 170));
        p.circ(0.43, 0.38, 0.05, Rgb(255, 120, 40));
        p.circ(0.57, 0.38, 0.05, Rgb(255, 120, 40));
        break;
    case TMotif::Drop_Blue:
        drop(p, Rgb(50, 110, 200));
        break;
    case TMotif::Moon:
        p.circ(0.5, 0.5, 0.34, Rgb(230, 230, 190));
        p.circ(0.64, 0.4, 0.3, Pink);
        (void)seed;
        break;
    }
}

} // namespace

void Draw_Motif(TCanvas& canvas, TMotif motif, int x, int y, int size, uint32_t seed) {
    if (motif == TMotif::Blank)
        return;
    // Drawn apart and outlined, then laid over what is below.
    TCanvas layer(size, size);
    const int inner = size - 2;
    TCanvas body(inner, inner);
    draw_plain(TPen{body, double(inner)}, motif, seed);
    layer.Blit(body, 1, 1);
    layer.Outline(pal::Shadow);
    canvas.Blit(layer, x, y);
}
