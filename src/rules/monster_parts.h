#pragma once
// What the files of TMonster share: the value bounds of its fields and its view of
// the current world's items and sounds.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "rules/item_list.h"
#include "rules/monster.h"
#include "shell/helpers.h"

namespace monster_parts {

inline constexpr int32_t Maximum_Movement_Interval = 3000;

inline uint16_t word(int64_t n) {
    return Clamp_Word(n);
}

inline int32_t longint(int64_t n) {
    return static_cast<int32_t>(std::clamp<int64_t>(n, -2147483647, 2147483647));
}

inline int64_t trunc64(double x) {
    return static_cast<int64_t>(std::clamp(std::trunc(x), -9.0e15, 9.0e15));
}

// The item list creatures refer to: the current map's, or an empty one without a map.
inline TItem_List& world_items() {
    static TItem_List none;
    if (TCreature_World* world = Creature_World())
        return world->Items();
    none.Clear();
    return none;
}

inline void play(const std::string& wave_file, int32_t x, int32_t y) {
    if (TCreature_World* world = Creature_World(); world && !wave_file.empty())
        world->Play_Sound(wave_file, x, y);
}

} // namespace monster_parts
