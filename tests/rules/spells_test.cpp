#include <gtest/gtest.h>

#include "creature_support.h"
#include "rules_support.h"
#include "shell/value_stream.h"
#include "support/temp_dir.h"

namespace {

TSpell spell_named(const std::string& name, uint8_t target_type = 2) {
    TSpell spell;
    spell.Name = name;
    spell.Target_Type = target_type;
    spell.Maximum_Levels_From_Start = 5;
    return spell;
}

// A passive spell adding 4 attack ability, +2 per level, perhaps only with a weapon type.
TSpell mastery(const std::string& weapon_type) {
    TSpell spell = spell_named("Mastery", 5);
    spell.Weapon_Type = weapon_type;
    spell.Effects.Add_Effect(TEffect_Type::Attack_Ability, 4, 0);
    spell.Effects.Add_Effect(TEffect_Type::Damage, 5, 0);
    spell.Growth_Types = {1, 1};
    spell.Min_Growth = {2, 3};
    spell.Max_Growth = {0, 0};
    return spell;
}

} // namespace

TEST(Spell_Growth, Costs_Durations_And_Counts_Follow_The_Level) {
    TSpell spell = spell_named("Bolt");
    spell.Mana_Cost = 5;
    spell.Mana_Cost_Per_Level = 2;
    spell.Maximum_Mana_Cost = 10;
    EXPECT_EQ(spell.Get_Mana_Cost(1), 5);
    EXPECT_EQ(spell.Get_Mana_Cost(3), 9);
    EXPECT_EQ(spell.Get_Mana_Cost(4), 10);
    EXPECT_EQ(spell.Get_Mana_Cost(6), 10);
    spell.Duration = 10;
    spell.Duration_Per_Level = 2.5;
    EXPECT_EQ(spell.Get_Duration(2), 12);
    spell.Summon_Base_Count = 1;
    spell.Summon_Count_Per_Level = 0.5;
    EXPECT_EQ(spell.Get_Summon_Count(3), 2);
    EXPECT_EQ(spell.Get_Summon_Count(4), 2);
    spell.Summon_Maximum_Count = 3;
    EXPECT_EQ(spell.Get_Summon_Count(2), 1);
    EXPECT_EQ(spell.Get_Summon_Count(9), 3);
}

TEST(Spell_Growth, Effect_Amounts_Grow_By_Number_Or_Percent) {
    TSpell spell = spell_named("Bolt");
    spell.Effects.Add_Effect(TEffect_Type::Fire_Damage, 2, 4);
    spell.Effects.Add_Effect(TEffect_Type::Strength, 10, 20);
    spell.Growth_Types = {1, 2};
    spell.Min_Growth = {1, 50};
    spell.Max_Growth = {2, 10};
    EXPECT_EQ(spell.Get_Effect_Amounts(1, 1), std::make_pair(3, 6));
    EXPECT_EQ(spell.Get_Effect_Amounts(1, 3), std::make_pair(5, 10));
    // Percent growth uses the level itself: level 1 already grows.
    EXPECT_EQ(spell.Get_Effect_Amounts(2, 1), std::make_pair(15, 22));
    EXPECT_EQ(spell.Get_Effect_Amounts(2, 2), std::make_pair(20, 24));
    EXPECT_EQ(spell.Get_Effect_Amounts(3, 2), std::make_pair(0, 0));
    EXPECT_EQ(spell.Get_Passive_Amount(static_cast<uint8_t>(TEffect_Type::Fire_Damage), 3), 5);
    TEffect_List at_level;
    spell.Add_Effects_At_Level(at_level, 3);
    EXPECT_EQ(at_level.Get_Max(1), 10);
    EXPECT_EQ(at_level.Get_Min(2), 25);
}

TEST(Master_Spells_File, Growth_Stays_With_Its_Effect) {
    TTemp_Dir dir;
    // "Flame" has an unknown effect type and growth kind; " Frost " has no effects.
    const std::string path =
        dir.Write("Spells.txt",
                  Data_File_Text({Fixture_Record("master_spells.txt"),
                                  Fixture_Record("master_spells.txt",
                                                 {"Name :=  Frost ", "Number of Effects := 0"})}));
    TMaster_Spell_List table;
    const TData_File_Report report = Load_Master_Spells(path, table);
    EXPECT_EQ(report.Heading, "Master Spell Data File Errors: ");
    // The unknown effect type and the unknown growth kind.
    EXPECT_EQ(report.Errors.size(), 2u);
    ASSERT_EQ(table.Count(), 2);
    const TSpell* flame = table.Get(1);
    EXPECT_EQ(flame->Target_Type, 3);
    EXPECT_DOUBLE_EQ(flame->Mana_Cost_Per_Level, 2.5);
    EXPECT_EQ(flame->Damage.Maximum_Range, 6);
    ASSERT_EQ(flame->Effects.Count(), 2);
    EXPECT_EQ(flame->Get_Effect_Amounts(1, 1), std::make_pair(9, 9));
    EXPECT_EQ(flame->Get_Effect_Amounts(2, 1), std::make_pair(3, 3));
    EXPECT_EQ(table.Find_Named("frost"), 2);
    EXPECT_EQ(table.Find_Named("Ice"), 0);
    EXPECT_EQ(table.Get(3), nullptr);
}

TEST(Passive_Spells, Count_In_Totals_Only_With_Their_Weapon) {
    TFake_World world;
    Master_Spells.Add(mastery("Sword"));
    TMonster hero;
    hero.Spells.Learn(1, 1, 0);
    const uint16_t axe = world.Add_Item("Axe", TItem_Type::Weapon);
    world.items.Get(axe)->Weapon_Type = "Axe";
    ASSERT_TRUE(hero.Put_In_Slot(axe, 6));
    EXPECT_EQ(hero.Get_Effect_Total(TEffect_Type::Attack_Ability), 0);
    EXPECT_EQ(hero.Get_Weapon_Effect_Total(TEffect_Type::Attack_Ability, " sword "), 6);
    // Nor does it lend its effects to the axe's hits.
    TEffect_List with_axe;
    hero.Collect_Effects(with_axe);
    EXPECT_EQ(with_axe.Count(), 0);
    const uint16_t sword = world.Add_Item("Sword", TItem_Type::Weapon);
    world.items.Get(sword)->Weapon_Type = " sword";
    ASSERT_TRUE(hero.Put_In_Slot(sword, 7));
    EXPECT_EQ(hero.Get_Effect_Total(TEffect_Type::Attack_Ability), 6);
    TEffect_List with_sword;
    hero.Collect_Effects(with_sword);
    EXPECT_EQ(with_sword.Get_Total(TEffect_Type::Attack_Ability), 6);
    // Spells never add weapon damage.
    EXPECT_EQ(hero.Get_Effect_Total(TEffect_Type::Damage), 0);
}

TEST(Passive_Spells, Skill_Levels_Raise_Effective_Levels) {
    TFake_World world;
    TSpell skill = mastery("");
    skill.Effects.Add_Effect(TEffect_Type::Skill_Levels, 1, 0);
    skill.Growth_Types.push_back(1);
    skill.Min_Growth.push_back(0);
    skill.Max_Growth.push_back(0);
    Master_Spells.Add(skill);
    Master_Spells.Add(spell_named("Bolt"));
    TMonster hero;
    hero.Spells.Learn(1, 1, 0);
    hero.Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Skill_Levels), 2, 2);
    // Skill levels: 2 permanent + 1 from the passive spell at its learnt level.
    EXPECT_EQ(hero.Spells.Get_Level(1), 4);
    EXPECT_EQ(hero.Spells.Get_Learnt_Level(1), 1);
    EXPECT_EQ(hero.Get_Effect_Total(TEffect_Type::Attack_Ability), 4 + 2 * 4);
    // A spell not learnt gains nothing.
    EXPECT_EQ(hero.Spells.Get_Level(2), 0);
    EXPECT_EQ(hero.Spells.Get_Level_By_Name("mastery"), 4);
}

TEST(Quick_Slots, Fill_With_Scrolls_First_Then_Spells) {
    TFake_World world;
    Master_Spells.Add(mastery(""));
    Master_Spells.Add(spell_named("Bolt"));
    Master_Spells.Add(spell_named("Heal", 3));
    TMonster hero;
    hero.Spells.Learn(1, 1, 0);
    hero.Spells.Learn(2, 1, 0);
    hero.Spells.Learn(3, 1, 0);
    const uint16_t scroll = world.Add_Item("Scroll", TItem_Type::Scroll);
    ASSERT_TRUE(hero.Inventory.Put_In_Slot(scroll, 14, world.items));
    hero.Spells.Set_Quick_Slot(1, 1, 3);
    hero.Spells.Refresh_Quick_Slots(true, true, hero.Inventory, world.items);
    EXPECT_EQ(hero.Spells.Get_Quick_Slot(1).Value, 3);
    EXPECT_EQ(hero.Spells.Get_Quick_Slot(2).Kind, 2);
    EXPECT_EQ(hero.Spells.Get_Quick_Slot(2).Value, 14);
    EXPECT_EQ(hero.Spells.Get_Quick_Slot(3).Kind, 1);
    EXPECT_EQ(hero.Spells.Get_Quick_Slot(3).Value, 2);
    EXPECT_EQ(hero.Spells.Get_Quick_Slot(4).Kind, 0);

    hero.Spells.Set_Selected_Slot(2);
    hero.Inventory.Take_From_Slot(14, world.items);
    hero.Spells.Drop_Missing_Scrolls(hero.Inventory, world.items);
    EXPECT_EQ(hero.Spells.Get_Quick_Slot(2).Kind, 0);
    EXPECT_EQ(hero.Spells.Get_Selected_Slot(), 0);
}

TEST(Learning, Class_Level_Maximum_And_Required_Spell) {
    TFake_World world;
    Master_Spells.Add(spell_named("Spark"));
    TSpell fire = spell_named("Fire");
    fire.Required_Spell_Name = "Spark";
    fire.Required_Spell_Level = 2;
    Master_Spells.Add(fire);
    TClass_Info mage;
    mage.Spells = {{"Spark", 1, 1, 1}, {"Fire", 1, 5, 0}};
    Class_Infos.Add(mage);
    TMonster hero;
    hero.Level = 4;
    hero.Set_Class(1);
    Learn_Starting_Spells(hero);
    EXPECT_EQ(hero.Spells.Get_Learnt_Level(1), 1);
    EXPECT_EQ(hero.Spells.Count(), 1);
    EXPECT_TRUE(Can_Learn(hero, *Master_Spells.Get(1)));
    EXPECT_FALSE(Can_Learn(hero, *Master_Spells.Get(2)));
    hero.Level = 5;
    EXPECT_FALSE(Can_Learn(hero, *Master_Spells.Get(2)));
    hero.Spells.Learn(1, 2, 0);
    EXPECT_TRUE(Can_Learn(hero, *Master_Spells.Get(2)));
    hero.Spells.Learn(1, 5, 0);
    EXPECT_FALSE(Can_Learn(hero, *Master_Spells.Get(1)));
}

TEST(Spell_List_Records, Monster_Levels_And_Damaged_Values) {
    TFake_World world;
    Master_Spells.Add(mastery(""));
    TSpells_List list;
    list.Learn(1, 1, 30);
    list.Learn(500, 1, 20);
    list.Set_Levels_For_Monster(7, 0.5);
    EXPECT_EQ(list.Get_Learnt_Level(1), 4);
    list.Set_Levels_For_Monster(0, 0.5);
    EXPECT_EQ(list.Get_Learnt_Level(1), 1);
    list.Set_Levels_For_Monster(10, -1);
    EXPECT_EQ(list.Get_Learnt_Level(500), 1);

    // A spell number, selection and slot kind from a damaged or foreign file.
    TValue_Writer writer;
    writer.Write_Word_List({1, 500});
    writer.Write_Word_List({3, 9});
    writer.Write_Word_List({30, 20});
    writer.Write_Byte(40);
    for (int k = 1; k <= 10; ++k) {
        writer.Write_Byte(k == 4 ? 9 : 0);
        writer.Write_Word(k == 4 ? 1 : 0);
    }
    TValue_Reader reader(writer.Bytes());
    list.Load(reader);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get_Chance(2), 20);
    EXPECT_EQ(list.Get_Selected_Slot(), 0);
    EXPECT_EQ(list.Get_Quick_Slot(4).Kind, 0);
    // Spell 500 names nothing and adds nothing; spell 1 at level 3 adds 4 + 2 × 3.
    EXPECT_EQ(list.Get_Passive_Total(static_cast<uint8_t>(TEffect_Type::Attack_Ability)), 10);
    TValue_Writer again;
    list.Save(again);
    EXPECT_EQ(again.Bytes(), writer.Bytes());

    TValue_Writer uneven;
    uneven.Write_Word_List({1, 2});
    uneven.Write_Word_List({1});
    uneven.Write_Word_List({1, 2});
    TValue_Reader bad(uneven.Bytes());
    EXPECT_THROW(list.Load(bad), TStream_Error);
}

TEST(Learning, A_New_Character_Starts_From_Its_Class) {
    TFake_World world;
    Master_Spells.Add(spell_named("Spark"));
    TClass_Info mage;
    mage.Class_Name = "Mage";
    mage.Base_Intelligence = 20;
    mage.Base_Constitution = 8;
    mage.Base_Maximum_Health = 10;
    mage.Health_Per_Constitution = 1;
    mage.Mana_Per_Intelligence = 1;
    mage.Base_Maximum_Hunger = 40;
    mage.Starting_Gold = 75;
    mage.Base_Magic_Resistance = 15;
    mage.Spells = {{"Spark", 1, 1, 2}, {"Nothing", 1, 1, 3}};
    Class_Infos.Add(mage);
    const TMonster hero = Make_Character(1, "Ann", "mage1.bmp");
    EXPECT_EQ(hero.Class_Name, "Mage");
    EXPECT_EQ(hero.Level, 1);
    EXPECT_EQ(hero.Gold, 75);
    EXPECT_EQ(hero.Attack_Picture_Filename, "mage1.bmp");
    EXPECT_EQ(hero.Magic_Resist, 15);
    EXPECT_DOUBLE_EQ(hero.Health, 18);
    EXPECT_DOUBLE_EQ(hero.Mana, 20);
    EXPECT_EQ(hero.Hunger, 40);
    EXPECT_EQ(hero.Spells.Count(), 1);
    EXPECT_EQ(hero.Spells.Get_Learnt_Level(1), 2);
}
