// The item and spell windows played from input scripts in the default adventure, as a
// player plays them, with a picture of every window and dialog.

#include <gtest/gtest.h>

#include "screen_fixture.h"

#include <filesystem>

#include "app/game_screen.h"
#include "game/dlg_spells_add.h"
#include "game/dlg_spells_select.h"
#include "game/dlg_store.h"
#include "game/global_structs.h"
#include "platform/clock.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "presentation/host.h"
#include "presentation/text.h"
#include "rules/inventory.h"
#include "rules/monster.h"
#include "rules/spells.h"
#include "shell/globals.h"
#include "shell/options.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"
#include "world/actions.h"
#include "world/map.h"
#include "world/module.h"
#include "world/sprites.h"
#include "world/store.h"

namespace {

class Item_Script : public Game_Screen_Test {
  protected:
    void SetUp() override {
        Game_Screen_Test::SetUp();
        // The scholar casts bolts at monsters.
        Start_New_Game(3, 21);
    }
    static std::string Click(int x, int y) {
        return "move " + std::to_string(x) + " " + std::to_string(y) + "\nclick " +
               std::to_string(x) + " " + std::to_string(y) + "\n";
    }
    // The centre of an equipment slot's box, and of a backpack slot's cell with the
    // tab click that shows its page.
    static std::string Click_Equipment(int32_t slot) {
        for (int y = 0; y < 232; ++y)
            for (int x = 0; x < 176; ++x)
                if (TDC_Main::Slot_At(x, y) == slot)
                    return Click(x + 16, y + 16);
        ADD_FAILURE() << "no box for slot " << slot;
        return "";
    }
    static std::string Click_Backpack(int32_t slot) {
        const int32_t page = (slot - 11) / 20 + 1, cell = (slot - 11) % 20;
        return Click(45 * (page - 1) + 20, 224 + 240) +
               Click(13 + 40 * (cell % 4) + 16, 249 + 40 * (cell / 4) + 16);
    }
    static std::string Click_Cell(const TDisplay_Class& dialog, int left, int top, int columns,
                                  int cell) {
        return Click(dialog.f_X + left + 40 * (cell % columns) + 16,
                     dialog.f_Y + top + 40 * (cell / columns) + 16);
    }
    TItem_List& Items() { return Current_Map->Item_List; }
    uint16_t In(int32_t slot) { return Player().Inventory.Get_Number_In_Slot(slot, Items()); }
    int32_t Slot_Of(uint16_t number) {
        for (int32_t slot = 1; slot <= Last_Backpack_Slot; ++slot)
            if (In(slot) == number)
                return slot;
        return 0;
    }
    // The first backpack slot holding an ordinary item.
    int32_t First_Backpack_Item() {
        for (int32_t slot = First_Backpack_Slot; slot <= Last_Backpack_Slot; ++slot)
            if (const TItem* item = Items().Get(In(slot)); item && item->Event_ID == 0)
                return slot;
        return 0;
    }
    int32_t Free_Backpack_Slot() {
        for (int32_t slot = First_Backpack_Slot; slot <= Last_Backpack_Slot; ++slot)
            if (In(slot) == 0)
                return slot;
        return 0;
    }
};

TEST_F(Item_Script, BuyEquipSellChestGiveLearnAndCastInHollowmere) {
    ASSERT_TRUE(screen_->Game_Running);
    // Two plain things in the backpack to sell and to keep in a chest.
    for (const char* name : {"Tin Cup", "Clay Pipe"}) {
        TItem thing;
        thing.Name = thing.Class_Name = name;
        thing.Gold_Value = 4;
        ASSERT_TRUE(Player().Add_To_Backpack(Items().Add(thing)));
    }
    Play("key I\nkey R\n" + Shot("win_inventory_and_stats"));
    ASSERT_NE(screen_->Shown("Win Inventory"), nullptr);
    ASSERT_NE(screen_->Shown("Win Stats"), nullptr);
    Play("key R\n");

    // A store of the town: the first item that is worn or held, bought and equipped.
    TMonster* keeper = nullptr;
    for (int32_t n = 1; n <= Current_Map->Monster_List.Count() && !keeper; ++n)
        if (TMonster* m = Current_Map->Monster_List.Get(n))
            if (m->Store_Number != 0 && Current_Map->Get_Store(m->Store_Number))
                keeper = m;
    ASSERT_NE(keeper, nullptr);
    screen_->Talk_Partner = Creature_Ref(Current_Map->Monster_List, keeper->Number);
    auto* store = dynamic_cast<TDC_Dlg_Store*>(screen_->Open_Game_Dialog("Dlg Store", true));
    ASSERT_NE(store, nullptr);
    int32_t category = 0, cell = -1, slot = 0;
    for (int32_t c = 1; c <= int32_t(store->Captions().size()) && cell < 0; ++c) {
        store->Select_Category(c);
        const std::vector<uint16_t> shown = store->Shown_Items();
        for (size_t k = 0; k < shown.size() && cell < 0; ++k)
            for (int32_t s = 1; s <= 10 && cell < 0; ++s)
                if (Counts_As_Equipped(*Items().Get(shown[k]), s) &&
                    Player().Inventory.Can_Place_In_Slot(shown[k], s, Items(), &Player(), false)) {
                    category = c;
                    cell = int(k);
                    slot = s;
                }
    }
    ASSERT_GE(cell, 0) << "the store sells nothing to wear or hold";
    store->Select_Category(1);
    const uint16_t bought = [&] {
        store->Select_Category(category);
        return store->Shown_Items()[size_t(cell)];
    }();
    const int32_t price = Price(*Items().Get(bought), false, store->Store());
    Player().Gold = price + 100;
    // The category's toggle, then the item, then its slot.
    const TDisplay_Class& toggle = *store->f_Toggles[size_t(category - 1)];
    store->Select_Category(1);
    Play(Click(toggle.f_X + 11, toggle.f_Y + 11) + Click_Cell(*store, 231, 52, 9, cell));
    ASSERT_EQ(screen_->Cursor_Item.Peek_Held(), bought);
    EXPECT_EQ(Player().Gold, 100);
    const uint16_t before = In(slot);
    Play(Click_Equipment(slot) + Shot("dlg_store"));
    EXPECT_EQ(In(slot), bought);
    // Sell another: what the slot held, or the first thing in the backpack.
    if (before == 0 || screen_->Cursor_Item.Peek_Held() != before) {
        ASSERT_FALSE(screen_->Cursor_Item.Is_Holding());
        ASSERT_NE(First_Backpack_Item(), 0);
        Play(Click_Backpack(First_Backpack_Item()));
    }
    const uint16_t sold = screen_->Cursor_Item.Peek_Held();
    ASSERT_NE(sold, 0);
    ASSERT_EQ(Items().Get(sold)->Event_ID, 0);
    const int32_t paid = Price(*Items().Get(sold), true, store->Store());
    Play(Click_Cell(*store, 231, 52, 9, 44));
    EXPECT_FALSE(screen_->Cursor_Item.Is_Holding());
    EXPECT_EQ(Player().Gold, 100 + paid);
    EXPECT_EQ(Slot_Of(sold), 0);
    Play("key Escape\n");
    EXPECT_EQ(screen_->Shown("Dlg Store"), nullptr);

    // A chest at the character's feet: an item in and out again.
    screen_->Open_Chest(Player().X, Player().Y);
    TDisplay_Class* chest = screen_->Shown("Dlg Chest");
    ASSERT_NE(chest, nullptr);
    const int32_t from = First_Backpack_Item();
    ASSERT_NE(from, 0);
    const uint16_t stored = In(from);
    Play(Click_Backpack(from) + Click_Cell(*chest, 56, 103, 5, 0) + Shot("dlg_chest"));
    EXPECT_EQ(Slot_Of(stored), 0);
    ASSERT_NE(Current_Map->Get_Location_List(Player().X, Player().Y), nullptr);
    EXPECT_EQ(Current_Map->Get_Location_List(Player().X, Player().Y)->size(), 1u);
    Play(Click_Cell(*chest, 56, 103, 5, 0) + Click_Backpack(from) + "key Escape\n");
    EXPECT_EQ(In(from), stored);
    EXPECT_TRUE(Current_Map->Get_Location_List(Player().X, Player().Y)->empty());

    // The bell clapper for the warden, who waits for it.
    TMonster* warden = nullptr;
    for (int32_t n = 1; n <= Current_Map->Monster_List.Count() && !warden; ++n)
        if (TMonster* m = Current_Map->Monster_List.Get(n); m && m->Event_ID == 1)
            warden = m;
    ASSERT_NE(warden, nullptr);
    TItem clapper;
    clapper.Name = clapper.Class_Name = "Tarnished Bell Clapper";
    clapper.Event_ID = 1;
    const uint16_t clapper_number = Items().Add(clapper);
    const int32_t clapper_slot = Free_Backpack_Slot();
    ASSERT_TRUE(Player().Inventory.Put_In_Slot(clapper_number, clapper_slot, Items()));
    screen_->Talk_Partner = Creature_Ref(Current_Map->Monster_List, warden->Number);
    TDisplay_Class* give = screen_->Open_Game_Dialog("Dlg GiveItem", true);
    ASSERT_NE(give, nullptr);
    Play(Click_Backpack(clapper_slot) + Click_Cell(*give, 79, 73, 4, 0) + Shot("dlg_give_item"));
    EXPECT_FALSE(screen_->Cursor_Item.Is_Holding());
    EXPECT_TRUE(Current_Module->Get_Quest(3)->Completed);
    // The quest's text, then the dialog, closed.
    for (int n = 0; n < 4 && (screen_->Shown("Dlg GiveItem") || screen_->Shown("Dlg Module Text"));
         ++n)
        Play("key Escape\n");
    ASSERT_EQ(screen_->Shown("Dlg GiveItem"), nullptr);

    // A spell point raises a bolt the scholar can cast at a monster.
    TMonster& hero = Player();
    hero.Spell_Points = 1;
    Play("key S\n");
    auto* list = dynamic_cast<TDC_Dlg_Spells_Add*>(screen_->Shown("Spells Add Dlg"));
    ASSERT_NE(list, nullptr);
    int32_t spell_category = 0, spell_cell = -1;
    for (int32_t c = 1; c <= TDC_Dlg_Spells_Add::Categories && spell_cell < 0; ++c) {
        list->Select_Category(c);
        for (size_t k = 0; k < list->Shown_Spells().size() && spell_cell < 0; ++k) {
            const TSpell* s = Master_Spells.Get(list->Shown_Spells()[k]);
            if (s->Name == "Cinder Bolt" || s->Name == "Frost Shard")
                if (TDC_Dlg_Spells_Add::Can_Raise(hero, s->Number)) {
                    spell_category = c;
                    spell_cell = int(k);
                }
        }
    }
    ASSERT_GE(spell_cell, 0);
    const uint16_t spell = list->Shown_Spells()[size_t(spell_cell)];
    const int32_t level = hero.Spells.Get_Learnt_Level(spell);
    list->Select_Category(0);
    const TDisplay_Class& spell_toggle = *list->f_Toggles[size_t(spell_category - 1)];
    Play(Click(spell_toggle.f_X + 11, spell_toggle.f_Y + 11) + Shot("spells_add_dlg") +
         Click_Cell(*list, 231, 52, 9, spell_cell));
    EXPECT_EQ(hero.Spells.Get_Learnt_Level(spell), level + 1);
    EXPECT_EQ(hero.Spell_Points, 0);
    Play("key Escape\nkey B\n");
    auto* select = dynamic_cast<TDC_Dlg_Spells_Select*>(screen_->Shown("Spells Select Dlg"));
    ASSERT_NE(select, nullptr);
    const TDisplay_Class& first_button = *select->f_Slot_Buttons[0];
    Play(Click(first_button.f_X + 19, first_button.f_Y + 19));
    ASSERT_EQ(select->Selected_Slot(), 1);
    int32_t entry = -1;
    for (int32_t page = 1; page <= int32_t(select->Page_Names().size()) && entry < 0; ++page) {
        if (page > 1)
            Play(Click(select->f_Right_Arrow->f_X + 9, select->f_Right_Arrow->f_Y + 14));
        for (size_t k = 0; k < select->Entries().size() && entry < 0; ++k)
            if (select->Entries()[k].Value == spell)
                entry = int32_t(k);
    }
    ASSERT_GE(entry, 0);
    ASSERT_LT(entry, TDC_Dlg_Spells_Select::Entries_Per_Group);
    const TDisplay_Class& book = *select->f_Entry_Buttons[size_t(entry)];
    Play(Click(book.f_X + 19, book.f_Y + 19) + Shot("spells_select_dlg") + "key Escape\nkey F1\n");
    EXPECT_EQ(hero.Spells.Get_Quick_Slot(1).Value, spell);
    EXPECT_EQ(hero.Spells.Get_Selected_Slot(), 1);

    // A creature that does not talk, two squares away: a right click casts at it.
    TMonster* foe = nullptr;
    for (int32_t n = 1; n <= Current_Map->Monster_List.Count() && !foe; ++n)
        if (TMonster* c = Current_Map->Monster_List.Get(n);
            c && n != Current_Map->Player_Number && c != warden && c != keeper)
            foe = c;
    ASSERT_NE(foe, nullptr);
    foe->Talk_Topic_Names.clear();
    foe->Talk_Topic_Texts.clear();
    foe->Store_Number = 0;
    foe->Maximum_Health = 60000;
    foe->Fill_Health();
    int32_t fx = 0, fy = 0;
    ASSERT_TRUE(Current_Map->Find_Empty_Square_Near(hero.X + 2, hero.Y, fx, fy));
    Move_Creature(*Current_Map, *foe, fx, fy);
    hero.Fill_Mana();
    const double mana = hero.Mana;
    Play("rclick " + Point_Of(fx, fy) + "\nwait 20\n");
    EXPECT_LT(Player().Mana, mana) << "the bolt's mana was spent";
}

} // namespace
