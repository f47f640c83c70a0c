#pragma once
// What must hold of a level between two ticks, whatever the player did: every square
// names only creatures standing on it and items that exist, every living creature
// stands on a square that names it, and every item of the level's list is held in
// exactly one place (a square or a pile, an inventory, a chest, a store, or the
// pointer). The long runs of random play check it as they go.

#include <cstdint>
#include <string>
#include <vector>

class TMap;

// One line per fault found, empty when the level is sound. held_item is the item on
// the pointer (0 for none), which belongs to the level's list too.
std::vector<std::string> Check_Level(const TMap& map, uint16_t held_item);
