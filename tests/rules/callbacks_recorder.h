#pragma once
// The main screen's callbacks as the tests see them: everything shown is recorded, and
// hits are delivered by the test itself (or all at once with Deliver_Hits).

#include <vector>

#include "rules/combat.h"
#include "rules/main_callbacks.h"
#include "rules/monster.h"

struct TCallbacks_Recorder : TMain_Callbacks {
    std::vector<TAttack_Show> attacks;
    std::vector<TSpell_Show> spells;
    std::vector<uint16_t> talks;
    std::vector<std::pair<int32_t, int32_t>> chests;
    std::vector<TDeath_Report> deaths;
    int32_t spell_button_refreshes = 0;

    void Show_Attack(const TAttack_Show& attack) override { attacks.push_back(attack); }
    void Show_Spell(const TSpell_Show& spell) override { spells.push_back(spell); }
    void Open_Talk(TMonster& monster) override { talks.push_back(monster.Number); }
    void Open_Chest(int32_t x, int32_t y) override { chests.emplace_back(x, y); }
    void Player_Died(const TDeath_Report& report) override { deaths.push_back(report); }
    void Refresh_Spell_Buttons() override { ++spell_button_refreshes; }

    // Every recorded hit arrives, as its sprite would; the records are then cleared.
    void Deliver_Hits() {
        const std::vector<TAttack_Show> pending_attacks = std::move(attacks);
        const std::vector<TSpell_Show> pending_spells = std::move(spells);
        attacks.clear();
        spells.clear();
        for (const TAttack_Show& a : pending_attacks)
            if (a.Hit && a.Target != 0)
                Hit_Arrives(a.Attacker, a.Target, a.Damage, a.Cause, *this);
        for (const TSpell_Show& s : pending_spells)
            if (s.Hit && s.Target != 0)
                Hit_Arrives(s.Caster, s.Target, s.Damage, s.Cause, *this);
    }
};
