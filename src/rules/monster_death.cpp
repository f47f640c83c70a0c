// A creature's death: what killing it is worth, the killer's reward, and what it
// leaves behind.

#include <algorithm>
#include <cmath>

#include "rules/monster.h"
#include "rules/monster_list.h"
#include "rules/monster_parts.h"
#include "shell/enums.h"

using namespace monster_parts;

int32_t TMonster::Experience_Value(const TMonster* killer) const {
    if (!killer || (killer->Is_Monster() && !Does_Attack_Character))
        return 0;
    // Level 0 creatures count as level 1, so no division by zero.
    const double v = std::max<int32_t>(1, Level);
    const double k = std::max<int32_t>(1, killer->Level);
    double x = std::trunc(v / k * (v * 20 + std::trunc(Maximum_Health / 10.0 * 5)));
    if (Is_Unique)
        x *= 5;
    x = std::trunc(x * (Experience_Bonus + 100) / 100);
    return longint(trunc64(x));
}

void TMonster::Award_Kill(TMonster* killer) const {
    if (!killer)
        return;
    killer->add_mana(killer->Get_Effect_Total(TEffect_Type::Each_Kill_Regenerates_Mana));
    TMonster* receiver = killer;
    TCreature_World* world = Creature_World();
    if (killer->Leader != 0 && world)
        if (TMonster* leader = world->Monsters().Get(killer->Leader))
            receiver = leader;
    receiver->Gain_Experience(Experience_Value(killer));
}

void TMonster::Die(TMonster* killer, const std::string& cause) {
    if (dead_)
        return;
    Health = 0;
    TCreature_World* world = Creature_World();
    if (!world) {
        dead_ = true;
        return;
    }
    world->Play_Sound(Sound_Death, X, Y);
    TItem_List& items = world->Items();
    TMonster* player = world->Player();
    const bool is_player = player == this;
    if (!is_player && player) {
        const int32_t more_gold = player->Get_Effect_Total(TEffect_Type::More_Gold);
        if (more_gold > 0) {
            for (int32_t k = 1; k <= Inventory.Count(); ++k) {
                TItem* item = Inventory.Items.Get(k, items);
                if (!item || item->Get_Type() != TItem_Type::Gold)
                    continue;
                // A large stack stops at the most a quantity holds instead of wrapping.
                const uint16_t quantity =
                    word(trunc64(item->Quantity * static_cast<double>(more_gold + 100) / 100));
                item->Quantity = quantity;
                item->Set_Maximum_Stacked(quantity);
            }
        }
    }
    for (int32_t slot = 1; slot <= Last_Backpack_Slot; ++slot)
        while (const uint16_t number = Inventory.Take_From_Slot(slot, items))
            world->Drop_Item(X, Y, number);
    if (is_player) {
        TDeath_Report report;
        report.Name = Name;
        report.Class_Number = Class_Number;
        report.Cause = cause;
        if (killer) {
            report.Killer_Name = killer->Name;
            report.Killer_Level = killer->Level;
        }
        report.Experience = Experience;
        report.Level = Level;
        world->Player_Died(report);
        world->Forget_Player();
    }
    if (Event_ID != 0)
        world->Raise_Monster_Killed(Event_ID);
    world->Set_Square_Creature(X, Y, 0);
    // Last, so that the player and the event above still find it. The list frees it
    // after the pass: callers up the stack may still hold it.
    world->Monsters().Mark_Dead(*this);
}
