// The player's keys and clicks on the main screen.

#include "game/item_grid.h"
#include "game/main_screen.h"
#include "presentation/graphics.h"
#include "presentation/ui_hooks.h"
#include "presentation/virtual_keys.h"
#include "rules/inventory.h"
#include "rules/monster.h"
#include "shell/options.h"
#include "shell/services.h"
#include "world/map.h"

namespace {

bool in_box(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x <= right && y >= top && y <= bottom;
}

} // namespace

void TDC_Main::Select_Spell_Slot(int32_t slot) {
    TMonster* player = Player();
    if (!player)
        return;
    TSpells_List& spells = player->Spells;
    if (spells.Get_Selected_Slot() == slot)
        spells.Set_Selected_Slot(0);
    else
        spells.Set_Selected_Slot(static_cast<uint8_t>(slot));
    // A slot without a usable spell or scroll is deselected again.
    if (spells.Get_Selected_Slot() != 0 && spells.Get_Quick_Slot(slot).Kind == 0)
        spells.Set_Selected_Slot(0);
    Refresh_Spell_Buttons();
}

void TDC_Main::Store_Equipment_Set(int32_t n) {
    TMonster* player = Player();
    if (!player || n < 1 || n > 5)
        return;
    TEquipment_Set& set = Game_Options->Equipment_Sets[size_t(n - 1)];
    auto hand = [&](int32_t slot, std::string& name, uint16_t& id) {
        const uint16_t number = player->Inventory.Get_Number_In_Slot(slot, Current_Map->Item_List);
        const TItem* item = Current_Map->Item_List.Get(number);
        name = item ? item->Name : "[Empty]";
        id = item ? number : 0;
    };
    hand(First_Hand_Slot, set.First_Hand_Name, set.First_Hand_Id);
    hand(Second_Hand_Slot, set.Second_Hand_Name, set.Second_Hand_Id);
    set.Spell_Slot = player->Spells.Get_Selected_Slot();
}

void TDC_Main::Restore_Equipment_Set(int32_t n) {
    TMonster* player = Player();
    if (!player || n < 1 || n > 5)
        return;
    const TEquipment_Set& set = Game_Options->Equipment_Sets[size_t(n - 1)];
    TItem_List& items = Current_Map->Item_List;
    TInventory& inventory = player->Inventory;
    auto equip = [&](int32_t hand, const std::string& name, uint16_t id) {
        if (id == 0)
            return;
        for (int32_t slot = 1; slot <= Last_Backpack_Slot; ++slot) {
            const uint16_t number = inventory.Get_Number_In_Slot(slot, items);
            const TItem* item = items.Get(number);
            if (!item || number != id || item->Name != name)
                continue;
            if (slot == hand)
                return;
            // The hand's item and the stored one change places when the stored one may
            // go there; otherwise both stay where they were.
            const uint16_t old = inventory.Take_From_Slot(hand, items);
            inventory.Take_From_Slot(slot, items);
            if (inventory.Can_Place_In_Slot(number, hand, items, player,
                                            player->Has_Two_Weapons())) {
                inventory.Put_In_Slot(number, hand, items);
                if (old && !inventory.Put_In_Slot(old, slot, items))
                    inventory.Add_To_Backpack(old, items);
            } else {
                inventory.Put_In_Slot(number, slot, items);
                if (old)
                    inventory.Put_In_Slot(old, hand, items);
            }
            return;
        }
    };
    equip(First_Hand_Slot, set.First_Hand_Name, set.First_Hand_Id);
    equip(Second_Hand_Slot, set.Second_Hand_Name, set.Second_Hand_Id);
    player->Recalculate();
    if (set.Spell_Slot <= 10)
        player->Spells.Set_Selected_Slot(static_cast<uint8_t>(set.Spell_Slot));
    Refresh_Spell_Buttons();
}

void TDC_Main::Handle_KeyDown(uint16_t& Key, TShift_State Shift) {
    // A key the game used is not handed on, so the dialog it opened does not also get it.
    if (Key_Command(Key, Shift))
        f_Key_Handled = true;
}

bool TDC_Main::Key_Command(uint16_t Key, TShift_State Shift) {
    TMonster* player = Player();
    if (!player || !Game_Running)
        return false;
    const bool store_open = Shown("Dlg Store") != nullptr;
    // Each dialog opens once; a key for one already open is left to that dialog.
    auto open_dialog = [this](const char* name) {
        if (Shown(name))
            return false;
        Open_Game_Dialog(name, true);
        return true;
    };
    if (Key >= VK_F1 && Key <= VK_F1 + 9) {
        Select_Spell_Slot(Key - VK_F1 + 1);
    } else if (Key == VK_F1 + 10) {
        if (!store_open)
            player->Drink_Health_Potion();
    } else if (Key == VK_F1 + 11) {
        if (!store_open)
            player->Drink_Mana_Potion();
    } else if (Key == 'G') {
        if (!open_dialog("Game Menu"))
            return false;
    } else if (Key == 'Q') {
        if (!open_dialog("Quests Dlg"))
            return false;
        player->Quest_Value = 0; // the news is read
    } else if (Key == 'M') {
        if (!open_dialog("Overview Map"))
            return false;
    } else if (Key == 'C') {
        if (!open_dialog("Statistics Dlg"))
            return false;
    } else if (Key == 'S') {
        if (!open_dialog("Spells Add Dlg"))
            return false;
    } else if (Key == 'B') {
        if (!open_dialog("Spells Select Dlg"))
            return false;
    } else if (Key == 'I' || Key == 'R') {
        const char* name = Key == 'I' ? "Win Inventory" : "Win Stats";
        if (TDisplay_Class* window = Shown(name))
            window->Set_Visible(!window->f_Visible);
        else
            Open_Game_Dialog(name, false);
    } else if (Key == 'T') {
        if (TDisplay_Class* window = Shown("Win Inventory")) {
            uint16_t key = Key;
            window->Handle_KeyDown(key, Shift);
        }
    } else if (Key == VK_SPACE) {
        Set_Paused(!Paused);
    } else if (Key >= '1' && Key <= '5') {
        if (Shift & ssCtrl)
            Store_Equipment_Set(Key - '0');
        else
            Restore_Equipment_Set(Key - '0');
    } else {
        return false;
    }
    return true;
}

void TDC_Main::Use_Cursor_Item_On_Character() {
    TMonster* player = Player();
    if (!player || !Cursor_Item.Is_Holding())
        return;
    Use_Held_Item(Cursor_Item, Current_Map->Item_List, *player);
    player->Recalculate();
}

void TDC_Main::Drop_Cursor_Item() {
    TMonster* player = Player();
    if (!player || !Cursor_Item.Is_Holding())
        return;
    const uint16_t number = Cursor_Item.Take_Held();
    Current_Map->Drop_Item(player->X, player->Y, number);
    Play_Sound("itemdrop.wav");
    player->Recalculate();
}

void TDC_Main::Handle_MouseDown(TMouse_Button Button, TShift_State, int X, int Y) {
    Left_Button_Down = Button == mbLeft;
    Right_Button_Down = Button == mbRight;
    TMonster* player = Player();
    if (!player || !Game_Running)
        return;
    if (in_box(X, Y, 0, 0, 176, 232)) {
        // Beside a store, chest or give-item dialog the equipment slots still take items.
        if (!Items_Movable(*this))
            return;
        if (Button == mbLeft && in_box(X, Y, 32, 21, 64, 53) && Cursor_Item.Is_Holding()) {
            Use_Cursor_Item_On_Character();
            return;
        }
        const int32_t slot = Slot_At(X, Y);
        if (slot == 0 || Button != mbLeft)
            return;
        Click_Character_Slot(*this, slot);
        return;
    }
    if (Actions_Disabled || Moving || !f_Hooks.Map_Square_At)
        return;
    int32_t mx = 0, my = 0;
    if (!f_Hooks.Map_Square_At(X, Y, mx, my))
        return;
    if (Button == mbRight) {
        Pending_Command = Command_Cast;
        Target_X = mx;
        Target_Y = my;
    } else if (Button == mbLeft) {
        if (Cursor_Item.Is_Holding()) {
            Drop_Cursor_Item();
        } else {
            Pending_Command = Command_Walk;
            Target_X = mx;
            Target_Y = my;
            f_Visited.clear(); // a new walk may cross squares an old one crossed
        }
    }
}

void TDC_Main::Handle_MouseUp(TMouse_Button, TShift_State, int, int, bool) {
    Left_Button_Down = false;
    Right_Button_Down = false;
}

void TDC_Main::Handle_MouseMove(TShift_State, int X, int Y) {
    Hover_Slot = Game_Running ? Slot_At(X, Y) : 0;
    if (Game_Running)
        Describe_Point(X, Y);
}

int32_t TDC_Main::Panel_Topic_At(int x, int y) {
    struct TFigure {
        int left, top, right, bottom;
        int32_t topic;
    };
    // Level, experience, experience to the next level and gold; the health, mana,
    // hunger and weight bars; the status word.
    static constexpr TFigure figures[] = {
        {180, 52, 360, 72, 24},   {180, 77, 360, 97, 25},  {180, 102, 360, 122, 26},
        {180, 127, 360, 147, 27}, {380, 12, 510, 30, 28},  {380, 39, 510, 57, 29},
        {380, 66, 510, 84, 30},   {380, 93, 510, 111, 31}, {403, 120, 510, 140, 32}};
    for (const TFigure& f : figures)
        if (in_box(x, y, f.left, f.top, f.right, f.bottom))
            return f.topic;
    return 0;
}

void TDC_Main::Describe_Point(int x, int y) {
    TMonster* player = Player();
    if (!player || !Current_Map)
        return;
    TDescription_Panel& panel = Description_Panel();
    if (const int32_t slot = Slot_At(x, y)) {
        const uint16_t number = player->Inventory.Get_Number_In_Slot(slot, Current_Map->Item_List);
        if (number != 0)
            panel.Set_Subject_Item(Item_Ref(Current_Map->Item_List, number));
        return;
    }
    if (const int32_t topic = Panel_Topic_At(x, y)) {
        panel.Set_Subject_Topic(topic);
        return;
    }
    // The map runs on under the screen's panels; there the pointer is over a panel.
    static constexpr int panels[][4] = {{0, 0, 176, 232},     {176, 0, 510, 150},
                                        {508, 0, 799, 193},   {0, 530, 275, 599},
                                        {520, 500, 799, 599}, {705, 432, 799, 510}};
    for (const auto& p : panels)
        if (in_box(x, y, p[0], p[1], p[2], p[3]))
            return;
    int32_t mx = 0, my = 0;
    if (!f_Hooks.Map_Square_At || !f_Hooks.Map_Square_At(x, y, mx, my))
        return;
    // A creature is described only where the character sees it.
    const TMap_Square* square = Current_Map->Get_Square(mx, my);
    const bool in_sight =
        Current_Map->Get_Sight(mx - Current_Map->Sight_Left(), my - Current_Map->Sight_Top()) == 1;
    if (square && square->Monster != 0 && in_sight) {
        const TCreature_Ref creature = Creature_Ref(Current_Map->Monster_List, square->Monster);
        if (creature.Number != 0) {
            panel.Set_Subject_Creature(creature);
            return;
        }
    }
    panel.Set_Subject_Square(mx, my);
}
