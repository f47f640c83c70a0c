#pragma once
// One step at a time toward a target: a short best-first search over the map with a
// budget of 99 expansions. When the target is not reached within the budget the mover
// heads for the searched square that came closest to it. Blocked squares are not
// forbidden, only expensive; with game-options flag 4 off nothing is blocked at all.

#include <cstdint>

class TMap;

// 1000 for a square the mask cannot enter or a moving missile stands on (the sprite
// service says which), else 0; always 0 while game-options flag 4 is off.
double Step_Penalty(const TMap& map, int32_t x, int32_t y, uint8_t movement_mask);

// The neighbour of (sx, sy) to step to on the way to (tx, ty); false, with -1 and -1,
// when there is none. A neighbouring target is always the step.
bool Find_Next_Step(const TMap& map, int32_t sx, int32_t sy, int32_t tx, int32_t ty,
                    uint8_t movement_mask, int32_t& next_x, int32_t& next_y);
