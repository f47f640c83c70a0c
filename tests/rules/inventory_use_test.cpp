// Using what a creature carries: eating and drinking with their caps, every
// consumption type on a real character, and fighting with a weapon in each hand.

#include <gtest/gtest.h>

#include "creature_support.h"
#include "rules/combat.h"
#include "rules/inventory.h"
#include "shell/random.h"

namespace {

// Health 20 + 1.5 per constitution, mana 4 + 0.5 per intelligence, hunger 50 + 1 per
// constitution: at 10 in each, 35 health, 9 mana and 60 hunger.
TClass_Info walker_class() {
    TClass_Info c;
    c.Class_Name = "Walker";
    c.Base_Maximum_Health = 20;
    c.Health_Per_Constitution = 1.5;
    c.Base_Maximum_Mana = 4;
    c.Mana_Per_Intelligence = 0.5;
    c.Base_Maximum_Hunger = 50;
    c.Hunger_Per_Constitution = 1;
    c.Base_Maximum_Weight = 100;
    c.Base_Movement_Speed = 250;
    return c;
}

TMonster* add_character(TFake_World& world) {
    Class_Infos.Add(walker_class());
    TMonster hero;
    hero.Name = "Hero";
    hero.X = hero.Y = 20;
    hero.Level = 1;
    hero.Base_Strength = hero.Base_Dexterity = 10;
    hero.Base_Intelligence = hero.Base_Constitution = 10;
    hero.Set_Class(1);
    hero.Recalculate();
    hero.Fill_Health();
    hero.Fill_Mana();
    hero.Fill_Hunger();
    world.player_number = world.monsters.Add(hero);
    return world.Player();
}

// A usable item in the creature's backpack; returns its number.
uint16_t carry(TFake_World& world, TMonster& holder, const std::string& name, TItem_Type type,
               TConsumption_Type use, uint16_t value, uint16_t quantity = 0) {
    TItem item;
    item.Name = name;
    item.Item_Type = static_cast<uint8_t>(type);
    item.Consumption_Type = static_cast<uint8_t>(use);
    item.Consumption_Value = value;
    item.Quantity = quantity;
    item.Maximum_Stacked = quantity > 0 ? 10 : 0;
    const uint16_t number = world.items.Add(item);
    EXPECT_TRUE(holder.Add_To_Backpack(number));
    return number;
}

} // namespace

TEST(Eating_And_Drinking, Food_Fills_Hunger_Up_To_The_Maximum_One_At_A_Time) {
    TFake_World world;
    TMonster* hero = add_character(world);
    ASSERT_EQ(hero->Maximum_Hunger, 60);
    const uint16_t bread =
        carry(world, *hero, "Bread", TItem_Type::Food, TConsumption_Type::Food, 30, 2);
    hero->Hunger = 40;
    hero->Eat(bread);
    EXPECT_EQ(hero->Hunger, 60); // not 70
    ASSERT_NE(world.items.Get(bread), nullptr);
    EXPECT_EQ(world.items.Get(bread)->Quantity, 1);
    EXPECT_NE(hero->Inventory.Items.Find(bread), 0);
    // The last one leaves the item list and the backpack.
    hero->Hunger = 10;
    hero->Eat(bread);
    EXPECT_EQ(hero->Hunger, 40);
    EXPECT_EQ(world.items.Get(bread), nullptr);
    EXPECT_EQ(hero->Inventory.Count(), 0);
    // Nothing left to eat: nothing happens.
    hero->Eat(bread);
    EXPECT_EQ(hero->Hunger, 40);
    // The cap holds without a recalculation after it, as for food a spell gives.
    hero->Feed(500);
    EXPECT_EQ(hero->Hunger, 60);
}

TEST(Eating_And_Drinking, Potions_Heal_And_Restore_Mana_Up_To_Their_Maxima) {
    TFake_World world;
    TMonster* hero = add_character(world);
    ASSERT_EQ(hero->Maximum_Health, 35);
    ASSERT_EQ(hero->Maximum_Mana, 9);
    const uint16_t healing =
        carry(world, *hero, "Healing", TItem_Type::Potion, TConsumption_Type::Health, 50, 3);
    const uint16_t clarity =
        carry(world, *hero, "Clarity", TItem_Type::Potion, TConsumption_Type::Mana, 3, 3);
    hero->Health = 10;
    hero->Drink(healing);
    EXPECT_DOUBLE_EQ(hero->Health, 35); // not 60
    hero->Mana = 2;
    hero->Drink(clarity);
    EXPECT_DOUBLE_EQ(hero->Mana, 5);
    hero->Drink(clarity);
    hero->Drink(clarity);
    EXPECT_DOUBLE_EQ(hero->Mana, 9); // not 11
    EXPECT_EQ(world.items.Get(clarity), nullptr);

    // The quick commands find a potion of their kind, and only of their kind.
    hero->Health = 1;
    EXPECT_TRUE(hero->Drink_Health_Potion());
    EXPECT_DOUBLE_EQ(hero->Health, 35);
    EXPECT_EQ(world.items.Get(healing)->Quantity, 1);
    hero->Mana = 0;
    EXPECT_FALSE(hero->Drink_Mana_Potion());
    EXPECT_DOUBLE_EQ(hero->Mana, 0);
    // The caps hold without a recalculation after them, as for regeneration and for
    // stolen life and mana.
    hero->Heal(500);
    EXPECT_DOUBLE_EQ(hero->Health, 35);
    hero->Add_Mana(500.0);
    EXPECT_DOUBLE_EQ(hero->Mana, 9);
}

namespace {

// What one use of each consumption type must change on a character of the class above.
struct TConsumption_Case {
    TConsumption_Type Type;
    uint16_t Value;
    void (*Check)(const TMonster& hero);
};

void check_unchanged(const TMonster& hero) {
    EXPECT_EQ(hero.Maximum_Health, 35);
    EXPECT_EQ(hero.Maximum_Mana, 9);
    EXPECT_EQ(hero.Strength, 10);
    EXPECT_EQ(hero.Timed_Effects.Count(), 0);
    EXPECT_EQ(hero.Permanent_Effects.Count(), 0);
    EXPECT_EQ(hero.Condition, static_cast<uint8_t>(TMonster_Status::Poisoned));
}

const TConsumption_Case consumption_cases[] = {
    {TConsumption_Type::None, 5, check_unchanged},
    {TConsumption_Type::Cure_Poison, 0, [](const TMonster& hero) { EXPECT_EQ(hero.Condition, 0); }},
    // A timed effect without a duration does nothing.
    {TConsumption_Type::Timed_Effect, 0, check_unchanged},
    {TConsumption_Type::Timed_Effect, 30,
     [](const TMonster& hero) {
         EXPECT_EQ(hero.Strength, 13);
         ASSERT_EQ(hero.Timed_Effect_Times.size(), 1u);
         EXPECT_EQ(hero.Timed_Effect_Times[0], 30000);
         EXPECT_EQ(hero.Permanent_Effects.Count(), 0);
     }},
    {TConsumption_Type::Permanent_Effect, 30,
     [](const TMonster& hero) {
         EXPECT_EQ(hero.Strength, 13);
         EXPECT_EQ(hero.Permanent_Effects.Count(), 1);
         EXPECT_EQ(hero.Timed_Effects.Count(), 0);
     }},
    {TConsumption_Type::Permanent_Health, 7,
     [](const TMonster& hero) {
         EXPECT_EQ(hero.Permanent_Health_Bonus, 7);
         EXPECT_EQ(hero.Maximum_Health, 42);
     }},
    {TConsumption_Type::Permanent_Mana, 4,
     [](const TMonster& hero) {
         EXPECT_EQ(hero.Permanent_Mana_Bonus, 4);
         EXPECT_EQ(hero.Maximum_Mana, 13);
     }},
    {TConsumption_Type::Permanent_Strength, 2,
     [](const TMonster& hero) {
         EXPECT_EQ(hero.Base_Strength, 12);
         EXPECT_EQ(hero.Strength, 12);
     }},
    {TConsumption_Type::Permanent_Intelligence, 2,
     [](const TMonster& hero) {
         EXPECT_EQ(hero.Intelligence, 12);
         EXPECT_EQ(hero.Maximum_Mana, 10);
     }},
    {TConsumption_Type::Permanent_Dexterity, 2,
     [](const TMonster& hero) {
         EXPECT_EQ(hero.Base_Dexterity, 12);
         EXPECT_EQ(hero.Dexterity, 12);
         EXPECT_EQ(hero.Intelligence, 10);
     }},
    {TConsumption_Type::Permanent_Constitution, 2,
     [](const TMonster& hero) {
         EXPECT_EQ(hero.Constitution, 12);
         EXPECT_EQ(hero.Maximum_Health, 38);
         EXPECT_EQ(hero.Maximum_Hunger, 62);
     }},
};

} // namespace

TEST(Consumption_Types, Each_Type_Changes_What_It_Names_And_Nothing_Else) {
    for (const TConsumption_Case& c : consumption_cases) {
        SCOPED_TRACE(std::string(Enum_Name(c.Type)) + " " + std::to_string(c.Value));
        TFake_World world;
        TMonster* hero = add_character(world);
        Set_Random_Seed(1);
        hero->Set_Poisoned(0, 0);
        ASSERT_EQ(hero->Condition, static_cast<uint8_t>(TMonster_Status::Poisoned));
        const uint16_t number =
            carry(world, *hero, "Elixir", TItem_Type::Potion, c.Type, c.Value, 2);
        world.items.Get(number)->Effects.Add_Effect(TEffect_Type::Strength, 3, 3);
        hero->Drink(number);
        c.Check(*hero);
        // One of the two was used.
        ASSERT_NE(world.items.Get(number), nullptr);
        EXPECT_EQ(world.items.Get(number)->Quantity, 1);
    }
}

namespace {

// A one-handed weapon of min to max in the hand slot.
uint16_t wield(TFake_World& world, TMonster& holder, const std::string& name, int32_t min,
               int32_t max, int32_t slot, const std::string& sound) {
    TItem weapon;
    weapon.Name = name;
    weapon.Item_Type = static_cast<uint8_t>(TItem_Type::Weapon);
    weapon.Weapon_Type = name;
    weapon.Use_Sound_File = sound;
    weapon.Damage.Set_Damage(min, max, 0, 1);
    const uint16_t number = world.items.Add(weapon);
    EXPECT_TRUE(holder.Put_In_Slot(number, slot));
    return number;
}

TMonster* add_fighter(TFake_World& world) {
    TMonster m;
    m.Name = "Fighter";
    m.X = m.Y = 10;
    m.Level = 1;
    m.Maximum_Health = 20;
    m.Health = 20;
    return world.monsters.Get(world.monsters.Add(m));
}

} // namespace

TEST(Two_Weapons, The_Effect_Counts_From_Any_Source_Where_It_Is_Worn) {
    TFake_World world;
    TMonster* fighter = add_fighter(world);
    EXPECT_FALSE(fighter->Has_Two_Weapons());
    TItem gloves;
    gloves.Name = "Gloves of the Twin Blade";
    gloves.Item_Type = static_cast<uint8_t>(TItem_Type::Gloves);
    gloves.Effects.Add_Effect(TEffect_Type::Two_Weapons, 1, 1);
    const uint16_t number = world.items.Add(gloves);
    // Carried in the backpack the gloves give nothing; worn they do.
    ASSERT_TRUE(fighter->Add_To_Backpack(number));
    EXPECT_FALSE(fighter->Has_Two_Weapons());
    ASSERT_NE(fighter->Take_From_Slot(fighter->Inventory.Get_Slot(1)), 0);
    ASSERT_TRUE(fighter->Put_In_Slot(number, 10));
    EXPECT_TRUE(fighter->Has_Two_Weapons());
    fighter->Take_From_Slot(10);
    EXPECT_FALSE(fighter->Has_Two_Weapons());
    fighter->Add_Timed_Effect(static_cast<uint8_t>(TEffect_Type::Two_Weapons), 1, 1, 10);
    EXPECT_TRUE(fighter->Has_Two_Weapons());
    fighter->Timed_Effects.Clear();
    fighter->Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Two_Weapons), 1, 1);
    EXPECT_TRUE(fighter->Has_Two_Weapons());
}

TEST(Two_Weapons, Both_Hands_Strike_Only_With_The_Effect) {
    TFake_World world;
    TMonster* fighter = add_fighter(world);
    wield(world, *fighter, "Sword", 2, 6, 6, "swing.wav");
    const uint16_t dagger = wield(world, *fighter, "Dagger", 1, 3, 7, "stab.wav");
    world.items.Get(dagger)->Effects.Add_Effect(TEffect_Type::Fire_Damage, 2, 2);
    // One weapon's worth without the effect: the sword alone.
    TAttack_Damage attack;
    ASSERT_TRUE(Get_Attack_Damage(*fighter, attack));
    EXPECT_EQ(attack.Damage.Min, 2);
    EXPECT_EQ(attack.Damage.Max, 6);
    EXPECT_EQ(attack.Sound, "swing.wav");
    EXPECT_FALSE(attack.Effects.Has_Effect(TEffect_Type::Fire_Damage));
    // With it both hands add up, and the second hand's sound and effects are used.
    fighter->Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Two_Weapons), 1, 1);
    ASSERT_TRUE(Get_Attack_Damage(*fighter, attack));
    EXPECT_EQ(attack.Damage.Min, 3);
    EXPECT_EQ(attack.Damage.Max, 9);
    EXPECT_EQ(attack.Sound, "stab.wav");
    EXPECT_TRUE(attack.Effects.Has_Effect(TEffect_Type::Fire_Damage));
    // A weapon in the second hand alone strikes without the effect.
    fighter->Permanent_Effects.Clear();
    fighter->Take_From_Slot(6);
    ASSERT_TRUE(Get_Attack_Damage(*fighter, attack));
    EXPECT_EQ(attack.Damage.Min, 1);
    EXPECT_EQ(attack.Damage.Max, 3);
    EXPECT_EQ(attack.Sound, "stab.wav");
}

TEST(Two_Weapons, A_Second_Weapon_Goes_Into_The_Free_Hand_Only_With_The_Effect) {
    TItem_List items;
    TInventory inventory;
    THeld_Item held;
    TMonster character; // meets every requirement: the weapons have none
    const auto weapon = [&](const std::string& name, uint8_t hands) {
        TItem item;
        item.Name = name;
        item.Item_Type = static_cast<uint8_t>(TItem_Type::Weapon);
        item.Hands_Required = hands;
        return items.Add(item);
    };
    const uint16_t sword = weapon("Sword", 1), axe = weapon("Axe", 1), maul = weapon("Maul", 2);
    ASSERT_TRUE(inventory.Put_In_Slot(sword, 6, items));
    // Dropped on the free hand: refused and still held without the effect.
    held.Hold(axe);
    EXPECT_FALSE(Drop_Held_On_Slot(held, inventory, 7, items, &character, false));
    EXPECT_EQ(held.Peek_Held(), axe);
    EXPECT_EQ(inventory.Get_Number_In_Slot(7, items), 0);
    EXPECT_TRUE(Drop_Held_On_Slot(held, inventory, 7, items, &character, true));
    EXPECT_FALSE(held.Is_Holding());
    EXPECT_EQ(inventory.Get_Number_In_Slot(7, items), axe);
    // The effect never lets a two-handed weapon share the hands.
    inventory.Take_From_Slot(7, items);
    EXPECT_FALSE(inventory.Can_Place_In_Slot(maul, 7, items, &character, true));
    inventory.Take_From_Slot(6, items);
    ASSERT_TRUE(inventory.Put_In_Slot(maul, 6, items));
    EXPECT_FALSE(inventory.Can_Place_In_Slot(axe, 7, items, &character, true));
}
