#include <gtest/gtest.h>

#include "rules/data_file_checks.h"
#include "rules/display_effects.h"
#include "rules/item_classes.h"
#include "rules/item_list.h"
#include "rules/item_modifiers.h"
#include "rules_support.h"
#include "shell/random.h"
#include "support/temp_dir.h"

namespace {

TRecord_Lines general_record(int gold_percent = 0, int gold_amount = 0) {
    TRecord_Lines lines;
    for (const char* what :
         {"Base Gold Value", "Consumption Value", "Defense Rating", "Damage Min", "Damage Max"}) {
        const bool gold = std::string(what) == "Base Gold Value";
        lines.push_back(std::string("Item ") + what +
                        " Mod Per Level Add Percent := " + std::to_string(gold ? gold_percent : 0));
        lines.push_back(std::string("Item ") + what +
                        " Mod Per Level Add Amt := " + std::to_string(gold ? gold_amount : 0));
        lines.push_back(std::string("Item ") + what + " Base Amt Mod := 0");
    }
    return lines;
}

TRecord_Lines class_record(const std::string& name, const std::string& type,
                           const TRecord_Lines& changes = {}) {
    TRecord_Lines lines = changes; // the first of duplicate keys wins, so changes come first
    lines.push_back("Name := " + name);
    lines.push_back("Type := " + type);
    return Fixture_Record("item_sword.txt", lines);
}

class Item_Class_File : public ::testing::Test {
  protected:
    void TearDown() override { Display_Effects.Clear(); }
    TTemp_Dir dir;
    TItem_Class_List list;
    std::string write(const std::string& name, const std::string& text) {
        return dir.Write("Tiles/" + name, text);
    }
};

TEST_F(Item_Class_File, ASoundFileLoadsEveryClassWithoutErrors) {
    const std::string path = write(
        "Items.txt", Data_File_Text({general_record(5, 10), class_record("Long Sword", "Weapon"),
                                     class_record("Dagger", "Weapon")}));
    std::vector<std::string> errors;
    EXPECT_TRUE(list.Load_Item_Classes(path, &errors));
    EXPECT_TRUE(errors.empty()) << errors.front();
    ASSERT_EQ(list.Count(), 2);
    const TItem_Class& sword = *list.Get(1);
    EXPECT_EQ(sword.Number, 1);
    EXPECT_EQ(sword.Name, "Long Sword");
    EXPECT_EQ(sword.Item_Type, static_cast<uint8_t>(TItem_Type::Weapon));
    EXPECT_EQ(sword.Light_Radius, 44); // 300, low byte kept
    EXPECT_TRUE(sword.Random_Appearance);
    EXPECT_FALSE(sword.Is_Unique_Item);
    EXPECT_EQ(sword.Spell_Levels, std::vector<uint16_t>{2});
    EXPECT_EQ(list.Gold.Percent_Per_Level, 5);
    EXPECT_EQ(list.Get_Gold_Value_At_Level(sword, 1), 100);
    EXPECT_EQ(list.Get_Gold_Value_At_Level(sword, 3), 132);
}

TEST_F(Item_Class_File, MalformedRecordsGiveTheExactMessages) {
    const std::string path =
        write("Items.txt",
              Data_File_Text({general_record(),
                              class_record("Long Sword", "Sword", {"Consumption Type := Drink"}),
                              {"Name := Stub", "Type := Ring"}}));
    const TData_File_Report report = list.Read_Item_Classes(path);
    EXPECT_EQ(report.Heading, "Item Class Data File Errors: ");
    ASSERT_GE(report.Errors.size(), 3u);
    EXPECT_EQ(report.Errors[0], "Unknown value \"Sword\" for Type in record \"Long Sword\".");
    EXPECT_EQ(report.Errors[1],
              "Unknown value \"Drink\" for Consumption Type in record \"Long Sword\".");
    // The record name carries over until the record's own "Name" has been read.
    EXPECT_EQ(report.Errors[2], "Could not find field \"Class Name\" in record \"Long Sword\".");
    EXPECT_EQ(report.Errors[3], "Could not find field \"Description\" in record \"Stub\".");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(1)->Item_Type, 0);
    EXPECT_EQ(list.Get(2)->Weight, 0);
}

TEST_F(Item_Class_File, GarbageTruncatedAndMissingFilesAreReportedNotFatal) {
    const std::string whole = Data_File_Text({general_record(), class_record("Axe", "Weapon")});
    const std::vector<std::string> texts = {
        "", "\x01\x02\xff := :=\r\n*BEGIN*\r\n\r\n\r\n:= :=\r\nType := \xff\r\n\r\n*END*\r\n",
        whole.substr(0, whole.size() / 2), whole.substr(0, whole.size() - 12),
        std::string(5000, '\n')};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 20) + "... of " + std::to_string(text.size()));
        for (auto read : {Check_Item_Class_File, Check_Item_Modifiers_File, Check_Unique_Names_File,
                          Check_Display_Effects_File}) {
            const TData_File_Report report = read(write("Broken.txt", text));
            EXPECT_FALSE(report.Ok());
        }
    }
    EXPECT_EQ(Check_Item_Class_File(write("Garbage.txt", "just text\r\n")).Errors,
              std::vector<std::string>{"Cannot find *BEGIN*"});
    const std::string missing = dir.Path() + "Tiles/None.txt";
    EXPECT_EQ(Check_Unique_Names_File(missing).Errors,
              std::vector<std::string>{"Unable to load data file: \"" + missing + "\"."});
}

TEST_F(Item_Class_File, TheSameFileIsReadOnceUntilClearedOrBroken) {
    const std::string path =
        write("Items.txt", Data_File_Text({general_record(), class_record("Axe", "Weapon")}));
    EXPECT_TRUE(list.Load_Item_Classes(path));
    write("Items.txt", Data_File_Text({general_record(), class_record("Axe", "Weapon"),
                                       class_record("Mace", "Weapon")}));
    EXPECT_TRUE(list.Load_Item_Classes(path));
    EXPECT_EQ(list.Count(), 1);
    list.Clear();
    EXPECT_TRUE(list.Load_Item_Classes(path));
    EXPECT_EQ(list.Count(), 2);

    const std::string missing = dir.Path() + "Tiles/Missing.txt";
    std::vector<std::string> errors;
    EXPECT_FALSE(list.Load_Item_Classes(missing, &errors));
    EXPECT_FALSE(list.Load_Item_Classes(missing, &errors));
    EXPECT_EQ(errors.size(), 2u);
}

TEST(Item_Class_Choice, GroupsMatchAsOneWaySubstrings) {
    TItem_Class c;
    EXPECT_TRUE(Group_Matches(c, "cave"));
    c.Item_Group = "Any";
    EXPECT_TRUE(Group_Matches(c, "cave"));
    c.Item_Group = "Blades";
    EXPECT_TRUE(Group_Matches(c, "axes, blades"));
    EXPECT_TRUE(Group_Matches(c, "NONE"));
    EXPECT_FALSE(Group_Matches(c, "blade"));
    EXPECT_TRUE(Group_Matches(c, "")); // no grouping type: every class

    TItem_Class_List list;
    c.Class_Name = "Sword";
    list.Add(c);
    c.Item_Group = "axes";
    list.Add(c);
    Set_Random_Seed(5);
    for (int n = 0; n < 20; ++n)
        EXPECT_EQ(list.Find_Random_Class("SWORD", "blades")->Number, 1);
    EXPECT_EQ(list.Find_Random_Class("Bow", "all"), nullptr);
    list.Delete(1);
    EXPECT_EQ(list.Find_Random_Class("Sword", "blades"), nullptr);
}

TItem_Modifier_Class modifier(const std::string& description, TModifier_Position position,
                              const std::string& types, int percent = 0, int amount = 0) {
    TItem_Modifier_Class m;
    m.Description = description;
    m.Modifier_Type = position;
    m.Item_Types = types;
    m.Item_Level_Min = 1;
    m.Item_Level_Max = 10;
    m.Gold_Percent_Increase = static_cast<uint16_t>(percent);
    m.Gold_Amount_Increase = static_cast<uint16_t>(amount);
    m.Effects.Add_Effect(TEffect_Type::Fire_Damage, 2, 4);
    m.Requirements.Add_Requirement(1, 3, 1, 0);
    return m;
}

class Random_Items : public ::testing::Test {
  protected:
    void SetUp() override {
        Set_Random_Seed(1234);
        sword.Name = "Long Sword";
        sword.Class_Name = "Sword";
        sword.Item_Type = static_cast<uint8_t>(TItem_Type::Weapon);
        sword.Base_Gold_Value = 10;
        sword.Can_Have_Additional_Effects = true;
        sword.Effects.Add_Effect(TEffect_Type::Strength, 1, 3);
        tables.Value_Amount_Multiplier = 1;
    }
    // One item at level 5 with the given chances.
    TItem& create(int magic, int unique, int quantity = 0) {
        const uint16_t number = classes.Create_Random_Item(sword, 7, 8, 5, 5, magic, unique, 0, 0,
                                                           quantity, true, context);
        EXPECT_NE(number, 0);
        return *items.Get(number);
    }
    TItem_Class_List classes;
    TItem_Class sword;
    TItem_Modifier_Tables tables;
    TItem_List items;
    std::vector<std::vector<int32_t>> placed;
    TRandom_Item_Context context{items, 1, &tables, [this](int32_t x, int32_t y, uint16_t n) {
                                     placed.push_back({x, y, n});
                                 }};
};

TEST_F(Random_Items, MagicModifiersNameTheItemAndRaiseItsUnitValue) {
    tables.Modifiers = {modifier("Flaming", TModifier_Position::Prefix, "Weapon Bow", 50, 5)};
    TItem& flaming = create(100, 0);
    EXPECT_EQ(flaming.Name, "Flaming Long Sword");
    EXPECT_EQ(flaming.Level, 5);
    EXPECT_EQ(flaming.Gold_Value, 20); // Trunc(10 × 1.5) + 5
    ASSERT_EQ(flaming.Effects.Count(), 2);
    EXPECT_EQ(flaming.Effects.Get_Min(1), 1); // copied from the class as it stands
    EXPECT_EQ(flaming.Effects.Get_Max(1), 3);
    EXPECT_EQ(flaming.Requirements.Count(), 1);
    EXPECT_EQ(placed, (std::vector<std::vector<int32_t>>{{7, 8, flaming.Number}}));

    // A stack is valued per item: the increase is not multiplied by the quantity.
    TItem& stack = create(100, 0, 20);
    EXPECT_EQ(stack.Gold_Value, 20);
    EXPECT_EQ(stack.Get_Gold_Value(), 400);
    EXPECT_EQ(stack.Maximum_Stacked, 20);

    tables.Modifiers = {modifier("of Fire", TModifier_Position::Suffix, "Weapon")};
    EXPECT_EQ(create(100, 0).Name, "Long Sword of Fire");
    EXPECT_EQ(create(100, 0).Gold_Value, 10); // no percent: the amount is ignored too
}

TEST_F(Random_Items, OnlyModifiersOfTheItemsTypeAndLevelAreEligible) {
    tables.Modifiers = {modifier("Ringed", TModifier_Position::Prefix, "Ring Amulet"),
                        modifier("Low", TModifier_Position::Prefix, "Weapon"),
                        modifier("Keen", TModifier_Position::Prefix, "Staff, Weapon"),
                        modifier("Shy", TModifier_Position::Prefix, "weapon")};
    tables.Modifiers[1].Item_Level_Max = 4;
    TItem item;
    item.Item_Type = static_cast<uint8_t>(TItem_Type::Weapon);
    item.Level = 5;
    EXPECT_EQ(Eligible_Modifiers(item, tables), std::vector<int32_t>{3});
    for (int n = 0; n < 10; ++n)
        EXPECT_EQ(create(100, 0).Name, "Keen Long Sword");
    // A modifier without effects changes nothing.
    tables.Modifiers[2].Effects.Clear();
    EXPECT_EQ(create(100, 0).Name, "Long Sword");
    // Magic needs a class that may have additional effects.
    tables.Modifiers[2] = modifier("Keen", TModifier_Position::Prefix, "Weapon");
    sword.Can_Have_Additional_Effects = false;
    EXPECT_EQ(create(100, 0).Name, "Long Sword");
}

TEST_F(Random_Items, TheStartLevelRaisesTheChances) {
    tables.Modifiers = {modifier("Keen", TModifier_Position::Prefix, "Weapon")};
    context.Start_Level = 3;
    for (int n = 0; n < 10; ++n) {
        const uint16_t number =
            classes.Create_Random_Item(sword, 1, 1, 2, 2, 0, 0, 50.0, 0, 0, false, context);
        EXPECT_EQ(items.Get(number)->Name, "Keen Long Sword");
    }
    EXPECT_TRUE(placed.empty());
}

TEST_F(Random_Items, UniqueItemsTakeDistinctModifiersAndAName) {
    tables.Modifiers = {modifier("A", TModifier_Position::Prefix, "Weapon", 10),
                        modifier("B", TModifier_Position::Suffix, "Weapon", 20)};
    tables.Unique_Names = {{1, 1, 9, 2, {"Grimfang", "Dawnbringer"}}};
    for (int n = 0; n < 10; ++n) {
        TItem& item = create(0, 100);
        EXPECT_TRUE(item.Name == "Grimfang Long Sword" || item.Name == "Dawnbringer Long Sword")
            << item.Name;
        EXPECT_EQ(item.Effects.Count(), 3);
        EXPECT_EQ(item.Gold_Value, 13); // Trunc(10 × 1.3)
    }
    // Asking for more modifiers than are eligible applies none.
    tables.Unique_Names[0].Number_Of_Modifiers = 3;
    TItem& plain = create(100, 100);
    EXPECT_EQ(plain.Name, "Long Sword");
    EXPECT_EQ(plain.Effects.Count(), 1);
    // A unique band without names keeps the item's name but gives its modifiers.
    tables.Unique_Names = {{1, 1, 9, 1, {}}};
    TItem& nameless = create(0, 100);
    EXPECT_EQ(nameless.Name, "Long Sword");
    EXPECT_EQ(nameless.Effects.Count(), 2);
    // An always-unique class without a band for its level stays ordinary.
    tables.Unique_Names = {{1, 6, 9, 1, {"Grimfang"}}};
    sword.Is_Unique_Item = true;
    TItem& ordinary = create(100, 0);
    EXPECT_EQ(ordinary.Name, "Long Sword");
    EXPECT_EQ(ordinary.Effects.Count(), 1);
}

TEST_F(Random_Items, ScalingCutsTheMinimumBeforeTheMaximumGrows) {
    sword.Damage.Set_Damage(2, 4, 0, 1);
    sword.Defense_Rating = 5;
    sword.Random_Min_Stacked = 0;
    sword.Random_Max_Stacked = 5;
    sword.Spell_Names = {"Heal"};
    sword.Spell_Levels = {2};
    classes.Damage_Min.Amount_Per_Level = 1; // 2 + 4 = 6 at level 5
    classes.Damage_Max.Amount_Per_Level = 1; // 4 + 4 = 8... and 25 % more: 10
    classes.Damage_Max.Percent_Per_Level = 25;
    classes.Defense.Amount_Per_Level = 10;
    TItem& item = create(0, 0);
    EXPECT_EQ(item.Damage.Min, 4);
    EXPECT_EQ(item.Damage.Max, 16); // Trunc(8 × 2.0)
    EXPECT_EQ(item.Quantity, 0);
    EXPECT_EQ(item.Defense, 45);
    EXPECT_EQ(item.Spell_Levels, std::vector<uint16_t>{6});
    // Level 0 takes the per-level amount off once: saturated at 0, never wrapped.
    const TItem low = classes.Make_Item(sword, 0);
    EXPECT_EQ(low.Defense, 0);
    EXPECT_EQ(low.Spell_Levels, std::vector<uint16_t>{1});
}

TEST(Item_Modifier_File, RecordsAfterTheFirstAreModifiers) {
    TTemp_Dir dir;
    const std::string path = dir.Write(
        "Data/ItemModifiers.txt",
        Data_File_Text({{"Item Value Amount Multiplier := 3"},
                        {"Description := Flaming", "Item Gold Value Percent Increase := 10",
                         "Item Gold Value Amount Increase := 2", "Item Level Min := 1",
                         "Item Level Max := 5", "Item Types := Weapon", "Modifier Type := Middle",
                         "Number of Effects := 0", "Number of Requirements := 0"},
                        {"Description := of Ice", "Item Types := Weapon"}}));
    TItem_Modifier_Tables tables;
    const TData_File_Report report = Read_Item_Modifiers(path, tables);
    EXPECT_EQ(report.Heading, "Item Modifier Class Data File Errors: ");
    EXPECT_EQ(tables.Value_Amount_Multiplier, 3);
    ASSERT_EQ(tables.Modifiers.size(), 2u);
    EXPECT_EQ(tables.Modifiers[1].Number, 2);
    EXPECT_EQ(tables.Modifiers[0].Modifier_Type, TModifier_Position::Unset);
    ASSERT_FALSE(report.Errors.empty());
    EXPECT_EQ(report.Errors[0], "Unknown value \"Middle\" for Modifier Type in record "
                                "\"Flaming\".");
    EXPECT_EQ(report.Errors[1],
              "Could not find field \"Item Gold Value Percent Increase\" in record \"of Ice\".");
}

TEST(Unique_Names_File, NamesAreReadUpToTheirCount) {
    TTemp_Dir dir;
    const std::string path =
        dir.Write("Data/UniqueItemNames.txt",
                  Data_File_Text({{"Level Min := 2", "Level Max := 9", "Number of Modifiers := 2",
                                   "Number of Names := 2", "Name 1 := Grimfang", "Name 2 := Dawn",
                                   "Name 3 := Ignored"},
                                  {"Level Min := 1"}}));
    TItem_Modifier_Tables tables;
    const TData_File_Report report = Read_Unique_Names(path, tables);
    EXPECT_EQ(report.Heading, "Item Unique Class Data File Errors: ");
    ASSERT_EQ(tables.Unique_Names.size(), 2u);
    EXPECT_EQ(tables.Unique_Names[0].Names, (std::vector<std::string>{"Grimfang", "Dawn"}));
    EXPECT_EQ(tables.Unique_Names[1].Number, 2);
    EXPECT_EQ(report.Errors.front(), "Could not find field \"Level Max\" in record 2.");
    EXPECT_EQ(report.Errors.size(), 3u);
}

} // namespace
