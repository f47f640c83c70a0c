#pragma once
// Button strips: one column per button picture, rows normal, hover, pressed and
// disabled, all drawn from one plate style so every button in the game matches.

#include <cstdint>
#include <functional>

#include "canvas.h"

enum class TButton_Shape { Square, Round, Rounded };

enum TButton_Row { Row_Normal = 0, Row_Hover = 1, Row_Pressed = 2, Row_Disabled = 3 };

// Draws what sits on a plate (its top-left at (x, y), already moved for a pressed
// button) into the cell.
using TButton_Content = std::function<void(TCanvas& cell, int column, int x, int y)>;

// A strip of `columns` x 4 cells of w x h. Plates are carved stone with a gold rim;
// hover lights them, pressed sinks them and moves the content one pixel right and down,
// disabled greys them.
TCanvas Button_Strip(int w, int h, int columns, TButton_Shape shape, uint32_t seed,
                     const TButton_Content& content);
// The plate alone (exposed for the slot frames that share the look).
void Button_Plate(TCanvas& cell, TButton_Shape shape, int row, uint32_t seed);
// Greys and darkens every non-pink pixel: the disabled look.
void Disable_Look(TCanvas& cell);
