#pragma once
// What a viewer standing in the middle of a 15 x 15 window sees: each ring of the
// window looks one step toward the centre (diagonally off the axes), the rows first,
// then the columns, so the rows pass decides the corners.

#include <array>
#include <cstdint>

#include "world/map.h"

using TView_Window = std::array<std::array<uint8_t, View_Size>, View_Size>; // [i][j]

// Fills window (1 = visible) for the viewer at cell (7, 7) of the window whose top-left
// square is (left, top). Squares off the map block sight; their cells are left as the
// algorithm gives them, and the caller decides what they mean.
void Compute_Sight_Window(const TMap& map, int32_t left, int32_t top, uint8_t mask,
                          TView_Window& window);
