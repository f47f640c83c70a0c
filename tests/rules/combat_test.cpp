#include <gtest/gtest.h>

#include "callbacks_recorder.h"
#include "creature_support.h"
#include "rules/combat.h"
#include "shell/random.h"

namespace {

// A monster standing at (x, y) in the world; its number is its slot.
TMonster* add_creature(TFake_World& world, int32_t x, int32_t y, uint16_t health = 100,
                       uint16_t level = 1) {
    TMonster m;
    m.Name = "Creature";
    m.X = static_cast<uint8_t>(x);
    m.Y = static_cast<uint8_t>(y);
    m.Level = level;
    m.Maximum_Health = health;
    m.Health = health;
    return world.monsters.Get(world.monsters.Add(m));
}

// A permanent effect of the amount.
void give(TMonster& m, TEffect_Type type, int32_t amount) {
    m.Add_Permanent_Effect(static_cast<uint8_t>(type), amount, 0);
}

// A hit of exactly amount with the effects, as a sprite would deliver it.
TDamage hit_of(int32_t amount, int32_t duration = 0) {
    TDamage d;
    d.Amount = amount;
    d.Duration = duration;
    return d;
}

uint16_t add_weapon(TFake_World& world, TMonster& holder, int32_t min, int32_t max,
                    int32_t range = 1, const std::string& ammo = "", int32_t slot = 6) {
    TItem weapon;
    weapon.Name = "Weapon";
    weapon.Item_Type = static_cast<uint8_t>(ammo.empty() ? TItem_Type::Weapon : TItem_Type::Bow);
    weapon.Weapon_Type = "Sword";
    weapon.Use_Sound_File = "swing.wav";
    weapon.Ammo_Required = ammo;
    weapon.Damage.Set_Damage(min, max, 0, range);
    const uint16_t number = world.items.Add(weapon);
    EXPECT_TRUE(holder.Put_In_Slot(number, slot));
    return number;
}

uint16_t add_arrows(TFake_World& world, TMonster& holder, uint16_t quantity) {
    TItem arrows;
    arrows.Name = "Arrows";
    arrows.Item_Type = static_cast<uint8_t>(TItem_Type::Ammo);
    arrows.Ammo_Kind = "Arrow";
    arrows.Use_Sound_File = "bowshot.wav";
    arrows.Quantity = quantity;
    arrows.Maximum_Stacked = 50;
    arrows.Effects.Add_Effect(TEffect_Type::Fire_Damage, 1, 1);
    const uint16_t number = world.items.Add(arrows);
    EXPECT_TRUE(holder.Add_To_Backpack(number));
    return number;
}

} // namespace

TEST(Hit_Chance, Limits_And_Level_Factor) {
    EXPECT_EQ(Hit_Chance(50, 50, 3, 3), 50);
    EXPECT_EQ(Hit_Chance(100, 0, 3, 3), 95);
    EXPECT_EQ(Hit_Chance(10, 1000, 3, 3), 5);
    EXPECT_EQ(Hit_Chance(40, 40, 1, 3), 25);
    EXPECT_EQ(Hit_Chance(40, 40, 3, 1), 75);
    // No division by zero: both 0, or level 0 creatures.
    EXPECT_EQ(Hit_Chance(0, 0, 0, 0), 50);
    EXPECT_EQ(Hit_Chance(10, 10, 0, 0), 50);
    EXPECT_EQ(Hit_Chance(10, 10, 0, 3), 25);
}

TEST(Attack_Damage, Weapons_Boosts_And_Natural_Attacks) {
    TFake_World world;
    TMonster* m = add_creature(world, 20, 20);
    TAttack_Damage attack;
    // Without a weapon: the first natural attack ("Hands", 1 to 4).
    ASSERT_TRUE(Get_Attack_Damage(*m, attack));
    EXPECT_EQ(attack.Damage.Min, 1);
    EXPECT_EQ(attack.Damage.Max, 4);
    EXPECT_TRUE(attack.Ammo_Required.empty());
    // A sword of 2-6 with "Maximum Damage" 2 and "Damage" 50: 2-8, then 3-12.
    add_weapon(world, *m, 2, 6);
    give(*m, TEffect_Type::Maximum_Damage, 2);
    give(*m, TEffect_Type::Damage, 50);
    ASSERT_TRUE(Get_Attack_Damage(*m, attack));
    EXPECT_EQ(attack.Damage.Min, 3);
    EXPECT_EQ(attack.Damage.Max, 12);
    EXPECT_EQ(attack.Sound, "swing.wav");
    // The minimum is cut to the old maximum before the maximum grows: 4-4 +100 % is 4-8.
    TMonster* n = add_creature(world, 30, 30);
    add_weapon(world, *n, 4, 4);
    give(*n, TEffect_Type::Damage_All, 100);
    ASSERT_TRUE(Get_Attack_Damage(*n, attack));
    EXPECT_EQ(attack.Damage.Min, 4);
    EXPECT_EQ(attack.Damage.Max, 8);
    // No weapon and no natural attack: no attack at all.
    TMonster* bare = add_creature(world, 40, 40);
    bare->Natural_Attacks.Clear();
    EXPECT_FALSE(Get_Attack_Damage(*bare, attack));
    TCallbacks_Recorder shown;
    EXPECT_FALSE(Attack(*bare, m, 41, 41, shown));
    EXPECT_TRUE(shown.attacks.empty());
}

TEST(Melee, Hits_And_Misses_By_The_Chance) {
    TFake_World world;
    Set_Random_Seed(7);
    TMonster* a = add_creature(world, 20, 20);
    TMonster* t = add_creature(world, 21, 21);
    a->Attack_Ability = 1000; // 95 %
    // Swings work on copies: the sword and its effects stay as they were.
    const uint16_t sword = add_weapon(world, *a, 2, 6);
    world.items.Get(sword)->Effects.Add_Effect(TEffect_Type::Cold_Damage, 1, 2);
    give(*a, TEffect_Type::Damage, 50);
    TCallbacks_Recorder shown;
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(Attack(*a, t, 21, 21, shown));
    EXPECT_EQ(world.items.Get(sword)->Damage.Min, 2);
    EXPECT_EQ(world.items.Get(sword)->Damage.Max, 6);
    EXPECT_EQ(world.items.Get(sword)->Effects.Count(), 1);
    EXPECT_EQ(world.items.Get(sword)->Damage.Effects.Count(), 0);
    int hits = 0;
    for (const TAttack_Show& s : shown.attacks) {
        EXPECT_EQ(s.Target, t->Number);
        if (s.Hit) {
            ++hits;
            EXPECT_GE(s.Damage.Amount, 3); // 2-6 raised by half
            EXPECT_LE(s.Damage.Amount, 9);
            EXPECT_TRUE(s.Damage.Effects.Has_Effect(TEffect_Type::Cold_Damage));
        } else {
            EXPECT_EQ(s.Impact_Sound.rfind("miss_0", 0), 0u) << s.Impact_Sound;
        }
    }
    EXPECT_GT(hits, 175);
    EXPECT_LT(hits, 200);
    // Not adjacent: no melee.
    shown.attacks.clear();
    EXPECT_FALSE(Attack(*a, t, 23, 23, shown));
    EXPECT_TRUE(shown.attacks.empty());
    // "Attack Ignores Targets Defense" 100 against a huge defense still hits mostly.
    t->Defense_Ability = 60000;
    a->Attack_Ability = 50;
    give(*a, TEffect_Type::Attack_Ignores_Targets_Defense, 100);
    for (int i = 0; i < 50; ++i)
        Attack(*a, t, 21, 21, shown);
    hits = 0;
    for (const TAttack_Show& s : shown.attacks)
        hits += s.Hit;
    EXPECT_GT(hits, 40);
}

TEST(Ranged, Shots_Use_Ammunition_And_Respect_Range) {
    TFake_World world;
    TMonster* a = add_creature(world, 20, 20);
    a->Sound_Attack.clear();
    add_weapon(world, *a, 3, 3, 5, "arrow");
    EXPECT_TRUE(Has_Ranged_Attack(*a));
    TCallbacks_Recorder shown;
    // No arrows: the bow twangs and nothing else happens.
    EXPECT_FALSE(Attack(*a, nullptr, 24, 20, shown));
    EXPECT_TRUE(shown.attacks.empty());
    EXPECT_EQ(world.sounds, std::vector<std::string>{"swing.wav"});
    const uint16_t arrows = add_arrows(world, *a, 2);
    // Beyond the bow's range: nothing, and no arrow spent.
    EXPECT_FALSE(Attack(*a, nullptr, 26, 20, shown));
    EXPECT_EQ(world.items.Get(arrows)->Quantity, 2);
    // In range: a shot at the spot carrying the arrow's fire.
    ASSERT_TRUE(Attack(*a, nullptr, 25, 20, shown));
    ASSERT_EQ(shown.attacks.size(), 1u);
    EXPECT_TRUE(shown.attacks[0].Hit);
    EXPECT_EQ(shown.attacks[0].Target, 0);
    EXPECT_EQ(shown.attacks[0].Damage.Amount, 3);
    EXPECT_TRUE(shown.attacks[0].Damage.Effects.Has_Effect(TEffect_Type::Fire_Damage));
    EXPECT_EQ(world.items.Get(arrows)->Quantity, 1);
    EXPECT_EQ(world.sounds.back(), "bowshot.wav");
    // The last arrow: the hit still carries its fire, and the empty stack is gone.
    ASSERT_TRUE(Attack(*a, nullptr, 25, 20, shown));
    EXPECT_TRUE(shown.attacks[1].Damage.Effects.Has_Effect(TEffect_Type::Fire_Damage));
    EXPECT_EQ(world.items.Get(arrows), nullptr);
    EXPECT_EQ(a->Inventory.Items.Find(arrows), 0);
    EXPECT_FALSE(Attack(*a, nullptr, 25, 20, shown));
}

TEST(Take_Damage, Reductions_And_Resistances) {
    TFake_World world;
    TCallbacks_Recorder shown;
    // 20 against "Reduce Damage" 50 % and "Damage Reduction" 3 leaves 7.
    TMonster* t = add_creature(world, 20, 20);
    give(*t, TEffect_Type::Reduce_Damage, 50);
    give(*t, TEffect_Type::Damage_Reduction, 3);
    t->Recalculate();
    EXPECT_FALSE(Take_Damage(*t, 0, hit_of(20), shown, "", TEffect_List()));
    EXPECT_DOUBLE_EQ(t->Health, 93);
    // Physical 90 plus effect 40 of 20 is cut to 95: 100 does 5.
    TMonster* armoured = add_creature(world, 22, 20);
    give(*armoured, TEffect_Type::Physical_Resist, 90);
    armoured->Add_Permanent_Effect(
        static_cast<uint8_t>(TEffect_Type::Monster_Increase_Damage_Resistance), 20, 0);
    armoured->Recalculate();
    Take_Damage(*armoured, 0, hit_of(100), shown, "", TEffect_List());
    EXPECT_DOUBLE_EQ(armoured->Health, 95);
    // Fire 10-10 with "Damage All" 50 against fire resistance 50: Trunc(15 x 0.5) = 7.
    TMonster* warm = add_creature(world, 24, 20);
    give(*warm, TEffect_Type::Fire_Resist, 50);
    warm->Recalculate();
    TEffect_List fire;
    fire.Add_Effect(TEffect_Type::Fire_Damage, 10, 10);
    fire.Add_Effect(TEffect_Type::Damage_All, 50, 0);
    Take_Damage(*warm, 0, hit_of(0), shown, "", fire);
    EXPECT_DOUBLE_EQ(warm->Health, 93);
    // The same less "Damage Reduction" 3.
    give(*warm, TEffect_Type::Damage_Reduction, 3);
    Take_Damage(*warm, 0, hit_of(0), shown, "", fire);
    EXPECT_DOUBLE_EQ(warm->Health, 89);
    // Each element has its own resistance; dispel undead hurts only the undead.
    TEffect_List cold_and_dispel;
    cold_and_dispel.Add_Effect(TEffect_Type::Cold_Damage, 4, 4);
    cold_and_dispel.Add_Effect(TEffect_Type::Dispel_Undead, 30, 30);
    TMonster* living = add_creature(world, 26, 20);
    Take_Damage(*living, 0, hit_of(0), shown, "", cold_and_dispel);
    EXPECT_DOUBLE_EQ(living->Health, 96);
    TMonster* undead = add_creature(world, 28, 20);
    undead->Is_Undead = true;
    Take_Damage(*undead, 0, hit_of(0), shown, "", cold_and_dispel);
    EXPECT_DOUBLE_EQ(undead->Health, 66);
}

TEST(Take_Damage, Protected_Creatures_Are_Untouched) {
    TFake_World world;
    TCallbacks_Recorder shown;
    TMonster* keeper = add_creature(world, 20, 20);
    keeper->Does_Attack_Character = false;
    keeper->Store_Number = 1;
    TEffect_List nasty;
    nasty.Add_Effect(TEffect_Type::Fire_Damage, 50, 50);
    nasty.Add_Effect(TEffect_Type::Reduce_Target_Defense, 5, 0);
    EXPECT_FALSE(Take_Damage(*keeper, 0, hit_of(500), shown, "", nasty));
    EXPECT_DOUBLE_EQ(keeper->Health, 100);
    EXPECT_EQ(keeper->Permanent_Effects.Count(), 0);
    // A peaceful creature without event or store is not protected.
    TMonster* villager = add_creature(world, 22, 20);
    villager->Does_Attack_Character = false;
    Take_Damage(*villager, 0, hit_of(10), shown, "", TEffect_List());
    EXPECT_DOUBLE_EQ(villager->Health, 90);
}

TEST(Take_Damage, Death_Credit_Poison_And_Mana_Gain) {
    TFake_World world;
    TCallbacks_Recorder shown;
    TMonster* killer = add_creature(world, 20, 20, 100, 5);
    TMonster* victim = add_creature(world, 21, 20, 30, 5);
    victim->Event_ID = 9;
    const uint16_t victim_number = victim->Number;
    // A blow equal to the health kills; the killer gets the experience.
    EXPECT_TRUE(
        Take_Damage(*victim, killer->Number, hit_of(30), shown, "Creature", TEffect_List()));
    EXPECT_EQ(world.monsters.Get(victim_number), nullptr);
    EXPECT_EQ(world.events, std::vector<uint16_t>{9});
    EXPECT_GT(killer->Experience, 0);
    // Poison that gets through poisons; "Damage Generates Mana" turns damage into mana.
    TMonster* target = add_creature(world, 22, 20, 100, 1);
    target->Maximum_Mana = 100;
    give(*target, TEffect_Type::Damage_Generates_Mana, 50);
    TEffect_List poison;
    poison.Add_Effect(TEffect_Type::Poison_Damage, 3, 3);
    EXPECT_FALSE(Take_Damage(*target, killer->Number, hit_of(10), shown, "", poison));
    EXPECT_EQ(target->Condition, static_cast<uint8_t>(TMonster_Status::Poisoned));
    EXPECT_EQ(target->Condition_Source, killer->Number);
    EXPECT_DOUBLE_EQ(target->Health, 87);
    // Trunc(0.5 x 10 + 0.9) + Trunc(0.5 x 3 + 0.9) = 5 + 2.
    EXPECT_DOUBLE_EQ(target->Mana, 7);
}

TEST(On_Hit_Effects, Debuffs_Timed_Or_Permanent) {
    TFake_World world;
    TCallbacks_Recorder shown;
    TMonster* t = add_creature(world, 20, 20);
    TEffect_List debuffs;
    debuffs.Add_Effect(TEffect_Type::Reduce_Target_Defense, 5, 0);
    debuffs.Add_Effect(TEffect_Type::Reduce_Target_Resist_All, 6, 0);
    debuffs.Add_Effect(TEffect_Type::Reduce_Target_Attack_Ability, 7, 0);
    debuffs.Add_Effect(TEffect_Type::Reduce_Target_Damage, 8, 0);
    debuffs.Add_Effect(TEffect_Type::Reduce_Target_Movement, 9, 0);
    Take_Damage(*t, 0, hit_of(1), shown, "", debuffs);
    EXPECT_EQ(t->Get_Effect_Total(TEffect_Type::Reduce_Defense_Ability), 5);
    EXPECT_EQ(t->Get_Effect_Total(TEffect_Type::Reduce_Resist_All), 6);
    EXPECT_EQ(t->Get_Effect_Total(TEffect_Type::Reduce_Attack_Ability), 7);
    EXPECT_EQ(t->Get_Effect_Total(TEffect_Type::Reduce_Damage), 8);
    EXPECT_EQ(t->Get_Effect_Total(TEffect_Type::Reduce_Movement), 9);
    EXPECT_EQ(t->Permanent_Effects.Count(), 5);
    // A hit with a duration gives them for that long.
    Take_Damage(*t, 0, hit_of(1, 4), shown, "", debuffs);
    EXPECT_EQ(t->Timed_Effects.Count(), 5);
    EXPECT_EQ(t->Timed_Effect_Times.front(), 4000);
}

TEST(On_Hit_Effects, Change_Allegiance) {
    TFake_World world;
    TCallbacks_Recorder shown;
    TMonster* charmer = add_creature(world, 20, 20, 100, 3);
    TEffect_List charm;
    charm.Add_Effect(TEffect_Type::Change_Allegiance, 100, 0);
    TMonster* t = add_creature(world, 21, 20, 100, 3);
    t->Movement_Strategy = static_cast<uint8_t>(TMovement_Strategy::Hunt);
    Take_Damage(*t, charmer->Number, hit_of(1, 30), shown, "", charm);
    EXPECT_EQ(t->Condition, Condition_Charmed);
    EXPECT_EQ(t->Leader, charmer->Number);
    EXPECT_EQ(t->Guard_Distance, 4);
    EXPECT_EQ(t->Condition_Time, 30000);
    EXPECT_EQ(t->Movement_Strategy, static_cast<uint8_t>(TMovement_Strategy::Guard_Monster));
    // Uniques, the undead, characters and much stronger targets resist.
    TMonster* unique = add_creature(world, 22, 20, 100, 3);
    unique->Is_Unique = true;
    TMonster* undead = add_creature(world, 23, 20, 100, 3);
    undead->Is_Undead = true;
    TMonster* strong = add_creature(world, 24, 20, 100, 13); // 100 - 10 x 10 = 0
    TMonster* hero = add_creature(world, 25, 20, 100, 3);
    hero->Class_Number = 1;
    for (TMonster* m : {unique, undead, strong, hero}) {
        Take_Damage(*m, charmer->Number, hit_of(0, 30), shown, "", charm);
        EXPECT_EQ(m->Leader, 0) << m->Number;
    }
    // Without an attacker nobody is charmed.
    TMonster* lone = add_creature(world, 26, 20, 100, 3);
    Take_Damage(*lone, 0, hit_of(1, 30), shown, "", charm);
    EXPECT_EQ(lone->Leader, 0);
}

TEST(Hit_Arrives, Attacker_Effects_And_A_Vanished_Target) {
    TFake_World world;
    TCallbacks_Recorder shown;
    TMonster* a = add_creature(world, 20, 20, 100, 5);
    TMonster* t = add_creature(world, 21, 20, 100, 5);
    a->Health = 50;
    t->Maximum_Mana = 100;
    t->Mana = 40;
    a->Maximum_Mana = 100;
    give(*a, TEffect_Type::Life_Stolen, 10);
    give(*a, TEffect_Type::Mana_Stolen, 50);
    give(*a, TEffect_Type::Make_Monsters_Flee, 100);
    const TCreature_Ref target(*t);
    Hit_Arrives(TCreature_Ref(*a), target, hit_of(20), "", shown);
    EXPECT_DOUBLE_EQ(a->Health, 60); // 10 % of the target's 100
    EXPECT_DOUBLE_EQ(a->Mana, 20);   // half the target's 40, which it keeps
    EXPECT_DOUBLE_EQ(t->Mana, 40);
    EXPECT_DOUBLE_EQ(t->Health, 80);
    EXPECT_EQ(t->Condition, static_cast<uint8_t>(TMonster_Status::Panic));
    EXPECT_EQ(t->Condition_Source, a->Number);
    // A target that is gone: nothing at all, not even to the creature that took its
    // number since.
    world.monsters.Delete_Creature(t->Number);
    TMonster* newcomer = add_creature(world, 21, 20, 100, 5);
    ASSERT_EQ(newcomer->Number, target.Number);
    EXPECT_EQ(target.Resolve(world.monsters), nullptr);
    Hit_Arrives(TCreature_Ref(*a), target, hit_of(20), "", shown);
    EXPECT_DOUBLE_EQ(a->Health, 60);
    EXPECT_DOUBLE_EQ(newcomer->Health, 100);
    // Nor is a hit from the vanished attacker taken for the newcomer's.
    newcomer->Health = 50;
    give(*newcomer, TEffect_Type::Life_Stolen, 50);
    Hit_Arrives(target, TCreature_Ref(*a), hit_of(20), "", shown);
    EXPECT_DOUBLE_EQ(a->Health, 40);
    EXPECT_DOUBLE_EQ(newcomer->Health, 50);
}

TEST(Hit_Arrives, An_Attacker_Killed_By_Thorns_Is_Not_Used_Again) {
    TFake_World world;
    TCallbacks_Recorder shown;
    TMonster* player = add_creature(world, 20, 20, 10, 1);
    player->Name = "Hero";
    player->Class_Number = 1;
    give(*player, TEffect_Type::Life_Stolen, 50);
    world.player_number = player->Number;
    const uint16_t player_number = player->Number;
    TMonster* thorny = add_creature(world, 21, 20, 100, 1);
    thorny->Name = "Bramble";
    give(*thorny, TEffect_Type::Attacker_Takes_Damage, 50);
    Hit_Arrives(TCreature_Ref(*player), TCreature_Ref(*thorny), hit_of(30), "Hero", shown);
    EXPECT_EQ(world.monsters.Get(player_number), nullptr);
    ASSERT_EQ(world.deaths.size(), 1u);
    EXPECT_EQ(world.deaths[0].Cause, "Bramble");
    // The hit lands with no attacker: nothing stolen, nothing credited twice.
    EXPECT_DOUBLE_EQ(thorny->Health, 70);
}

TEST(Impact_Sound, Physical_Sizes_Then_Elements) {
    TDamage d;
    d.Amount = 35;
    const std::string heavy = Choose_Impact_Sound(d, TEffect_List());
    EXPECT_EQ(heavy.substr(heavy.size() - 7), "min.wav") << heavy;
    d.Amount = 15;
    const std::string medium = Choose_Impact_Sound(d, TEffect_List());
    EXPECT_EQ(medium.substr(medium.size() - 7), "med.wav") << medium;
    d.Amount = 5;
    const std::string light = Choose_Impact_Sound(d, TEffect_List());
    EXPECT_EQ(light.substr(light.size() - 7), "maj.wav") << light;
    TEffect_List elements;
    elements.Add_Effect(TEffect_Type::Fire_Damage, 30, 30);
    elements.Add_Effect(TEffect_Type::Poison_Damage, 12, 12);
    EXPECT_EQ(Choose_Impact_Sound(d, elements), "pois_med.wav");
    d.Amount = 0;
    EXPECT_EQ(Choose_Impact_Sound(d, TEffect_List()), "");
    TEffect_List fire;
    fire.Add_Effect(TEffect_Type::Fire_Damage, 40, 40);
    EXPECT_EQ(Choose_Impact_Sound(d, fire), "fire_maj.wav");
}
