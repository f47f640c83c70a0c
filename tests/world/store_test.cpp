// Stores: prices, restocking from the store class for the character's level, and the
// stores table of the map record.

#include <gtest/gtest.h>

#include "datafiles/data_file_errors.h"
#include "rules/display_effects.h"
#include "rules/item_classes.h"
#include "rules/item_modifiers.h"
#include "shell/globals.h"
#include "shell/paths.h"
#include "shell/random.h"
#include "shell/value_stream.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"
#include "world/store.h"
#include "world/world_support.h"

namespace {

TItem_Class item_class(const std::string& name, uint16_t level_min, int32_t value = 100) {
    TItem_Class c;
    c.Class_Name = name;
    c.Name = name;
    c.Item_Group = "Weapons";
    c.Item_Level_Min = level_min;
    c.Base_Gold_Value = value;
    return c;
}

TStore_Class store_class(std::vector<std::pair<std::string, uint8_t>> entries) {
    TStore_Class s;
    s.Store_ID = 1;
    s.Store_Name = "Smithy";
    s.Buy_Min = 110, s.Buy_Max = 130, s.Sell_Min = 40, s.Sell_Max = 60;
    s.Item_Min_Level_Offset = 0;
    s.Item_Max_Level_Offset = 5;
    s.Item_Grouping_Type = "Weapons, Armour";
    for (const auto& [name, chance] : entries) {
        s.Item_Group_Names.push_back("Arms");
        s.Item_Class_Names.push_back(name);
        s.Appearance_Chances.push_back(chance);
    }
    return s;
}

struct Stocking : ::testing::Test {
    void SetUp() override {
        Set_Random_Seed(1234);
        for (const TItem_Class& c : {item_class("Dagger", 1), item_class("Sword", 6),
                                     item_class("Axe", 1), item_class("Halberd", 9)})
            classes.Add(c);
        store.Init(1, "Stores.txt", "Items.txt");
    }
    TItem_Class_List classes;
    TItem_Modifier_Tables modifiers; // no modifiers: every item is plain
    TItem_List items;
    TStore store;
};

} // namespace

TEST(Store_Prices, BuyingAndSellingTakeTheDrawnPercentOfTheValue) {
    TItem item;
    item.Gold_Value = 150;
    TStore store;
    store.Buy_Percent = 120;
    store.Sell_Percent = 50;
    EXPECT_EQ(Price(item, false, &store), 180);
    EXPECT_EQ(Price(item, true, &store), 75);
    store.Buy_Percent = 133; // 199.5 truncated
    EXPECT_EQ(Price(item, false, &store), 199);
    EXPECT_EQ(Price(item, true, nullptr), 150);
    // A dearer stack than any purse holds costs the most there is, never a negative sum.
    item.Gold_Value = 2000000000;
    store.Buy_Percent = 120;
    EXPECT_EQ(Price(item, false, &store), 2147483647);
    EXPECT_EQ(Price(item, true, &store), 1000000000);
}

TEST_F(Stocking, LevelsRatchetUpAndClassesAboveTheMaximumAreSkipped) {
    // Level 3 with offsets 0 and 5: levels 3..8. The Sword (6) raises the minimum for
    // the Axe after it; the Halberd (9) is above the maximum.
    store.Restock({store_class({{"Dagger", 100}, {"Sword", 100}, {"Axe", 100}, {"Halberd", 100}})},
                  classes, items, 3, &modifiers);
    EXPECT_TRUE(store.Stocked);
    EXPECT_EQ(store.Store_Name, "Smithy");
    ASSERT_EQ(store.Stock_Items.size(), 3u);
    EXPECT_EQ(store.Stock_Groups, (std::vector<std::string>{"Arms", "Arms", "Arms"}));
    const TItem* dagger = items.Get(store.Stock_Items[0]);
    const TItem* axe = items.Get(store.Stock_Items[2]);
    ASSERT_TRUE(dagger && axe);
    EXPECT_EQ(axe->Name, "Axe");
    EXPECT_GE(dagger->Level, 3);
    EXPECT_GE(axe->Level, 6);
    EXPECT_LE(axe->Level, 8);
    EXPECT_GE(store.Get_Buy_Percent(), 110);
    EXPECT_LE(store.Get_Buy_Percent(), 130);
    EXPECT_GE(store.Get_Sell_Percent(), 40);
    EXPECT_LE(store.Get_Sell_Percent(), 60);
}

TEST_F(Stocking, ChanceZeroGivesAnEmptyStockAndAMissingClassAnEmptyStore) {
    store.Restock({store_class({{"Dagger", 0}, {"Axe", 0}})}, classes, items, 3, &modifiers);
    EXPECT_TRUE(store.Stocked);
    EXPECT_TRUE(store.Stock_Items.empty());
    EXPECT_EQ(items.Count(), 0);

    TStore missing;
    missing.Init(9, "Stores.txt", "Items.txt"); // the file has one class
    missing.Restock({store_class({{"Dagger", 100}})}, classes, items, 3, &modifiers);
    EXPECT_FALSE(missing.Stocked);
    EXPECT_TRUE(missing.Store_Name.empty());
    EXPECT_TRUE(missing.Stock_Items.empty());
}

TEST_F(Stocking, AHugeChancePerLevelMakesEveryItemMagic) {
    // One prefix fits every amulet; the store's chance per level dwarfs any roll.
    TItem_Modifier_Class sharp;
    sharp.Description = "Gleaming";
    sharp.Item_Level_Min = 1;
    sharp.Item_Level_Max = 100;
    sharp.Item_Types = "Amulet";
    sharp.Modifier_Type = TModifier_Position::Prefix;
    sharp.Effects.Add_Effect(static_cast<uint8_t>(TEffect_Type::Gold_Value), 1, 1);
    modifiers.Modifiers.push_back(sharp);
    TItem_Class amulet = item_class("Amulet", 1);
    amulet.Item_Type = static_cast<uint8_t>(TItem_Type::Amulet);
    amulet.Can_Have_Additional_Effects = true;
    classes.Add(amulet);

    TStore_Class generous = store_class({{"Amulet", 100}, {"Amulet", 100}, {"Amulet", 100}});
    generous.Magic_Chance_Per_Level = 1e20;
    store.Restock({generous}, classes, items, 5, &modifiers);
    ASSERT_EQ(store.Stock_Items.size(), 3u);
    for (uint16_t number : store.Stock_Items)
        EXPECT_EQ(items.Get(number)->Name, "Gleaming Amulet");
}

TEST_F(Stocking, RepeatedVisitsReplaceTheStockWithoutLeavingOldItems) {
    const std::vector<TStore_Class> table = {store_class({{"Dagger", 100}, {"Axe", 100}})};
    store.Restock(table, classes, items, 2, &modifiers);
    // The player buys the dagger: it leaves the stock and must survive the restocks.
    const uint16_t bought = store.Stock_Items[0];
    ASSERT_TRUE(store.Remove_Stock_Item(bought));
    EXPECT_FALSE(store.Remove_Stock_Item(bought));
    EXPECT_EQ(store.Stock_Groups, (std::vector<std::string>{"Arms"}));
    // A sold shield joins the stock and goes with the next restock.
    TItem shield;
    shield.Name = "Shield";
    store.Add_Stock_Item("Armour", items.Add(shield));
    EXPECT_EQ(store.Get_Categories(), (std::vector<std::string>{"Armour", "Arms"}));
    for (int visit = 0; visit < 20; ++visit) {
        store.Reset(&items);
        EXPECT_FALSE(store.Stocked);
        EXPECT_EQ(store.Store_ID, 1);
        EXPECT_EQ(store.Item_Class_Filename, "Items.txt");
        store.Restock(table, classes, items, 2, &modifiers);
    }
    int32_t live = 0;
    for (int32_t n = 1; n <= items.Count(); ++n)
        live += items.Get(n) != nullptr;
    EXPECT_EQ(live, 3); // the bought dagger and the current two
    EXPECT_TRUE(items.Get(bought));
    EXPECT_EQ(store.Stock_Items.size(), 2u);
}

TEST(Store_Record, TheMapKeepsItsStoresAcrossSaveAndLoad) {
    TTest_Map map;
    TStore& store = map.Stores.emplace_back();
    store.Init(2, "Town_Stores.txt", "Items.txt");
    store.Store_Name = "Apothecary";
    store.Buy_Min = 100, store.Buy_Max = 140, store.Sell_Min = 30, store.Sell_Max = 50;
    store.Magic_Chance_Per_Level = 1.5;
    store.Item_Min_Level_Offset = 2;
    store.Stocked = true;
    store.Stock_Groups = {"Potions"};
    store.Stock_Items = {map.Put_Item(5, 5, "Potion")};
    const std::vector<uint16_t> stock = store.Stock_Items;
    TStore other;
    other.Init(3, "Town_Stores.txt", "Items.txt");
    EXPECT_EQ(map.Add_Store(other), 2);

    TValue_Writer writer;
    map.Save(writer);
    TWriteable_Map loaded;
    TValue_Reader reader(writer.Bytes());
    loaded.Load(reader, [](const std::string&) { return std::string(); });
    ASSERT_EQ(loaded.Stores.size(), 2u);
    const TStore* back = loaded.Get_Store(1);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Store_Name, "Apothecary");
    EXPECT_EQ(back->Buy_Max, 140);
    EXPECT_DOUBLE_EQ(back->Magic_Chance_Per_Level, 1.5);
    EXPECT_EQ(back->Item_Min_Level_Offset, 2);
    EXPECT_EQ(back->Stock_Items, stock);
    EXPECT_EQ(loaded.Get_Store(2)->Store_ID, 3);
    EXPECT_FALSE(loaded.Get_Store(3));

    // A stock item that is not in the map's item list is a damaged file.
    map.Stores[0].Stock_Items = {77};
    TValue_Writer damaged;
    map.Save(damaged);
    TValue_Reader damaged_reader(damaged.Bytes());
    EXPECT_THROW(loaded.Load(damaged_reader, [](const std::string&) { return std::string(); }),
                 TStream_Error);
    EXPECT_EQ(loaded.Get_Store(1)->Stock_Items, stock); // left as it was
}

TEST(Store_Restock_Files, TheDefaultModulesStoresStockFromItsFiles) {
    Reset_Shell_Globals();
    App_Dir = KV_FIXTURES_DIR "/../../content/";
    // The content folder is read, never written: no debug log there.
    Game_Settings = std::make_unique<TGame_Settings>();
    Game_Settings->Generate_Debug_Log = false;
    Path_Settings = std::make_unique<TPath_Settings>();
    ASSERT_TRUE(Path_Settings->Set_Module("Hollowmere\\"));
    // Item classes name their missile pictures in the display effects of start-up.
    ASSERT_TRUE(Load_Display_Effects(Path_Settings->Get_Effects_File()).Ok());
    TMessages_Recorder messages;
    const TScoped_Services use({.Messages = &messages});
    auto shown = [&messages] {
        std::vector<std::string> lines;
        for (const auto& list : messages.Error_Lists)
            lines.push_back(list.Heading + list.File + list.Messages[0]);
        return lines;
    };
    std::vector<TStore> stores(2);
    stores[0].Init(1, "Town_Stores.txt", "Hollowmere_ItemClasses.txt");
    stores[1].Init(2, "Town_Stores.txt", "Hollowmere_ItemClasses.txt");
    TItem_List items;
    EXPECT_TRUE(Restock_Stores(stores, items, 5));
    EXPECT_TRUE(shown().empty()) << shown().front();
    for (const TStore& store : stores) {
        EXPECT_TRUE(store.Stocked);
        EXPECT_FALSE(store.Store_Name.empty());
    }
    EXPECT_FALSE(stores[0].Stock_Items.empty() && stores[1].Stock_Items.empty());

    // A missing item class file is shown, and the stores stay empty but usable.
    stores[0].Item_Class_Filename = "Missing.txt";
    EXPECT_FALSE(Restock_Stores(stores, items, 5));
    EXPECT_FALSE(shown().empty());
    EXPECT_TRUE(stores[0].Stock_Items.empty());
    int32_t live = 0;
    for (int32_t n = 1; n <= items.Count(); ++n)
        live += items.Get(n) != nullptr;
    EXPECT_EQ(live, 0); // the first visit's stock is gone with the reset
    Display_Effects = TDisplay_Effect_List();
    Reset_Shell_Globals();
}
