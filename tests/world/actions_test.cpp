#include <gtest/gtest.h>

#include "rules/callbacks_recorder.h"
#include "rules/spells.h"
#include "shell/random.h"
#include "support/fake_services.h"
#include "world/actions.h"
#include "world/group_files.h"
#include "world_support.h"

namespace {

constexpr uint16_t Closed_Door = 6, Open_Door = 7, Broken_Door = 8, Chest = 9, Open_Chest = 10,
                   Locked_Wall = 11;

// The test map with doors and chests, a player at (50, 50) and every sound recorded.
struct TAction_Map : TTest_Map {
    TSound_Recorder sound;
    TScoped_Services use{{.Sound = &sound}};
    TCallbacks_Recorder shown;

    TAction_Map() {
        TTerrain closed = Make_Terrain(10, "Door", 0, 0);
        closed.Next_Terrain_Action = static_cast<uint8_t>(TTerrain_Action::Open);
        closed.Next_Terrain_ID = {11, 12, 0, 0};
        Terrains.Add_Terrain(closed);
        TTerrain open = Make_Terrain(11, "Open Door", Movement_Land, Vision_Normal);
        open.Next_Terrain_Action = static_cast<uint8_t>(TTerrain_Action::Close);
        open.Next_Terrain_ID = {10, 0, 0, 0};
        Terrains.Add_Terrain(open);
        Terrains.Add_Terrain(Make_Terrain(12, "Broken Door", Movement_Land, Vision_Normal));
        TTerrain chest = Make_Terrain(20, "Chest", 0, Vision_Normal);
        chest.Next_Terrain_Action = static_cast<uint8_t>(TTerrain_Action::Open);
        chest.Next_Terrain_ID = {21, 0, 0, 0};
        chest.Display_Chest_Window = true;
        Terrains.Add_Terrain(chest);
        TTerrain open_chest = chest;
        open_chest.ID = 21;
        Terrains.Add_Terrain(open_chest);
        // A locked door with nothing to break into.
        TTerrain unbreakable = closed;
        unbreakable.ID = 13;
        unbreakable.Next_Terrain_ID = {11, 0, 0, 0};
        Terrains.Add_Terrain(unbreakable);
        Player_Number = Put_Creature(50, 50, "Hero");
        player().Maximum_Health = 100;
        player().Health = 100;
    }
    TMonster& player() { return *Player(); }
    void skill(TEffect_Type type, int32_t amount) {
        player().Add_Permanent_Effect(static_cast<uint8_t>(type), amount, 0);
    }
    uint16_t terrain_at(int32_t x, int32_t y) { return Get_Square(x, y)->Terrain; }
};

std::pair<int32_t, int32_t> where(const TMonster& m) {
    return {m.X, m.Y};
}
std::pair<int32_t, int32_t> where(int32_t x, int32_t y) {
    return {x, y};
}

} // namespace

TEST(Act_On_Square, Talks_Attacks_And_Picks_Up) {
    TAction_Map map;
    // A shopkeeper next to the actor is talked to, never attacked.
    const uint16_t keeper = map.Put_Creature(51, 50, "Keeper");
    map.Monster_List.Get(keeper)->Store_Number = 1;
    EXPECT_TRUE(Act_On_Square(map, map.player(), 51, 50, 0, map.shown));
    EXPECT_EQ(map.shown.talks, std::vector<uint16_t>{keeper});
    EXPECT_TRUE(map.shown.attacks.empty());
    // Any other creature is attacked.
    const uint16_t rat = map.Put_Creature(49, 50, "Rat");
    EXPECT_TRUE(Act_On_Square(map, map.player(), 49, 50, 0, map.shown));
    ASSERT_EQ(map.shown.attacks.size(), 1u);
    EXPECT_EQ(map.shown.attacks[0].Target, rat);
    // The actor's own follower is left alone.
    const uint16_t pet = map.Put_Creature(51, 49, "Pet");
    map.Monster_List.Get(pet)->Leader = map.Player_Number;
    EXPECT_FALSE(Act_On_Square(map, map.player(), 51, 49, 0, map.shown));
    EXPECT_EQ(Player_Step(map, map.player(), 2, map.shown), Step_Blocked);
    EXPECT_EQ(map.shown.attacks.size(), 1u);
    // An item beside the actor is picked up.
    const uint16_t coin = map.Put_Item(50, 51, "Ring");
    EXPECT_TRUE(Act_On_Square(map, map.player(), 50, 51, 0, map.shown));
    EXPECT_EQ(map.Get_Square(50, 51)->Item, 0);
    EXPECT_NE(map.player().Inventory.Items.Find(coin), 0);
    EXPECT_EQ(map.sound.Waves().back(), "itempick.wav");
    // Nothing to do on plain floor, nor on the actor's own square.
    EXPECT_FALSE(Act_On_Square(map, map.player(), 51, 51, 0, map.shown));
    EXPECT_FALSE(Act_On_Square(map, map.player(), 50, 50, 0, map.shown));
    // Out of reach without a bow: nothing.
    EXPECT_FALSE(Act_On_Square(map, map.player(), 55, 50, 0, map.shown));
}

TEST(Act_On_Square, Doors_Chests_And_Shots_At_A_Spot) {
    TAction_Map map;
    map.Get_Square(51, 50)->Terrain = Closed_Door;
    EXPECT_TRUE(Act_On_Square(map, map.player(), 51, 50, 0, map.shown));
    EXPECT_EQ(map.terrain_at(51, 50), Open_Door);
    // A chest opens and the chest window is asked for.
    map.Get_Square(49, 50)->Terrain = Chest;
    EXPECT_TRUE(Act_On_Square(map, map.player(), 49, 50, 0, map.shown));
    EXPECT_EQ(map.terrain_at(49, 50), Open_Chest);
    EXPECT_EQ(map.shown.chests, (std::vector<std::pair<int32_t, int32_t>>{{49, 50}}));
    // An archer shoots at a far spot.
    TItem bow;
    bow.Item_Type = static_cast<uint8_t>(TItem_Type::Bow);
    bow.Ammo_Required = "arrow";
    bow.Damage.Set_Damage(2, 2, 0, 6);
    ASSERT_TRUE(map.player().Put_In_Slot(map.Item_List.Add(bow), 6));
    TItem arrow;
    arrow.Item_Type = static_cast<uint8_t>(TItem_Type::Ammo);
    arrow.Ammo_Kind = "Arrow";
    arrow.Quantity = 5;
    ASSERT_TRUE(map.player().Add_To_Backpack(map.Item_List.Add(arrow)));
    EXPECT_TRUE(Act_On_Square(map, map.player(), 55, 50, 0, map.shown));
    ASSERT_FALSE(map.shown.attacks.empty());
    EXPECT_EQ(map.shown.attacks.back().X, 55);
    EXPECT_EQ(map.shown.attacks.back().Target, 0);
}

TEST(Act_On_Square, The_Chest_Window_Follows_The_Terrain_Acted_On) {
    TAction_Map map;
    const auto add = [&](uint16_t id, const std::string& name, bool window, uint16_t next) {
        TTerrain t = Make_Terrain(id, name, 0, Vision_Normal);
        t.Next_Terrain_Action = static_cast<uint8_t>(TTerrain_Action::Open);
        t.Next_Terrain_ID = {next, 0, 0, 0};
        t.Display_Chest_Window = window;
        return map.Terrains.Add_Terrain(t);
    };
    // A chest whose open form shows no window, one that does not open at all, and a
    // crate that opens into a chest.
    const uint16_t strongbox = add(30, "Strongbox", true, 31);
    const uint16_t open_box = add(31, "Open Strongbox", false, 0);
    const uint16_t coffer = add(32, "Coffer", true, 0);
    const uint16_t crate = add(33, "Crate", false, 30);
    using TSquares = std::vector<std::pair<int32_t, int32_t>>;

    map.Get_Square(51, 50)->Terrain = strongbox;
    EXPECT_TRUE(Act_On_Square(map, map.player(), 51, 50, 0, map.shown));
    EXPECT_EQ(map.terrain_at(51, 50), open_box);
    EXPECT_EQ(map.shown.chests, (TSquares{{51, 50}}));
    // The open strongbox is no chest: acting on it again asks for nothing.
    EXPECT_FALSE(Act_On_Square(map, map.player(), 51, 50, 0, map.shown));
    EXPECT_EQ(map.shown.chests.size(), 1u);

    // A chest that stays as it is still opens its window.
    map.Get_Square(49, 50)->Terrain = coffer;
    EXPECT_TRUE(Act_On_Square(map, map.player(), 49, 50, 0, map.shown));
    EXPECT_EQ(map.terrain_at(49, 50), coffer);
    EXPECT_EQ(map.shown.chests, (TSquares{{51, 50}, {49, 50}}));

    // Opening a crate into a chest shows no window yet.
    map.Get_Square(50, 49)->Terrain = crate;
    EXPECT_TRUE(Act_On_Square(map, map.player(), 50, 49, 0, map.shown));
    EXPECT_EQ(map.terrain_at(50, 49), strongbox);
    EXPECT_EQ(map.shown.chests.size(), 2u);

    // A chest still locked shows nothing; nor does a chest a monster opens.
    map.Get_Square(50, 51)->Terrain = strongbox;
    map.Set_Lock("Brass", 50, 51, true);
    EXPECT_TRUE(Act_On_Square(map, map.player(), 50, 51, 0, map.shown));
    EXPECT_EQ(map.terrain_at(50, 51), strongbox);
    const uint16_t rat = map.Put_Creature(60, 60, "Rat");
    map.Get_Square(61, 60)->Terrain = strongbox;
    EXPECT_TRUE(Act_On_Square(map, *map.Monster_List.Get(rat), 61, 60, 0, map.shown));
    EXPECT_EQ(map.shown.chests.size(), 2u);
}

TEST(Act_On_Square, A_Spell_Reaches_Ones_Own_Follower_But_Walking_Into_It_Blocks) {
    TAction_Map map;
    struct TSpells_Cleared {
        ~TSpells_Cleared() { Master_Spells.Clear(); }
    } cleared;
    TSpell mend;
    mend.Name = "Mend Ally";
    mend.Maximum_Levels_From_Start = 5;
    mend.Mana_Cost = 4;
    mend.Target_Type = static_cast<uint8_t>(TEffect_Target::Monster);
    mend.Damage.Set_Damage(0, 0, 0, 5);
    mend.Effects.Add_Effect(TEffect_Type::Life_Current, 10, 10);
    Master_Spells.Add(mend);
    const auto spell = static_cast<uint16_t>(Master_Spells.Count());
    map.player().Spells.Learn(spell, 1, 100);
    map.player().Maximum_Mana = 20;
    map.player().Mana = 20;
    const uint16_t pet = map.Put_Creature(51, 50, "Summoned Wolf");
    map.Monster_List.Get(pet)->Leader = map.Player_Number;

    // The heal goes to the ally beside the caster, and to one further off.
    EXPECT_TRUE(Act_On_Square(map, map.player(), 51, 50, spell, map.shown));
    ASSERT_EQ(map.shown.spells.size(), 1u);
    EXPECT_EQ(map.shown.spells[0].Target, pet);
    EXPECT_DOUBLE_EQ(map.player().Mana, 16);
    Move_Creature(map, *map.Monster_List.Get(pet), 53, 50);
    EXPECT_TRUE(Act_On_Square(map, map.player(), 53, 50, spell, map.shown));
    ASSERT_EQ(map.shown.spells.size(), 2u);
    EXPECT_EQ(map.shown.spells[1].Target, pet);

    // Walking into the ally neither strikes it nor casts anything: it blocks.
    Move_Creature(map, *map.Monster_List.Get(pet), 51, 50);
    EXPECT_FALSE(Act_On_Square(map, map.player(), 51, 50, 0, map.shown));
    EXPECT_EQ(Player_Step(map, map.player(), 3, map.shown), Step_Blocked);
    EXPECT_EQ(where(map.player()), where(50, 50));
    EXPECT_TRUE(map.shown.attacks.empty());
    EXPECT_EQ(map.shown.spells.size(), 2u);
}

TEST(Act_On_Square, Traps_Spring_Or_Are_Noticed) {
    TAction_Map map;
    TModule_Trap_Group darts;
    darts.Trap_Group_Name = "Darts";
    darts.Trap_Count = 1;
    darts.Traps.resize(1);
    darts.Traps[0].Damage.Set_Damage(5, 5, 0, 0);
    darts.Traps[0].Damage_Per_Level = 2;
    Trap_Groups = {darts};
    map.player().Level = 3;
    map.Set_Trap("Darts", 51, 50, true);
    map.skill(TEffect_Type::Detect_Traps, -10); // never notices
    EXPECT_TRUE(Act_On_Square(map, map.player(), 51, 50, 0, map.shown));
    EXPECT_FALSE(map.Get_Square(51, 50)->Is_Trapped());
    ASSERT_EQ(map.shown.attacks.size(), 1u);
    const TAttack_Show& hit = map.shown.attacks[0];
    EXPECT_EQ(hit.Target, map.player().Number);
    EXPECT_EQ(hit.Attacker, 0);
    EXPECT_EQ(hit.Cause, "Trap");
    EXPECT_EQ(hit.Damage.Amount, 9); // 5 + 2 per level above 1
    // A trap noticed is disarmed and nothing happens: the player may walk on.
    map.skill(TEffect_Type::Detect_Traps, 100);
    map.Set_Trap("Darts", 49, 50, true);
    EXPECT_FALSE(Act_On_Square(map, map.player(), 49, 50, 0, map.shown));
    EXPECT_FALSE(map.Get_Square(49, 50)->Is_Trapped());
    EXPECT_EQ(map.shown.attacks.size(), 1u);
    // A group the module lacks springs nothing.
    map.player().Permanent_Effects.Clear();
    map.skill(TEffect_Type::Detect_Traps, -10);
    map.Set_Trap("Pits", 50, 49, true);
    EXPECT_FALSE(Act_On_Square(map, map.player(), 50, 49, 0, map.shown));
    Free_Trap_Groups();
}

TEST(Act_On_Square, Keys_Picks_And_Bashing) {
    TAction_Map map;
    // A key of the lock's group opens it and is used up.
    map.Get_Square(51, 50)->Terrain = Closed_Door;
    map.Set_Lock("Iron", 51, 50, true);
    TItem key;
    key.Item_Type = static_cast<uint8_t>(TItem_Type::Key);
    key.Key_Group = "Iron";
    const uint16_t key_number = map.Item_List.Add(key);
    ASSERT_TRUE(map.player().Add_To_Backpack(key_number));
    EXPECT_TRUE(Act_On_Square(map, map.player(), 51, 50, 0, map.shown));
    EXPECT_FALSE(map.Get_Square(51, 50)->Is_Locked());
    EXPECT_EQ(map.terrain_at(51, 50), Open_Door);
    EXPECT_EQ(map.Item_List.Get(key_number), nullptr);
    EXPECT_EQ(map.sound.Waves().back(), "use_key.wav");

    // A sure lock-picker opens on the first try.
    map.Get_Square(49, 50)->Terrain = Closed_Door;
    map.Set_Lock("Iron", 49, 50, true);
    map.skill(TEffect_Type::Pick_Locks, 100);
    EXPECT_TRUE(Act_On_Square(map, map.player(), 49, 50, 0, map.shown));
    EXPECT_EQ(map.terrain_at(49, 50), Open_Door);
    EXPECT_EQ(map.sound.Waves().back(), "unlock.wav");

    // Without skills: one try, then only digging.
    map.player().Permanent_Effects.Clear();
    map.Get_Square(50, 49)->Terrain = Closed_Door;
    map.Set_Lock("Iron", 50, 49, true);
    EXPECT_TRUE(Act_On_Square(map, map.player(), 50, 49, 0, map.shown));
    EXPECT_TRUE(map.Get_Square(50, 49)->Is_Lock_Tried());
    map.skill(TEffect_Type::Pick_Locks, 100);
    EXPECT_TRUE(Act_On_Square(map, map.player(), 50, 49, 0, map.shown));
    EXPECT_EQ(map.sound.Waves().back(), "shovel.wav");
    EXPECT_TRUE(map.Get_Square(50, 49)->Is_Locked());
    EXPECT_EQ(map.terrain_at(50, 49), Closed_Door);

    // A sure basher breaks a door into its bashing result, but not one without one.
    map.player().Permanent_Effects.Clear();
    map.skill(TEffect_Type::Bash_Doors, 100);
    map.Get_Square(50, 51)->Terrain = Closed_Door;
    map.Set_Lock("Iron", 50, 51, true);
    EXPECT_TRUE(Act_On_Square(map, map.player(), 50, 51, 0, map.shown));
    EXPECT_EQ(map.terrain_at(50, 51), Broken_Door);
    EXPECT_EQ(map.sound.Waves().back(), "doorbash.wav");
    map.Get_Square(51, 51)->Terrain = Locked_Wall;
    map.Set_Lock("Iron", 51, 51, true);
    EXPECT_TRUE(Act_On_Square(map, map.player(), 51, 51, 0, map.shown));
    EXPECT_TRUE(map.Get_Square(51, 51)->Is_Locked());
    EXPECT_EQ(map.terrain_at(51, 51), Locked_Wall);
}

TEST(Player_Step, Outcomes) {
    TAction_Map map;
    TMonster& hero = map.player();
    EXPECT_EQ(Player_Step(map, hero, 3, map.shown), Step_Moved);
    EXPECT_EQ(where(hero), where(51, 50));
    EXPECT_EQ(map.Get_Square(51, 50)->Monster, hero.Number);
    EXPECT_EQ(map.Get_Square(50, 50)->Monster, 0);
    // Into a wall: blocked.
    map.Get_Square(52, 50)->Terrain = Wall;
    EXPECT_EQ(Player_Step(map, hero, 3, map.shown), Step_Blocked);
    // A door is opened rather than walked into; then walked through.
    map.Get_Square(51, 51)->Terrain = Closed_Door;
    EXPECT_EQ(Player_Step(map, hero, 5, map.shown), Step_Blocked);
    EXPECT_EQ(map.terrain_at(51, 51), Open_Door);
    // An open door that could close again is walked through, not shut.
    EXPECT_EQ(Player_Step(map, hero, 5, map.shown), Step_Moved);
    EXPECT_EQ(map.terrain_at(51, 51), Open_Door);
    // Onto a map connection.
    map.Get_Square(51, 52)->Set_Entrance(true);
    EXPECT_EQ(Player_Step(map, hero, 5, map.shown), Step_Entrance);
    // The player walks to the edge, where squares off the map block.
    Move_Creature(map, hero, 2, 1);
    EXPECT_EQ(Player_Step(map, hero, 7, map.shown), Step_Moved);
    EXPECT_EQ(Player_Step(map, hero, 7, map.shown), Step_Blocked);
    EXPECT_EQ(Player_Step(map, hero, 1, map.shown), Step_Blocked);
    EXPECT_EQ(where(hero), where(1, 1));
}
