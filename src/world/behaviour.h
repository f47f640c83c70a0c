#pragma once
// How monsters think: on each due move (and only within 30 squares of the player) a
// monster takes one behaviour step driven by its movement strategy: it attacks or casts
// at its target, walks toward the player, its leader or its home along a searched path,
// steps in a direction, or wanders. Creatures serving a character fight its enemies.
//
// A monster's condition, its retreat setting and its response range are carried but
// change nothing here.

#include <cstdint>

#include "rules/main_callbacks.h"

class TMap;
class TMonster;

// One behaviour step. False when the monster died in it (it may then be freed).
bool Think(TMap& map, TMonster& monster, TMain_Callbacks& callbacks);
// The creature the monster would fight, or nothing. A hostile monster that does not
// attack the character fights nobody.
TMonster* Find_Target(TMap& map, TMonster& monster);
// Attacks an adjacent target, or perhaps casts at a farther one; true when the target
// was adjacent.
bool Try_Act(TMap& map, TMonster& monster, TMain_Callbacks& callbacks);
// 0 without a player.
int32_t Direction_To_Player(TMap& map, const TMonster& monster);
// One square in the direction, kept within 8..193: Step_Blocked, Step_Moved, or
// Step_Entrance (actions.h).
int32_t Step(TMap& map, TMonster& monster, int32_t direction);
