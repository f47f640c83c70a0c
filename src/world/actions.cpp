#include "world/actions.h"

#include "rules/combat.h"
#include "rules/monster.h"
#include "shell/globals.h"
#include "shell/random.h"
#include "world/casting.h"
#include "world/group_files.h"
#include "world/map.h"

namespace {

// A trap of the group from the loaded trap groups, or read from the module's file when
// the table lacks it.
bool choose_trap(const std::string& name, TModule_Trap_Group_Spec_Trap& trap) {
    if (const TModule_Trap_Group_Spec_Trap* found = Choose_Trap(name)) {
        trap = *found;
        return true;
    }
    if (!Path_Settings)
        return false;
    const std::string path = Path_Settings->Get_Trap_Groups_File();
    if (path.empty())
        return false;
    std::vector<TModule_Trap_Group> table;
    Read_Trap_Groups(path, table);
    const TModule_Trap_Group_Spec_Trap* found = Choose_Trap(name, table);
    if (!found)
        return false;
    trap = *found;
    return true;
}

// A key of the lock's group opens it; else one try per square at picking, and then at
// bashing a door, after which only digging sounds. The action becomes "Bash Door" when
// the door was broken.
enum class TLock_Result { Open, Still_Locked, Tried_Before };

TLock_Result work_lock(TMap& map, TMonster& actor, int32_t x, int32_t y, const TTerrain& terrain,
                       uint8_t& action) {
    TMap_Square& square = *map.Get_Square(x, y);
    std::string lock_name;
    const bool named = map.Get_Lock_Name(x, y, lock_name);
    if (named && !lock_name.empty() && actor.Inventory.Use_Key(lock_name, map.Item_List)) {
        actor.Recalculate();
        map.Set_Lock(lock_name, x, y, false);
        map.Play_Sound("use_key.wav", x, y);
        return TLock_Result::Open;
    }
    if (square.Is_Lock_Tried()) {
        map.Play_Sound("shovel.wav", x, y);
        return TLock_Result::Tried_Before;
    }
    square.Set_Lock_Tried(true);
    const int32_t pick = actor.Get_Pick_Locks();
    if (pick > 0 && Random_Range(1, 100) <= pick) {
        map.Set_Lock(lock_name, x, y, false);
        map.Play_Sound("unlock.wav", x, y);
        return TLock_Result::Open;
    }
    // A door breaks into its bashing result ("Next Terrain ID 2"); walls never do.
    const bool door =
        terrain.Next_Terrain_Action == static_cast<uint8_t>(TTerrain_Action::Open) ||
        terrain.Next_Terrain_Action == static_cast<uint8_t>(TTerrain_Action::Open_Secret);
    if (door && terrain.Next_Terrain_ID[1] != 0) {
        const int32_t bash = actor.Get_Bash_Doors();
        if (bash > 0 && Random_Range(1, 100) <= bash) {
            map.Play_Sound("doorbash.wav", x, y);
            map.Set_Lock(lock_name, x, y, false);
            action = static_cast<uint8_t>(TTerrain_Action::Bash_Door);
            return TLock_Result::Open;
        }
    }
    return TLock_Result::Still_Locked;
}

// The terrain of an adjacent square: its trap, its lock, what it opens into. True when
// something was done.
bool act_on_terrain(TMap& map, TMonster& actor, int32_t x, int32_t y, TMain_Callbacks& callbacks) {
    TMap_Square& square = *map.Get_Square(x, y);
    bool done = false;
    std::string trap_name;
    if (square.Is_Trapped() && map.Get_Trap_Name(x, y, trap_name)) {
        map.Set_Trap(trap_name, x, y, false);
        if (Spring_Trap(actor, trap_name, callbacks))
            return true;
    }
    const TTerrain* terrain = square.Get_Terrain(map);
    if (!terrain)
        return done;
    uint8_t action = static_cast<uint8_t>(TTerrain_Action::Any);
    if (square.Is_Locked()) {
        const TLock_Result lock = work_lock(map, actor, x, y, *terrain, action);
        if (lock != TLock_Result::Open)
            return true;
        done = true;
    } else if (terrain->Has_Movement_Flag(Movement_Mask_Of(actor))) {
        // A square the actor can walk onto (an open door) is walked onto, not shut in
        // its face: otherwise every door would close again as the player reached it.
        return false;
    }
    // The chest window belongs to the terrain acted on (the closed chest), whatever it
    // turns into, and opens whether or not it changes.
    const bool chest = terrain->Display_Chest_Window;
    if (const uint16_t next = terrain->Get_Next_Terrain(action)) {
        // An ID the terrain list lacks leaves the square as it was.
        map.Change_Terrain(x, y, next);
        done = true;
    }
    if (chest && map.Player() == &actor) {
        callbacks.Open_Chest(x, y);
        done = true;
    }
    return done;
}

} // namespace

int32_t Direction_Dx(int32_t direction) {
    static constexpr int32_t dx[9] = {0, 0, 1, 1, 1, 0, -1, -1, -1};
    return direction >= 1 && direction <= 8 ? dx[direction] : 0;
}

int32_t Direction_Dy(int32_t direction) {
    static constexpr int32_t dy[9] = {0, -1, -1, 0, 1, 1, 1, 0, -1};
    return direction >= 1 && direction <= 8 ? dy[direction] : 0;
}

uint8_t Movement_Mask_Of(const TMonster& creature) {
    return creature.Movement_Mask != 0 ? creature.Movement_Mask : Movement_Land;
}

void Move_Creature(TMap& map, TMonster& creature, int32_t x, int32_t y) {
    if (TMap_Square* old_square = map.Get_Square(creature.X, creature.Y))
        if (old_square->Monster == creature.Number)
            old_square->Remove_Monster();
    creature.X = static_cast<uint8_t>(x);
    creature.Y = static_cast<uint8_t>(y);
    map.Place_Monster_At_Its_Position(creature);
}

bool Spring_Trap(TMonster& victim, const std::string& trap_group_name, TMain_Callbacks& callbacks) {
    if (Random_Range(1, 100) <= victim.Get_Detect_Traps())
        return false;
    TModule_Trap_Group_Spec_Trap trap;
    if (trap_group_name.empty() || !choose_trap(trap_group_name, trap))
        return false;
    trap.Scale_Trap(victim.Level);
    TAttack_Show show;
    show.Target = victim.Number;
    show.From_X = show.X = victim.X;
    show.From_Y = show.Y = victim.Y;
    show.Hit = true;
    show.Cause = "Trap";
    show.Damage.Assign(trap.Damage);
    show.Damage.Amount = trap.Damage.Get_Random_Amount();
    show.Damage.Effects.Assign(trap.Effects);
    show.Impact_Sound = Choose_Impact_Sound(show.Damage, trap.Effects);
    callbacks.Show_Attack(show);
    return true;
}

bool Act_On_Square(TMap& map, TMonster& actor, int32_t x, int32_t y, uint16_t spell,
                   TMain_Callbacks& callbacks) {
    TMap_Square* square = map.Get_Square(x, y);
    if (!square)
        return false;
    const bool adjacent = Map_Distance(actor.X, actor.Y, x, y) <= 1;
    const bool own_square = actor.X == x && actor.Y == y;
    TMonster* other = square->Get_Monster(map);
    if (other && other != &actor) {
        // The actor's own followers are neither spoken to nor struck: walking into one
        // blocks. A spell may still be cast at one (a heal on a summoned ally).
        if (other->Leader == actor.Number && spell == 0)
            return false;
        if ((!other->Talk_Topic_Names.empty() || other->Store_Number != 0) && adjacent) {
            callbacks.Open_Talk(*other);
            return true;
        }
        if (spell != 0)
            return Cast(map, actor, spell, x, y, callbacks);
        return Attack(actor, other, x, y, callbacks);
    }
    if (square->Item != 0 && adjacent) {
        if (square->Take_Top_Item(map, actor)) {
            map.Play_Sound("itempick.wav", actor.X, actor.Y);
            return true;
        }
    }
    if (square->Terrain != 0 && adjacent)
        return act_on_terrain(map, actor, x, y, callbacks);
    if (own_square)
        return false;
    if (spell != 0)
        return Cast(map, actor, spell, x, y, callbacks);
    if (Has_Ranged_Attack(actor))
        return Attack(actor, nullptr, x, y, callbacks);
    return false;
}

int32_t Player_Step(TMap& map, TMonster& player, int32_t direction, TMain_Callbacks& callbacks) {
    const uint16_t number = player.Number;
    const int32_t x = player.X + Direction_Dx(direction);
    const int32_t y = player.Y + Direction_Dy(direction);
    if (direction < 1 || direction > 8)
        return Step_Blocked;
    if (Act_On_Square(map, player, x, y, 0, callbacks))
        return Step_Blocked;
    // Acting may have cost the player its life.
    if (map.Monster_List.Get(number) != &player)
        return Step_Blocked;
    const TMap_Square* square = map.Get_Square(x, y);
    if (!square || !square->Has_Movement_Flag(map, Movement_Mask_Of(player)))
        return Step_Blocked;
    Move_Creature(map, player, x, y);
    return square->Is_Entrance() ? Step_Entrance : Step_Moved;
}
