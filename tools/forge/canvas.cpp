#include "canvas.h"

#include <algorithm>
#include <cmath>

#include "forge_random.h"

TRGB Mix(TRGB a, TRGB b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto ch = [t](int p, int q) { return int(std::lround(p + (q - p) * t)); };
    return Rgb(ch(Red_Of(a), Red_Of(b)), ch(Green_Of(a), Green_Of(b)), ch(Blue_Of(a), Blue_Of(b)));
}

TRGB Shade(TRGB c, double factor) {
    auto ch = [factor](int v) { return std::clamp(int(std::lround(v * factor)), 0, 255); };
    return Rgb(ch(Red_Of(c)), ch(Green_Of(c)), ch(Blue_Of(c)));
}

TCanvas::TCanvas(int width, int height, TRGB fill)
    : width_(width), height_(height), pixels_(size_t(width) * height, fill) {}

void TCanvas::Blend(int x, int y, TRGB c, double alpha) {
    if (!Inside(x, y) || Get(x, y) == Pink)
        return;
    Set(x, y, Mix(Get(x, y), c, alpha));
}

void TCanvas::Fill(TRGB c) {
    std::fill(pixels_.begin(), pixels_.end(), c);
}

void TCanvas::Fill_Rect(int x, int y, int w, int h, TRGB c) {
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + w, width_), y1 = std::min(y + h, height_);
    for (int j = y0; j < y1; ++j)
        for (int i = x0; i < x1; ++i)
            pixels_[size_t(j) * width_ + i] = c;
}

void TCanvas::Rect_Outline(int x, int y, int w, int h, TRGB c) {
    Fill_Rect(x, y, w, 1, c);
    Fill_Rect(x, y + h - 1, w, 1, c);
    Fill_Rect(x, y, 1, h, c);
    Fill_Rect(x + w - 1, y, 1, h, c);
}

void TCanvas::Line(int x0, int y0, int x1, int y1, TRGB c) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void TCanvas::Thick_Line(double x0, double y0, double x1, double y1, double width, TRGB c) {
    // Pixels whose centre lies within width / 2 of the segment.
    const double r = width / 2.0;
    const int bx0 = int(std::floor(std::min(x0, x1) - r)),
              bx1 = int(std::ceil(std::max(x0, x1) + r));
    const int by0 = int(std::floor(std::min(y0, y1) - r)),
              by1 = int(std::ceil(std::max(y0, y1) + r));
    const double vx = x1 - x0, vy = y1 - y0, len2 = vx * vx + vy * vy;
    for (int y = by0; y <= by1; ++y)
        for (int x = bx0; x <= bx1; ++x) {
            const double px = x + 0.5 - x0, py = y + 0.5 - y0;
            double t = len2 > 0 ? (px * vx + py * vy) / len2 : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            const double dx = px - t * vx, dy = py - t * vy;
            if (dx * dx + dy * dy <= r * r)
                Set(x, y, c);
        }
}

void TCanvas::Fill_Circle(double cx, double cy, double r, TRGB c) {
    Fill_Ellipse(cx, cy, r, r, c);
}

void TCanvas::Ring(double cx, double cy, double r, double width, TRGB c) {
    const double outer = r + width / 2, inner = std::max(0.0, r - width / 2);
    for (int y = int(std::floor(cy - outer)); y <= int(std::ceil(cy + outer)); ++y)
        for (int x = int(std::floor(cx - outer)); x <= int(std::ceil(cx + outer)); ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d <= outer && d >= inner)
                Set(x, y, c);
        }
}

void TCanvas::Fill_Ellipse(double cx, double cy, double rx, double ry, TRGB c) {
    if (rx <= 0 || ry <= 0)
        return;
    for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); ++y)
        for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0)
                Set(x, y, c);
        }
}

void TCanvas::Fill_Polygon(const std::vector<TPoint>& points, TRGB c) {
    if (points.size() < 3)
        return;
    double min_y = points[0].y, max_y = points[0].y;
    for (const auto& p : points) {
        min_y = std::min(min_y, p.y);
        max_y = std::max(max_y, p.y);
    }
    std::vector<double> crossings;
    for (int y = std::max(0, int(std::floor(min_y))); y <= std::min(height_ - 1, int(max_y)); ++y) {
        const double sy = y + 0.5;
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const TPoint& a = points[i];
            const TPoint& b = points[(i + 1) % points.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
                crossings.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int x0 = int(std::ceil(crossings[i] - 0.5));
            const int x1 = int(std::floor(crossings[i + 1] - 0.5));
            for (int x = x0; x <= x1; ++x)
                Set(x, y, c);
        }
    }
}

void TCanvas::Vertical_Gradient(int x, int y, int w, int h, TRGB top, TRGB bottom) {
    for (int j = 0; j < h; ++j)
        Fill_Rect(x, y + j, w, 1, Mix(top, bottom, h > 1 ? double(j) / (h - 1) : 0.0));
}

void TCanvas::Bevel(int x, int y, int w, int h, TRGB light, TRGB dark, int thickness) {
    for (int t = 0; t < thickness; ++t) {
        Fill_Rect(x + t, y + t, w - 2 * t, 1, light);
        Fill_Rect(x + t, y + t, 1, h - 2 * t, light);
        Fill_Rect(x + t, y + h - 1 - t, w - 2 * t, 1, dark);
        Fill_Rect(x + w - 1 - t, y + t, 1, h - 2 * t, dark);
    }
}

void TCanvas::Blit(const TCanvas& src, int x, int y) {
    Blit_Part(src, 0, 0, src.Width(), src.Height(), x, y);
}

void TCanvas::Blit_Part(const TCanvas& src, int sx, int sy, int w, int h, int x, int y) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            if (!src.Inside(sx + i, sy + j))
                continue;
            const TRGB c = src.Get(sx + i, sy + j);
            if (c != Pink)
                Set(x + i, y + j, c);
        }
}

void TCanvas::Outline(TRGB c) {
    const TCanvas before = *this;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            if (before.Get(x, y) != Pink)
                continue;
            const bool touches = (before.Inside(x - 1, y) && before.Get(x - 1, y) != Pink) ||
                                 (before.Inside(x + 1, y) && before.Get(x + 1, y) != Pink) ||
                                 (before.Inside(x, y - 1) && before.Get(x, y - 1) != Pink) ||
                                 (before.Inside(x, y + 1) && before.Get(x, y + 1) != Pink);
            if (touches)
                Set(x, y, c);
        }
}

void TCanvas::Vignette(int x, int y, int w, int h, int radius, double strength) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const int d = std::min(std::min(i, w - 1 - i), std::min(j, h - 1 - j));
            if (d >= radius)
                continue;
            const double t = 1.0 - double(d) / radius;
            const int px = x + i, py = y + j;
            if (Inside(px, py) && Get(px, py) != Pink)
                Set(px, py, Shade(Get(px, py), 1.0 - strength * t * t));
        }
}

void TCanvas::Make_Safe() {
    for (TRGB& c : pixels_) {
        if (c == Pink)
            continue;
        int r = Red_Of(c), g = Green_Of(c), b = Blue_Of(c);
        if (r < 16 && g < 16 && b < 16) {
            r = std::max(r, 16);
            g = std::max(g, 16);
            b = std::max(b, 16);
        }
        if (r >= 248 && g <= 3 && b >= 248)
            g = 8;
        c = Rgb(r, g, b);
    }
}

double Value_Noise(uint32_t seed, double x, double y, double scale) {
    const double fx = x / scale, fy = y / scale;
    const int ix = int(std::floor(fx)), iy = int(std::floor(fy));
    double tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    auto v = [seed](int px, int py) { return (Hash_Point(seed, px, py) & 0xFFFF) / 65535.0; };
    const double top = v(ix, iy) + (v(ix + 1, iy) - v(ix, iy)) * tx;
    const double bottom = v(ix, iy + 1) + (v(ix + 1, iy + 1) - v(ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}

double Fractal_Noise(uint32_t seed, double x, double y, double scale, int octaves) {
    double sum = 0, weight = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += Value_Noise(seed + uint32_t(o) * 7919u, x, y, scale) * weight;
        total += weight;
        weight *= 0.5;
        scale = std::max(1.0, scale / 2);
    }
    return sum / total;
}
