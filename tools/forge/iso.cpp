#include "iso.h"

#include <algorithm>
#include <cmath>

#include "forge_random.h"
#include "ui_parts.h"

// The diamond's left corner is (u 0, v 0) at (2, 39.5); east runs 24.5 right and 12.5 up
// per square, south 24.5 right and 12.5 down.
void Iso_Ground(double sx, double sy, double& u, double& v) {
    const double a = (sx - 2.0) / 24.5, b = (sy - 39.5) / 12.5;
    u = (a - b) / 2;
    v = (a + b) / 2;
}

void Iso_Screen(double u, double v, double h, double& sx, double& sy) {
    sx = 2.0 + 24.5 * (u + v);
    sy = 39.5 + 12.5 * (v - u) - h;
}

double Tile_Noise(uint32_t seed, double u, double v, int period, int octaves) {
    double sum = 0, weight = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        const double fx = (u - std::floor(u)) * period, fy = (v - std::floor(v)) * period;
        const int ix = int(fx), iy = int(fy);
        double tx = fx - ix, ty = fy - iy;
        tx = tx * tx * (3 - 2 * tx);
        ty = ty * ty * (3 - 2 * ty);
        auto at = [&](int x, int y) {
            return (Hash_Point(seed + uint32_t(o) * 131u, x % period, y % period) & 0xFFFF) /
                   65535.0;
        };
        const double top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * tx;
        const double bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * tx;
        sum += (top + (bottom - top) * ty) * weight;
        total += weight;
        weight *= 0.5;
        period *= 2;
    }
    return sum / total;
}

void Render_Ground(TCanvas& cell, const std::function<TRGB(double u, double v)>& colour) {
    for (int y = 0; y < 54; ++y)
        for (int x = 0; x < 54; ++x)
            if (In_Floor_Diamond(x, y)) {
                double u, v;
                Iso_Ground(x + 0.5, y + 0.5, u, v);
                cell.Set(x, y, colour(std::clamp(u, 0.0, 0.999), std::clamp(v, 0.0, 0.999)));
            }
}

void Render_Solid(TCanvas& cell, const TSolid& solid, double lo, double hi) {
    auto height_at = [&solid](double u, double v) {
        if (u < 0 || v < 0 || u >= 1 || v >= 1)
            return -1.0;
        return solid.height(u, v);
    };
    for (int y = 0; y < cell.Height(); ++y)
        for (int x = 0; x < cell.Width(); ++x) {
            // Walk down from the highest possible surface: the first column that reaches
            // the ray is the one nearest the viewer.
            for (double h = hi; h >= lo; h -= 0.5) {
                double u, v;
                Iso_Ground(x + 0.5, y + 0.5 + h, u, v);
                const double top = height_at(u, v);
                if (top <= 0 || top < h)
                    continue;
                if (top > hi && h >= hi - 0.01) {
                    // Cut at the upper limit: show the cut as a top face.
                    cell.Set(x, y, solid.cut ? solid.cut(u, v) : solid.colour(TFace::Top, u, v, h));
                } else if (top - h < 0.75) {
                    cell.Set(x, y, solid.colour(TFace::Top, u, v, top));
                } else {
                    // A side: which way does the column's edge face the viewer?
                    const double step = 0.03;
                    const bool west_open = height_at(u - step, v) < h;
                    const bool south_open = height_at(u, v + step) < h;
                    const TFace face = west_open && !south_open ? TFace::West
                                       : south_open && !west_open
                                           ? TFace::South
                                           : (u < 1 - v ? TFace::West : TFace::South);
                    cell.Set(x, y, solid.colour(face, u, v, h));
                }
                break;
            }
        }
}
