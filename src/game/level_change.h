#pragma once
// Taking a map connection: the level in memory is written back to its file in the
// current-game folder without the player, and the destination level is read from its
// file; the player, its items, the item on the pointer and the allies following it
// come along, their items renumbered in the new level's list.

#include <cstdint>
#include <string>

#include "game/save_load.h"

class THeld_Item;

// The player stands on (x, y) of the module's current map. False, with the game as it
// was, when no connection there may be taken (no message: the player just stays), and
// when the level cannot be written or the destination cannot be read (with the
// error). folder is the current-game folder, ending in a separator.
bool Change_Level(const TGame_Objects& game, const std::string& folder, THeld_Item& held, int32_t x,
                  int32_t y);

// Allies within this many squares of the player go along.
inline constexpr int32_t Follower_Distance = 3;
