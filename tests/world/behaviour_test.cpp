#include <gtest/gtest.h>

#include <algorithm>

#include "rules/callbacks_recorder.h"
#include "rules/class_info.h"
#include "rules/spells.h"
#include "shell/random.h"
#include "support/fake_services.h"
#include "world/actions.h"
#include "world/behaviour.h"
#include "world_support.h"

namespace {

// A map with the player at (100, 100) and monsters of chosen strategies.
struct TBehaviour_Map : TTest_Map {
    TCallbacks_Recorder shown;
    TSound_Recorder sound;
    TScoped_Services use{{.Sound = &sound}};
    TBehaviour_Map() {
        TClass_Info hero_class;
        hero_class.Class_Name = "Hero";
        hero_class.Base_Maximum_Health = 100;
        hero_class.Base_Movement_Speed = 250;
        Class_Infos.Add(hero_class);
        Player_Number = Put_Creature(100, 100, "Hero");
        player().Set_Class(1);
        player().Fill_Health();
        Set_Random_Seed(11);
    }
    ~TBehaviour_Map() override {
        Class_Infos.Clear();
        Master_Spells.Clear();
    }
    TMonster& player() { return *Player(); }
    TMonster& monster(int32_t x, int32_t y, TMovement_Strategy strategy) {
        TMonster& m = *Monster_List.Get(Put_Creature(x, y, "Beast"));
        m.Movement_Strategy = static_cast<uint8_t>(strategy);
        m.Movement_Mask = Movement_Land;
        return m;
    }
    // Thinks n times; counts the steps on which the monster moved.
    int32_t think(TMonster& m, int32_t n = 1) {
        int32_t moved = 0;
        for (int32_t i = 0; i < n; ++i) {
            const int32_t x = m.X, y = m.Y;
            EXPECT_TRUE(Think(*this, m, shown));
            moved += (m.X != x || m.Y != y);
        }
        return moved;
    }
};

std::pair<int32_t, int32_t> where(const TMonster& m) {
    return {m.X, m.Y};
}

} // namespace

TEST(Behaviour, Hunters_Close_In_And_Attack) {
    TBehaviour_Map map;
    TMonster& hunter = map.monster(102, 100, TMovement_Strategy::Hunt);
    map.think(hunter);
    EXPECT_EQ(where(hunter), std::make_pair(101, 100));
    EXPECT_TRUE(map.shown.attacks.empty());
    map.think(hunter);
    EXPECT_EQ(where(hunter), std::make_pair(101, 100));
    ASSERT_EQ(map.shown.attacks.size(), 1u);
    EXPECT_EQ(map.shown.attacks[0].Target, map.Player_Number);
    // A ranged hunter keeps its distance: four away it stays, six away it comes.
    TMonster& archer = map.monster(104, 104, TMovement_Strategy::Ranged_Hunt);
    map.think(archer);
    EXPECT_EQ(where(archer), std::make_pair(104, 104));
    Move_Creature(map, archer, 106, 100);
    map.think(archer);
    EXPECT_EQ(where(archer), std::make_pair(105, 100));
    // A hunter walks round a wall along the searched path.
    map.Fill(95, 96, 95, 104, Wall);
    TMonster& round = map.monster(93, 100, TMovement_Strategy::Hunt);
    map.think(round, 30);
    EXPECT_LE(TMap::Square_Distance(round.X, round.Y, 100, 100), 1);
}

TEST(Behaviour, Direct_Steps_Patrol_Keep_Away_Follow) {
    TBehaviour_Map map;
    TMonster& patrol = map.monster(97, 97, TMovement_Strategy::Patrol);
    map.think(patrol);
    EXPECT_EQ(where(patrol), std::make_pair(98, 98));
    // Straight into a wall: blocked, no path is searched.
    map.Get_Square(99, 99)->Terrain = Wall;
    map.think(patrol);
    EXPECT_EQ(where(patrol), std::make_pair(98, 98));
    TMonster& sentry = map.monster(103, 103, TMovement_Strategy::Guard); // as Patrol
    map.think(sentry);
    EXPECT_EQ(where(sentry), std::make_pair(102, 102));
    TMonster& shy = map.monster(103, 100, TMovement_Strategy::Keep_Away);
    map.think(shy);
    EXPECT_EQ(where(shy), std::make_pair(104, 100));
    TMonster& follower = map.monster(100, 106, TMovement_Strategy::Follow);
    map.think(follower, 3);
    EXPECT_EQ(where(follower), std::make_pair(100, 103));
    map.shown.attacks.clear();
    map.think(follower, 3);
    EXPECT_EQ(where(follower), std::make_pair(100, 103));
    EXPECT_TRUE(map.shown.attacks.empty());
    TMonster& idle = map.monster(110, 110, TMovement_Strategy::None);
    EXPECT_EQ(map.think(idle, 50), 0);
}

TEST(Behaviour, Random_Strollers_And_Anchors) {
    TBehaviour_Map map;
    // Stay Put moves about one step in five, Wander Around one in three.
    TMonster& sitter = map.monster(60, 60, TMovement_Strategy::Stay_Put);
    const int32_t sat = map.think(sitter, 600);
    EXPECT_GT(sat, 80);
    EXPECT_LT(sat, 160);
    TMonster& stroller = map.monster(140, 140, TMovement_Strategy::Wander_Around);
    const int32_t strolled = map.think(stroller, 600);
    EXPECT_GT(strolled, 160);
    EXPECT_LT(strolled, 240);
    // An anchored monster takes its first square as home and walks back when lured off.
    TMonster& anchored = map.monster(60, 140, TMovement_Strategy::Anchored_3_Squares);
    map.think(anchored);
    EXPECT_EQ(anchored.Home_X, 60);
    EXPECT_EQ(anchored.Home_Y, 140);
    Move_Creature(map, anchored, 64, 140);
    map.think(anchored);
    EXPECT_EQ(where(anchored), std::make_pair(63, 140));
    for (int i = 0; i < 300; ++i) {
        map.think(anchored);
        EXPECT_LE(TMap::Square_Distance(anchored.X, anchored.Y, 60, 140), 4);
    }
}

TEST(Behaviour, Guards_Fight_For_The_Player_And_Return) {
    TBehaviour_Map map;
    TMonster& guard = map.monster(99, 100, TMovement_Strategy::Guard_Monster);
    guard.Leader = map.Player_Number;
    guard.Guard_Distance = 3;
    TMonster& enemy = map.monster(101, 101, TMovement_Strategy::None);
    // Hostile monsters pick the player's ally when it is nearer than the player.
    TMonster& brute = map.monster(97, 100, TMovement_Strategy::None);
    brute.Does_Attack_Character = true;
    EXPECT_EQ(Find_Target(map, brute), &guard);
    // A guard looks around its leader for anything that attacks the player.
    EXPECT_EQ(Find_Target(map, guard), &enemy);
    Move_Creature(map, brute, 130, 130);
    // The guard goes for the enemy beside the player and then attacks it.
    map.think(guard);
    EXPECT_EQ(where(guard), std::make_pair(100, 101));
    map.think(guard);
    ASSERT_EQ(map.shown.attacks.size(), 1u);
    EXPECT_EQ(map.shown.attacks[0].Target, enemy.Number);
    // The player walks off: the guard follows beyond its guard distance.
    Move_Creature(map, map.player(), 110, 101);
    map.think(guard);
    EXPECT_GT(guard.X, 100);
    // Peaceful creatures fight nobody, even when they come close.
    TMonster& villager = map.monster(105, 105, TMovement_Strategy::Hunt);
    villager.Does_Attack_Character = false;
    EXPECT_EQ(Find_Target(map, villager), nullptr);
    const size_t attacks = map.shown.attacks.size();
    map.think(villager, 10);
    EXPECT_EQ(map.shown.attacks.size(), attacks);
}

TEST(Behaviour, Casters_Need_Sight) {
    TBehaviour_Map map;
    TSpell bolt;
    bolt.Name = "Bolt";
    bolt.Maximum_Levels_From_Start = 5;
    bolt.Target_Type = static_cast<uint8_t>(TEffect_Target::Monster);
    bolt.Mana_Cost = 50;
    bolt.Damage.Set_Damage(0, 0, 0, 8);
    Master_Spells.Add(bolt);
    TMonster& caster = map.monster(100, 105, TMovement_Strategy::Ranged_Hunt);
    caster.Spells.Learn(1, 1, 100);
    map.think(caster);
    ASSERT_EQ(map.shown.spells.size(), 1u);
    EXPECT_EQ(map.shown.spells[0].Target, map.Player_Number);
    EXPECT_DOUBLE_EQ(caster.Mana, 950); // mana is set to 1000 before each cast
    // Behind a wall it casts nothing.
    map.Fill(95, 102, 105, 102, Wall);
    map.think(caster);
    EXPECT_EQ(map.shown.spells.size(), 1u);
}

TEST(Behaviour, Steps_Stay_In_The_Band_And_Far_Monsters_Rest) {
    TBehaviour_Map map;
    TMonster& edge = map.monster(8, 193, TMovement_Strategy::None);
    EXPECT_EQ(Step(map, edge, 7), Step_Blocked); // (7, 193) clamps back to its own square
    EXPECT_EQ(Step(map, edge, 5), Step_Blocked);
    EXPECT_EQ(Step(map, edge, 1), Step_Moved);
    EXPECT_EQ(where(edge), std::make_pair(8, 192));
    map.Get_Square(9, 192)->Set_Entrance(true);
    EXPECT_EQ(Step(map, edge, 3), Step_Entrance);
    // A guard whose leader stands at the map's corner looks only at squares of the map.
    TMonster& corner_guard = map.monster(9, 9, TMovement_Strategy::Guard_Monster);
    corner_guard.Leader = map.Player_Number;
    Move_Creature(map, map.player(), 2, 2);
    EXPECT_EQ(Find_Target(map, corner_guard), nullptr);
    Move_Creature(map, map.player(), 100, 100);
    // Monsters think in their ticks, but not more than 30 away.
    TMonster& near = map.monster(110, 100, TMovement_Strategy::Keep_Away);
    TMonster& far = map.monster(131, 100, TMovement_Strategy::Keep_Away);
    near.Base_Movement_Interval = near.Movement_Interval = 0;
    far.Base_Movement_Interval = far.Movement_Interval = 0;
    map.Tick_Monsters(map.shown, 20);
    EXPECT_EQ(where(near), std::make_pair(111, 100));
    EXPECT_EQ(where(far), std::make_pair(131, 100));
    // Growls only within 6 squares of the player: a monster 7 away thinks (and steps
    // away) every tick, yet never growls.
    near.Sound_Growl = "near.wav";
    far.Sound_Growl = "far.wav";
    int32_t far_steps = 0;
    for (int i = 0; i < 100; ++i) {
        Move_Creature(map, near, 106, 100);
        Move_Creature(map, far, 107, 101);
        map.Tick_Monsters(map.shown, 20);
        far_steps += where(far) != std::make_pair(107, 101);
    }
    EXPECT_EQ(far_steps, 100);
    const std::vector<std::string> sounds = map.sound.Waves();
    EXPECT_GT(std::count(sounds.begin(), sounds.end(), "near.wav"), 2);
    EXPECT_LT(std::count(sounds.begin(), sounds.end(), "near.wav"), 30);
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "far.wav"), 0);
}
