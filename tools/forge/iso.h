#pragma once
// Isometric drawing inside a 54 x 54 map cell. A square's ground is the floor diamond;
// (u, v) in 0..1 are map fractions across it: u grows to the east (screen up-right),
// v to the south (screen down-right). Solids are height fields over the square,
// rendered front-most surface first, so walls, doors and props read from every side.

#include <cstdint>
#include <functional>

#include "canvas.h"

enum class TFace { Top, West, South };

// The ground point under a cell pixel (its centre).
void Iso_Ground(double sx, double sy, double& u, double& v);
// The cell position of a ground point at a height in pixels.
void Iso_Screen(double u, double v, double h, double& sx, double& sy);

// Periodic noise over the unit square (period cells per side), 0..1: floors tile
// seamlessly from square to square.
double Tile_Noise(uint32_t seed, double u, double v, int period, int octaves);

struct TSolid {
    // Height in pixels of the column standing on (u, v); 0 or less for none.
    std::function<double(double u, double v)> height;
    // Colour of a surface point.
    std::function<TRGB(TFace face, double u, double v, double h)> colour;
    // Colour where the drawn part is cut off below the solid's real top (a wall's base
    // drawn without its upper part); the top face's colour when empty.
    std::function<TRGB(double u, double v)> cut = nullptr;
};

// Draws the part of the solid between heights lo and hi (a wall's base in one layer,
// its upper part in another). Pixels it does not cover are left as they are.
void Render_Solid(TCanvas& cell, const TSolid& solid, double lo = 0, double hi = 60);
// Fills the floor diamond with colour(u, v).
void Render_Ground(TCanvas& cell, const std::function<TRGB(double u, double v)>& colour);
