#include <gtest/gtest.h>

#include "callbacks_recorder.h"
#include "creature_support.h"
#include "rules/combat.h"
#include "rules/references.h"
#include "shell/random.h"
#include "shell/value_stream.h"

namespace {

TClass_Info fighter_class() {
    TClass_Info c;
    c.Class_Name = "Fighter";
    c.Base_Maximum_Health = 20;
    c.Health_Per_Level = 2;
    c.Health_Per_Constitution = 1.5;
    c.Base_Maximum_Mana = 4;
    c.Mana_Per_Level = 1.5;
    c.Mana_Per_Intelligence = 0.5;
    c.Base_Maximum_Hunger = 50;
    c.Hunger_Per_Constitution = 1;
    c.Base_Maximum_Weight = 100;
    c.Attack_Per_Dexterity = 2;
    c.Defense_Per_Dexterity = 0.5;
    c.Base_Movement_Speed = 250;
    c.Slowdown_Per_Over_Weight = 20;
    c.Base_Fire_Resistance = 80;
    c.Characteristic_Points_Per_Level = 5;
    c.Spell_Points_Per_Level = 1;
    c.Experience_Levels = {0, 100, 300};
    c.Experience_Added_Past_Last_Level = 200;
    return c;
}

// A character of the fighter class standing in the world as the player.
TMonster* add_player(TFake_World& world) {
    Class_Infos.Add(fighter_class());
    TMonster hero;
    hero.Name = "Hero";
    hero.X = hero.Y = 20;
    hero.Level = 1;
    hero.Base_Constitution = 10;
    hero.Base_Intelligence = 10;
    hero.Base_Dexterity = 10;
    hero.Set_Class(1);
    hero.Fill_Health();
    hero.Fill_Hunger();
    world.player_number = world.monsters.Add(hero);
    return world.Player();
}

TMonster* add_monster(TFake_World& world, uint16_t level = 5, uint16_t maximum_health = 40) {
    TMonster monster;
    monster.Name = "Rat";
    monster.X = monster.Y = 30;
    monster.Level = level;
    monster.Maximum_Health = maximum_health;
    monster.Health = maximum_health;
    return world.monsters.Get(world.monsters.Add(monster));
}

} // namespace

TEST(Character_Statistics, Maxima_Grow_With_Level_Abilities_And_Effects) {
    TFake_World world;
    TMonster* hero = add_player(world);
    hero->Level = 3;
    hero->Permanent_Health_Bonus = 5;
    hero->Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Life), 6, 6);
    hero->Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Constitution), 2, 2);
    hero->Recalculate();
    // 2 × 2 + 20 + 5 + Trunc(12 × 1.5) + 6
    EXPECT_EQ(hero->Maximum_Health, 53);
    EXPECT_EQ(hero->Constitution, 12);
    // Trunc(2 × 1.5) + 4 + Trunc(10 × 0.5)
    EXPECT_EQ(hero->Maximum_Mana, 12);
    EXPECT_EQ(hero->Maximum_Hunger, 62);
    EXPECT_EQ(hero->Attack_Ability, 20);
    EXPECT_EQ(hero->Defense_Ability, 5);
    EXPECT_EQ(hero->Movement_Interval, 250);
}

TEST(Character_Statistics, Resistances_Are_Cut_At_95_And_Never_Negative) {
    TFake_World world;
    TMonster* hero = add_player(world);
    hero->Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Resist_All), 30, 30);
    hero->Recalculate();
    EXPECT_EQ(hero->Fire_Resist, 95);
    EXPECT_EQ(hero->Cold_Resist, 30);
    hero->Add_Timed_Effect(static_cast<uint8_t>(TEffect_Type::Reduce_Resist_All), 50, 50, 10);
    hero->Recalculate();
    EXPECT_EQ(hero->Fire_Resist, 60);
    EXPECT_EQ(hero->Cold_Resist, 0);

    // A monster weakened below its base resistance stops at 0, not at 95.
    TMonster* rat = add_monster(world);
    rat->Add_Timed_Effect(static_cast<uint8_t>(TEffect_Type::Reduce_Resist_All), 10, 10, 10);
    rat->Recalculate();
    EXPECT_EQ(rat->Fire_Resist, 0);
    rat->Resist_All_Base = 200;
    rat->Recalculate();
    EXPECT_EQ(rat->Physical_Resist, 95);
}

TEST(Character_Statistics, Overweight_Slows_Up_To_3000_Ms) {
    TFake_World world;
    TMonster* hero = add_player(world);
    const uint16_t sack = world.Add_Item("Sack", TItem_Type::Misc, 110);
    ASSERT_TRUE(hero->Add_To_Backpack(sack));
    EXPECT_EQ(hero->Weight_Carried, 110);
    EXPECT_EQ(hero->Movement_Interval, 250 + 10 * 20);
    world.items.Get(sack)->Weight = 1100;
    hero->Recalculate();
    EXPECT_EQ(hero->Movement_Interval, 3000);
}

TEST(Character_Statistics, Sheet_Texts_Compare_With_50_Per_Level) {
    TFake_World world;
    TMonster* hero = add_player(world);
    hero->Level = 2;
    hero->Attack_Ability = 300;
    hero->Defense_Ability = 50;
    // 300 / (300 + 100) × 100 = 75; 100 − 100 / (100 + 50) × 100 = 34.
    EXPECT_EQ(hero->Get_To_Hit_Text(), "75% to hit");
    EXPECT_EQ(hero->Get_To_Miss_Text(), "34% to miss");
    TMonster* rat = add_monster(world);
    rat->Natural_Attacks.Clear();
    rat->Natural_Attacks.Add_Natural_Attack("Bite", 100, 2, 6, 1, 0, 0);
    EXPECT_EQ(rat->Get_Damage_Text(), "2 - 6");
}

TEST(Character_Statistics, Picking_Up_Gold_Adds_To_Gold_And_Removes_The_Item) {
    TFake_World world;
    TMonster* hero = add_player(world);
    const uint16_t coins = world.Add_Item("Gold", TItem_Type::Gold);
    world.items.Get(coins)->Gold_Value = 25;
    EXPECT_TRUE(hero->Add_To_Backpack(coins));
    EXPECT_EQ(hero->Gold, 25);
    EXPECT_EQ(world.items.Get(coins), nullptr);
    EXPECT_EQ(hero->Inventory.Count(), 0);
}

TEST(Experience, Value_Of_A_Kill) {
    TFake_World world;
    TMonster* hero = add_player(world);
    hero->Level = 10;
    TMonster* rat = add_monster(world, 5, 40);
    EXPECT_EQ(rat->Experience_Value(hero), 60);
    rat->Experience_Bonus = 30;
    EXPECT_EQ(rat->Experience_Value(hero), 78);
    rat->Is_Unique = true;
    EXPECT_EQ(rat->Experience_Value(hero), 390);
    EXPECT_EQ(rat->Experience_Value(nullptr), 0);

    // A monster killing a creature that does not attack the character earns nothing.
    TMonster* wolf = add_monster(world, 3);
    rat->Does_Attack_Character = false;
    EXPECT_EQ(rat->Experience_Value(wolf), 0);
    // Level 0 counts as level 1 rather than dividing by zero.
    wolf->Level = 0;
    rat->Does_Attack_Character = true;
    rat->Is_Unique = false;
    rat->Experience_Bonus = 0;
    EXPECT_EQ(rat->Experience_Value(wolf), 600);
}

TEST(Experience, Levels_Are_Gained_Per_Threshold_Passed) {
    TFake_World world;
    TMonster* hero = add_player(world);
    hero->Experience = 10;
    hero->Gain_Experience(590);
    // 600 − 100 (to level 2) − 300 (to level 3); level 4 needs 500.
    EXPECT_EQ(hero->Level, 3);
    EXPECT_EQ(hero->Experience, 200);
    EXPECT_EQ(hero->Characteristic_Points, 10);
    EXPECT_EQ(hero->Spell_Points, 2);
    EXPECT_EQ(std::count(world.sounds.begin(), world.sounds.end(), "newlevel.wav"), 2);
    hero->Gain_Experience(300);
    EXPECT_EQ(hero->Level, 4);
    EXPECT_EQ(hero->Experience, 0);

    // Monsters only gather experience.
    TMonster* rat = add_monster(world, 1);
    rat->Gain_Experience(5000);
    EXPECT_EQ(rat->Level, 1);
    EXPECT_EQ(rat->Experience, 5000);
}

// A class the table lacks uses zero factors; a class without thresholds never loops.
TEST(Experience, Classes_Without_A_Table_Never_Level) {
    TFake_World world;
    TMonster stranger;
    stranger.Level = 4;
    stranger.Base_Constitution = 10;
    stranger.Set_Class(7);
    EXPECT_EQ(stranger.Class_Name, "");
    EXPECT_EQ(stranger.Maximum_Health, 0);
    stranger.Gain_Experience(1000);
    EXPECT_EQ(stranger.Level, 4);

    TClass_Info empty;
    empty.Class_Name = "Nobody";
    Class_Infos.Add(empty);
    TMonster hero;
    hero.Level = 1;
    hero.Set_Class(1);
    hero.Gain_Experience(10);
    EXPECT_EQ(hero.Level, 1);
    EXPECT_EQ(hero.Experience, 10);
}

TEST(Experience, Kill_Credit_Goes_To_The_Leader_With_Mana_To_The_Killer) {
    TFake_World world;
    TMonster* hero = add_player(world);
    hero->Level = 10;
    TMonster* servant = add_monster(world, 10);
    servant->Leader = world.player_number;
    servant->Maximum_Mana = 50;
    servant->Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Each_Kill_Regenerates_Mana), 7,
                                  7);
    TMonster* rat = add_monster(world, 5, 40);
    rat->Award_Kill(servant);
    EXPECT_EQ(hero->Experience, 60);
    EXPECT_EQ(servant->Experience, 0);
    EXPECT_DOUBLE_EQ(servant->Mana, 7);
}

TEST(Conditions, Poison_Length_Reduction_Can_Stop_Poison) {
    TFake_World world;
    TMonster* rat = add_monster(world);
    rat->Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Poison_Length_Reduction), 40, 40);
    for (int i = 0; i < 20; ++i)
        rat->Set_Poisoned(0, 1);
    EXPECT_EQ(rat->Condition, 0);
    TMonster* wolf = add_monster(world);
    wolf->Set_Poisoned(3, 1);
    EXPECT_EQ(wolf->Condition, static_cast<uint8_t>(TMonster_Status::Poisoned));
    EXPECT_GE(wolf->Condition_Time, 20060);
    EXPECT_LE(wolf->Condition_Time, 40060);
    wolf->Remove_Curse();
    EXPECT_EQ(wolf->Condition, static_cast<uint8_t>(TMonster_Status::Poisoned));
    wolf->Cure_Poison();
    EXPECT_EQ(wolf->Condition, 0);
}

TEST(Conditions, A_Fresh_Dose_Does_Not_Put_Off_The_Poison) {
    TFake_World world;
    TMonster* rat = add_monster(world);
    rat->Set_Poisoned(0, 0);
    // Bitten again every second: the loss still comes after 5 seconds.
    for (int second = 1; second < 5; ++second) {
        EXPECT_TRUE(TFake_World::Run(rat, 1000));
        rat->Set_Poisoned(0, 0);
    }
    EXPECT_TRUE(TFake_World::Run(rat, 1000));
    EXPECT_DOUBLE_EQ(rat->Health, 39);
}

TEST(Conditions, A_Charm_Ends_With_A_Hunt) {
    TFake_World world;
    TMonster* rat = add_monster(world);
    rat->Set_Charmed(2, 9, 3);
    EXPECT_EQ(rat->Leader, 9);
    EXPECT_EQ(rat->Movement_Strategy, 10);
    EXPECT_TRUE(TFake_World::Run(rat, 1950));
    EXPECT_EQ(rat->Condition, Condition_Charmed);
    EXPECT_TRUE(TFake_World::Run(rat, 50));
    EXPECT_EQ(rat->Condition, 0);
    EXPECT_EQ(rat->Leader, 0);
    EXPECT_EQ(rat->Movement_Strategy, 5);
}

class Game_Time : public ::testing::TestWithParam<int32_t> {};

// At 200 percent everything happens in half the real time.
TEST_P(Game_Time, Poison_Takes_One_Health_Each_5_Game_Seconds) {
    TFake_World world;
    Machine_Options.Game_Speed_Modified_Percent = GetParam();
    const int32_t five_seconds = 5000 * 100 / GetParam();
    TMonster* rat = add_monster(world);
    rat->Health = 3;
    rat->Set_Poisoned(0, 0);
    EXPECT_TRUE(TFake_World::Run(rat, five_seconds - 50));
    EXPECT_DOUBLE_EQ(rat->Health, 3);
    EXPECT_TRUE(TFake_World::Run(rat, 50));
    EXPECT_DOUBLE_EQ(rat->Health, 2);
}

TEST_P(Game_Time, Starvation_Takes_One_Health_Each_5_Game_Seconds) {
    TFake_World world;
    Machine_Options.Game_Speed_Modified_Percent = GetParam();
    const int32_t five_seconds = 5000 * 100 / GetParam();
    TMonster* hero = add_player(world);
    hero->Hunger = 1;
    hero->Health = 2;
    EXPECT_TRUE(TFake_World::Run(hero, five_seconds));
    EXPECT_EQ(hero->Hunger, 0);
    EXPECT_TRUE(TFake_World::Run(hero, five_seconds));
    EXPECT_DOUBLE_EQ(hero->Health, 1);
    EXPECT_FALSE(TFake_World::Run(hero, five_seconds));
    ASSERT_EQ(world.deaths.size(), 1u);
    EXPECT_EQ(world.deaths[0].Cause, "starving to death");
    EXPECT_EQ(world.player_number, 0);
}

TEST_P(Game_Time, A_Timed_Effect_Lasts_Its_Game_Seconds) {
    TFake_World world;
    Machine_Options.Game_Speed_Modified_Percent = GetParam();
    TMonster* hero = add_player(world);
    hero->Base_Strength = 10;
    hero->Add_Timed_Effect(static_cast<uint8_t>(TEffect_Type::Strength), 5, 5, 10);
    hero->Recalculate();
    EXPECT_EQ(hero->Strength, 15);
    EXPECT_TRUE(TFake_World::Run(hero, 10000 * 100 / GetParam() - 50));
    EXPECT_EQ(hero->Strength, 15);
    EXPECT_TRUE(TFake_World::Run(hero, 50));
    EXPECT_EQ(hero->Strength, 10);
    EXPECT_EQ(hero->Timed_Effects.Count(), 0);
    EXPECT_TRUE(hero->Timed_Effect_Times.empty());
}

INSTANTIATE_TEST_SUITE_P(Speeds, Game_Time, ::testing::Values(100, 200));

TEST(Regeneration, Monsters_Regenerate_Once_A_Second) {
    TFake_World world;
    TMonster* rat = add_monster(world, 5, 50);
    rat->Health = 20;
    rat->Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Life_Regeneration), 10, 10);
    rat->Recalculate();
    EXPECT_TRUE(TFake_World::Run(rat, 1000));
    EXPECT_DOUBLE_EQ(rat->Health, 25);
    EXPECT_TRUE(TFake_World::Run(rat, 1000));
    EXPECT_DOUBLE_EQ(rat->Health, 30);
}

TEST(Regeneration, A_Hungry_Character_Does_Not_Heal) {
    TFake_World world;
    TMonster* hero = add_player(world);
    Class_Infos = TClass_Info_List();
    TClass_Info c = fighter_class();
    c.Health_Regeneration = 10;
    Class_Infos.Add(c);
    hero->Recalculate();
    hero->Health = 10;
    EXPECT_TRUE(TFake_World::Run(hero, 1000));
    EXPECT_NEAR(hero->Health, 10 + hero->Maximum_Health / 10.0, 1e-9);
    hero->Hunger = 0;
    const double before = hero->Health;
    EXPECT_TRUE(TFake_World::Run(hero, 1000));
    EXPECT_DOUBLE_EQ(hero->Health, before);
}

TEST(Regeneration, Mana_Returns_Each_Second_Even_While_Hungry_Or_Poisoned) {
    TFake_World world;
    TMonster* hero = add_player(world);
    Class_Infos = TClass_Info_List();
    TClass_Info c = fighter_class();
    c.Mana_Regeneration = 10;
    c.Health_Regeneration = 10;
    Class_Infos.Add(c);
    hero->Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Mana), 91, 91);
    hero->Recalculate();
    ASSERT_EQ(hero->Maximum_Mana, 100); // 4 + Trunc(10 × 0.5) + 91
    hero->Mana = 0;
    // 10 % of the maximum a second, only on the second.
    EXPECT_TRUE(TFake_World::Run(hero, 950));
    EXPECT_DOUBLE_EQ(hero->Mana, 0);
    EXPECT_TRUE(TFake_World::Run(hero, 50));
    EXPECT_DOUBLE_EQ(hero->Mana, 10);
    // "Mana Regeneration" adds to the class's rate.
    hero->Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Mana_Regeneration), 5, 5);
    hero->Recalculate();
    EXPECT_TRUE(TFake_World::Run(hero, 1000));
    EXPECT_DOUBLE_EQ(hero->Mana, 25);
    // Hunger and poison stop health coming back, not mana.
    hero->Hunger = 0;
    hero->Set_Poisoned(0, 0);
    hero->Health = 10;
    EXPECT_TRUE(TFake_World::Run(hero, 1000));
    EXPECT_DOUBLE_EQ(hero->Mana, 40);
    EXPECT_DOUBLE_EQ(hero->Health, 10);
    // Never past the maximum.
    hero->Mana = 95;
    EXPECT_TRUE(TFake_World::Run(hero, 1000));
    EXPECT_DOUBLE_EQ(hero->Mana, 100);
}

TEST(Character_Statistics, Light_Comes_From_Hands_Equipment_And_Passive_Spells) {
    TFake_World world;
    TMonster* hero = add_player(world);
    EXPECT_EQ(hero->Light_Radius, 1); // a character carries a light of 1
    // A torch in the hand gives its light until it burns out, one turn a second.
    const uint16_t torch = world.Add_Item("Torch", TItem_Type::Misc);
    world.items.Get(torch)->Light_Radius = 3;
    world.items.Get(torch)->Light_Turns = 2;
    ASSERT_TRUE(hero->Put_In_Slot(torch, First_Hand_Slot));
    EXPECT_EQ(hero->Light_Radius, 4);
    // Worn equipment adds its "Light Radius" effects, but its own light counts only in
    // the hands; an item in the backpack adds nothing.
    const uint16_t helm = world.Add_Item("Helm", TItem_Type::Helm);
    world.items.Get(helm)->Light_Radius = 5;
    world.items.Get(helm)->Effects.Add_Effect(TEffect_Type::Light_Radius, 2, 2);
    ASSERT_TRUE(hero->Put_In_Slot(helm, 1));
    EXPECT_EQ(hero->Light_Radius, 6);
    const uint16_t ring = world.Add_Item("Ring", TItem_Type::Ring);
    world.items.Get(ring)->Effects.Add_Effect(TEffect_Type::Light_Radius, 4, 4);
    ASSERT_TRUE(hero->Add_To_Backpack(ring));
    EXPECT_EQ(hero->Light_Radius, 6);
    // A passive spell adds its light at the level learnt.
    TSpell glow;
    glow.Name = "Glow";
    glow.Target_Type = 5;
    glow.Effects.Add_Effect(TEffect_Type::Light_Radius, 1, 1);
    Master_Spells.Add(glow);
    hero->Spells.Learn(1, 1, 0);
    hero->Recalculate();
    EXPECT_EQ(hero->Light_Radius, 7);
    EXPECT_TRUE(TFake_World::Run(hero, 1000));
    EXPECT_EQ(hero->Light_Radius, 7);
    EXPECT_TRUE(TFake_World::Run(hero, 1000));
    EXPECT_EQ(world.items.Get(torch), nullptr);
    EXPECT_EQ(hero->Light_Radius, 4);
}

TEST(Death, Fractional_Health_Still_Dies) {
    TFake_World world;
    TMonster* hero = add_player(world);
    hero->Level = 4;
    TMonster* rat = add_monster(world, 2, 40);
    rat->Health = 0.3;
    rat->Set_Poisoned(0, world.player_number);
    EXPECT_FALSE(TFake_World::Run(rat, 5000));
    // Credited to the poisoner: Trunc(2 / 4 × (40 + 20)).
    EXPECT_EQ(hero->Experience, 30);
    EXPECT_EQ(world.monsters.Get(2), nullptr);
}

TEST(Death, Every_Carried_Item_Is_Dropped_And_The_Creature_Leaves) {
    TFake_World world;
    TMonster* hero = add_player(world);
    hero->Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::More_Gold), 50, 50);
    TMonster* rat = add_monster(world);
    rat->Event_ID = 12;
    const uint16_t sword = world.Add_Item("Sword", TItem_Type::Weapon);
    const uint16_t bread = world.Add_Item("Bread", TItem_Type::Food);
    const uint16_t gold = world.Add_Item("Gold", TItem_Type::Gold);
    world.items.Get(gold)->Quantity = 60000;
    ASSERT_TRUE(rat->Inventory.Put_In_Slot(sword, 6, world.items));
    ASSERT_TRUE(rat->Inventory.Add_To_Backpack(bread, world.items));
    ASSERT_TRUE(rat->Inventory.Add_To_Backpack(gold, world.items));
    const uint16_t number = rat->Number;
    rat->Die(hero, "");
    ASSERT_EQ(world.drops.size(), 3u);
    EXPECT_EQ(world.drops[0], std::make_tuple(30, 30, sword));
    EXPECT_EQ(world.items.Get(gold)->Quantity, 65535);
    EXPECT_EQ(world.events, std::vector<uint16_t>{12});
    EXPECT_EQ(world.square_changes.back(), std::make_tuple(30, 30, uint16_t{0}));
    EXPECT_EQ(world.monsters.Get(number), nullptr);
    EXPECT_EQ(world.sounds.back(), "chardie2.wav");
    EXPECT_TRUE(world.deaths.empty());
    // The dead creature stays in memory until its list removes the dead; dying again,
    // or another blow, changes nothing and rewards nobody twice.
    EXPECT_TRUE(rat->Is_Dead());
    const int32_t experience = hero->Experience;
    rat->Die(hero, "");
    TDamage blow;
    blow.Amount = 1000;
    TCallbacks_Recorder shown;
    EXPECT_FALSE(Take_Damage(*rat, hero->Number, blow, shown, "", TEffect_List()));
    EXPECT_EQ(world.drops.size(), 3u);
    EXPECT_EQ(world.events.size(), 1u);
    EXPECT_EQ(hero->Experience, experience);
}

TEST(Monster_List, Deleting_A_Creature_Frees_Its_Number_Everywhere) {
    TFake_World world;
    TMonster* hero = add_player(world);
    TMonster* rat = add_monster(world);
    TMonster* guard = add_monster(world);
    guard->Leader = rat->Number;
    hero->Set_Poisoned(0, rat->Number);
    world.monsters.Delete_Creature(rat->Number);
    EXPECT_EQ(guard->Leader, 0);
    EXPECT_EQ(hero->Condition_Source, 0);
    TMonster newcomer;
    EXPECT_EQ(world.monsters.Add(newcomer), 2);
    EXPECT_EQ(world.monsters.Count(), 3);
}

// Death releases the number at once for whoever held it (followers, a condition's
// source, references), but the slot only when the dead are removed; until then the
// dead creature is neither found, nor copied, nor saved.
TEST(Monster_List, The_Dead_Keep_Their_Slot_Unseen_Until_Removed) {
    TFake_World world;
    TMonster* rat = add_monster(world);
    TMonster* hero = add_player(world);
    TMonster* guard = add_monster(world);
    const uint16_t rat_number = rat->Number;
    guard->Leader = rat_number;
    hero->Set_Poisoned(0, rat_number);
    const TCreature_Ref rat_ref(*rat);
    ASSERT_EQ(rat_ref.Resolve(world.monsters), rat);
    rat->Die(hero, "");
    EXPECT_EQ(guard->Leader, 0);
    EXPECT_EQ(hero->Condition_Source, 0);
    EXPECT_EQ(world.monsters.Get(rat_number), nullptr);
    EXPECT_EQ(rat_ref.Resolve(world.monsters), nullptr);
    EXPECT_EQ(Creature_Ref(world.monsters, rat_number), TCreature_Ref());

    // Saved, its slot (the first) is written empty.
    TValue_Writer writer;
    world.monsters.Save(writer);
    TValue_Reader saved(writer.Bytes());
    EXPECT_EQ(saved.Read_Word(), 3);
    saved.Read_String();
    EXPECT_FALSE(saved.Read_Boolean());
    EXPECT_TRUE(saved.Read_Boolean());
    const TMonster_List copy(world.monsters);
    EXPECT_EQ(copy.Get(rat_number), nullptr);
    ASSERT_NE(copy.Get(guard->Number), nullptr);
    // A copy is a creature of its own: references to the original do not reach it.
    EXPECT_EQ(TCreature_Ref(*guard).Resolve(copy), nullptr);

    TMonster newcomer;
    EXPECT_EQ(world.monsters.Add(newcomer), 4); // the dead still hold their slot
    world.monsters.Remove_Dead();
    EXPECT_EQ(world.monsters.Add(newcomer), rat_number);
    EXPECT_EQ(rat_ref.Resolve(world.monsters), nullptr);
    EXPECT_EQ(Creature_Ref(world.monsters, rat_number).Resolve(world.monsters),
              world.monsters.Get(rat_number));
    // A copy taken out of the list has no serial, and is never taken for the original.
    const TMonster stray = *world.monsters.Get(rat_number);
    EXPECT_EQ(stray.Number, rat_number);
    EXPECT_EQ(TCreature_Ref(stray).Resolve(world.monsters), nullptr);
}

TEST(Save_Load, A_Character_Round_Trips) {
    TFake_World world;
    TSpell spell;
    spell.Name = "Fire Bolt";
    Master_Spells.Add(spell);
    TMonster* hero = add_player(world);
    hero->Description = "Brave";
    hero->Home_X = 3;
    hero->Gold = 123456;
    hero->Experience_Bonus = 40;
    hero->Health = 12.5;
    hero->Spells.Learn(1, 3, 0);
    hero->Spells.Set_Quick_Slot(2, 1, 1);
    hero->Spells.Set_Selected_Slot(2);
    hero->Add_Timed_Effect(static_cast<uint8_t>(TEffect_Type::Strength), 2, 4, 30);
    hero->Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Life), 5, 5);
    hero->Set_Blind(0, 0);
    hero->Talk_Topic_Names = {"Hello"};
    hero->Talk_Topic_Texts = {"Hi there"};
    hero->Modifier_Names = {"Fierce"};
    const uint16_t bread = world.Add_Item("Bread", TItem_Type::Food);
    ASSERT_TRUE(hero->Add_To_Backpack(bread));
    TValue_Writer writer;
    hero->Save(writer);

    TValue_Reader reader(writer.Bytes());
    TMonster copy;
    copy.Load(reader);
    EXPECT_TRUE(reader.At_End());
    EXPECT_EQ(copy.Description, "Brave");
    EXPECT_EQ(copy.Home_X, 3);
    EXPECT_EQ(copy.Gold, 123456);
    EXPECT_EQ(copy.Experience_Bonus, 40);
    EXPECT_DOUBLE_EQ(copy.Health, 12.5);
    EXPECT_EQ(copy.Spells.Get_Learnt_Level(1), 3);
    EXPECT_EQ(copy.Spells.Get_Selected_Slot(), 2);
    EXPECT_EQ(copy.Timed_Effect_Times, std::vector<int32_t>{30000});
    EXPECT_EQ(copy.Condition, static_cast<uint8_t>(TMonster_Status::Blind));
    EXPECT_EQ(copy.Inventory.Get_Number_In_Slot(11, world.items), bread);
    EXPECT_EQ(copy.Talk_Topic_Texts, hero->Talk_Topic_Texts);
    TValue_Writer again;
    copy.Save(again);
    EXPECT_EQ(again.Bytes(), writer.Bytes());
}

namespace {

std::string remove_after(const std::string& bytes, const std::string& marker, size_t count) {
    const size_t at = bytes.find(marker);
    EXPECT_NE(at, std::string::npos);
    std::string result = bytes;
    return result.erase(at + marker.size(), count);
}

} // namespace

TEST(Save_Load, Older_Files_Lack_Home_And_Bonus) {
    TMonster rat;
    rat.X = 150;
    rat.Y = 151;
    rat.Home_X = 152;
    rat.Home_Y = 153;
    rat.Experience = 0x11223344;
    rat.Experience_Bonus = 30;
    TValue_Writer writer;
    rat.Save(writer);
    // X and Y are written as 03 96 00 and 03 97 00; the experience as 04 44 33 22 11.
    std::string old = remove_after(writer.Bytes(), std::string("\x03\x96\x00\x03\x97\x00", 6), 6);
    old = remove_after(old, "\x04\x44\x33\x22\x11", 2);

    // The version string the file begins with decides the layout of what follows.
    TValue_Writer header;
    header.Write_String("1.00");
    TValue_Reader reader(header.Bytes() + old);
    reader.Read_Version();
    TMonster copy;
    copy.Load(reader);
    EXPECT_TRUE(reader.At_End());
    EXPECT_EQ(copy.Home_X, 150);
    EXPECT_EQ(copy.Home_Y, 151);
    EXPECT_EQ(copy.Experience_Bonus, 0);
    EXPECT_EQ(copy.Experience, 0x11223344);

    // A "1.01" file has the home but not the bonus.
    TValue_Reader newer(remove_after(writer.Bytes(), "\x04\x44\x33\x22\x11", 2));
    newer.Set_Version("1.01");
    copy.Load(newer);
    EXPECT_EQ(copy.Home_X, 152);
    EXPECT_TRUE(newer.At_End());
}

TEST(Save_Load, Damaged_Records_Are_Read_Errors) {
    TMonster rat;
    rat.X = 150;
    rat.Timed_Effect_Times = {5};
    TValue_Writer writer;
    rat.Save(writer);
    TMonster copy;
    TValue_Reader mismatched(writer.Bytes());
    EXPECT_THROW(copy.Load(mismatched), TStream_Error);

    rat.Timed_Effect_Times.clear();
    rat.X = 201;
    TValue_Writer outside;
    rat.Save(outside);
    TValue_Reader off_map(outside.Bytes());
    EXPECT_THROW(copy.Load(off_map), TStream_Error);

    TValue_Reader truncated(writer.Bytes().substr(0, 40));
    EXPECT_THROW(copy.Load(truncated), TStream_Error);
}

TEST(Save_Load, A_Creature_List_Keeps_Its_Empty_Slots) {
    TFake_World world;
    add_monster(world);
    add_monster(world);
    add_monster(world);
    world.monsters.Name = "Level 1";
    world.monsters.Delete_Creature(2);
    TValue_Writer writer;
    world.monsters.Save(writer);
    TValue_Reader reader(writer.Bytes());
    TMonster_List copy;
    copy.Load(reader);
    EXPECT_EQ(copy.Name, "Level 1");
    EXPECT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.Get(2), nullptr);
    ASSERT_NE(copy.Get(3), nullptr);
    EXPECT_EQ(copy.Get(3)->Number, 3);

    TValue_Reader truncated(writer.Bytes().substr(0, writer.Bytes().size() - 3));
    EXPECT_THROW(copy.Load(truncated), TStream_Error);
    EXPECT_EQ(copy.Count(), 3);
    EXPECT_NE(copy.Get(1), nullptr);
}
