#include <gtest/gtest.h>

#include <functional>

#include "rules/callbacks_recorder.h"
#include "rules/combat.h"
#include "rules/references.h"
#include "shell/enums.h"
#include "shell/random.h"
#include "support/fake_services.h"
#include "world/actions.h"
#include "world/map.h"
#include "world_support.h"

namespace {

TEST(Map_Squares, OffTheMapThereIsNoSquareAndNothingPasses) {
    TTest_Map map;
    for (auto [x, y] : {std::pair{0, 5}, {5, 0}, {201, 5}, {5, 201}, {-7, -7}}) {
        EXPECT_EQ(map.Get_Square(x, y), nullptr);
        EXPECT_FALSE(map.Is_Vision_Clear(x, y, Vision_Normal));
    }
    ASSERT_NE(map.Get_Square(200, 200), nullptr);
    EXPECT_TRUE(map.Is_Vision_Clear(200, 200, Vision_Normal));
    // Off-map marks and creatures change nothing.
    map.Set_Lock("Iron", 0, 3, true);
    map.Set_Square_Creature(300, 3, 4);
    map.Drop_Item(-1, 1, 1);
    EXPECT_TRUE(map.Locks().Names.empty());
}

TEST(Map_Squares, TerrainAndCreaturesDecideMovementAndSight) {
    TTest_Map map;
    TMap_Square& square = *map.Get_Square(10, 10);
    EXPECT_TRUE(square.Has_Movement_Flag(map, Movement_Land));
    EXPECT_FALSE(square.Has_Movement_Flag(map, Movement_Water));
    map.Put_Creature(10, 10, "Rat", 5);
    EXPECT_FALSE(square.Has_Movement_Flag(map, Movement_Land));
    EXPECT_TRUE(square.Has_Vision_Flag(map, Vision_Normal)); // creatures do not block sight
    EXPECT_EQ(square.Get_Light_Radius(map), 5);
    map.Get_Square(11, 10)->Terrain = Torch;
    EXPECT_EQ(map.Get_Square(11, 10)->Get_Light_Radius(map), 3);
    TMap_Square nothing;
    EXPECT_FALSE(nothing.Has_Movement_Flag(map, Movement_Land));
    EXPECT_FALSE(nothing.Has_Vision_Flag(map, Vision_Normal));
    EXPECT_EQ(nothing.Get_Overview_Color(map), 0u);
    nothing.Terrain = 99;
    EXPECT_EQ(nothing.Get_Terrain(map), nullptr);
}

TEST(Map_Items, ASecondItemMakesAPileAndTakingLeavesASingleItem) {
    TTest_Map map;
    const uint16_t sword = map.Put_Item(5, 5, "Sword");
    TMap_Square& square = *map.Get_Square(5, 5);
    EXPECT_FALSE(square.Is_Pile());
    EXPECT_EQ(square.Item, sword);
    const uint16_t shield = map.Put_Item(5, 5, "Shield");
    ASSERT_TRUE(square.Is_Pile());
    EXPECT_EQ(square.Item, 1);
    EXPECT_EQ(map.Get_Collection(1)->Numbers(), (std::vector<uint16_t>{sword, shield}));
    EXPECT_EQ(square.Get_Top_Item(map)->Name, "Sword");

    const uint16_t hero = map.Put_Creature(5, 6, "Hero");
    TMonster& taker = *map.Monster_List.Get(hero);
    taker.Class_Number = 1;
    ASSERT_TRUE(square.Take_Top_Item(map, taker));
    EXPECT_FALSE(square.Is_Pile());
    EXPECT_EQ(square.Item, sword);
    EXPECT_EQ(map.Get_Collection(1), nullptr);
    EXPECT_EQ(taker.Inventory.Items.Find(shield) > 0, true);
    ASSERT_TRUE(square.Take_Top_Item(map, taker));
    EXPECT_EQ(square.Item, 0);
    EXPECT_FALSE(square.Take_Top_Item(map, taker));
}

TEST(Map_Items, DamagedPilesNeitherLoseDroppedItemsNorStayEmpty) {
    TTest_Map map;
    TMap_Square& dangling = *map.Get_Square(7, 7);
    dangling.Set_Flag(Square_Pile, true);
    dangling.Item = 40; // no such collection
    const uint16_t ring = map.Item_List.Add(TItem());
    EXPECT_TRUE(dangling.Add_Item(map, ring));
    ASSERT_NE(dangling.Get_Top_Item(map), nullptr);
    EXPECT_EQ(dangling.Get_Top_Item(map)->Number, ring);

    // Piles read from a damaged file: numbers naming no item are passed over, and taking
    // the last item of a pile of one leaves no empty pile.
    const uint16_t hero = map.Put_Creature(5, 6, "Hero");
    TMonster& taker = *map.Monster_List.Get(hero);
    taker.Class_Number = 1;
    const uint16_t gem = map.Item_List.Add(TItem());
    TMap_Square& square = *map.Get_Square(5, 5);
    const uint16_t pile = map.New_Collection();
    map.Get_Collection(pile)->Add(gem);
    map.Get_Collection(pile)->Add(900); // no such item
    square.Item = pile;
    square.Set_Flag(Square_Pile, true);
    ASSERT_TRUE(square.Take_Top_Item(map, taker));
    EXPECT_GT(taker.Inventory.Items.Find(gem), 0);
    EXPECT_EQ(square.Item, 0);
    EXPECT_FALSE(square.Is_Pile());
    EXPECT_EQ(map.Get_Collection(pile), nullptr);

    const uint16_t stale = map.New_Collection();
    map.Get_Collection(stale)->Add(901);
    square.Item = stale;
    square.Set_Flag(Square_Pile, true);
    EXPECT_FALSE(square.Take_Top_Item(map, taker));
    EXPECT_EQ(square.Item, 0);
    EXPECT_FALSE(square.Is_Pile());
}

TEST(Map_Collections, NewCollectionsFillTheLastEmptyEntry) {
    TTest_Map map;
    EXPECT_EQ(map.New_Collection(), 1);
    EXPECT_EQ(map.New_Collection(), 2);
    EXPECT_EQ(map.New_Collection(), 3);
    EXPECT_TRUE(map.Delete_Collection(1));
    EXPECT_TRUE(map.Delete_Collection(2));
    EXPECT_FALSE(map.Delete_Collection(4));
    EXPECT_EQ(map.New_Collection(), 2);
    EXPECT_EQ(map.Get_Collection(0), nullptr);
    EXPECT_EQ(map.Get_Collection(9), nullptr);

    // The saved table length (entry 0 included) is a word: 65534 piles at most.
    struct TFull_Map : TTest_Map {
        TFull_Map() {
            collections_.resize(1);
            while (collections_.size() < 65535)
                collections_.push_back(std::make_unique<TItem_Collection>());
        }
    } full;
    EXPECT_EQ(full.New_Collection(), 0);
    EXPECT_EQ(full.Collection_Table_Size(), 65535);
    EXPECT_TRUE(full.Delete_Collection(65534));
    EXPECT_EQ(full.New_Collection(), 65534);
}

TEST(Map_Marks, LocksTrapsAndLocationListsKeepTheirLastEntry) {
    TTest_Map map;
    map.Set_Lock("Iron", 4, 4, true);
    map.Set_Lock("Gold", 4, 4, true);
    std::string name;
    ASSERT_TRUE(map.Get_Lock_Name(4, 4, name));
    EXPECT_EQ(name, "Gold");
    map.Set_Lock("", 4, 4, false);
    EXPECT_FALSE(map.Get_Square(4, 4)->Is_Locked());
    ASSERT_TRUE(map.Get_Lock_Name(4, 4, name));
    EXPECT_EQ(name, "Iron");
    EXPECT_FALSE(map.Get_Lock_Name(5, 4, name));

    map.Set_Trap("Spikes", 9, 3, true);
    EXPECT_TRUE(map.Get_Square(9, 3)->Is_Trapped());
    ASSERT_TRUE(map.Get_Trap_Name(9, 3, name));
    EXPECT_EQ(name, "Spikes");
    map.Set_Trap("", 9, 3, false);
    EXPECT_FALSE(map.Get_Trap_Name(9, 3, name));

    map.Add_Location_List({1, 2}, 3, 3);
    map.Add_Location_List({5}, 3, 3);
    ASSERT_NE(map.Get_Location_List(3, 3), nullptr);
    EXPECT_EQ(*map.Get_Location_List(3, 3), std::vector<uint16_t>{5});
    EXPECT_EQ(map.Get_Location_List(3, 4), nullptr);
}

TEST(Map_Squares, DoorsOpenOnlyIntoTerrainsTheListHas) {
    TTest_Map map;
    map.Get_Square(8, 8)->Terrain = Wall;
    EXPECT_FALSE(map.Change_Terrain(8, 8, 99));
    EXPECT_EQ(map.Get_Square(8, 8)->Terrain, Wall);
    EXPECT_TRUE(map.Change_Terrain(8, 8, 4));
    EXPECT_EQ(map.Get_Square(8, 8)->Terrain, Water);
    EXPECT_FALSE(map.Change_Terrain(0, 8, 4));
}

TEST(Map_Search, EmptySquaresNearAPoint) {
    TTest_Map map;
    Set_Random_Seed(17);
    int32_t x = 0, y = 0;
    // The centre counts: with every neighbour taken it is the square found.
    map.Fill(49, 49, 51, 51, Wall);
    map.Get_Square(50, 50)->Terrain = Floor;
    ASSERT_TRUE(map.Find_Empty_Square_Near(50, 50, x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(50, 50));

    // Walled in but for one square two away.
    map.Fill(40, 40, 60, 60, Wall);
    map.Get_Square(52, 50)->Terrain = Floor;
    ASSERT_TRUE(map.Find_Empty_Square_Near(50, 50, x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(52, 50));
    map.Put_Creature(52, 50);
    EXPECT_FALSE(map.Find_Empty_Square_Near(50, 50, x, y));

    // At the corner only squares on the map are chosen.
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(map.Find_Empty_Square_Near(1, 1, x, y));
        EXPECT_TRUE(TMap::In_Map(x, y));
    }
}

TEST(Map_Geometry, DistancesAndClamps) {
    EXPECT_EQ(TMap::Round_Distance(0, 0, 3, 4), 5);
    EXPECT_EQ(TMap::Round_Distance(0, 0, 1, 1), 1); // 1.41
    EXPECT_EQ(TMap::Round_Distance(0, 0, 2, 2), 3); // 2.83
    EXPECT_EQ(TMap::Square_Distance(1, 1, 4, 9), 8);
    EXPECT_EQ(TMap::Clamp_X(-3), 1);
    EXPECT_EQ(TMap::Clamp_Y(250), 200);
}

TEST(Map_Lines, WallsAndCreaturesStopMissilesButOnlyWallsCount) {
    TTest_Map map;
    EXPECT_TRUE(map.Is_Line_Clear(10, 10, 11, 10));
    EXPECT_TRUE(map.Is_Line_Clear(10, 10, 10, 10));
    EXPECT_TRUE(map.Is_Line_Clear(10, 10, 20, 14));
    map.Get_Square(13, 10)->Terrain = Wall;
    map.Get_Square(15, 10)->Terrain = Wall;
    EXPECT_FALSE(map.Is_Line_Clear(10, 10, 20, 10));
    EXPECT_EQ(map.Count_Sight_Blockers(10, 10, 20, 10), 2);
    map.Put_Creature(10, 14);
    EXPECT_FALSE(map.Is_Line_Clear(10, 10, 10, 18));
    EXPECT_EQ(map.Count_Sight_Blockers(10, 10, 10, 18), 0);
    // Walls at the ends do not count.
    map.Get_Square(30, 30)->Terrain = Wall;
    EXPECT_EQ(map.Count_Sight_Blockers(30, 30, 35, 30), 0);
    // A line off the map edge neither faults nor counts off-map squares.
    EXPECT_EQ(map.Count_Sight_Blockers(2, 2, -40, -40), 0);
}

TEST(Map_Drawing, SidesHiddenFromTheViewerAndSecretDoorsRollOnce) {
    TTest_Map map;
    TMap_Square& wall = *map.Get_Square(20, 20);
    wall.Terrain = North_Wall;
    EXPECT_EQ(wall.Hidden_Layer(map, 0, -1, true), 3); // the viewer is south of it
    EXPECT_EQ(wall.Hidden_Layer(map, 0, 1, true), 0);
    EXPECT_EQ(wall.Hidden_Layer(map, 0, 1, false), 3); // from memory always hidden
    EXPECT_EQ(map.Get_Square(21, 20)->Hidden_Layer(map, 0, -1, true), 0);
    EXPECT_EQ(map.Get_Square(21, 20)->Hidden_Layer(map, 0, -1, false), 3);
    TTerrain east = Make_Terrain(7, "East Wall", 0, 0);
    east.Sight_Side_Hidden = 2;
    east.Sight_Hidden_Layer = 2;
    map.Get_Square(23, 20)->Terrain = map.Terrains.Add_Terrain(east);
    EXPECT_EQ(map.Get_Square(23, 20)->Hidden_Layer(map, 1, 0, true), 2);
    EXPECT_EQ(map.Get_Square(23, 20)->Hidden_Layer(map, 0, 0, true), 0);

    TTerrain secret = Make_Terrain(6, "Secret", 0, 0);
    secret.Next_Terrain_Action = static_cast<uint8_t>(TTerrain_Action::Open_Secret);
    const uint16_t slot = map.Terrains.Add_Terrain(secret);
    TMap_Square& door = *map.Get_Square(22, 20);
    door.Terrain = slot;
    TMonster keen;
    keen.Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Detect_Secret_Doors), 200, 200);
    // Without a player the one roll is spent and nothing is found, for good.
    EXPECT_FALSE(door.Detect_Secret_Door(map, nullptr));
    EXPECT_TRUE(door.Is_Secret_Checked());
    EXPECT_FALSE(door.Detect_Secret_Door(map, &keen));
    door.Flags = 0;
    EXPECT_TRUE(door.Detect_Secret_Door(map, &keen));
    EXPECT_TRUE(door.Is_Secret_Found());
    // The stored result stands: a later look does not roll again.
    EXPECT_TRUE(door.Detect_Secret_Door(map, nullptr));
    // Only secret doors are rolled for.
    EXPECT_FALSE(wall.Detect_Secret_Door(map, &keen));
    EXPECT_FALSE(wall.Is_Secret_Checked());
    EXPECT_TRUE(door.Is_Secret_Checked());
}

TEST(Map_Ticks, EveryCreatureTicksAndEmptySlotsAreSkipped) {
    TTest_Map map;
    const uint16_t a = map.Put_Creature(10, 10);
    const uint16_t b = map.Put_Creature(12, 10);
    const uint16_t c = map.Put_Creature(150, 150);
    const uint16_t d = map.Put_Creature(13, 10);
    map.Monster_List.Delete_Creature(b);
    map.Player_Number = a;
    for (const uint16_t shy : {c, d}) {
        map.Monster_List.Get(shy)->Movement_Strategy =
            static_cast<uint8_t>(TMovement_Strategy::Keep_Away);
        map.Monster_List.Get(shy)->Movement_Mask = Movement_Land;
    }
    TCallbacks_Recorder shown;
    for (int32_t tick = 0; tick < 25; ++tick)
        map.Tick_Monsters(shown, 20);
    // One second: d thinks once and steps away from the player; c is too far away to
    // think at all.
    EXPECT_EQ(map.Monster_List.Get(d)->X, 14);
    EXPECT_EQ(map.Monster_List.Get(c)->X, 150);
    EXPECT_GT(map.Monster_List.Get(c)->Move_Timer, 0);
}

// A map whose monsters take the test's behaviour step instead of their own.
struct TStepping_Map : TTest_Map {
    std::function<bool(TMonster&)> step;
    bool Behaviour_Step(TMonster& monster) override { return step ? step(monster) : true; }
};

// Two deaths inside the real pass: an adder dies of poison in its own tick, and a hunter
// kills its prey in the hunter's tick. Both stay in memory until the pass ends (the
// suite runs under AddressSanitizer), are found by no lookup meanwhile, and are freed
// after it; their numbers then go to newcomers, which no reference taken before reaches.
TEST(Map_Ticks, CreaturesDyingInThePassAreFreedAfterItAndOldReferencesMissNewcomers) {
    TStepping_Map map;
    const uint16_t adder = map.Put_Creature(10, 10, "Adder");
    const uint16_t hunter = map.Put_Creature(11, 10, "Hunter");
    const uint16_t prey = map.Put_Creature(12, 10, "Prey");
    const uint16_t follower = map.Put_Creature(13, 10, "Follower");
    for (const uint16_t n : {adder, hunter, prey, follower})
        map.Monster_List.Get(n)->Base_Movement_Interval =
            map.Monster_List.Get(n)->Movement_Interval = 0;
    map.Player_Number = hunter;
    TMonster& dying = *map.Monster_List.Get(adder);
    dying.Health = 1;
    dying.Set_Poisoned(0, 0);
    dying.Poison_Timer = 5000; // its next tick takes the last health
    const uint16_t fang = map.Item_List.Add(TItem());
    ASSERT_TRUE(dying.Inventory.Add_To_Backpack(fang, map.Item_List));
    map.Monster_List.Get(follower)->Leader = prey;
    const TCreature_Ref adder_ref(dying);
    const TCreature_Ref hunter_ref(*map.Monster_List.Get(hunter));
    const TCreature_Ref prey_ref(*map.Monster_List.Get(prey));

    // The hunter holds its prey by reference across ticks, as a screen would.
    TCallbacks_Recorder shown;
    std::vector<std::string> stepped;
    int32_t kills = 0;
    map.step = [&](TMonster& m) {
        stepped.push_back(m.Name);
        if (m.Number == hunter)
            if (TMonster* victim = prey_ref.Resolve(map.Monster_List)) {
                victim->Die(&m, "");
                // The blow's caller may still hold the victim: it is dead, not freed.
                EXPECT_TRUE(victim->Is_Dead());
                ++kills;
                EXPECT_EQ(map.Monster_List.Get(prey), nullptr);
            }
        return true;
    };
    map.Tick_Monsters(shown, 20);
    // The adder stepped before its poison killed it; the dead prey took no step.
    EXPECT_EQ(stepped, (std::vector<std::string>{"Adder", "Hunter", "Follower"}));
    EXPECT_EQ(map.Monster_List.Get(adder), nullptr);
    EXPECT_EQ(map.Monster_List.Get(prey), nullptr);
    EXPECT_EQ(map.Get_Square(10, 10)->Monster, 0);
    EXPECT_EQ(map.Get_Square(10, 10)->Item, fang);
    EXPECT_EQ(map.Get_Square(12, 10)->Monster, 0);
    // The follower was released at its leader's death.
    EXPECT_EQ(map.Monster_List.Get(follower)->Leader, 0);

    // In the same tick, newcomers take the freed numbers (the first free one first).
    EXPECT_EQ(map.Put_Creature(50, 50, "First"), adder);
    const uint16_t second = map.Put_Creature(51, 50, "Second");
    ASSERT_EQ(second, prey);
    TMonster& newcomer = *map.Monster_List.Get(second);
    EXPECT_EQ(adder_ref.Resolve(map.Monster_List), nullptr);
    EXPECT_EQ(prey_ref.Resolve(map.Monster_List), nullptr);
    EXPECT_EQ(Creature_Ref(map.Monster_List, prey).Resolve(map.Monster_List), &newcomer);
    EXPECT_EQ(hunter_ref.Resolve(map.Monster_List), map.Monster_List.Get(hunter));
    // A blow still on its way to the prey does not land on the newcomer.
    TDamage blow;
    blow.Amount = 100;
    Hit_Arrives(hunter_ref, prey_ref, blow, "", shown);
    EXPECT_DOUBLE_EQ(newcomer.Health, 10);
    // Nor does the hunter's next step.
    map.Tick_Monsters(shown, 20);
    EXPECT_EQ(kills, 1);
    EXPECT_EQ(map.Monster_List.Get(second), &newcomer);
}

// A creature that dies inside its own behaviour step, with the step not noticing, is
// left alone for the rest of its tick and freed after the pass.
TEST(Map_Ticks, ACreatureKilledInItsOwnStepIsLeftAloneAndFreedAfterThePass) {
    TStepping_Map map;
    const uint16_t reckless = map.Put_Creature(10, 10, "Reckless");
    const uint16_t other = map.Put_Creature(11, 10, "Other");
    map.Player_Number = other;
    map.Monster_List.Get(reckless)->Base_Movement_Interval =
        map.Monster_List.Get(reckless)->Movement_Interval = 0;
    int32_t deaths = 0;
    TCallbacks_Recorder shown;
    map.step = [&](TMonster& m) {
        if (m.Number == reckless) {
            m.Die(nullptr, "recklessness");
            m.Die(nullptr, "recklessness"); // a second death changes nothing
            ++deaths;
        }
        return true;
    };
    map.Tick_Monsters(shown, 20);
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(map.Monster_List.Get(reckless), nullptr);
    EXPECT_EQ(map.Put_Creature(20, 20, "Next"), reckless);
}

TEST(Map_Ticks, MonstersActThroughThePassCallbacksAndDeathsReachTheServices) {
    TTest_Map map;
    TMonster& hunter = *map.Monster_List.Get(map.Put_Creature(21, 20, "Wolf"));
    const uint16_t hero_number = map.Put_Creature(20, 20, "Hero");
    map.Player_Number = hero_number;
    hunter.Movement_Strategy = static_cast<uint8_t>(TMovement_Strategy::Hunt);
    hunter.Movement_Mask = Movement_Land;
    hunter.Base_Movement_Interval = hunter.Movement_Interval = 0;
    TMonster& hero = *map.Player();
    hero.Movement_Strategy = static_cast<uint8_t>(TMovement_Strategy::None);
    hero.Sound_Death = "scream.wav";
    // The last drop of poison falls in the coming tick.
    hero.Health = 1;
    hero.Condition = static_cast<uint8_t>(TMonster_Status::Poisoned);
    hero.Condition_Time = 60000;
    hero.Poison_Timer = 4990;

    TCallbacks_Recorder pass, screen;
    TSound_Recorder sound;
    const TScoped_Services use({.Sound = &sound, .Callbacks = &screen});
    map.Tick_Monsters(pass, 20);
    // The wolf, first in the list, bit through the pass's callbacks; then the player
    // died of the poison, which the installed screen hears, with the death cry from the
    // player's square.
    ASSERT_EQ(pass.attacks.size(), 1u);
    EXPECT_EQ(pass.attacks[0].Target, hero_number);
    EXPECT_TRUE(screen.attacks.empty());
    ASSERT_EQ(screen.deaths.size(), 1u);
    EXPECT_EQ(screen.deaths[0].Name, "Hero");
    EXPECT_EQ(screen.deaths[0].Cause, "slow poison");
    EXPECT_TRUE(pass.deaths.empty());
    EXPECT_EQ(map.Player(), nullptr);
    ASSERT_FALSE(sound.Played.empty());
    EXPECT_EQ(sound.Played.back().Wave, "scream.wav");
    EXPECT_EQ(std::pair(sound.Played.back().X, sound.Played.back().Y), std::pair(20, 20));

    // Outside a pass a monster's tick thinks with the installed callbacks.
    Move_Creature(map, hunter, 30, 30);
    map.Player_Number = map.Put_Creature(31, 30, "Hero");
    hunter.Tick(20);
    EXPECT_EQ(screen.attacks.size(), 1u);
    EXPECT_EQ(pass.attacks.size(), 1u);
}

} // namespace
