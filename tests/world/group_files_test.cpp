#include "world/group_files.h"

#include <gtest/gtest.h>

#include "rules/display_effects.h"
#include "rules/rules_support.h"
#include "shell/random.h"
#include "world/store_classes.h"

namespace {

const std::string Content = KV_FIXTURES_DIR "/../../content/";
const std::string Content_Module = Content + "Modules/Hollowmere/";
const std::string Fixtures = KV_FIXTURES_DIR "/groups/";

std::string first_error(const TData_File_Report& report) {
    return report.Errors.empty() ? std::string() : report.Errors.front();
}

constexpr uint8_t Ammo = 1, Potion = 12;

TModule_Chance_Group chance_group(std::vector<std::pair<std::string, uint16_t>> types) {
    TModule_Chance_Group group;
    for (const auto& [name, percent] : types) {
        group.Item_Type_Names.push_back(name);
        group.Item_Type_Percents.push_back(percent);
    }
    group.Build_Item_Type_Table();
    return group;
}

// The entries of the table as runs: (type, how many in a row).
std::vector<std::pair<int, int>> runs(const TModule_Chance_Group& group) {
    std::vector<std::pair<int, int>> result;
    for (int r = 1; r <= 100; ++r) {
        const int type = group.Item_Type_At(r);
        if (result.empty() || result.back().first != type)
            result.push_back({type, 0});
        ++result.back().second;
    }
    return result;
}

} // namespace

TEST(Group_Files, The_Default_Module_Files_Load_Without_Errors) {
    ASSERT_TRUE(Load_Display_Effects(Content + "Data/Effects.txt").Ok());
    for (const char* name : {"Town_Stores.txt", "Dungeon_Stores.txt"})
        EXPECT_TRUE(Check_Store_Class_File(Content_Module + "Tiles/" + name).Ok()) << name;
    const TData_File_Report chance = Read_Chance_Groups(Content_Module + "Data/ChanceGroups.txt");
    EXPECT_TRUE(chance.Ok()) << first_error(chance);
    const TData_File_Report traps = Read_Trap_Groups(Content_Module + "Data/TrapGroups.txt");
    EXPECT_TRUE(traps.Ok()) << first_error(traps);
    const TData_File_Report groups =
        Read_Monster_Groups(Content_Module + "Tiles/Hollowmere_MonsterGroups.txt");
    EXPECT_TRUE(groups.Ok()) << first_error(groups);
    const TData_File_Report carried =
        Read_Monster_Rand_Items_Carried(Content_Module + "Tiles/Hollowmere_RandomItems.txt");
    EXPECT_TRUE(carried.Ok()) << first_error(carried);

    EXPECT_EQ(Chance_Groups.front().Item_Type_At(1), 7); // group 1: Food 40 first
    ASSERT_EQ(Monster_Rand_Items_Carried.size(), 4u);
    EXPECT_EQ(Monster_Rand_Items_Carried[1].Item_Class_Names,
              (std::vector<std::string>{"Healing Potion", "Mana Potion", "Antivenom"}));
    const TModule_Trap_Group* cellar = Find_Trap_Group("Cellar Traps");
    ASSERT_TRUE(cellar);
    EXPECT_EQ(cellar->Traps.size(), 2u);
    Free_Chance_Groups();
    Free_Trap_Groups();
    Free_Monster_Groups();
    Free_Monster_Rand_Items_Carried();
    EXPECT_TRUE(Chance_Groups.empty() && Trap_Groups.empty() && Monster_Groups.empty() &&
                Monster_Rand_Items_Carried.empty());
    Display_Effects.Clear();
}

TEST(Store_Classes, Item_Groups_Are_Flattened_And_Classes_Taken_By_Position) {
    const TData_File_Report report = Read_Store_Classes(Fixtures + "stores.txt");
    EXPECT_EQ(report.Heading, "Store Class Data File Errors: ");
    // The second store lacks its prices and groups; its ID names it in the messages.
    ASSERT_EQ(report.Errors.size(), 10u);
    EXPECT_EQ(report.Errors.front(),
              "Could not find field \"Buy Cost Modifier Percentage Min\" in record \"2\".");
    const TStore_Class* store = Get_Store_Class(1);
    ASSERT_TRUE(store);
    EXPECT_EQ(store->Buy_Max, 130);
    EXPECT_EQ(store->Sell_Min, 35);
    EXPECT_DOUBLE_EQ(store->Unique_Chance_Per_Level, 0.1);
    EXPECT_EQ(store->Item_Max_Level_Offset, 2);
    EXPECT_EQ(store->Item_Group_Names,
              (std::vector<std::string>{"Weapons", "Weapons", "Missiles"}));
    EXPECT_EQ(store->Item_Class_Names, (std::vector<std::string>{"Sword", "Axe", "Arrows"}));
    EXPECT_EQ(store->Appearance_Chances, (std::vector<uint8_t>{44, 80, 100})); // 300 keeps 44
    ASSERT_TRUE(Get_Store_Class(2));
    EXPECT_TRUE(Get_Store_Class(2)->Item_Class_Names.empty());
    // A store whose number names no class finds none.
    EXPECT_FALSE(Get_Store_Class(0));
    EXPECT_FALSE(Get_Store_Class(9));
    Free_Store_Classes();
    EXPECT_FALSE(Get_Store_Class(1));

    // The validator warns of IDs that are not record numbers: such stores get another class.
    EXPECT_TRUE(Check_Store_Class_File(Fixtures + "stores.txt").Errors.size() == 10u);
    const std::string renumbered = KV_FIXTURES_DIR "/world/Renumbered_Stores.txt";
    EXPECT_TRUE(Read_Store_Classes(renumbered).Ok());
    EXPECT_EQ(Check_Store_Class_File(renumbered).Errors,
              (std::vector<std::string>{"Store ID 20 of record 2 is not its record number: "
                                        "stores take their class by record number."}));
    Free_Store_Classes();
}

TEST(Chance_Groups, The_Item_Type_Table_Follows_Type_Order_And_Stops_At_100) {
    using TRuns = std::vector<std::pair<int, int>>;
    // Whatever the order in the file, types fill the table in type order.
    EXPECT_EQ(runs(chance_group({{"Potion", 20}, {"Ammo", 30}})),
              (TRuns{{Ammo, 30}, {Potion, 20}, {0, 50}}));
    EXPECT_EQ(runs(chance_group({{"Ammo", 30}, {"Potion", 20}})),
              (TRuns{{Ammo, 30}, {Potion, 20}, {0, 50}}));
    // A type named twice uses its last percent; names are compared exactly.
    EXPECT_EQ(runs(chance_group({{"Ammo", 30}, {"potion", 40}, {"Ammo", 10}})),
              (TRuns{{Ammo, 10}, {0, 90}}));
    // Percents beyond 100 entries are cut off.
    EXPECT_EQ(runs(chance_group({{"Ammo", 80}, {"Potion", 50}})),
              (TRuns{{Ammo, 80}, {Potion, 20}}));
    EXPECT_EQ(runs(chance_group({{"Potion", 65535}, {"Ammo", 0}})), (TRuns{{Potion, 100}}));

    const TModule_Chance_Group all_ammo = chance_group({{"Ammo", 100}});
    EXPECT_EQ(all_ammo.Item_Type_At(0), 0);
    EXPECT_EQ(all_ammo.Item_Type_At(101), 0);
    Set_Random_Seed(7);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(all_ammo.Roll_Item_Type(), Ammo);
    EXPECT_EQ(chance_group({}).Roll_Item_Type(), 0);
}

TEST(Chance_Groups, Groups_Are_Found_By_Their_Last_ID) {
    const std::string path = KV_FIXTURES_DIR "/world/Repeated_Chance_Groups.txt";
    const TData_File_Report report = Read_Chance_Groups(path);
    EXPECT_EQ(
        report.Errors,
        (std::vector<std::string>{
            "Could not find field \"Trapped Terrain Group 1 Percent Chance\" in record \"3\".",
            "Could not find field \"Trapped Terrain Group 2 Name\" in record \"3\".",
            "Could not find field \"Trapped Terrain Group 2 Percent Chance\" in record "
            "\"3\"."}));
    ASSERT_EQ(Chance_Groups.size(), 2u);
    EXPECT_EQ(Chance_Groups[0].Locked_Group_Names, (std::vector<std::string>{"Doors"}));
    EXPECT_EQ(Chance_Groups[0].Locked_Group_Percents, (std::vector<uint16_t>{25}));
    EXPECT_EQ(Chance_Groups[0].Item_Type_At(30), Ammo); // built on load
    EXPECT_EQ(Chance_Groups[1].Trapped_Group_Names.size(), 2u);
    EXPECT_EQ(Find_Chance_Group_Index(3), 2);
    EXPECT_EQ(Find_Chance_Group_Index(4), 0);
    Free_Chance_Groups();
}

TEST(Trap_Groups, Growth_Stays_With_Its_Own_Effect) {
    const TData_File_Report report = Read_Trap_Groups(Fixtures + "traps.txt");
    EXPECT_EQ(report.Errors,
              (std::vector<std::string>{
                  "Unknown value \"Lava Damage\" for Trap Type 1 Effect 2 Type in record \"Pits\".",
                  "Unknown value \"Lava Damage\" for Trap Type 1 Effect 2 Type in record \"Bad "
                  "Growth\".",
                  "Unknown value \"Double\" for Trap Type 1 Effect 1 Per Level Modifier Type in "
                  "record \"Bad Growth\"."}));
    ASSERT_EQ(Trap_Groups.size(), 2u);
    // Effect 2 is left out, and effect 3 keeps its own growth.
    const TModule_Trap_Group_Spec_Trap& trap = Trap_Groups[0].Traps.at(0);
    ASSERT_EQ(trap.Effects.Count(), 2);
    EXPECT_EQ(trap.Effect_Modifier_Types, (std::vector<uint16_t>{2, 1}));
    EXPECT_EQ(trap.Effect_Min_Per_Level, (std::vector<uint16_t>{50, 1}));
    EXPECT_EQ(trap.Effect_Max_Per_Level, (std::vector<uint16_t>{25, 2}));
    // An invalid growth type grows nothing, in its own place.
    const TModule_Trap_Group_Spec_Trap& bad = Trap_Groups[1].Traps.at(0);
    EXPECT_EQ(bad.Effect_Modifier_Types, (std::vector<uint16_t>{1, 1}));
    EXPECT_EQ(bad.Effect_Min_Per_Level, (std::vector<uint16_t>{0, 1}));
    EXPECT_EQ(bad.Effect_Max_Per_Level, (std::vector<uint16_t>{0, 2}));
    Free_Trap_Groups();
}

TEST(Trap_Groups, Scaling_To_A_Level) {
    Read_Trap_Groups(Fixtures + "traps.txt");
    const TModule_Trap_Group_Spec_Trap base = Trap_Groups[0].Traps.at(0);
    Free_Trap_Groups();

    TModule_Trap_Group_Spec_Trap trap = base;
    trap.Scale_Trap(1);
    EXPECT_EQ(trap.Damage.Min, 2);
    EXPECT_EQ(trap.Damage.Max, 4);
    EXPECT_TRUE(trap.Effects == base.Effects);

    trap = base;
    trap.Scale_Trap(3);
    EXPECT_EQ(trap.Damage.Min, 8); // 2 + 2 * 3
    EXPECT_EQ(trap.Damage.Max, 10);
    EXPECT_EQ(trap.Effects.Get_Min(1), 20); // (50 * 2 + 100) / 100 * 10
    EXPECT_EQ(trap.Effects.Get_Max(1), 30); // (25 * 2 + 100) / 100 * 20
    EXPECT_EQ(trap.Effects.Get_Min(2), 3);  // 1 + 1 * 2
    EXPECT_EQ(trap.Effects.Get_Max(2), 7);  // 3 + 2 * 2

    // Level 0 shrinks the damage without wrapping below 0.
    trap = base;
    trap.Scale_Trap(0);
    EXPECT_EQ(trap.Damage.Min, 0);
    EXPECT_EQ(trap.Damage.Max, 1);
}

TEST(Trap_Groups, A_Trap_Is_Chosen_From_The_Last_Group_Of_The_Name) {
    std::vector<TModule_Trap_Group> table(3);
    table[0].Trap_Group_Name = "Pits";
    table[0].Trap_Count = 1;
    table[0].Traps.resize(1);
    table[1].Trap_Group_Name = "Pits";
    table[1].Trap_Count = 2;
    table[1].Traps.resize(2);
    table[2].Trap_Group_Name = "Empty";
    Set_Random_Seed(11);
    for (int i = 0; i < 10; ++i) {
        const TModule_Trap_Group_Spec_Trap* trap = Choose_Trap("Pits", table);
        EXPECT_TRUE(trap == &table[1].Traps[0] || trap == &table[1].Traps[1]);
    }
    EXPECT_FALSE(Choose_Trap("pits", table)); // names are exact
    EXPECT_FALSE(Choose_Trap("Empty", table));
}

TEST(Monster_Groups, Members_And_Grouping) {
    const TData_File_Report report = Read_Monster_Groups(Fixtures + "monster_groups.txt");
    EXPECT_EQ(report.Errors, (std::vector<std::string>{
                                 "Could not find field \"Group Monster 2 Number of Modifiers\" in "
                                 "record \"Warband\"."}));
    ASSERT_EQ(Monster_Groups.size(), 1u);
    const TModule_Monster_Group& group = Monster_Groups[0];
    EXPECT_EQ(group.Follow_Distance, 3);
    EXPECT_EQ(group.Leader_Name_Prefix, "Chief");
    ASSERT_EQ(group.Members.size(), 2u);
    EXPECT_TRUE(group.Members[0].Is_Leader);
    EXPECT_EQ(group.Members[0].Level_Min_Plus, 2);
    EXPECT_EQ(group.Members[0].Modifier_Types, (std::vector<std::string>{"Savage", "Tough"}));
    EXPECT_FALSE(group.Members[1].Is_Leader);
    EXPECT_TRUE(group.Members[1].Modifier_Types.empty());

    EXPECT_TRUE(Matches_Grouping_Type(group, "orcs"));
    EXPECT_TRUE(Matches_Grouping_Type(group, "ORC"));
    EXPECT_TRUE(Matches_Grouping_Type(group, "All"));
    EXPECT_TRUE(Matches_Grouping_Type(group, "none"));
    EXPECT_TRUE(Matches_Grouping_Type(group, ""));
    EXPECT_FALSE(Matches_Grouping_Type(group, "goblin"));
    TModule_Monster_Group any = group;
    any.Monster_Group = "Any";
    EXPECT_TRUE(Matches_Grouping_Type(any, "goblin"));
    any.Monster_Group.clear();
    EXPECT_TRUE(Matches_Grouping_Type(any, "goblin"));
    Free_Monster_Groups();
}
