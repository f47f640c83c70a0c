#pragma once
// Casting spells and skills, known or read from a scroll, at a creature, a spot, the
// caster itself or an area, and summoning the caster's followers.

#include <cstdint>

#include "rules/main_callbacks.h"

class TMap;
class TMonster;
class TMonster_Class_List;
class TSpell;

// Casts a spell the caster knows at (x, y). True when the cast went ahead (mana spent).
bool Cast(TMap& map, TMonster& caster, uint16_t spell, int32_t x, int32_t y,
          TMain_Callbacks& callbacks);
// Casts what quick slot 1..10 holds: a known spell, or a scroll, which is used up only
// when its cast goes ahead.
bool Cast_From_Quick_Slot(TMap& map, TMonster& caster, int32_t slot, int32_t x, int32_t y,
                          TMain_Callbacks& callbacks);

// A spell's effect applied straight to a creature (a self spell): feeding, healing,
// mana, cures, teleport, or a timed (duration > 0) or permanent effect.
void Apply_Spell_Effect(TMap& map, TMonster& target, uint8_t type, int32_t amount_min,
                        int32_t amount_max, int32_t duration);

// Where summoned monsters' classes come from (the Summons service, shell/services.h).
class TSummon_Service {
  public:
    virtual ~TSummon_Service() = default;
    // Reads "Summon_MonsterClasses.txt" of the module's folders, for each summoning.
    // False when the classes could not be read.
    virtual bool Read_Summon_Classes(TMonster_Class_List& classes);
};

// The installed service, or the one reading the data file.
TSummon_Service& Summon_Service();
