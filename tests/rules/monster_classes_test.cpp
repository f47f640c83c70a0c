#include <gtest/gtest.h>

#include "creature_support.h"
#include "rules/creature_file_checks.h"
#include "rules/item_classes.h"
#include "rules/monster_classes.h"
#include "rules/monster_creation.h"
#include "rules_support.h"
#include "shell/random.h"
#include "shell/value_stream.h"
#include "support/temp_dir.h"

namespace {

// Hs 10, Hm 2, health +10 % and +5 per level, ±20 % per difficulty step.
TMonster_General_Info health_rules() {
    TMonster_General_Info g;
    g.Health_Start = 10;
    g.Health_Modifier = 2;
    g.Health_Percent_Per_Level = 10;
    g.Health_Amount_Per_Level = 5;
    g.Health_Percent_Per_Difficulty = 20;
    return g;
}

} // namespace

TEST(Monster_Class_File, Reads_General_Rules_And_Classes) {
    TFake_World world;
    TSpell bolt;
    bolt.Name = "Bolt";
    Master_Spells.Add(bolt);
    TTemp_Dir dir;
    const std::string path = dir.Write(
        "Monsters.txt",
        Data_File_Text({Fixture_Record("monster_general.txt"), Fixture_Record("monster_rat.txt"),
                        Fixture_Record("monster_rat.txt", {"Name := Bat", "Monster Group := cave",
                                                           "Corpse Type := Tiny Corpse",
                                                           "Movement Strategy := None"})}));
    TMonster_Class_List list;
    const TData_File_Report report = Load_Monster_Classes(
        path, list, [](const std::string& name) { return name != "bite.wav"; });
    EXPECT_EQ(report.Heading, "Monster Class Data File Errors: ");
    // Per class: the unknown spell "Bite" and the missing sound; the bat's corpse type.
    EXPECT_EQ(report.Errors.size(), 5u);
    ASSERT_EQ(list.Count(), 2);
    const TMonster_Class* rat = list.Get(1);
    EXPECT_EQ(rat->Movement_Mask, 5);
    EXPECT_EQ(rat->Corpse_Type, 5);
    EXPECT_EQ(rat->Intelligence_Category, 2);
    EXPECT_EQ(rat->Retreat, 4);
    EXPECT_EQ(rat->Movement_Strategy, 5);
    EXPECT_EQ(rat->Spells.Count(), 1);
    EXPECT_EQ(rat->Spells.Get_Chance(1), 60);
    EXPECT_EQ(rat->Talk_Topic_Texts, std::vector<std::string>{"Yes!"});
    EXPECT_EQ(list.Get(2)->Corpse_Type, 0);
    EXPECT_EQ(list.Get(2)->Movement_Strategy, 0);
    EXPECT_EQ(list.Get_Movement_Interval("Fast"), 150);
    EXPECT_EQ(list.Get_Movement_Interval("Still"), 0);
    EXPECT_EQ(list.Get_Movement_Interval("fast"), 0);
    EXPECT_EQ(list.General.Movement_Speeds.size(), 2u);
    EXPECT_DOUBLE_EQ(list.General.Spell_Level_Per_Monster_Level, 0.5);
}

TEST(Monster_Class_File, Groups_Match_Either_Way) {
    EXPECT_TRUE(Monster_Group_Matches("cave", "deep cave"));
    EXPECT_TRUE(Monster_Group_Matches("deep cave", "Cave"));
    EXPECT_TRUE(Monster_Group_Matches("", "crypt"));
    EXPECT_TRUE(Monster_Group_Matches("Any", "crypt"));
    EXPECT_TRUE(Monster_Group_Matches("cave", "all"));
    EXPECT_FALSE(Monster_Group_Matches("cave", "crypt"));
    TMonster_Class_List list;
    TMonster_Class rat;
    rat.Name = "Rat";
    rat.Monster_Group = "cave";
    list.Add(rat);
    rat.Monster_Group = "crypt";
    list.Add(rat);
    EXPECT_EQ(list.Find_Random_Class("rat", "crypts")->Number, 2);
    EXPECT_EQ(list.Find_Random_Class("Bat", "all"), nullptr);
    list.Delete(1);
    EXPECT_EQ(list.Find_Random_Class("rat", "cave"), nullptr);
    EXPECT_EQ(list.Add(rat), 1);
}

TEST(Monster_Modifier_File, Header_Chances_And_Modifiers) {
    TTemp_Dir dir;
    const std::string path =
        dir.Write("MonsterModifiers.txt", Data_File_Text(Fixture_Records("monster_modifiers.txt")));
    // Groups for levels 1-5 (one or two modifiers) and 6-9 (three); "Fierce" adds 50 %
    // health, "Swift" 25 % experience.
    TMonster_Modifier_Tables tables;
    const TData_File_Report report = Load_Monster_Modifiers(path, tables);
    EXPECT_TRUE(report.Ok()) << (report.Errors.empty() ? "" : report.Errors[0]);
    ASSERT_EQ(tables.Header.size(), 3u);
    ASSERT_EQ(tables.Modifiers.size(), 2u);
    EXPECT_EQ(tables.Modifiers[1].Experience_Bonus_Percent, 25);
    EXPECT_EQ(tables.Modifier_Count(3, 70), 2);
    EXPECT_EQ(tables.Modifier_Count(3, 50), 1);
    EXPECT_EQ(tables.Modifier_Count(7, 100), 3);
    EXPECT_EQ(tables.Modifier_Count(12, 1), 1);

    // One or two of the level-3 modifiers, and two are never the same one twice.
    TMonster monster;
    monster.Level = 3;
    Set_Random_Seed(5);
    int32_t singles = 0, pairs = 0;
    for (int i = 0; i < 20; ++i) {
        monster.Modifier_Names.clear();
        Apply_Monster_Modifiers(monster, tables);
        const std::vector<std::string>& names = monster.Modifier_Names;
        ASSERT_TRUE(names.size() == 1 || names.size() == 2) << names.size();
        if (names.size() == 1) {
            ++singles;
        } else {
            ++pairs;
            EXPECT_NE(names[0], names[1]);
        }
    }
    // Both counts were drawn, so the pairs above were checked.
    EXPECT_GT(singles, 0);
    EXPECT_GT(pairs, 0);
    TMonster_Modifier_Tables many = tables;
    many.Header = {{1, 5, 100, 9}};
    monster.Modifier_Names.clear();
    monster.Experience_Bonus = 0;
    Apply_Monster_Modifiers(monster, many);
    EXPECT_EQ(monster.Modifier_Names.size(), 2u);
    EXPECT_EQ(monster.Experience_Bonus, 25);
}

TEST(Monster_Formulas, Health_At_Levels_And_Difficulties) {
    const TMonster_General_Info g = health_rules();
    EXPECT_EQ(Monster_Health(g, 20, 3, 0, 0), 70);
    EXPECT_EQ(Monster_Health(g, 20, 1, 0, 0), 50);
    EXPECT_EQ(Monster_Health(g, 20, 3, -1, 0), 56);
    EXPECT_EQ(Monster_Health(g, 20, 3, 2, 0), 98);
    // "Monster Increase Health" 50: Trunc(70 × 1.5).
    EXPECT_EQ(Monster_Health(g, 20, 3, 0, 50), 105);
}

TEST(Monster_Formulas, Abilities_Damage_And_Movement) {
    // (10 + 5) × 1.2 + 2 × 2 = 22; doubled at two difficulty steps of 50 %.
    EXPECT_EQ(Monster_Ability(10, 5, 10, 2, 50, 3, 0, 0), 22);
    EXPECT_EQ(Monster_Ability(10, 5, 10, 2, 50, 3, 2, 0), 44);
    EXPECT_EQ(Monster_Ability(10, 5, 10, 2, 50, 3, -1, 10), 12);
    TMonster_General_Info g;
    g.Damage_Percent_Per_Level = 50;
    g.Damage_Amount_Per_Level = 1;
    g.Damage_Percent_Per_Difficulty = 10;
    EXPECT_EQ(Monster_Damage(g, 2, 1, 3, 0, 0), 8);
    EXPECT_EQ(Monster_Damage(g, 4, 2, 3, 0, 0), 14);
    EXPECT_EQ(Monster_Damage(g, 4, 2, 3, 1, 0), 15);
    EXPECT_EQ(Monster_Damage(g, 4, 2, 1, 0, 100), 12);
    g.Movement_Speed_Per_Difficulty = 100;
    EXPECT_EQ(Monster_Movement_Interval(g, 400, 2, 0), 200);
    EXPECT_EQ(Monster_Movement_Interval(g, 400, -1, 0), 400);
    EXPECT_EQ(Monster_Movement_Interval(g, 400, 0, 50), 600);
    // A fast monster on the hardest setting moves every tick instead of freezing.
    EXPECT_EQ(Monster_Movement_Interval(g, 150, 2, 0), 0);
    EXPECT_EQ(Monster_Movement_Interval(g, 0, 1, 0), 0);
}

TEST(Monster_Formulas, Gold_Stack_Names) {
    EXPECT_EQ(Gold_Stack_Class(50), "Small Gold Stack");
    EXPECT_EQ(Gold_Stack_Class(51), "Medium Gold Stack");
    EXPECT_EQ(Gold_Stack_Class(500), "Medium Gold Stack");
    EXPECT_EQ(Gold_Stack_Class(501), "Large Gold Stack");
}

namespace {

TMonster_Class rat_class() {
    TMonster_Class c;
    c.Name = "Rat";
    c.Health_Min = c.Health_Max = 20;
    c.Attack_Ability_Min = c.Attack_Ability_Max = 10;
    c.Defense_Ability_Min = c.Defense_Ability_Max = 4;
    c.Movement_Speed = "Normal";
    c.Event_ID = 3;
    c.Natural_Attacks.Add_Natural_Attack("Bite", 100, 2, 4, 1, 0, 0);
    c.Effects.Add_Effect(TEffect_Type::Fire_Resist, 10, 10);
    return c;
}

TMonster_Class_List rat_rules() {
    TMonster_Class_List list;
    list.General = health_rules();
    list.General.Attack_Modifier = 1;
    list.General.Attack_Start = 5;
    list.General.Attack_Percent_Per_Level = 10;
    list.General.Attack_Amount_Per_Level = 2;
    list.General.Defense_Modifier = 2;
    list.General.Damage_Min_Start = 1;
    list.General.Damage_Max_Start = 2;
    list.General.Damage_Percent_Per_Level = 50;
    list.General.Damage_Amount_Per_Level = 1;
    list.General.Resist_All_Start = 5;
    list.General.Resist_All_Per_Level = 2;
    list.General.Spell_Level_Per_Monster_Level = 0.5;
    list.General.Movement_Speeds = {{"Normal", 400}};
    list.General.Movement_Speed_Per_Difficulty = 100;
    return list;
}

} // namespace

TEST(Create_Monster, Made_From_Its_Class_At_A_Level) {
    TFake_World world;
    const TMonster_Class_List rules = rat_rules();
    TMonster_Class rat = rat_class();
    rat.Spells.Learn(1, 1, 20);
    TMonster_Modifier_Tables no_modifiers;
    TMonster_Creation_Context context{rules, 4, &no_modifiers};
    const uint16_t number = Create_Monster(rat, 40, 41, 0, 3, 3, 1, 1, context);
    ASSERT_EQ(number, 1);
    EXPECT_EQ(world.square_changes.back(), std::make_tuple(40, 41, uint16_t{1}));
    const TMonster* m = world.monsters.Get(number);
    EXPECT_EQ(m->Level, 3);
    EXPECT_EQ(m->Home_X, 40);
    EXPECT_EQ(m->Event_ID, 3);
    EXPECT_EQ(m->Maximum_Health, 98);
    EXPECT_DOUBLE_EQ(m->Health, 98);
    EXPECT_EQ(m->Attack_Ability, 22);
    EXPECT_EQ(m->Defense_Ability, 8);
    EXPECT_EQ(m->Movement_Interval, 200);
    EXPECT_EQ(m->Experience_Bonus, 30);
    EXPECT_EQ(m->Resist_All_Base, 9);
    EXPECT_EQ(m->Fire_Resist, 19);
    EXPECT_EQ(m->Spells.Get_Learnt_Level(1), 2);
    // The minimum is cut to the old maximum before the maximum grows.
    ASSERT_EQ(m->Natural_Attacks.Count(), 1);
    EXPECT_EQ(m->Natural_Attacks.Get_Damage(1)->Min, 4);
    EXPECT_EQ(m->Natural_Attacks.Get_Damage(1)->Max, 14);
}

TEST(Create_Monster, Movement_And_Light_Effects_Count_Once) {
    TFake_World world;
    const TMonster_Class_List rules = rat_rules();
    TMonster_Modifier_Tables no_modifiers;
    TMonster_Class glowing = rat_class();
    glowing.Light_Radius = 2;
    TWriteable_Monster m = Make_Monster(glowing, 10, 10, 0, 1, 1, 1, 1, {rules, 2, &no_modifiers});
    EXPECT_EQ(m.Light_Radius, 2);
    EXPECT_EQ(m.Movement_Interval, 400);
    m.Add_Timed_Effect(static_cast<uint8_t>(TEffect_Type::Reduce_Movement), 100, 100, 60);
    m.Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Light_Radius), 1, 1);
    for (int i = 0; i < 5; ++i)
        m.Recalculate();
    EXPECT_EQ(m.Movement_Interval, 500);
    EXPECT_EQ(m.Light_Radius, 3);
    // A saved monster keeps its own light and speed.
    TValue_Writer writer;
    m.Save(writer);
    TValue_Reader reader(writer.Bytes());
    TMonster copy;
    copy.Load(reader);
    copy.Recalculate();
    EXPECT_EQ(copy.Light_Radius, 3);
    EXPECT_EQ(copy.Movement_Interval, 500);
}

TEST(Create_Monster, Unique_Monsters_Never_Get_Modifiers) {
    TFake_World world;
    const TMonster_Class_List rules = rat_rules();
    TMonster_Modifier_Tables tables;
    tables.Header = {{1, 9, 100, 1}};
    TMonster_Modifier_Class fierce;
    fierce.Name = "Fierce";
    fierce.Level_Min = 1;
    fierce.Level_Max = 9;
    fierce.Experience_Bonus_Percent = 20;
    fierce.Effects.Add_Effect(TEffect_Type::Monster_Increase_Health, 50, 50);
    tables.Modifiers = {fierce};
    TMonster_Class rat = rat_class();
    TWriteable_Monster plain = Make_Monster(rat, 10, 10, 100, 3, 3, 1, 1, {rules, 2, &tables});
    EXPECT_EQ(plain.Modifier_Names, std::vector<std::string>{"Fierce"});
    EXPECT_EQ(plain.Experience_Bonus, 50);
    EXPECT_EQ(plain.Maximum_Health, 105);
    rat.Is_Unique = true;
    TWriteable_Monster unique = Make_Monster(rat, 10, 10, 100, 3, 3, 1, 1, {rules, 2, &tables});
    EXPECT_TRUE(unique.Modifier_Names.empty());
    EXPECT_EQ(unique.Experience_Bonus, 30);
    EXPECT_EQ(unique.Maximum_Health, 70);
}

TEST(Create_Monster, Carries_Its_Items_And_Gold) {
    TFake_World world;
    TMonster_Class_List rules = rat_rules();
    rules.General.Gold_Chance_Per_Level = 100;
    rules.General.Gold_Minimum_Per_Level = 30;
    rules.General.Gold_Maximum_Per_Level = 30;
    TItem_Class_List item_classes;
    for (const char* name : {"Small Gold Stack", "Medium Gold Stack", "Cheese"}) {
        TItem_Class item_class;
        item_class.Class_Name = item_class.Name = name;
        item_class.Item_Type = static_cast<uint8_t>(
            std::string(name) == "Cheese" ? TItem_Type::Food : TItem_Type::Gold);
        item_class.Maximum_Stacked = std::string(name) == "Cheese" ? 0 : 1000;
        item_classes.Add(item_class);
    }
    TRandom_Item_Context item_context{world.items, 1, nullptr, {}};
    const std::vector<TCarried_Item_Rule> random_items = {{100, 0, {"Cheese"}}, {100, 0, {}}};
    TMonster_Class rat = rat_class();
    rat.Items = {{"Cheese", 100}, {"Sword", 100}, {"Cheese", 0}};
    TMonster_Modifier_Tables no_modifiers;
    TMonster_Creation_Context context{rules,        2, &no_modifiers, &item_classes, &item_context,
                                      &random_items};
    const uint16_t number = Create_Monster(rat, 10, 10, 0, 2, 2, 1, 1, context);
    const TMonster* m = world.monsters.Get(number);
    ASSERT_NE(m, nullptr);
    // Cheese from the class, cheese from the random rules, and 60 gold.
    ASSERT_EQ(m->Inventory.Count(), 3);
    const TItem* gold = m->Inventory.Items.Get(3, world.items);
    ASSERT_NE(gold, nullptr);
    EXPECT_EQ(gold->Class_Name, "Medium Gold Stack");
    EXPECT_EQ(gold->Quantity, 60);
}

TEST(Class_Info_File, Reads_Classes_And_Their_Experience_Table) {
    TTemp_Dir dir;
    const TRecord_Lines record = Fixture_Record("class_fighter.txt");
    TRecord_Lines broken = record;
    std::erase(broken, "Base Strength := 20");
    const std::string path = dir.Write("Classes.txt", Data_File_Text({record, broken}));
    TClass_Info_List table;
    const TData_File_Report report = Load_Class_Info(path, table);
    EXPECT_EQ(report.Heading, "Class Portrait Data File Errors: ");
    EXPECT_EQ(report.Errors.size(), 1u);
    ASSERT_EQ(table.Count(), 2);
    const TClass_Info* fighter = table.Get(1);
    EXPECT_EQ(fighter->Portraits.size(), 2u);
    EXPECT_EQ(fighter->Base_Movement_Speed, 250);
    EXPECT_DOUBLE_EQ(fighter->Health_Per_Level, 4.5);
    EXPECT_EQ(fighter->Spell_Group_Names[0], "Combat");
    EXPECT_EQ(fighter->Spells[0].Starting_Level, 1);
    EXPECT_EQ(Experience_For_Next_Level(*fighter, 1), 100);
    EXPECT_EQ(Experience_For_Next_Level(*fighter, 2), 300);
    EXPECT_EQ(Experience_For_Next_Level(*fighter, 3), 500);
    EXPECT_EQ(Experience_For_Next_Level(*fighter, 4), 700);
    EXPECT_EQ(table.Get(2)->Base_Strength, 0);
    EXPECT_EQ(table.Get(3), nullptr);
    EXPECT_EQ(Check_Class_Info_File(path).Errors, report.Errors);
}
