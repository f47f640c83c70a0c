#pragma once
// Acting on a map square: talk to a peaceful creature, attack or cast at a creature,
// pick up an item, spring or notice a trap, unlock with a key, pick or bash a lock,
// open a door or chest, or shoot or cast at a spot. Also the player's directional step.

#include <cstdint>
#include <string>

#include "rules/main_callbacks.h"

class TMap;
class TMonster;

// What the actor does to (x, y) (spell: a spell number the actor knows, 0 for none).
// True when something was done.
bool Act_On_Square(TMap& map, TMonster& actor, int32_t x, int32_t y, uint16_t spell,
                   TMain_Callbacks& callbacks);

// Unless the victim notices it (detect traps), a trap of the named group, grown to
// the victim's level, hits the victim. True when it sprang.
bool Spring_Trap(TMonster& victim, const std::string& trap_group_name, TMain_Callbacks& callbacks);

// The outcome of a step: blocked (or acted on the square instead), moved, or moved
// onto a map connection.
inline constexpr int32_t Step_Blocked = 1;
inline constexpr int32_t Step_Moved = 2;
inline constexpr int32_t Step_Entrance = 3;

// The squares one step away in each compass direction 1..8 (0 stays put).
int32_t Direction_Dx(int32_t direction);
int32_t Direction_Dy(int32_t direction);
// The mask a creature moves with; a creature without one walks on land.
uint8_t Movement_Mask_Of(const TMonster& creature);
// Takes the creature off its square and puts it on (x, y).
void Move_Creature(TMap& map, TMonster& creature, int32_t x, int32_t y);

// The player's step in a direction: acts on the neighbouring square when there is
// something to do there (Step_Blocked), else walks onto it. The player is not kept
// away from the map's edge as monsters are; squares off the map simply block.
int32_t Player_Step(TMap& map, TMonster& player, int32_t direction, TMain_Callbacks& callbacks);
