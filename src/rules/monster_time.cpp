// Time passing for a creature: its conditions, regeneration, hunger, poison, timed
// effects and lights, one game timer tick at a time.

#include <algorithm>

#include "rules/monster.h"
#include "rules/monster_list.h"
#include "rules/monster_parts.h"
#include "shell/enums.h"
#include "shell/options.h"
#include "shell/random.h"

using namespace monster_parts;

namespace {

constexpr double Poison_Step_Ms = 5000;
constexpr int32_t Hunger_Step_Ms = 5000;
constexpr int32_t Second_Ms = 1000;

} // namespace

void TMonster::set_condition(uint8_t condition, int32_t ms, uint16_t source) {
    Condition = condition;
    Condition_Time = ms;
    Condition_Source = source;
}

namespace {

int32_t condition_ms(int32_t lo, int32_t hi, int32_t level_gap, int32_t per_level) {
    return Random_Range(lo, hi) * 1000 + (level_gap > 0 ? level_gap * per_level : 0);
}

} // namespace

void TMonster::Set_Panic(int32_t level_gap, uint16_t source) {
    set_condition(static_cast<uint8_t>(TMonster_Status::Panic), condition_ms(10, 30, level_gap, 10),
                  source);
}

void TMonster::Set_Blind(int32_t level_gap, uint16_t source) {
    set_condition(static_cast<uint8_t>(TMonster_Status::Blind), condition_ms(10, 30, level_gap, 10),
                  source);
}

void TMonster::Set_Paralyzed(int32_t level_gap, uint16_t source) {
    set_condition(static_cast<uint8_t>(TMonster_Status::Paralyzed),
                  condition_ms(10, 20, level_gap, 10), source);
}

void TMonster::Set_Sleeping(int32_t level_gap, uint16_t source) {
    set_condition(static_cast<uint8_t>(TMonster_Status::Sleeping),
                  condition_ms(10, 30, level_gap, 10), source);
}

void TMonster::Set_Poisoned(int32_t level_gap, uint16_t source) {
    int64_t t = condition_ms(20, 40, level_gap, 20);
    t -= 1000LL * Get_Effect_Total(TEffect_Type::Poison_Length_Reduction);
    if (t <= 0)
        return;
    // The poison clock keeps running: a fresh dose while poisoned must not put off the
    // next loss of health (the clock stands at 0 whenever the creature is not poisoned).
    set_condition(static_cast<uint8_t>(TMonster_Status::Poisoned), longint(t), source);
}

void TMonster::Set_Charmed(int32_t seconds, uint16_t leader, uint16_t distance) {
    set_condition(Condition_Charmed, longint(static_cast<int64_t>(seconds) * 1000), leader);
    Leader = leader;
    Movement_Strategy = static_cast<uint8_t>(TMovement_Strategy::Guard_Monster);
    Guard_Distance = distance;
}

void TMonster::Cure_Poison() {
    if (Condition == static_cast<uint8_t>(TMonster_Status::Poisoned))
        set_condition(0, 0, 0);
}

void TMonster::Remove_Curse() {
    switch (static_cast<TMonster_Status>(Condition)) {
    case TMonster_Status::Panic:
    case TMonster_Status::Blind:
    case TMonster_Status::Paralyzed:
    case TMonster_Status::Sleeping:
        set_condition(0, 0, 0);
        break;
    default:
        break;
    }
}

void TMonster::regenerate() {
    const bool poisoned = Condition == static_cast<uint8_t>(TMonster_Status::Poisoned);
    const bool may_heal = Is_Monster() || (Hunger > 0 && Health < Maximum_Health);
    if (!poisoned && may_heal)
        Heal(Health_Regeneration / 100 * Maximum_Health);
    if (Mana < Maximum_Mana)
        add_mana(Mana_Regeneration / 100 * Maximum_Mana);
}

bool TMonster::hunger_step() {
    if (Hunger > 0) {
        --Hunger;
        return true;
    }
    Health -= 1;
    // Fractions from regeneration must not let a starving creature live below 0.
    if (Health > 0)
        return true;
    Health = 0;
    Die(nullptr, "starving to death");
    return false;
}

bool TMonster::condition_step(int32_t elapsed) {
    if (Condition != 0) {
        Condition_Time = std::max(0, Condition_Time - elapsed);
        if (Condition_Time == 0) {
            const bool charmed = Condition == Condition_Charmed;
            Condition = 0;
            Condition_Source = 0;
            if (charmed) {
                Leader = 0;
                Movement_Strategy = static_cast<uint8_t>(TMovement_Strategy::Hunt);
            }
        }
    }
    if (Condition != static_cast<uint8_t>(TMonster_Status::Poisoned)) {
        Poison_Timer = 0;
        return true;
    }
    if (Poison_Timer < Speed_Scaled_Time(static_cast<int32_t>(Poison_Step_Ms)))
        return true;
    Poison_Timer = 0;
    Health -= 1;
    if (Health > 0)
        return true;
    Health = 0;
    TCreature_World* world = Creature_World();
    TMonster* poisoner = world ? world->Monsters().Get(Condition_Source) : nullptr;
    if (poisoner == this)
        poisoner = nullptr;
    Award_Kill(poisoner);
    Die(poisoner, poisoner ? std::string() : "slow poison");
    return false;
}

void TMonster::timed_effects_step(int32_t elapsed) {
    bool removed = false;
    for (int32_t i = static_cast<int32_t>(Timed_Effect_Times.size()); i >= 1; --i) {
        int32_t& left = Timed_Effect_Times[static_cast<size_t>(i - 1)];
        left = longint(static_cast<int64_t>(left) - elapsed);
        if (left < 1) {
            Timed_Effects.Delete_Effect(i);
            Timed_Effect_Times.erase(Timed_Effect_Times.begin() + (i - 1));
            removed = true;
        }
    }
    if (removed)
        Recalculate();
}

bool TMonster::Tick(int32_t frames_per_second) {
    const int32_t ms = frames_per_second > 0 ? 1000 / frames_per_second : 50;
    for (int32_t* timer :
         {&Regeneration_Timer, &Hunger_Timer, &Move_Timer, &Poison_Timer, &Light_Timer})
        *timer = longint(static_cast<int64_t>(*timer) + ms);
    TCreature_World* world = Creature_World();
    const int32_t second = Speed_Scaled_Time(Second_Ms);

    if (Is_Monster()) {
        int32_t interval = Get_Movement_Interval();
        const TMonster* player = world ? world->Player() : nullptr;
        if (player && player != this &&
            Movement_Strategy == static_cast<uint8_t>(TMovement_Strategy::Guard_Monster) &&
            Leader == player->Number)
            interval = 200;
        if (Speed_Scaled_Time(interval) <= Move_Timer) {
            Move_Timer = 0;
            // A monster that died in its step (even one the step did not report) does
            // nothing more.
            if (world && (!world->Behaviour_Step(*this) || dead_))
                return false;
        }
        // The timer waits while the monster cannot regenerate, and restarts after each
        // regeneration, so a regenerating monster heals once a second.
        if (Health_Regeneration <= 0) {
            Regeneration_Timer = 0;
        } else if (Regeneration_Timer >= second) {
            Regeneration_Timer = 0;
            regenerate();
        }
    } else {
        if (Hunger_Timer >= Speed_Scaled_Time(Hunger_Step_Ms)) {
            Hunger_Timer = 0;
            if (!hunger_step())
                return false;
        }
        if (Regeneration_Timer >= second) {
            Regeneration_Timer = 0;
            regenerate();
        }
    }
    if (Light_Timer >= second) {
        Light_Timer = 0;
        Inventory.Burn_Lights(world_items());
    }
    const int32_t elapsed = Speed_Scaled_Amount(ms);
    if (!condition_step(elapsed))
        return false;
    timed_effects_step(elapsed);
    Recalculate();
    return true;
}
