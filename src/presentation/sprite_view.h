#pragma once
// The sprites on one map square drawn over it: damage flashes centred in the square,
// display effect frames where their flight or the creature they follow puts them.

#include <cstdint>

class TMap;

// (x, y) is the square's cell corner on the screen.
void Draw_Sprites_On_Square(const TMap& map, int32_t mx, int32_t my, int x, int y, int buffer);
