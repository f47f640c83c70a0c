// The item windows driven as the player drives them: the inventory pages, the store,
// the chest, giving items, the spell list and the quick bar, over a quick start of the
// default module.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "game/dlg_chest.h"
#include "game/dlg_spells_add.h"
#include "game/dlg_spells_select.h"
#include "game/dlg_store.h"
#include "game/item_dialogs.h"
#include "game/item_grid.h"
#include "game/win_inventory.h"
#include "presentation/ui_hooks.h"
#include "rules/spells.h"
#include "screen_support.h"
#include "world/module.h"
#include "world/store.h"

namespace {

class Item_Windows : public Screen_Test {
  protected:
    void SetUp() override {
        Screen_Test::SetUp();
        Register_Item_Dialogs();
        Start_Screen(TQuick_Start{.Module = "Hollowmere", .Class = 3, .Seed = 11});
        ASSERT_NE(Current_Map->Player(), nullptr);
    }

    TItem_List& Items() { return Current_Map->Item_List; }
    TDC_Main& Screen() { return *screen_; }
    // A dialog opens over the game as the main screen opens it; a window beside it.
    template <class T> T& Open(const std::string& name, bool disable_actions = true) {
        TDisplay_Class* opened = screen_->Open_Game_Dialog(name, disable_actions);
        EXPECT_NE(opened, nullptr) << name;
        return *dynamic_cast<T*>(opened);
    }
    uint16_t Add(const std::string& name, TItem_Type type, int32_t value, uint16_t quantity = 0,
                 uint16_t stack = 0) {
        TItem item;
        item.Name = item.Class_Name = name;
        item.Item_Group = "Wares";
        item.Item_Type = static_cast<uint8_t>(type);
        item.Gold_Value = value;
        item.Quantity = quantity;
        item.Maximum_Stacked = stack;
        return Items().Add(item);
    }
    uint16_t Put(uint16_t number, int32_t slot) {
        Player().Inventory.Take_From_Slot(slot, Items());
        EXPECT_TRUE(Player().Inventory.Put_In_Slot(number, slot, Items()));
        return number;
    }
    uint16_t In(int32_t slot) { return Player().Inventory.Get_Number_In_Slot(slot, Items()); }
    // The townsperson who keeps a store on this level.
    TMonster* Store_Keeper() {
        for (int32_t n = 1; n <= Current_Map->Monster_List.Count(); ++n)
            if (TMonster* m = Current_Map->Monster_List.Get(n))
                if (m->Store_Number != 0 && Current_Map->Get_Store(m->Store_Number))
                    return m;
        return nullptr;
    }

    bool Heard(const std::string& wave) const {
        const std::vector<std::string> waves = sound_.Waves();
        return std::find(waves.begin(), waves.end(), wave) != waves.end();
    }
};

// The centre of an inventory window cell.
int cell_x(int column) {
    return 13 + 40 * (column - 1) + 16;
}
int cell_y(int row) {
    return 224 + 25 + 40 * (row - 1) + 16;
}

TEST_F(Item_Windows, TheInventoryWindowMovesItemsBetweenItsPagesAndTheEquipmentSlots) {
    Player().Inventory.Clear();
    auto& window = Open<TDC_Win_Inventory>("Win Inventory", false);
    EXPECT_EQ(window.f_X, 0);
    EXPECT_EQ(window.f_Y, 224);
    // Page 2, cell (3, 4) is backpack slot 11 + 12 + 2 + 20.
    const uint16_t sword = Put(Add("Sword", TItem_Type::Weapon, 30), 45);
    window.Set_Page(2);
    Click(cell_x(3), cell_y(4));
    EXPECT_EQ(Screen().Cursor_Item.Peek_Held(), sword);
    EXPECT_TRUE(Heard("pick_up.wav"));
    // A tab click chooses the page from x within the window; T steps 1, 2, 3, 4, 1.
    Click(100, 224 + 230);
    EXPECT_EQ(window.Page(), 3);
    Click(177, 224 + 230);
    EXPECT_EQ(window.Page(), 4);
    Key('T');
    EXPECT_EQ(window.Page(), 1);
    // Put down on page 1, then swap it with a shield held in the equipment slot rule.
    Click(cell_x(1), cell_y(1));
    EXPECT_EQ(In(11), sword);
    EXPECT_FALSE(Screen().Cursor_Item.Is_Holding());
    const uint16_t shield = Add("Shield", TItem_Type::Shield, 20);
    Screen().Cursor_Item.Hold(shield);
    Click(cell_x(1), cell_y(1));
    EXPECT_EQ(In(11), shield);
    EXPECT_EQ(Screen().Cursor_Item.Peek_Held(), sword);
    // The main screen's hand slots follow the same rule: a two-handed sword does not go
    // into the right hand while the left holds a shield, and both stay where they were.
    Screen().Cursor_Item.Clear_Hold();
    Player().Inventory.Take_From_Slot(11, Items());
    Put(shield, Second_Hand_Slot);
    Items().Get(sword)->Hands_Required = 2;
    Screen().Cursor_Item.Hold(sword);
    EXPECT_FALSE(Held_Item_Fits(Screen(), First_Hand_Slot));
    EXPECT_FALSE(Click_Character_Slot(Screen(), First_Hand_Slot));
    EXPECT_EQ(Screen().Cursor_Item.Peek_Held(), sword);
    EXPECT_EQ(In(Second_Hand_Slot), shield);
    EXPECT_EQ(In(First_Hand_Slot), 0);
    // Two weapons only for a character that may fight with two.
    Items().Get(sword)->Hands_Required = 1;
    Put(Add("Dagger", TItem_Type::Weapon, 5), Second_Hand_Slot);
    EXPECT_EQ(Held_Item_Fits(Screen(), First_Hand_Slot), Player().Has_Two_Weapons());
    // Ammunition: 5 arrows onto 18 of 20 leave 3 on the pointer; keys of a kind stack.
    Screen().Cursor_Item.Clear_Hold();
    const uint16_t quiver = Put(Add("Arrows", TItem_Type::Ammo, 1, 18, 20), 12);
    Items().Get(quiver)->Ammo_Kind = "Arrow";
    const uint16_t loose = Add("Arrows", TItem_Type::Ammo, 1, 5, 20);
    Items().Get(loose)->Ammo_Kind = "Arrow";
    Screen().Cursor_Item.Hold(loose);
    Click(cell_x(2), cell_y(1));
    EXPECT_EQ(Items().Get(quiver)->Quantity, 20);
    EXPECT_EQ(Items().Get(Screen().Cursor_Item.Peek_Held())->Quantity, 3);
    Screen().Cursor_Item.Clear_Hold();
    const uint16_t keys = Put(Add("Crypt Key", TItem_Type::Key, 0, 1, 5), 13);
    const uint16_t key = Add("Crypt Key", TItem_Type::Key, 0, 1, 5);
    Screen().Cursor_Item.Hold(key);
    Click(cell_x(3), cell_y(1));
    EXPECT_EQ(Items().Get(keys)->Quantity, 2);
    EXPECT_FALSE(Screen().Cursor_Item.Is_Holding());
    EXPECT_EQ(Items().Get(key), nullptr);
    // While the game stands still (paused), the window moves nothing.
    Screen().Set_Paused(true);
    Click(cell_x(3), cell_y(1));
    EXPECT_FALSE(Screen().Cursor_Item.Is_Holding());
}

TEST_F(Item_Windows, TheStoreSellsForGoldItHasAndBuysWhatIsNotAQuestItem) {
    TMonster* keeper = Store_Keeper();
    ASSERT_NE(keeper, nullptr);
    Screen().Talk_Partner = Creature_Ref(Current_Map->Monster_List, keeper->Number);
    auto& store = Open<TDC_Dlg_Store>("Dlg Store");
    EXPECT_NE(Screen().Shown("Win Inventory"), nullptr);
    EXPECT_EQ(store.f_X, 180);
    EXPECT_EQ(store.f_Y, 203);
    TStore& stock = *store.Store();
    ASSERT_FALSE(store.Shown_Items().empty());
    EXPECT_TRUE(Description_Panel().Prices().On);
    const uint16_t wanted = store.Shown_Items()[0];
    const int32_t price = Price(*Items().Get(wanted), false, &stock);
    ASSERT_GT(price, 0);

    // Too little gold: nothing happens.
    Player().Gold = price - 1;
    EXPECT_FALSE(store.Click_Cell(0));
    EXPECT_FALSE(Screen().Cursor_Item.Is_Holding());
    EXPECT_EQ(Player().Gold, price - 1);
    EXPECT_EQ(store.Shown_Items()[0], wanted);
    // Enough gold: the item leaves the stock onto the pointer, and the gold is paid.
    Player().Gold = price + 10;
    EXPECT_TRUE(store.Click_Cell(0));
    EXPECT_EQ(Screen().Cursor_Item.Peek_Held(), wanted);
    EXPECT_EQ(Player().Gold, 10);
    EXPECT_TRUE(Heard("money.wav"));
    EXPECT_EQ(std::count(stock.Stock_Items.begin(), stock.Stock_Items.end(), wanted), 0);
    // With an item held, a click on a store item does nothing.
    EXPECT_FALSE(store.Click_Cell(0));
    Screen().Cursor_Item.Clear_Hold();
    ASSERT_TRUE(Player().Add_To_Backpack(wanted));

    // An equipped item is taken from its hand slot beside the store and sold.
    const uint16_t blade = Put(Add("Old Blade", TItem_Type::Weapon, 25), First_Hand_Slot);
    TDispatch_Guard guard;
    screen_->Dispatch_MouseDown(mbLeft, 0, 137, 122); // the first hand's box
    ASSERT_EQ(Screen().Cursor_Item.Peek_Held(), blade);
    const int32_t paid = Price(*Items().Get(blade), true, &stock);
    EXPECT_EQ(paid, 25 * stock.Get_Sell_Percent() / 100);
    EXPECT_TRUE(store.Click_Cell(44));
    EXPECT_FALSE(Screen().Cursor_Item.Is_Holding());
    EXPECT_EQ(Player().Gold, 10 + paid);
    EXPECT_EQ(In(First_Hand_Slot), 0);
    EXPECT_EQ(std::count(stock.Stock_Items.begin(), stock.Stock_Items.end(), blade), 1);
    // A quest item is not sold: it stays on the pointer and no gold changes hands.
    const uint16_t clapper = Add("Tarnished Bell Clapper", TItem_Type::Misc, 50);
    Items().Get(clapper)->Event_ID = 1;
    Screen().Cursor_Item.Hold(clapper);
    EXPECT_FALSE(store.Click_Cell(44));
    EXPECT_EQ(Screen().Cursor_Item.Peek_Held(), clapper);
    EXPECT_EQ(Player().Gold, 10 + paid);

    // Closing clears the prices and hides the inventory window again.
    store.Close();
    Draw();
    EXPECT_FALSE(Description_Panel().Prices().On);
    EXPECT_EQ(Screen().Shown("Dlg Store"), nullptr);
    EXPECT_FALSE(Screen().Shown("Win Inventory")->f_Visible);
    EXPECT_FALSE(Screen().Get_Actions_Disabled());
}

TEST_F(Item_Windows, AStoreWithNineCategoriesShowsThemAllUnderSevenToggles) {
    TMonster* keeper = Store_Keeper();
    ASSERT_NE(keeper, nullptr);
    TStore& stock = *Current_Map->Get_Store(keeper->Store_Number);
    stock.Stock_Items.clear();
    stock.Stock_Groups.clear();
    for (char c = 'A'; c <= 'I'; ++c)
        stock.Add_Stock_Item(std::string("Group ") + c,
                             Add(std::string("Ware ") + c, TItem_Type::Misc, 3));
    Screen().Talk_Partner = Creature_Ref(Current_Map->Monster_List, keeper->Number);
    auto& store = Open<TDC_Dlg_Store>("Dlg Store");
    ASSERT_EQ(store.Captions().size(), 7u);
    EXPECT_EQ(store.Captions()[5], "Group F");
    EXPECT_EQ(store.Captions()[6], TDC_Dlg_Store::Other_Category);
    store.Select_Category(7);
    ASSERT_EQ(store.Shown_Items().size(), 3u);
    EXPECT_EQ(Items().Get(store.Shown_Items()[2])->Name, "Ware I");
    for (TDC_Button_Toggle* toggle : store.f_Toggles)
        EXPECT_TRUE(toggle->f_Visible);
}

TEST_F(Item_Windows, ASpellPointRaisesASpellAndTheQuickBarTakesSpellsAndScrolls) {
    TMonster& player = Player();
    auto& list = Open<TDC_Dlg_Spells_Add>("Spells Add Dlg");
    // The first category with a spell that can be raised.
    int cell = -1;
    player.Spell_Points = 1;
    for (int n = 1; n <= TDC_Dlg_Spells_Add::Categories && cell < 0; ++n) {
        list.Select_Category(n);
        for (size_t k = 0; k < list.Shown_Spells().size() && cell < 0; ++k)
            if (TDC_Dlg_Spells_Add::Can_Raise(player, list.Shown_Spells()[k]) &&
                !Master_Spells.Get(list.Shown_Spells()[k])->Is_Passive())
                cell = int(k);
    }
    ASSERT_GE(cell, 0);
    const uint16_t spell = list.Shown_Spells()[size_t(cell)];
    const int32_t level = player.Spells.Get_Learnt_Level(spell);
    EXPECT_TRUE(list.Click_Cell(cell));
    EXPECT_EQ(player.Spells.Get_Learnt_Level(spell), level + 1);
    EXPECT_EQ(player.Spell_Points, 0);
    EXPECT_FALSE(list.Click_Cell(cell)); // no points left
    EXPECT_EQ(player.Spells.Get_Learnt_Level(spell), level + 1);
    list.Set_Kill_Object(true);
    Draw();

    Put(Add("Scroll of Light", TItem_Type::Scroll, 5), 30);
    auto& select = Open<TDC_Dlg_Spells_Select>("Spells Select Dlg");
    select.f_Slot_Buttons[3]->OnClick("Spell Button 4");
    EXPECT_EQ(select.Selected_Slot(), 4);
    bool assigned = false;
    for (int32_t page = 1; page < int32_t(select.Page_Names().size()) && !assigned; ++page) {
        select.Set_Page(page);
        for (size_t k = 0; k < select.Entries().size() && !assigned; ++k)
            if (select.Entries()[k].Value == spell)
                assigned = select.Assign_Entry(int32_t(k));
    }
    ASSERT_TRUE(assigned);
    EXPECT_EQ(player.Spells.Get_Quick_Slot(4).Kind, uint8_t(TQuick_Slot_Kind::Spell));
    EXPECT_EQ(player.Spells.Get_Quick_Slot(4).Value, spell);
    EXPECT_EQ(select.f_Slot_Buttons[3]->f_Spell, spell);
    select.Set_Page(int32_t(select.Page_Names().size()));
    EXPECT_EQ(select.Page_Names().back(), "Scrolls");
    int32_t scroll_entry = -1;
    for (size_t k = 0; k < select.Entries().size(); ++k)
        if (select.Entries()[k].Value == 30)
            scroll_entry = int32_t(k);
    ASSERT_GE(scroll_entry, 0);
    EXPECT_FALSE(select.f_Right_Arrow->f_Enabled);
    select.Select_Slot(5);
    EXPECT_TRUE(select.Assign_Entry(scroll_entry));
    EXPECT_EQ(player.Spells.Get_Quick_Slot(5).Value, 30);
    EXPECT_EQ(player.Spells.Get_Quick_Slot(5).Kind, uint8_t(TQuick_Slot_Kind::Scroll));
    // Quick slots from a damaged save name nothing: they show nothing and cast nothing.
    player.Spells.Set_Quick_Slot(6, uint8_t(TQuick_Slot_Kind::Spell), 9999);
    player.Spells.Set_Quick_Slot(7, uint8_t(TQuick_Slot_Kind::Scroll), 200);
    select.Select_Slot(6);
    EXPECT_EQ(select.f_Slot_Buttons[5]->f_Spell, 0);
    EXPECT_EQ(select.f_Slot_Buttons[6]->f_Item.Resolve(Items()), nullptr);
    Draw();
}

TEST_F(Item_Windows, TheHeldItemIsKeptThroughAnAutosaveAFullInventoryAndALevelChange) {
    TDC_Main& screen = Screen();
    // Autosave: the held item goes into the backpack before the game is written.
    Machine_Options.Dont_Autosave = false;
    Machine_Options.Autosave_Every_Minute = true;
    const uint16_t ring = Add("Plain Ring", TItem_Type::Ring, 9);
    screen.Cursor_Item.Hold(ring);
    for (int i = 0; i < 1201; ++i) {
        Advance_Clock(50);
        TDispatch_Guard guard;
        screen.Tick(i % 21, 20.0);
    }
    ASSERT_EQ(screen.Autosaves_Made, 1);
    EXPECT_FALSE(screen.Cursor_Item.Is_Holding());
    bool carried = false;
    for (int32_t slot = First_Backpack_Slot; slot <= Last_Backpack_Slot; ++slot)
        carried = carried || In(slot) == ring;
    EXPECT_TRUE(carried);
    // A full backpack: an export puts the held item at the player's feet.
    for (int32_t slot = First_Backpack_Slot; slot <= Last_Backpack_Slot; ++slot)
        if (In(slot) == 0)
            Put(Add("Pebble", TItem_Type::Misc, 0), slot);
    const uint16_t pebble = Add("Last Pebble", TItem_Type::Misc, 0);
    screen.Cursor_Item.Hold(pebble);
    EXPECT_TRUE(screen.Export_Character(false));
    EXPECT_FALSE(screen.Cursor_Item.Is_Holding());
    const TMap_Square* feet = Current_Map->Get_Square(Player().X, Player().Y);
    EXPECT_EQ(feet->Get_Top_Item(*Current_Map), Items().Get(pebble));
    Current_Map->Get_Square(Player().X, Player().Y)->Take_Top_Item(*Current_Map, Player());

    // A level change carries the item on the pointer to the new level.
    const TModule_Map_Connection* connection = nullptr;
    for (const TModule_Map_Connection& c :
         Current_Module->Get_Map(Current_Module->Current_Map)->Connections)
        if (TMap::In_Map(c.Source_X, c.Source_Y) && c.Connection_Type != 2 && !connection)
            connection = &c;
    ASSERT_NE(connection, nullptr);
    Player().Inventory.Clear();
    const uint16_t lamp = Add("Lamp", TItem_Type::Misc, 4);
    screen.Cursor_Item.Hold(lamp);
    ASSERT_TRUE(screen.Take_Connection(connection->Source_X, connection->Source_Y));
    const TItem* there = Items().Get(screen.Cursor_Item.Peek_Held());
    ASSERT_NE(there, nullptr);
    EXPECT_EQ(there->Name, "Lamp");
}

// How many items of each kind the character, the pointer, a store and a chest hold
// together. Ammunition of one kind stacks whatever its name, so it counts as one kind.
std::map<std::string, int64_t> census(const TMonster& player, const THeld_Item& held,
                                      const TStore& store, const TDC_Dlg_Chest& chest) {
    std::map<std::string, int64_t> counts;
    const TItem_List& items = Current_Map->Item_List;
    auto count = [&](uint16_t number) {
        if (const TItem* item = items.Get(number))
            counts[item->Get_Type() == TItem_Type::Ammo ? "ammo " + item->Ammo_Kind
                                                        : item->Class_Name + "/" + item->Name] +=
                item->Count_Of_Items();
    };
    for (int32_t slot = 1; slot <= Last_Backpack_Slot; ++slot)
        count(player.Inventory.Get_Number_In_Slot(slot, items));
    count(held.Peek_Held());
    for (uint16_t number : store.Stock_Items)
        count(number);
    for (uint16_t number : chest.Items())
        count(number);
    return counts;
}

TEST_F(Item_Windows, RandomClicksNeverLoseOrMakeAnItemAndGoldMovesOnlyByAPrice) {
    TMonster* keeper = Store_Keeper();
    ASSERT_NE(keeper, nullptr);
    Screen().Talk_Partner = Creature_Ref(Current_Map->Monster_List, keeper->Number);
    auto& store = Open<TDC_Dlg_Store>("Dlg Store");
    Screen().Chest_X = Player().X;
    Screen().Chest_Y = Player().Y;
    auto& chest = Open<TDC_Dlg_Chest>("Dlg Chest");
    TStore& stock = *store.Store();
    // Stacks to merge and split, a quest item that cannot be sold, a two-handed weapon.
    for (uint16_t quantity : {7, 15}) {
        const uint16_t arrows = Add("Arrows", TItem_Type::Ammo, 1, quantity, 20);
        Items().Get(arrows)->Ammo_Kind = "Arrow";
        Screen().Cursor_Item.Hold(arrows);
        chest.Click_Cell(14);
    }
    const uint16_t clapper = Add("Tarnished Bell Clapper", TItem_Type::Misc, 50);
    Items().Get(clapper)->Event_ID = 1;
    ASSERT_TRUE(Player().Add_To_Backpack(clapper));
    const uint16_t maul = Add("Maul", TItem_Type::Weapon, 40);
    Items().Get(maul)->Hands_Required = 2;
    ASSERT_TRUE(Player().Add_To_Backpack(maul));
    Player().Gold = 300;
    const std::map<std::string, int64_t> before =
        census(Player(), Screen().Cursor_Item, stock, chest);

    std::mt19937 random(2024);
    int32_t trades = 0;
    for (int step = 0; step < 4000; ++step) {
        const int32_t gold = Player().Gold;
        int32_t price_if_traded = 0;
        const uint32_t r = random();
        switch (r % 5) {
        case 0:
            Click_Character_Slot(Screen(), First_Backpack_Slot + int32_t(r / 5 % 80));
            break;
        case 1:
            Click_Character_Slot(Screen(), 1 + int32_t(r / 5 % 10));
            break;
        case 2: {
            const int cell = int(r / 5 % 45);
            const std::vector<uint16_t> shown = store.Shown_Items();
            if (Screen().Cursor_Item.Is_Holding())
                price_if_traded =
                    Price(*Items().Get(Screen().Cursor_Item.Peek_Held()), true, &stock);
            else if (cell < int(shown.size()))
                price_if_traded = -Price(*Items().Get(shown[size_t(cell)]), false, &stock);
            store.Click_Cell(cell);
            break;
        }
        case 3:
            chest.Click_Cell(int(r / 5 % 15));
            break;
        default:
            store.Select_Category(1 + int32_t(r / 5 % (store.Captions().size() + 1)));
            break;
        }
        ASSERT_EQ(census(Player(), Screen().Cursor_Item, stock, chest), before) << "step " << step;
        if (Player().Gold != gold) {
            ASSERT_EQ(Player().Gold - gold, price_if_traded) << "step " << step;
            ++trades;
        }
    }
    EXPECT_GT(trades, 10);
}

} // namespace
