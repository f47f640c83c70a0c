#pragma once
// The only way the rules reach the screen: the main game screen implements these six
// operations, hands itself to every action, cast and per-tick pass, and is installed
// as the Callbacks service (shell/services.h) for what happens outside them, such as
// the player's death. An attack's sprites carry its hit; when they end, the screen
// calls Hit_Arrives (combat.h). Every operation does nothing until overridden.

#include <cstdint>
#include <string>

#include "rules/damage.h"

class TMonster;
struct TDeath_Report;

// What the screen needs to show an attack and deliver its hit.
struct TAttack_Show {
    uint16_t Attacker = 0; // creature number; 0 for a trap
    uint16_t Target = 0;   // creature number; 0 for a shot at a spot
    int32_t From_X = 0, From_Y = 0;
    int32_t X = 0, Y = 0; // the target square
    bool Hit = false;     // false for a miss: nothing arrives
    TDamage Damage;       // rolled Amount, Effects and Duration of the hit
    std::string Impact_Sound;
    std::string Cause; // the death cause when the hit kills
};

// What the screen needs to show a spell reaching one square or creature.
struct TSpell_Show {
    uint16_t Spell = 0; // number in the master spell list
    uint16_t Caster = 0;
    uint16_t Target = 0; // 0 when no creature is aimed at
    int32_t From_X = 0, From_Y = 0;
    int32_t X = 0, Y = 0;
    bool Hit = false;
    TDamage Damage; // the spell's damage with the hit's Amount, Effects and Duration
    std::string Impact_Sound;
    std::string Cause;
};

class TMain_Callbacks {
  public:
    virtual ~TMain_Callbacks() = default;
    virtual void Show_Attack(const TAttack_Show& /*attack*/) {}
    virtual void Show_Spell(const TSpell_Show& /*spell*/) {}
    // A peaceful creature with talk topics or a store was spoken to.
    virtual void Open_Talk(TMonster& /*monster*/) {}
    // A chest (a terrain that shows the chest window) was opened at the square.
    virtual void Open_Chest(int32_t /*x*/, int32_t /*y*/) {}
    virtual void Player_Died(const TDeath_Report& /*report*/) {}
    virtual void Refresh_Spell_Buttons() {}
};

// The installed callbacks, or ones that do nothing.
TMain_Callbacks& Main_Callbacks();
