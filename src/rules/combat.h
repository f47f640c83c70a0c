#pragma once
// Melee and ranged attacks, the hit chance, attack damage, and how a hit is taken:
// reductions, resistances, elemental damage, on-hit effects and death. An attack works
// on copies: a weapon's or natural attack's damage and effects never change by a swing.

#include <cstdint>
#include <string>

#include "rules/damage.h"
#include "rules/effect_list.h"
#include "rules/main_callbacks.h"
#include "rules/references.h"

class TMonster;

// The map's distance: the larger of the two coordinate differences.
int32_t Map_Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// In 5..95. Levels below 1 count as 1, and attack and defense both 0 give 50, so no
// value divides by zero.
int32_t Hit_Chance(int32_t attack, int32_t defense, int32_t attacker_level, int32_t target_level);

// A creature's attack as it would be dealt now.
struct TAttack_Damage {
    TDamage Damage;
    TEffect_List Effects; // the weapon's or natural attack's own effects
    std::string Sound;    // the weapon's use sound
    std::string Ammo_Required;
};

// The hands' weapons (raised by the creature's boosts), else the first natural attack.
// False when the creature has no attack at all.
bool Get_Attack_Damage(const TMonster& creature, TAttack_Damage& attack);
bool Has_Ranged_Attack(const TMonster& creature);

// A melee attack on an adjacent target, or a shot at (x, y) (with or without a target
// creature there). True when an attack was started.
bool Attack(TMonster& attacker, TMonster* target, int32_t x, int32_t y, TMain_Callbacks& callbacks);

// The target takes the hit (damage.Amount, with damage.Duration for on-hit effects).
// True when it died: it is then dead (still in memory until its list removes the dead).
// A creature already dead takes nothing.
bool Take_Damage(TMonster& target, uint16_t attacker_number, const TDamage& damage,
                 TMain_Callbacks& callbacks, const std::string& cause, const TEffect_List& effects);

// A hit reaches its target (its sprite ended), both named by the references the sprite
// took when the hit was shown (Creature_Ref of the shown numbers). Nothing happens when
// the target is gone, even if another creature took its number since; an attacker gone
// the same way, or killed on the way (by "Attacker Takes Damage"), is not used.
void Hit_Arrives(const TCreature_Ref& attacker, const TCreature_Ref& target, const TDamage& damage,
                 const std::string& cause, TMain_Callbacks& callbacks);

// The armour or element sound of a hit; empty when it deals nothing.
std::string Choose_Impact_Sound(const TDamage& damage, const TEffect_List& effects);
