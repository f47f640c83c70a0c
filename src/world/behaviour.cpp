#include "world/behaviour.h"

#include <algorithm>

#include "rules/combat.h"
#include "rules/monster.h"
#include "rules/spells.h"
#include "shell/helpers.h"
#include "shell/random.h"
#include "world/actions.h"
#include "world/casting.h"
#include "world/map.h"
#include "world/path_finding.h"

namespace {

bool serves_character(TMap& map, const TMonster& monster) {
    const TMonster* leader = map.Monster_List.Get(monster.Leader);
    return leader && !leader->Is_Monster();
}

// The first creature that passes the test, in growing square boxes around (x, y), each
// scanned row by row from its top-left corner; squares off the map are skipped.
template <typename Test>
TMonster* scan_boxes(TMap& map, int32_t x, int32_t y, int32_t widest, Test test) {
    for (int32_t r = 1; r <= widest; ++r)
        for (int32_t yy = y - r; yy <= y + r; ++yy)
            for (int32_t xx = x - r; xx <= x + r; ++xx)
                if (const TMap_Square* square = map.Get_Square(xx, yy))
                    if (TMonster* found = square->Get_Monster(map); found && test(*found))
                        return found;
    return nullptr;
}

// A step toward (tx, ty) along the searched path; nothing when no path is found.
void path_step(TMap& map, TMonster& monster, int32_t tx, int32_t ty) {
    int32_t nx = 0, ny = 0;
    if (Find_Next_Step(map, monster.X, monster.Y, tx, ty, monster.Movement_Mask, nx, ny))
        Step(map, monster, Direction_To(monster.X, monster.Y, nx, ny));
}

void random_step(TMap& map, TMonster& monster, int32_t one_in) {
    if (Random_Range(1, one_in) == 1)
        Step(map, monster, Random_Range(1, 8));
}

void hunt(TMap& map, TMonster& monster, TMain_Callbacks& callbacks, bool keep_range) {
    const uint16_t number = monster.Number;
    if (Try_Act(map, monster, callbacks))
        return;
    const TMonster* player = map.Player();
    if (!player || map.Monster_List.Get(number) != &monster)
        return;
    if (keep_range && Map_Distance(monster.X, monster.Y, player->X, player->Y) <= 4)
        return;
    path_step(map, monster, player->X, player->Y);
}

} // namespace

int32_t Direction_To_Player(TMap& map, const TMonster& monster) {
    const TMonster* player = map.Player();
    return player ? Direction_To(monster.X, monster.Y, player->X, player->Y) : 0;
}

int32_t Step(TMap& map, TMonster& monster, int32_t direction) {
    if (direction < 1 || direction > 8)
        return Step_Blocked;
    const int32_t x = std::clamp(monster.X + Direction_Dx(direction), 8, 193);
    const int32_t y = std::clamp(monster.Y + Direction_Dy(direction), 8, 193);
    const TMap_Square* square = map.Get_Square(x, y);
    if (!square || !square->Has_Movement_Flag(map, monster.Movement_Mask))
        return Step_Blocked;
    Move_Creature(map, monster, x, y);
    return square->Is_Entrance() ? Step_Entrance : Step_Moved;
}

TMonster* Find_Target(TMap& map, TMonster& monster) {
    TMonster* player = map.Player();
    if (!monster.Is_Monster())
        return nullptr;
    const uint16_t player_number = player ? player->Number : 0;
    if (!serves_character(map, monster)) {
        // A peaceful creature (a shopkeeper, a villager) never picks a fight.
        if (!monster.Does_Attack_Character)
            return nullptr;
        TMonster* found = scan_boxes(map, monster.X, monster.Y, 6, [&](const TMonster& m) {
            return player_number != 0 && (m.Number == player_number || m.Leader == player_number);
        });
        return found ? found : player;
    }
    const TMonster* leader = map.Monster_List.Get(monster.Leader);
    return scan_boxes(map, leader->X, leader->Y, 4, [&](const TMonster& m) {
        return &m != &monster && m.Number != player_number &&
               (player_number == 0 || m.Leader != player_number) && m.Does_Attack_Character;
    });
}

bool Try_Act(TMap& map, TMonster& monster, TMain_Callbacks& callbacks) {
    TMonster* target = Find_Target(map, monster);
    const int32_t d = target ? Map_Distance(monster.X, monster.Y, target->X, target->Y) : 100;
    if (d <= 1) {
        Attack(monster, target, target->X, target->Y, callbacks);
    } else if (target && monster.Spells.Count() > 0) {
        const int32_t i = Random_Range(1, monster.Spells.Count());
        const uint16_t number = monster.Spells.Get_Spell(i);
        const TSpell* spell = Master_Spells.Get(number);
        if (spell && Random_Range(1, 100) <= monster.Spells.Get_Chance(i)) {
            const auto type = static_cast<TEffect_Target>(spell->Target_Type);
            const bool needs_sight = type == TEffect_Target::Monster ||
                                     type == TEffect_Target::Location ||
                                     type == TEffect_Target::Monster_Area;
            if (!needs_sight ||
                map.Count_Sight_Blockers(monster.X, monster.Y, target->X, target->Y) == 0) {
                // Monsters never run out of mana.
                monster.Mana = 1000;
                Cast(map, monster, number, target->X, target->Y, callbacks);
            }
        }
    }
    return d < 2;
}

bool Think(TMap& map, TMonster& monster, TMain_Callbacks& callbacks) {
    const uint16_t number = monster.Number;
    const TMonster* player = map.Player();
    const int32_t d = player ? Map_Distance(monster.X, monster.Y, player->X, player->Y) : 100;
    if (Random_Range(1, 10) == 1 && !monster.Sound_Growl.empty() && d <= 6)
        map.Play_Sound(monster.Sound_Growl, monster.X, monster.Y);

    switch (static_cast<TMovement_Strategy>(monster.Movement_Strategy)) {
    case TMovement_Strategy::Stay_Put:
        random_step(map, monster, 5);
        break;
    case TMovement_Strategy::Wander_Around:
        random_step(map, monster, 3);
        break;
    case TMovement_Strategy::Patrol:
    case TMovement_Strategy::Guard:
        if (!Try_Act(map, monster, callbacks) && map.Monster_List.Get(number) == &monster)
            Step(map, monster, Direction_To_Player(map, monster));
        break;
    case TMovement_Strategy::Hunt:
        hunt(map, monster, callbacks, false);
        break;
    case TMovement_Strategy::Ranged_Hunt:
        hunt(map, monster, callbacks, true);
        break;
    case TMovement_Strategy::Keep_Away:
        Step(map, monster, Opposite_Direction(Direction_To_Player(map, monster)));
        break;
    case TMovement_Strategy::Follow:
        if (player && d > 3)
            path_step(map, monster, player->X, player->Y);
        break;
    case TMovement_Strategy::Guard_Monster: {
        const TMonster* leader = map.Monster_List.Get(monster.Leader);
        if (!leader || leader == &monster) {
            hunt(map, monster, callbacks, false);
            break;
        }
        const int32_t dl = Map_Distance(monster.X, monster.Y, leader->X, leader->Y);
        if (dl > monster.Guard_Distance) {
            path_step(map, monster, leader->X, leader->Y);
            break;
        }
        if (Try_Act(map, monster, callbacks) || map.Monster_List.Get(number) != &monster)
            break;
        if (const TMonster* target = Find_Target(map, monster))
            path_step(map, monster, target->X, target->Y);
        else if (dl < 2 && player)
            Step(map, monster, Opposite_Direction(Direction_To_Player(map, monster)));
        break;
    }
    case TMovement_Strategy::Anchored_3_Squares:
    case TMovement_Strategy::Anchored_5_Squares:
    case TMovement_Strategy::Anchored_10_Squares: {
        if (monster.Home_X == 0 && monster.Home_Y == 0) {
            monster.Home_X = monster.X;
            monster.Home_Y = monster.Y;
        }
        const int32_t reach = monster.Movement_Strategy ==
                                      static_cast<uint8_t>(TMovement_Strategy::Anchored_3_Squares)
                                  ? 3
                              : monster.Movement_Strategy ==
                                      static_cast<uint8_t>(TMovement_Strategy::Anchored_5_Squares)
                                  ? 5
                                  : 10;
        if (Map_Distance(monster.X, monster.Y, monster.Home_X, monster.Home_Y) > reach)
            path_step(map, monster, monster.Home_X, monster.Home_Y);
        else
            random_step(map, monster, 5);
        break;
    }
    default:
        break;
    }
    return map.Monster_List.Get(number) == &monster;
}
