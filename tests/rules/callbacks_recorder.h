#pragma once
// The main screen's callbacks as the tests see them: everything shown is recorded, and
// hits are delivered by the test itself (or all at once with Deliver_Hits). As a
// sprite would, each record keeps references to its creatures taken when it was shown.

#include <vector>

#include "rules/combat.h"
#include "rules/main_callbacks.h"
#include "rules/monster.h"
#include "rules/references.h"

// The creature the shown number names now, in the current world.
inline TCreature_Ref Shown_Creature(uint16_t number) {
    TCreature_World* world = Creature_World();
    return world ? Creature_Ref(world->Monsters(), number) : TCreature_Ref();
}

struct TShown_Attack : TAttack_Show {
    TCreature_Ref Attacker_Ref, Target_Ref;
};

struct TShown_Spell : TSpell_Show {
    TCreature_Ref Caster_Ref, Target_Ref;
};

struct TCallbacks_Recorder : TMain_Callbacks {
    std::vector<TShown_Attack> attacks;
    std::vector<TShown_Spell> spells;
    std::vector<uint16_t> talks;
    std::vector<std::pair<int32_t, int32_t>> chests;
    std::vector<TDeath_Report> deaths;
    int32_t spell_button_refreshes = 0;

    void Show_Attack(const TAttack_Show& attack) override {
        attacks.push_back({attack, Shown_Creature(attack.Attacker), Shown_Creature(attack.Target)});
    }
    void Show_Spell(const TSpell_Show& spell) override {
        spells.push_back({spell, Shown_Creature(spell.Caster), Shown_Creature(spell.Target)});
    }
    void Open_Talk(TMonster& monster) override { talks.push_back(monster.Number); }
    void Open_Chest(int32_t x, int32_t y) override { chests.emplace_back(x, y); }
    void Player_Died(const TDeath_Report& report) override { deaths.push_back(report); }
    void Refresh_Spell_Buttons() override { ++spell_button_refreshes; }

    // Every recorded hit arrives, as its sprite would; the records are then cleared.
    void Deliver_Hits() {
        const std::vector<TShown_Attack> pending_attacks = std::move(attacks);
        const std::vector<TShown_Spell> pending_spells = std::move(spells);
        attacks.clear();
        spells.clear();
        for (const TShown_Attack& a : pending_attacks)
            if (a.Hit && a.Target != 0)
                Hit_Arrives(a.Attacker_Ref, a.Target_Ref, a.Damage, a.Cause, *this);
        for (const TShown_Spell& s : pending_spells)
            if (s.Hit && s.Target != 0)
                Hit_Arrives(s.Caster_Ref, s.Target_Ref, s.Damage, s.Cause, *this);
    }
};
